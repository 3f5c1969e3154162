#include "profiles/SettingsFiles.h"

#include "base/AppGlobals.h"
#include "base/FileBackup.h"
#include "profiles/ProfileFile.h"

namespace {

// Settings and all five profiles with their defaults, written to their files.
void RecreateEverything(GlobalSettings& settings, ProfileStore& store) {
  settings.ResetToDefaults(g_strDataDir);
  const std::u16string configPath = ConfigFilePath();
  // The config.ini that could not be read is kept before the defaults replace it.
  if (base::KeepBackup(configPath)) (void)SaveGlobalSettings(settings);
  settings.SetSensorId(settings.ParsedSensor());
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    ResetProfileToDefaults(store.profiles[slot], slot, settings.SensorId());
    const std::u16string& path = settings.ProfileSlotPath(slot);
    // A profile file already there is the user's data, even if config.ini was lost.
    if (base::KeepBackup(path)) (void)WriteProfileFile(store.profiles[slot], path);
  }
}

}  // namespace

ConfigLoad LoadAllSettings(GlobalSettings& settings, ProfileStore& store) {
  // Pairs that config.ini does not supply keep these defaults.
  settings.ResetToDefaults(g_strDataDir);
  ConfigLoad outcome = ConfigLoad::Read;
  if (settings.ReadConfigFile(ConfigFilePath()) != GlobalSettings::ReadResult::Ok) {
    RecreateEverything(settings, store);
    outcome = ConfigLoad::Recreated;
  }
  settings.RepairShowList();
  // Known before the profiles are read, so that a profile reset to defaults gets this
  // sensor's DPI values.
  settings.SetSensorId(settings.ParsedSensor());
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    ReadProfileFile(store, settings, slot, settings.ProfileSlotPath(slot));
  }
  const uint16_t sensor = settings.SensorId();
  if (static_cast<uint16_t>(~settings.ParsedPreST()) != sensor) {
    settings.SetPreST(static_cast<uint16_t>(~sensor));
    (void)SaveCurrentProfileIndex(settings);
    for (ProfileSettings& profile : store.profiles) ApplySensorDpiDefaults(profile, sensor);
    (void)SaveAllProfiles(store, settings);
  }
  return outcome;
}

bool SaveSettingsAndProfiles(GlobalSettings& settings, ProfileStore& store) {
  const bool configSaved = SaveCurrentProfileIndex(settings);
  return SaveAllProfiles(store, settings) && configSaved;
}

void ChangeSensor(GlobalSettings& settings, ProfileStore& store, SensorDpiTable& table,
                  uint16_t sensorId) {
  settings.SetSensorId(sensorId);
  settings.SetSensorText();
  settings.SetPreST(static_cast<uint16_t>(~sensorId));
  (void)SaveGlobalSettings(settings);
  for (ProfileSettings& profile : store.profiles) ApplySensorDpiDefaults(profile, sensorId);
  (void)SaveAllProfiles(store, settings);
  BuildSensorDpiTable(table, sensorId);
}
