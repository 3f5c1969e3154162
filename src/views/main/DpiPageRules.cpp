#include "views/main/DpiPageRules.h"

#include <algorithm>

#include "base/Format.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"

int DpiPageRules::ShownIndex(const SensorDpiTable& table, int index) {
  if (table.count <= 0) return 0;
  return std::clamp(index, 0, table.count - 1);
}

std::u16string DpiPageRules::DpiText(const SensorDpiTable& table, int index) {
  if (table.count <= 0) return {};
  return base::Format(u"%d", DpiOf(table, ShownIndex(table, index)));
}

DpiLevelView DpiPageRules::Level(const ProfileSettings& profile, const SensorDpiTable& table,
                                 int level) {
  DpiLevelView view;
  if (!ValidLevel(level)) return view;
  const auto n = static_cast<size_t>(level);
  view.enabled = (profile.DPIOffOnFlagValue >> level) & 1;
  view.active = profile.ActiveDpiLevel() == level;
  view.xIndex = profile.XYSettingValueX[n];
  view.yIndex = profile.XYSettingValueY[n];
  view.sliderPosition = ShownIndex(table, view.xIndex);
  view.dpiText = DpiText(table, view.xIndex);
  view.colour = profile.DPILevelIndication[n] & 0xFFFFFF;
  view.textColour = view.active ? kActiveText : kLevelText;
  return view;
}

DpiPageRules::Toggle DpiPageRules::ToggleLevel(ProfileSettings& profile, int level, bool checked) {
  if (!ValidLevel(level)) return Toggle::Refused;
  const uint8_t bit = static_cast<uint8_t>(1u << level);
  const uint8_t before = profile.DPIOffOnFlagValue;
  // At least one level always stays enabled.
  if (before == bit) return Toggle::Refused;
  if (!checked && profile.ActiveDpiLevel() == level) {
    int next = level;
    for (int i = 0; i < kLevels; ++i) {
      next = (next + 1) % kLevels;
      if ((before >> next) & 1) break;
    }
    profile.CurrentDPILevelValue = static_cast<uint8_t>(next);
  }
  profile.DPIOffOnFlagValue =
      checked ? static_cast<uint8_t>(before | bit) : static_cast<uint8_t>(before & ~bit);
  return Toggle::Changed;
}

bool DpiPageRules::SelectLevel(ProfileSettings& profile, int level) {
  if (!ValidLevel(level) || !((profile.DPIOffOnFlagValue >> level) & 1)) return false;
  if (profile.CurrentDPILevelValue == level) return false;
  profile.CurrentDPILevelValue = static_cast<uint8_t>(level);
  return true;
}

bool DpiPageRules::SetSliderIndex(ProfileSettings& profile, const SensorDpiTable& table, int level,
                                  int position) {
  if (!ValidLevel(level) || table.count <= 0) return false;
  const auto index = static_cast<uint16_t>(ShownIndex(table, position));
  uint16_t& x = profile.XYSettingValueX[static_cast<size_t>(level)];
  if (x == index) return false;
  x = index;
  return true;
}

bool DpiPageRules::ApplySingleDialog(ProfileSettings& profile, const SensorDpiTable& table,
                                     int level, int index) {
  return ApplyXYDialog(profile, table, level, index, index);
}

bool DpiPageRules::ApplyXYDialog(ProfileSettings& profile, const SensorDpiTable& table, int level,
                                 int xIndex, int yIndex) {
  if (!ValidLevel(level) || table.count <= 0) return false;
  const auto n = static_cast<size_t>(level);
  profile.XYSettingValueX[n] = static_cast<uint16_t>(ShownIndex(table, xIndex));
  profile.XYSettingValueY[n] = static_cast<uint16_t>(ShownIndex(table, yIndex));
  return true;
}

void DpiPageRules::SetLevelColour(ProfileSettings& profile, int level, platform::Colour colour) {
  if (!ValidLevel(level)) return;
  profile.DPILevelIndication[static_cast<size_t>(level)] = colour & 0xFFFFFF;
}
