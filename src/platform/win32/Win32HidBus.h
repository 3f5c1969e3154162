#pragma once
// HID through setupapi and hid.dll comes with a later piece of work. Until then the bus is
// empty, so the program runs as with no mouse attached.

#include "platform/HidBus.h"

namespace platform::win32 {

class Win32HidBus : public HidBus {
 public:
  std::optional<HidInterfaceInfo> At(int) override { return std::nullopt; }
  std::unique_ptr<HidDevice> Open(int) override { return nullptr; }
  bool RegisterForNotifications(WindowId) override { return false; }
};

}  // namespace platform::win32
