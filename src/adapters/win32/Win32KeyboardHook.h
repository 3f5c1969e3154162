#pragma once
// A low-level keyboard hook that posts every key event of the system to one window as
// message 0x401 (see platform/KeyEventParam.h). The hook runs on the thread that starts it,
// which must pump messages: the user-interface thread. One hook per process.

#include "adapters/win32/FailureLog.h"
#include "platform/Types.h"

namespace platform::win32 {

class Win32KeyboardHook {
 public:
  explicit Win32KeyboardHook(FailureLog& failures) : m_failures(failures) {}
  ~Win32KeyboardHook() { Stop(); }
  Win32KeyboardHook(const Win32KeyboardHook&) = delete;
  Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;

  // Installs the hook if needed and sends events to `target` from now on.
  bool Start(WindowId target);
  // Harmless when not started.
  void Stop();
  bool Started() const { return m_hook != nullptr; }

 private:
  FailureLog& m_failures;
  void* m_hook = nullptr;  // HHOOK
};

}  // namespace platform::win32
