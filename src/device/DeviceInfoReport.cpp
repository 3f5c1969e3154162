#include "device/DeviceInfoReport.h"

std::optional<DeviceInfoReport> DeviceInfoReport::Parse(std::span<const uint8_t> report) {
  if (report.size() < 10 || report[0] != kReportId) return std::nullopt;
  if (report[1] != '1' || report[2] != '0' || report[3] != '1' || report[4] != '0') {
    return std::nullopt;
  }
  DeviceInfoReport info;
  info.linked = report[5] != 0;
  info.firmware8 = report[8];
  info.firmware9 = report[9];
  return info;
}
