#include "adapters/win32/Win32Tray.h"

#include <iterator>

#include "adapters/win32/WideText.h"
#include "adapters/win32/WindowsInclude.h"

#include <shellapi.h>

namespace platform::win32 {

namespace {

NOTIFYICONDATAW IconData(WindowId owner, uint32_t id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = reinterpret_cast<HWND>(owner);
  data.uID = id;
  return data;
}

}  // namespace

Win32Tray::~Win32Tray() {
  while (!m_icons.empty()) {
    const auto key = m_icons.begin()->first;
    Remove(key.first, key.second);
  }
}

bool Win32Tray::Add(WindowId owner, uint32_t id, uint32_t callbackMessage, int iconResource,
                    std::u16string_view tip) {
  NOTIFYICONDATAW data = IconData(owner, id);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage;
  data.hIcon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  if (data.hIcon == nullptr) m_failures.Record("LoadImageW");  // the icon is then blank
  std::wstring text = Wide(tip.substr(0, std::size(data.szTip) - 1));
  text.copy(data.szTip, text.size());
  if (!::Shell_NotifyIconW(NIM_ADD, &data)) {
    m_failures.Record("Shell_NotifyIconW");
    if (data.hIcon != nullptr) ::DestroyIcon(data.hIcon);
    return false;
  }
  void*& kept = m_icons[{owner, id}];
  if (kept != nullptr) ::DestroyIcon(static_cast<HICON>(kept));
  kept = data.hIcon;
  return true;
}

bool Win32Tray::Remove(WindowId owner, uint32_t id) {
  NOTIFYICONDATAW data = IconData(owner, id);
  bool removed = ::Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
  if (!removed) m_failures.Record("Shell_NotifyIconW");
  auto it = m_icons.find({owner, id});
  if (it != m_icons.end()) {
    if (it->second != nullptr) ::DestroyIcon(static_cast<HICON>(it->second));
    m_icons.erase(it);
  }
  return removed;
}

bool Win32Tray::SetTip(WindowId owner, uint32_t id, std::u16string_view tip) {
  NOTIFYICONDATAW data = IconData(owner, id);
  data.uFlags = NIF_TIP;
  std::wstring text = Wide(tip.substr(0, std::size(data.szTip) - 1));
  text.copy(data.szTip, text.size());
  if (!::Shell_NotifyIconW(NIM_MODIFY, &data)) {
    m_failures.Record("Shell_NotifyIconW");
    return false;
  }
  return true;
}

void Win32Tray::ShowMenu(WindowId owner, const std::vector<TrayMenuItem>& items) {
  HMENU menu = ::CreatePopupMenu();
  if (menu == nullptr) {
    m_failures.Record("CreatePopupMenu");
    return;
  }
  for (const TrayMenuItem& item : items) {
    BOOL ok = item.command == 0 ? ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)
                                : ::AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : 0u),
                                                item.command, Wide(item.text).c_str());
    if (!ok) m_failures.Record("AppendMenuW");
  }
  HWND hwnd = reinterpret_cast<HWND>(owner);
  POINT at{};
  ::GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(hwnd);
  ::SetLastError(ERROR_SUCCESS);
  UINT command = static_cast<UINT>(::TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr));
  if (command == 0 && ::GetLastError() != ERROR_SUCCESS) m_failures.Record("TrackPopupMenu");
  // The documented follow-up: makes the menu's second showing work.
  ::PostMessageW(hwnd, WM_NULL, 0, 0);
  ::DestroyMenu(menu);
  if (command != 0 && !::PostMessageW(hwnd, WM_COMMAND, command, 0)) {
    m_failures.Record("PostMessageW");
  }
}

}  // namespace platform::win32
