#include "views/companion/BatteryAlerts.h"

std::optional<int> BatteryAlerts::OnReport(int level, int chargeState) {
  // A level above 100 is no reading (the battery display shows it as 0).
  if (level < 0 || level > 100) return std::nullopt;
  if (chargeState != 0 || level > kRearmLevel) {
    m_lowArmed = true;
    m_criticalArmed = true;
    return std::nullopt;
  }
  if (level < kCriticalLevel && m_criticalArmed) {
    // Straight to the last notice: the first would only say less.
    m_criticalArmed = false;
    m_lowArmed = false;
    return kCriticalLevel;
  }
  if (level < kLowLevel && m_lowArmed) {
    m_lowArmed = false;
    return kLowLevel;
  }
  return std::nullopt;
}
