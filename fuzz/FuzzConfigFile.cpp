// libFuzzer harness for config.ini: any bytes as the global settings file.
// Properties: nothing crashes; whatever the file held, the active profile, the show count and
// the show list come out in range and the show list names every slot once; what is saved reads
// back the same. One input in eight also runs the whole start-up load, which writes and reads
// the five profile files and is too slow to run for every input.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "base/AppGlobals.h"
#include "profiles/SettingsFiles.h"

namespace {

void CheckRanges(const GlobalSettings& settings) {
  fuzz::Check(settings.CurrentProfileIndex() >= 0 && settings.CurrentProfileIndex() < 5);
  fuzz::Check(settings.ShowCount() >= 1 && settings.ShowCount() <= 5);
  std::array<int, 5> seen{};
  for (int position = 0; position < 5; ++position) {
    const int slot = settings.ShowList(position);
    fuzz::Check(slot >= 0 && slot < 5);
    ++seen[static_cast<size_t>(slot)];
  }
  for (int count : seen) fuzz::Check(count == 1);
}

void CheckSavedFileReadsBack(const GlobalSettings& settings) {
  fuzz::Check(SaveGlobalSettings(settings));
  GlobalSettings reread;
  fuzz::Check(reread.ReadConfigFile(ConfigFilePath()) == GlobalSettings::ReadResult::Ok);
  for (int i = 0; i < GlobalSettings::kPairCount; ++i) {
    fuzz::Check(reread.KeyAt(i) == settings.KeyAt(i) && reread.ValueAt(i) == settings.ValueAt(i));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& files = fuzz::InstallMemoryFiles();
  g_strDataDir = u"C:\\AppData\\Data\\";
  const std::string input(reinterpret_cast<const char*>(data), size);
  files.files[ConfigFilePath()] = input;

  GlobalSettings settings;
  settings.ResetToDefaults(g_strDataDir);
  if (settings.ReadConfigFile(ConfigFilePath()) == GlobalSettings::ReadResult::Ok) {
    settings.RepairShowList();
    CheckRanges(settings);
    CheckSavedFileReadsBack(settings);
  }

  if (size % 8 != 0) return 0;
  files.files.clear();
  files.files[ConfigFilePath()] = input;
  ProfileStore store;
  if (LoadAllSettings(settings, store) == ConfigLoad::Recreated) {
    fuzz::Check(fuzz::NewestBackup(files, ConfigFilePath()) == input);
  }
  CheckRanges(settings);
  // A config.ini that names itself as a profile file is overwritten by that profile.
  bool namesItself = false;
  for (int slot = 0; slot < 5; ++slot)
    namesItself |= settings.ProfileSlotPath(slot) == ConfigFilePath();
  if (!namesItself) CheckSavedFileReadsBack(settings);
  return 0;
}
