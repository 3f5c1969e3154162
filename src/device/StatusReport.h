#pragma once
// Input report 4: what the mouse reports by itself (level, polling, battery, lighting mode,
// launch request, polling class, sensor, leave request).

#include <cstdint>
#include <optional>
#include <span>

struct StatusReport {
  static constexpr uint8_t kReportId = 0x04;
  static constexpr size_t kLength = 32;
  // Bytes 0..10 are read; a shorter report cannot be applied.
  static constexpr size_t kMinimumLength = 11;

  uint8_t link = 0;          // byte 1: 0 = the mouse is not linked to its receiver
  uint8_t dpiLevel = 0;      // byte 2
  uint8_t pollingCode = 0;   // byte 3
  uint8_t battery = 0;       // byte 4, percent
  uint8_t chargeState = 0;   // byte 5: 1 charging, 2 full, else discharging
  uint8_t lightingMode = 0;  // byte 6
  uint8_t launch = 0;        // byte 7: 0 none, n = button n (1-based)
  uint8_t pollingClass = 0;  // byte 8
  uint8_t sensorCode = 0;    // byte 9
  uint8_t status = 0;        // byte 10: 1 = a status report, anything else = leave request

  // Nothing for another report id or a report shorter than 11 bytes.
  static std::optional<StatusReport> Parse(std::span<const uint8_t> report);

  bool IsLeaveRequest() const { return status != 1; }
};
