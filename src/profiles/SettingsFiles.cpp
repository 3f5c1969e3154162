#include "profiles/SettingsFiles.h"

#include <algorithm>

#include "base/AppGlobals.h"
#include "base/FileBackup.h"
#include "base/StdioFileEx.h"
#include "profiles/ProfileFile.h"

namespace {

// config.ini with its defaults. The profiles start from a known state too, but without
// destroying any: the reading that follows keeps every slot file that reads cleanly and
// resets (after a backup) only those that do not.
void RebuildConfig(GlobalSettings& settings) {
  settings.ResetToDefaults(g_strDataDir);
  const std::u16string configPath = ConfigFilePath();
  // The config.ini that could not be read is kept before the defaults replace it.
  if (base::KeepBackup(configPath)) (void)SaveGlobalSettings(settings);
}

}  // namespace

ConfigLoad LoadAllSettings(GlobalSettings& settings, ProfileStore& store,
                           std::array<bool, ProfileStore::kProfileCount>* profilesRead) {
  // Pairs that config.ini does not supply keep these defaults.
  settings.ResetToDefaults(g_strDataDir);
  ConfigLoad outcome = ConfigLoad::Read;
  const GlobalSettings::ReadResult read = settings.ReadConfigFile(ConfigFilePath());
  if (read == GlobalSettings::ReadResult::Unreadable) {
    // Nothing is known about what it holds: the defaults serve this run, and the text layer
    // keeps anything from being written over it.
    outcome = ConfigLoad::Unreadable;
  } else if (read != GlobalSettings::ReadResult::Ok) {
    RebuildConfig(settings);
    outcome = ConfigLoad::Recreated;
  }
  settings.RepairShowList();
  // Known before the profiles are read, so that a profile reset to defaults gets this
  // sensor's DPI values.
  settings.SetSensorId(settings.ParsedSensor());
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    const bool read = ReadProfileFile(store, settings, slot, settings.ProfileSlotPath(slot));
    if (profilesRead) (*profilesRead)[static_cast<size_t>(slot)] = read;
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
  // A file that could not be read is left alone on purpose, and the user was told so at
  // start-up: skipping it is no failed save.
  auto leftAlone = [](const std::u16string& path) {
    const auto& unreadable = CStdioFileEx::UnreadableFiles();
    return std::find(unreadable.begin(), unreadable.end(), path) != unreadable.end();
  };
  bool saved = SaveCurrentProfileIndex(settings) || leftAlone(ConfigFilePath());
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    const std::u16string& path = settings.ProfileSlotPath(slot);
    saved = (WriteProfileFile(store.profiles[slot], path) || leftAlone(path)) && saved;
  }
  return saved;
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
