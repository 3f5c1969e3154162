// libFuzzer harness for config.ini: any bytes as the global settings file at start-up.
// Properties: nothing crashes; whatever the file held, the active profile, the show count and
// the show list come out in range, the show list names every slot once, and the six files
// written read back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "MemoryFileSystem.h"
#include "base/AppGlobals.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFiles.h"

namespace {

fuzz::MemoryFileSystem& Files() {
  static fuzz::MemoryFileSystem files;
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& files = Files();
  files.files.clear();
  files.InstallAsPlatform();
  g_strDataDir = u"C:\\AppData\\Data\\";
  const std::string input(reinterpret_cast<const char*>(data), size);
  files.files[ConfigFilePath()] = input;

  GlobalSettings settings;
  ProfileStore store;
  const ConfigLoad outcome = LoadAllSettings(settings, store);
  if (outcome == ConfigLoad::Recreated)
    fuzz::Check(files.files[ConfigFilePath() + u".bak"] == input);

  fuzz::Check(settings.CurrentProfileIndex() >= 0 && settings.CurrentProfileIndex() < 5);
  fuzz::Check(settings.ShowCount() >= 1 && settings.ShowCount() <= 5);
  std::array<int, 5> seen{};
  for (int position = 0; position < 5; ++position) {
    const int slot = settings.ShowList(position);
    fuzz::Check(slot >= 0 && slot < 5);
    ++seen[static_cast<size_t>(slot)];
  }
  for (int count : seen) fuzz::Check(count == 1);

  // What is saved now is read back as it is (unless config.ini names itself as a profile file,
  // which the profile save then overwrites).
  (void)SaveSettingsAndProfiles(settings, store);
  bool namesItself = false;
  for (int slot = 0; slot < 5; ++slot)
    namesItself |= settings.ProfileSlotPath(slot) == ConfigFilePath();
  GlobalSettings reread;
  if (!namesItself) {
    fuzz::Check(reread.ReadConfigFile(ConfigFilePath()) == GlobalSettings::ReadResult::Ok);
    for (int i = 0; i < GlobalSettings::kPairCount; ++i) {
      fuzz::Check(reread.KeyAt(i) == settings.KeyAt(i) && reread.ValueAt(i) == settings.ValueAt(i));
    }
  }
  return 0;
}
