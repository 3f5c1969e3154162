#pragma once
// Feature report 5: signature "1010", the link byte and the two firmware bytes.

#include <cstdint>
#include <optional>
#include <span>

struct DeviceInfoReport {
  static constexpr uint8_t kReportId = 0x05;
  static constexpr size_t kLength = 32;

  bool linked = false;  // byte 5 non-zero
  uint8_t firmware8 = 0;
  uint8_t firmware9 = 0;

  // Nothing unless the answer carries id 5 and the signature in bytes 1..4.
  static std::optional<DeviceInfoReport> Parse(std::span<const uint8_t> report);
};
