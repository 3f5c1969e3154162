#pragma once
// The rules of the option controls: the pointer page (stored and saved only), lift-off,
// debounce, the sensor page's switches and the fixed area's power-saving controls. Which
// settings group a control marks, how a value from the profile positions its control, and
// what the labels say. Platform-free.

#include <cstdint>
#include <optional>
#include <string>

#include "device/SettingsWriter.h"
#include "profiles/ProfileSettings.h"

class SensorOptionRules {
 public:
  // Control ids.
  static constexpr uint32_t kScrollByLines = 2009;
  static constexpr uint32_t kScrollByPage = 2010;
  static constexpr uint32_t kAcceleration = 2030;
  static constexpr uint32_t kScrollSpeed = 2041;
  static constexpr uint32_t kPointerSpeed = 2043;
  static constexpr uint32_t kDoubleClickSpeed = 2044;
  static constexpr uint32_t kPowerDial = 3500;
  static constexpr uint32_t kLightsOffWhileMoving = 3501;
  static constexpr uint32_t kWakeOnMotion = 3504;
  static constexpr uint32_t kLiftOffLow = 3510;
  static constexpr uint32_t kLiftOffHigh = 3511;
  static constexpr uint32_t kDebounce = 3530;
  static constexpr uint32_t kAngleSnap = 3540;
  static constexpr uint32_t kMotionSync = 3541;
  static constexpr uint32_t kRippleControl = 3542;

  static constexpr int kScrollSpeedStops = 10;
  static constexpr int kPointerStops = 11;
  static constexpr int kDebounceStops = 31;
  static constexpr int kPowerLevels = 8;

  // The settings group a change of the control marks; none for the pointer options, which
  // only lead to the delayed save. Also none for an id that is not an option control.
  static std::optional<SettingsWriter::Group> GroupFor(uint32_t id);
  // The text setting behind a check box (3501, 3504, 3540..3542, 2030).
  static std::optional<TextSetting> CheckSetting(uint32_t id);

  // A boolean setting is on only when its value is exactly 1.
  static bool IsOn(const ProfileSettings& profile, TextSetting setting);
  // The stored number limited to the slider's stops.
  static int SliderPosition(const ProfileSettings& profile, TextSetting setting, int stops);
  // "%d" of position + 1 (pointer sliders) and "%dms" (debounce).
  static std::u16string PlusOneLabel(int position);
  static std::u16string DebounceLabel(int position);

  // The power dial's region for PowerDownTime 1..8; none for a value outside, which leaves
  // the dial as it was.
  static std::optional<int> PowerRegion(const ProfileSettings& profile);
  // Text 266, the level, text 267.
  static std::u16string PowerCaption(int level);
  // Dial region 0..7 stores the level region + 1; false when it already held it.
  static bool SetPowerLevel(ProfileSettings& profile, int region);

  // The first lift-off choice is selected only for a value of exactly 1.
  static bool LiftOffLowSelected(const ProfileSettings& profile);
  static bool SetLiftOff(ProfileSettings& profile, bool low);

  // What the pointer page and the debounce slider give back to the profile.
  struct PointerValues {
    bool pageScroll = false;
    bool acceleration = false;
    int scrollSpeed = 0;
    int pointerSpeed = 0;
    int doubleClickSpeed = 0;
  };
  // The page has no tilt-speed slider: TiltSpeed takes the scroll-speed position.
  static void CollectPointer(ProfileSettings& profile, const PointerValues& values);
};
