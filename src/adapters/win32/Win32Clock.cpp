#include "adapters/win32/Win32Clock.h"

#include "adapters/win32/WindowsInclude.h"

namespace platform::win32 {

uint64_t Win32Clock::NowMs() {
  return ::GetTickCount64();
}

LocalTime Win32Clock::LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void Win32Clock::Sleep(uint32_t ms) {
  ::Sleep(ms);
}

void Win32Clock::PumpDelay(uint32_t ms) {
  const uint64_t deadline = NowMs() + ms;
  bool quit = false;
  WPARAM quitCode = 0;
  for (;;) {
    MSG message;
    while (!quit && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Dispatching on would peek the same WM_QUIT again and again.
        quit = true;
        quitCode = message.wParam;
        break;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    const uint64_t now = NowMs();
    if (now >= deadline) break;
    const DWORD remaining = static_cast<DWORD>(deadline - now);
    if (quit) {
      ::Sleep(remaining);
      continue;
    }
    DWORD result =
        ::MsgWaitForMultipleObjectsEx(0, nullptr, remaining, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result == WAIT_FAILED) {
      m_failures.Record("MsgWaitForMultipleObjectsEx");
      ::Sleep(remaining);  // still honour the delay, without spinning
    }
  }
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace platform::win32
