#pragma once
// The hidraw nodes of the machine as sysfs describes them: for each /sys/class/hidraw/hidrawN,
// the bus, vendor and product from device/uevent (HID_ID=bbbb:vvvvvvvv:pppppppp), the name,
// the report descriptor from device/report_descriptor and, for USB devices, the release
// number (bcdDevice of the USB device two levels up). Everything here is readable without
// access to the device nodes themselves.
//
// Both roots can be moved, so tests read fixture trees.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/posix/ReportDescriptor.h"

namespace platform::posix {

class SysfsHidraw {
 public:
  struct HidId {
    uint16_t bus = 0;
    uint16_t vendor = 0;
    uint16_t product = 0;
  };

  struct Node {
    int number = -1;         // N of hidrawN
    std::string devicePath;  // <dev>/hidrawN
    HidId id;
    uint16_t version = 0;  // 0 when sysfs does not say
    std::string name;
    bool hasDescriptor = false;
    ReportDescriptor descriptor;
  };

  explicit SysfsHidraw(std::filesystem::path classDir = "/sys/class/hidraw",
                       std::filesystem::path devDir = "/dev");

  // Every node whose uevent can be read, by ascending N. A node whose uevent is missing or
  // has no usable HID_ID is left out; one without a readable descriptor is kept with
  // hasDescriptor false.
  std::vector<Node> Enumerate() const;

  // HID_ID of a uevent text; nothing when the line is missing or malformed.
  static std::optional<HidId> ParseHidId(std::string_view uevent);
  // HID_NAME of a uevent text, empty when missing.
  static std::string ParseName(std::string_view uevent);

  const std::filesystem::path& DevDir() const { return m_devDir; }

 private:
  std::filesystem::path m_classDir;
  std::filesystem::path m_devDir;
};

}  // namespace platform::posix
