#pragma once
// The device link's view of the profile model: the current profile (the CurrentProfile slot),
// the global sensor settings and the sensor's DPI table.

#include "device/DeviceModel.h"

class GlobalSettings;
struct ProfileSettings;
struct ProfileStore;
struct SensorDpiTable;

class ProfileDeviceModel : public DeviceModel {
 public:
  ProfileDeviceModel(GlobalSettings& settings, ProfileStore& store, SensorDpiTable& table);

  std::u16string PairValue(TextSetting setting) const override;
  std::array<uint8_t, 3> ButtonCode(int slot) const override;
  std::u16string ButtonUrl(int slot) const override;
  uint8_t CurrentDpiLevel() const override;
  void SetCurrentDpiLevel(uint8_t level) override;
  uint8_t DpiLevelMask() const override;
  uint16_t DpiIndexX(int level) const override;
  uint16_t DpiIndexY(int level) const override;
  platform::Colour DpiLevelColour(int level) const override;
  uint8_t PollingIndex() const override;
  void SetPollingRate(uint8_t index, const std::u16string& name) override;
  uint8_t LightingMode() const override;
  void SetLightingMode(uint8_t mode, const std::u16string& name) override;
  uint8_t LightingBrightness(int effect) const override;
  uint8_t LightingSpeed(int effect) const override;
  uint8_t LightingDirection(int effect) const override;
  std::optional<uint16_t> DpiDeviceValue(uint16_t index) const override;
  uint16_t CurrentSensor() const override;
  void SetCurrentSensor(uint16_t sensor) override;
  void SetSensorTexts(const std::u16string& sensor, const std::u16string& preSt) override;
  bool SaveGlobalSettings() override;
  void ApplySensorDefaultsToAllProfiles() override;
  void SaveAllProfiles() override;
  void RebuildSensorDpiTable() override;

 private:
  // The CurrentProfile slot; slot 0 when the setting names no slot.
  ProfileSettings& Current() const;

  GlobalSettings& m_settings;
  ProfileStore& m_store;
  SensorDpiTable& m_table;
};
