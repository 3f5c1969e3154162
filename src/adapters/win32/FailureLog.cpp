#include "adapters/win32/FailureLog.h"

#include "adapters/win32/WindowsInclude.h"

#include <cstdio>

namespace platform::win32 {

void FailureLog::Record(const char* call) {
  RecordCode(call, ::GetLastError());
}

void FailureLog::RecordCode(const char* call, uint32_t code) {
  char text[160];
  std::snprintf(text, sizeof text, "%s (error %lu)", call, static_cast<unsigned long>(code));
  std::lock_guard<std::mutex> lock(m_mutex);
  m_last = text;
  ++m_count;
}

std::string FailureLog::Last() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_last;
}

int FailureLog::Count() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_count;
}

void FailureLog::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_last.clear();
  m_count = 0;
}

}  // namespace platform::win32
