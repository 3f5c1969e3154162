#pragma once
// The notification-area icon through Shell_NotifyIconW, and its context menu.

#include <map>
#include <utility>

#include "adapters/win32/FailureLog.h"
#include "platform/Tray.h"

namespace platform::win32 {

class Win32Tray : public Tray {
 public:
  explicit Win32Tray(FailureLog& failures) : m_failures(failures) {}
  // Removes icons still shown: an icon outliving its process stays until the pointer
  // passes over it.
  ~Win32Tray() override;
  Win32Tray(const Win32Tray&) = delete;
  Win32Tray& operator=(const Win32Tray&) = delete;

  bool Add(WindowId owner, uint32_t id, uint32_t callbackMessage, int iconResource,
           std::u16string_view tip) override;
  bool Remove(WindowId owner, uint32_t id) override;
  bool SetTip(WindowId owner, uint32_t id, std::u16string_view tip) override;
  // Blocks in the menu's own loop until it closes.
  void ShowMenu(WindowId owner, const std::vector<TrayMenuItem>& items) override;

 private:
  FailureLog& m_failures;
  std::map<std::pair<WindowId, uint32_t>, void*> m_icons;  // HICON per shown icon
};

}  // namespace platform::win32
