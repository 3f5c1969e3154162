#pragma once
// One of the five profiles: everything the mouse keeps for its on-board profile plus the
// pointer options shown on the main page. Most fields are named after the key they are saved
// under; the first 23 settings are held as the key and value texts of their file lines.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"
#include "profiles/ButtonSlot.h"
#include "profiles/LightingZone.h"
#include "profiles/SettingPair.h"
#include "profiles/TextSetting.h"

struct ProfileSettings {
  static constexpr int kPairCount = 23;
  static constexpr int kButtonCount = 6;
  static constexpr int kDpiLevelCount = 8;

  // 1. Text settings, key and value as they stand in the file.
  std::array<SettingPair, kPairCount> pairs;
  // 2. Buttons 0..5: left, right, middle, two side buttons, DPI button.
  std::array<ButtonSlot, kButtonCount> buttons;
  // 3. Polling rate: name "125HZ".."8000HZ"; byte 0 of the value is the rate index 0..6.
  std::u16string PollingRateName;
  std::array<uint8_t, 3> PollingRateValue{};
  // 4. Lighting.
  LightingZone lighting;
  // 5. DPI: enabled-level mask, sensor register index of each level (X and Y), active level,
  // indicator colours.
  uint8_t DPIOffOnFlagValue = 0;
  std::array<uint16_t, kDpiLevelCount> XYSettingValueX{};
  std::array<uint16_t, kDpiLevelCount> XYSettingValueY{};
  uint8_t CurrentDPILevelValue = 0;
  std::array<platform::Colour, kDpiLevelCount> DPILevelIndication{};
  // 6. Stored and saved only (the mouse gets these from the text settings).
  uint8_t AngleSnapValue = 0;
  uint8_t LiftDetectionValue = 0;

  // Key or value text of pair i; an empty text for an index outside 0..22.
  const std::u16string& PairKey(int i) const;
  const std::u16string& PairValue(int i) const;
  // Replaces the value of pair i; an index outside 0..22 changes nothing.
  void SetPairValue(int i, std::u16string_view value);

  // Button slot k, or nullptr for an index outside 0..5.
  ButtonSlot* ButtonAt(int k);
  const ButtonSlot* ButtonAt(int k) const;

  // Typed access to the text settings: values parse as decimal (leading digits, 0 if none);
  // SetInt writes "%d"; SetBool writes "1" for any non-zero argument and "0" otherwise.
  int Int(TextSetting s) const;
  void SetInt(TextSetting s, int value);
  void SetBool(TextSetting s, int value);
  const std::u16string& ProfileName() const { return PairValue(0); }
  void SetProfileName(std::u16string_view name) { SetPairValue(0, name); }

  // The active DPI level for indexing the level arrays.
  int ActiveDpiLevel() const;

  friend bool operator==(const ProfileSettings&, const ProfileSettings&) = default;
};

// Every field to its default: texts 85 + slot, 20..24, 42, 100 and 109 of the language give
// the names; the last step is ApplySensorDpiDefaults for `sensorId`.
void ResetProfileToDefaults(ProfileSettings& profile, int slot, uint16_t sensorId);

// The sensor's default register indices for all eight levels (X = Y; left as they are for a
// sensor without a default row), mask 0x3F, active level 1, the eight default level colours,
// AngleSnapValue 0 and LiftDetectionValue 1.
void ApplySensorDpiDefaults(ProfileSettings& profile, uint16_t sensorId);
