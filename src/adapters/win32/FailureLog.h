#pragma once
// Remembers which system call failed last, with its error code, so that a test or a log can
// explain a failure that the interfaces only report as false or nothing.

#include <cstdint>
#include <mutex>
#include <string>

namespace platform::win32 {

class FailureLog {
 public:
  // Records `call` with the calling thread's GetLastError().
  void Record(const char* call);
  // Records `call` with an error code of its own (an HRESULT, a GDI+ status, ...).
  void RecordCode(const char* call, uint32_t code);

  // "CreateFileW (error 2)", or empty when nothing failed since the last Clear.
  std::string Last() const;
  // How many failures were recorded since the last Clear.
  int Count() const;
  void Clear();

 private:
  mutable std::mutex m_mutex;
  std::string m_last;
  int m_count = 0;
};

}  // namespace platform::win32
