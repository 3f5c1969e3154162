#include "device/StatusReport.h"

std::optional<StatusReport> StatusReport::Parse(std::span<const uint8_t> report) {
  if (report.size() < kMinimumLength || report[0] != kReportId) return std::nullopt;
  StatusReport r;
  r.link = report[1];
  r.dpiLevel = report[2];
  r.pollingCode = report[3];
  r.battery = report[4];
  r.chargeState = report[5];
  r.lightingMode = report[6];
  r.launch = report[7];
  r.pollingClass = report[8];
  r.sensorCode = report[9];
  r.status = report[10];
  return r;
}
