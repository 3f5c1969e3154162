#pragma once
// The fields of the current profile and of the global settings that the device link reads and
// writes, as plain getters and setters. The profile model binds to it; tests use a fake.
//
// Indexes a caller passes are checked by the caller (buttons 0..5, levels 0..7, effects 0..9);
// an implementation answers 0 or an empty text for anything else.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"
#include "profiles/TextSetting.h"

class DeviceModel {
 public:
  // The text settings the device link reads, by their pair index in the profile.
  enum TextSetting : int {
    MoveLightingOnOffMode = static_cast<int>(::TextSetting::MoveLightingOnOffMode),
    PowerDownTime = static_cast<int>(::TextSetting::PowerDownTime),
    LiftDetectionHeight = static_cast<int>(::TextSetting::LiftDetectionHeight),
    KeyDebounce = static_cast<int>(::TextSetting::KeyDebounce),
    MotionWakeup = static_cast<int>(::TextSetting::MotionWakeup),
    AngleSnap = static_cast<int>(::TextSetting::AngleSnap),
    MotionSync = static_cast<int>(::TextSetting::MotionSync),
    RippleControl = static_cast<int>(::TextSetting::RippleControl),
  };
  static constexpr int kButtons = 6;
  static constexpr int kDpiLevels = 8;
  static constexpr int kEffects = 10;

  virtual ~DeviceModel() = default;

  // --- current profile ---
  virtual std::u16string PairValue(TextSetting setting) const = 0;
  virtual std::array<uint8_t, 3> ButtonCode(int slot) const = 0;  // Key%uValue
  virtual std::u16string ButtonUrl(int slot) const = 0;           // Key%uURL

  virtual uint8_t CurrentDpiLevel() const = 0;
  virtual void SetCurrentDpiLevel(uint8_t level) = 0;
  virtual uint8_t DpiLevelMask() const = 0;  // DPIOffOnFlagValue
  virtual uint16_t DpiIndexX(int level) const = 0;
  virtual uint16_t DpiIndexY(int level) const = 0;
  virtual platform::Colour DpiLevelColour(int level) const = 0;

  virtual uint8_t PollingIndex() const = 0;  // PollingRateValue byte 0
  // Stores (index, 0, 0) and the name.
  virtual void SetPollingRate(uint8_t index, const std::u16string& name) = 0;

  virtual uint8_t LightingMode() const = 0;  // Lighting1ModeValue byte 0
  // Stores (mode, 0, 0) and Lighting1Name.
  virtual void SetLightingMode(uint8_t mode, const std::u16string& name) = 0;
  virtual uint8_t LightingBrightness(int effect) const = 0;
  virtual uint8_t LightingSpeed(int effect) const = 0;
  virtual uint8_t LightingDirection(int effect) const = 0;

  // --- the sensor ---
  // The wire value of a DPI register index in the current sensor's table; nothing at or past
  // its count.
  virtual std::optional<uint16_t> DpiDeviceValue(uint16_t index) const = 0;
  virtual uint16_t CurrentSensor() const = 0;
  virtual void SetCurrentSensor(uint16_t sensor) = 0;
  // The `Sensor` and `PreST` values of the global settings, already formatted.
  virtual void SetSensorTexts(const std::u16string& sensor, const std::u16string& preSt) = 0;
  virtual bool SaveGlobalSettings() = 0;
  // ApplySensorDpiDefaults over all five profiles, then save them.
  virtual void ApplySensorDefaultsToAllProfiles() = 0;
  virtual void SaveAllProfiles() = 0;
  virtual void RebuildSensorDpiTable() = 0;
};
