#pragma once
// The notification-area icon comes with a later piece of work. Until then there is no icon
// and no menu; Add reports failure.

#include "platform/Tray.h"

namespace platform::win32 {

class Win32Tray : public Tray {
 public:
  bool Add(WindowId, uint32_t, uint32_t, int, std::u16string_view) override { return false; }
  bool Remove(WindowId, uint32_t) override { return false; }
  void ShowMenu(WindowId, const std::vector<TrayMenuItem>&) override {}
};

}  // namespace platform::win32
