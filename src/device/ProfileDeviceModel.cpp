#include "device/ProfileDeviceModel.h"

#include "profiles/GlobalSettings.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"

namespace {

bool ValidLevel(int level) {
  return level >= 0 && level < ProfileSettings::kDpiLevelCount;
}
bool ValidEffect(int effect) {
  return effect >= 0 && effect < LightingZone::kEffectCount;
}

}  // namespace

ProfileDeviceModel::ProfileDeviceModel(GlobalSettings& settings, ProfileStore& store,
                                       SensorDpiTable& table)
    : m_settings(settings), m_store(store), m_table(table) {}

ProfileSettings& ProfileDeviceModel::Current() const {
  ProfileSettings* profile = m_store.At(m_settings.CurrentProfileIndex());
  return profile ? *profile : m_store.profiles[0];
}

std::u16string ProfileDeviceModel::PairValue(TextSetting setting) const {
  return Current().PairValue(static_cast<int>(setting));
}

std::array<uint8_t, 3> ProfileDeviceModel::ButtonCode(int slot) const {
  const ButtonSlot* button = Current().ButtonAt(slot);
  return button ? button->KeyValue : std::array<uint8_t, 3>{};
}

std::u16string ProfileDeviceModel::ButtonUrl(int slot) const {
  const ButtonSlot* button = Current().ButtonAt(slot);
  return button ? button->KeyURL : std::u16string();
}

uint8_t ProfileDeviceModel::CurrentDpiLevel() const {
  return Current().CurrentDPILevelValue;
}
void ProfileDeviceModel::SetCurrentDpiLevel(uint8_t level) {
  if (ValidLevel(level)) Current().CurrentDPILevelValue = level;
}
uint8_t ProfileDeviceModel::DpiLevelMask() const {
  return Current().DPIOffOnFlagValue;
}
uint16_t ProfileDeviceModel::DpiIndexX(int level) const {
  return ValidLevel(level) ? Current().XYSettingValueX[level] : 0;
}
uint16_t ProfileDeviceModel::DpiIndexY(int level) const {
  return ValidLevel(level) ? Current().XYSettingValueY[level] : 0;
}
platform::Colour ProfileDeviceModel::DpiLevelColour(int level) const {
  return ValidLevel(level) ? Current().DPILevelIndication[level] : 0;
}

uint8_t ProfileDeviceModel::PollingIndex() const {
  return Current().PollingRateValue[0];
}
void ProfileDeviceModel::SetPollingRate(uint8_t index, const std::u16string& name) {
  Current().PollingRateValue = {index, 0, 0};
  Current().PollingRateName = name;
}

uint8_t ProfileDeviceModel::LightingMode() const {
  return Current().lighting.Lighting1ModeValue[0];
}
void ProfileDeviceModel::SetLightingMode(uint8_t mode, const std::u16string& name) {
  Current().lighting.Lighting1ModeValue = {mode, 0, 0};
  Current().lighting.Lighting1Name = name;
}
uint8_t ProfileDeviceModel::LightingBrightness(int effect) const {
  return ValidEffect(effect) ? Current().lighting.Lighting1Brightness[effect] : 0;
}
uint8_t ProfileDeviceModel::LightingSpeed(int effect) const {
  return ValidEffect(effect) ? Current().lighting.Lighting1Speed[effect] : 0;
}
uint8_t ProfileDeviceModel::LightingDirection(int effect) const {
  return ValidEffect(effect) ? Current().lighting.Lighting1Direction[effect] : 0;
}

std::optional<uint16_t> ProfileDeviceModel::DpiDeviceValue(uint16_t index) const {
  if (index >= m_table.count) return std::nullopt;
  return m_table.deviceValue[index];
}

uint16_t ProfileDeviceModel::CurrentSensor() const {
  return m_settings.SensorId();
}
void ProfileDeviceModel::SetCurrentSensor(uint16_t sensor) {
  m_settings.SetSensorId(sensor);
}
void ProfileDeviceModel::SetSensorTexts(const std::u16string& sensor, const std::u16string& preSt) {
  m_settings.SetValueAt(GlobalSettings::kSensor, sensor);
  m_settings.SetValueAt(GlobalSettings::kPreST, preSt);
}
bool ProfileDeviceModel::SaveGlobalSettings() {
  return ::SaveGlobalSettings(m_settings);
}
void ProfileDeviceModel::ApplySensorDefaultsToAllProfiles() {
  for (auto& profile : m_store.profiles) ApplySensorDpiDefaults(profile, m_settings.SensorId());
}
void ProfileDeviceModel::SaveAllProfiles() {
  (void)::SaveAllProfiles(m_store, m_settings);
}
void ProfileDeviceModel::RebuildSensorDpiTable() {
  BuildSensorDpiTable(m_table, m_settings.SensorId());
}
