#pragma once
// The foreground program through a WinEvent hook (EVENT_SYSTEM_FOREGROUND) and
// GetForegroundWindow + QueryFullProcessImageNameW; the end of a held process through a
// registered wait whose callback is handed to the user-interface thread; program icons
// through the shell.

#include <cstdint>
#include <memory>

#include "adapters/win32/FailureLog.h"
#include "platform/Programs.h"

namespace platform::win32 {

class UiThreadQueue;

class Win32Programs : public Programs {
 public:
  // Create on the user-interface thread: the hook reports there.
  explicit Win32Programs(FailureLog& failures);
  ~Win32Programs() override;
  Win32Programs(const Win32Programs&) = delete;
  Win32Programs& operator=(const Win32Programs&) = delete;

  ForegroundProgram Foreground() override;
  void Watch(ProgramObserver* observer) override;
  bool HoldProcess(uint32_t processId) override;
  void ReleaseProcess() override;
  std::unique_ptr<Image> ProgramIcon(std::u16string_view path, int size) override;

  // The hook's entry, from the message loop of the thread that set it.
  void OnForegroundEvent();
  // A held process ended (generation: the hold it belongs to).
  void OnProcessEnded(uint64_t generation);

 private:
  FailureLog& m_failures;
  std::unique_ptr<UiThreadQueue> m_queue;
  ProgramObserver* m_observer = nullptr;
  void* m_hook = nullptr;     // HWINEVENTHOOK
  void* m_process = nullptr;  // HANDLE of the held process
  void* m_wait = nullptr;     // HANDLE of its registered wait
  void* m_context = nullptr;  // what the wait's callback is given
  uint64_t m_generation = 0;
};

}  // namespace platform::win32
