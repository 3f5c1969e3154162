#include "adapters/win32/Win32KeyboardHook.h"

#include <atomic>

#include "adapters/win32/WindowsInclude.h"
#include "platform/KeyEventParam.h"

namespace platform::win32 {

namespace {

// The hook procedure has no context pointer; the hook runs on the starting thread only.
std::atomic<HWND> g_target{nullptr};

LRESULT CALLBACK KeyboardProcedure(int code, WPARAM wParam, LPARAM lParam) {
  HWND target = g_target.load();
  if (code == HC_ACTION && target != nullptr) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    // Posted, not sent: a hook that takes too long is removed by the system.
    ::PostMessageW(target, kKeyEventMessage, event->vkCode,
                   MakeKeyEventParam(event->time, (event->flags & LLKHF_UP) != 0));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool Win32KeyboardHook::Start(WindowId target) {
  g_target.store(reinterpret_cast<HWND>(target));
  if (m_hook != nullptr) return true;
  HHOOK hook =
      ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProcedure, ::GetModuleHandleW(nullptr), 0);
  if (hook == nullptr) {
    m_failures.Record("SetWindowsHookExW");
    g_target.store(nullptr);
    return false;
  }
  m_hook = hook;
  return true;
}

void Win32KeyboardHook::Stop() {
  g_target.store(nullptr);
  if (m_hook == nullptr) return;
  if (!::UnhookWindowsHookEx(static_cast<HHOOK>(m_hook))) m_failures.Record("UnhookWindowsHookEx");
  m_hook = nullptr;
}

}  // namespace platform::win32
