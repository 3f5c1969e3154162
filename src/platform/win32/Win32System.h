#pragma once
// Single-instance mutex and executable resources. The keyboard hook is not available yet.

#include <vector>

#include "platform/System.h"
#include "platform/win32/FailureLog.h"

namespace platform::win32 {

class Win32System : public System {
 public:
  explicit Win32System(FailureLog& failures) : m_failures(failures) {}
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  bool CreateNamedMutexAlreadyExists(std::u16string_view name) override;
  std::optional<std::string> LoadResource(std::u16string_view type, int id) override;
  // Not available yet (comes with the keyboard-hook work): starting fails, stopping is a
  // no-op.
  bool StartKeyboardHook(WindowId target) override;
  void StopKeyboardHook() override {}

 private:
  FailureLog& m_failures;
  std::vector<void*> m_mutexes;  // HANDLEs, open for the life of the process
};

}  // namespace platform::win32
