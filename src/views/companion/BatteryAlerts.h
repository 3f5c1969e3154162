#pragma once
// When the battery notice comes: the first report below 20 % and the first below 5 % while
// the mouse discharges, once each per discharge. Charging, or a level above 25 %, arms both
// again.

#include <optional>

class BatteryAlerts {
 public:
  static constexpr int kLowLevel = 20;
  static constexpr int kCriticalLevel = 5;
  static constexpr int kRearmLevel = 25;

  // One battery report (level in percent, charge state 0 discharging, 1 charging, 2 full).
  // Returns the threshold whose notice is due now (20 or 5), or nothing.
  std::optional<int> OnReport(int level, int chargeState);

 private:
  bool m_lowArmed = true;
  bool m_criticalArmed = true;
};
