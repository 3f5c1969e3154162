#pragma once
// The notification-area icon.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace platform {

// An item with command 0 is a separator.
struct TrayMenuItem {
  uint32_t command = 0;  // sent to the owner as WM_COMMAND with wParam = command
  std::u16string text;
  bool checked = false;  // shown with a check mark
};

class Tray {
 public:
  virtual ~Tray() = default;
  // Shell_NotifyIconW(NIM_ADD): mouse events on the icon reach `owner` as `callbackMessage`
  // with wParam = id and lParam = the mouse message.
  virtual bool Add(WindowId owner, uint32_t id, uint32_t callbackMessage, int iconResource,
                   std::u16string_view tip) = 0;
  virtual bool Remove(WindowId owner, uint32_t id) = 0;
  // Replaces the tip of an added icon (lines separated by LF; cut to what the system shows).
  virtual bool SetTip(WindowId owner, uint32_t id, std::u16string_view tip) = 0;
  // Shows a context menu at the pointer; the chosen command is posted to `owner`.
  virtual void ShowMenu(WindowId owner, const std::vector<TrayMenuItem>& items) = 0;
};

}  // namespace platform
