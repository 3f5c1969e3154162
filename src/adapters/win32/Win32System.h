#pragma once
// Single-instance mutex, executable resources and the low-level keyboard hook.

#include <vector>

#include "adapters/win32/FailureLog.h"
#include "adapters/win32/Win32KeyboardHook.h"
#include "platform/System.h"

namespace platform::win32 {

class Win32System : public System {
 public:
  explicit Win32System(FailureLog& failures) : m_failures(failures), m_hook(failures) {}
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  bool CreateNamedMutexAlreadyExists(std::u16string_view name) override;
  std::optional<std::string> LoadResource(std::u16string_view type, int id) override;
  bool StartKeyboardHook(WindowId target) override { return m_hook.Start(target); }
  void StopKeyboardHook() override { m_hook.Stop(); }

 private:
  FailureLog& m_failures;
  std::vector<void*> m_mutexes;  // HANDLEs, open for the life of the process
  Win32KeyboardHook m_hook;
};

}  // namespace platform::win32
