#pragma once
// The HID interfaces of the machine. The only way to the mouse.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform {

struct HidInterfaceInfo {
  std::u16string path;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t versionNumber = 0;
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t inputReportLength = 0;    // bytes, including the report id
  uint16_t featureReportLength = 0;  // bytes, including the report id
};

// An opened interface. Feature transfers are synchronous and run on the calling thread.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // HidD_SetFeature / HidD_GetFeature: byte 0 of the buffer is the report id. For
  // GetFeature the caller sets byte 0 and the device fills the rest.
  [[nodiscard]] virtual bool SetFeature(std::span<const uint8_t> report) = 0;
  [[nodiscard]] virtual bool GetFeature(std::span<uint8_t> report) = 0;
  // Vendor, product, version and capabilities as read from this very handle, so a caller
  // checks what it opened, not what an earlier enumeration saw at the index.
  virtual HidInterfaceInfo Info() const = 0;

  // Starts delivering input reports. `onReport` gets a copy of every report with the time
  // it was read from the device (the platform clock's NowMs, taken before the report waited
  // for the user-interface thread), and `onEnded` is called once when reading stops because
  // the device failed or went away; both are called on the user-interface thread (a Windows
  // adapter reads on its own thread and posts each copy). Reading stops when the device
  // object is destroyed.
  using ReportCallback = std::function<void(std::vector<uint8_t> report, uint64_t arrivedMs)>;
  virtual void StartReading(ReportCallback onReport, std::function<void()> onEnded) = 0;
};

class HidBus {
 public:
  virtual ~HidBus() = default;
  // What is at enumeration index `index` of the HID class (nothing past the end or when the
  // interface cannot be queried). Enumerates the class for this one index.
  virtual std::optional<HidInterfaceInfo> At(int index) = 0;
  // One enumeration of the class for a whole scan: entry i is what At(i) would say, for the
  // indexes below `limit`; the list ends where the class does.
  virtual std::vector<std::optional<HidInterfaceInfo>> Enumerate(int limit) = 0;
  // Opens the interface at `index` of the latest enumeration (a fresh one when there was none)
  // for feature reports and input reports; nothing on failure.
  virtual std::unique_ptr<HidDevice> Open(int index) = 0;
  // After this, arrivals and removals of HID interfaces reach the window as WM_DEVICECHANGE
  // (wParam 0x8000 arrival, 0x8004 removal).
  virtual bool RegisterForNotifications(WindowId window) = 0;
};

}  // namespace platform
