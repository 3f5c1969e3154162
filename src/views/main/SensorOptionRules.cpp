#include "views/main/SensorOptionRules.h"

#include <algorithm>

#include "base/Format.h"
#include "base/Language.h"
#include "views/main/SettingsTexts.h"

std::optional<SettingsWriter::Group> SensorOptionRules::GroupFor(uint32_t id) {
  using Group = SettingsWriter::Group;
  switch (id) {
    case kLiftOffLow:
    case kLiftOffHigh:
    case kDebounce:
      return Group::Dpi;
    case kPowerDial:
    case kLightsOffWhileMoving:
    case kWakeOnMotion:
      return Group::Power;
    case kAngleSnap:
    case kMotionSync:
    case kRippleControl:
      return Group::Sensor;
    default:
      return std::nullopt;
  }
}

std::optional<TextSetting> SensorOptionRules::CheckSetting(uint32_t id) {
  switch (id) {
    case kLightsOffWhileMoving:
      return TextSetting::MoveLightingOnOffMode;
    case kWakeOnMotion:
      return TextSetting::MotionWakeup;
    case kAngleSnap:
      return TextSetting::AngleSnap;
    case kMotionSync:
      return TextSetting::MotionSync;
    case kRippleControl:
      return TextSetting::RippleControl;
    case kAcceleration:
      return TextSetting::AccelerationEnable;
    default:
      return std::nullopt;
  }
}

bool SensorOptionRules::IsOn(const ProfileSettings& profile, TextSetting setting) {
  return profile.Int(setting) == 1;
}

int SensorOptionRules::SliderPosition(const ProfileSettings& profile, TextSetting setting,
                                      int stops) {
  return std::clamp(profile.Int(setting), 0, std::max(stops - 1, 0));
}

std::u16string SensorOptionRules::PlusOneLabel(int position) {
  return base::Format(u"%d", position + 1);
}

std::u16string SensorOptionRules::DebounceLabel(int position) {
  return base::Format(u"%dms", position);
}

std::optional<int> SensorOptionRules::PowerRegion(const ProfileSettings& profile) {
  const int level = profile.Int(TextSetting::PowerDownTime);
  if (level < 1 || level > kPowerLevels) return std::nullopt;
  return level - 1;
}

std::u16string SensorOptionRules::PowerCaption(int level) {
  return LangText(settings_text::kPowerBefore) + base::Format(u"%d", level) +
         LangText(settings_text::kPowerAfter);
}

bool SensorOptionRules::SetPowerLevel(ProfileSettings& profile, int region) {
  if (region < 0 || region >= kPowerLevels) return false;
  const std::u16string value = base::Format(u"%d", region + 1);
  if (profile.PairValue(static_cast<int>(TextSetting::PowerDownTime)) == value) return false;
  profile.SetInt(TextSetting::PowerDownTime, region + 1);
  return true;
}

bool SensorOptionRules::LiftOffLowSelected(const ProfileSettings& profile) {
  return profile.Int(TextSetting::LiftDetectionHeight) == 1;
}

bool SensorOptionRules::SetLiftOff(ProfileSettings& profile, bool low) {
  const std::u16string value = low ? u"1" : u"2";
  if (profile.PairValue(static_cast<int>(TextSetting::LiftDetectionHeight)) == value) return false;
  profile.SetInt(TextSetting::LiftDetectionHeight, low ? 1 : 2);
  return true;
}

void SensorOptionRules::CollectPointer(ProfileSettings& profile, const PointerValues& values) {
  profile.SetBool(TextSetting::ScrollWheelPageEnable, values.pageScroll);
  profile.SetBool(TextSetting::AccelerationEnable, values.acceleration);
  const int scroll = std::clamp(values.scrollSpeed, 0, kScrollSpeedStops - 1);
  profile.SetInt(TextSetting::ScrollWheelSpeed, scroll);
  profile.SetInt(TextSetting::TiltSpeed, scroll);
  profile.SetInt(TextSetting::PointerSpeed, std::clamp(values.pointerSpeed, 0, kPointerStops - 1));
  profile.SetInt(TextSetting::DoubleClickSpeed,
                 std::clamp(values.doubleClickSpeed, 0, kPointerStops - 1));
}
