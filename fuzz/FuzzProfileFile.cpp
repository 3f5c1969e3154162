// libFuzzer harness for the profile file reader: any bytes as a slot's profile file.
// Properties: nothing crashes; a file that reads writes back a file that reads to the same
// profile and to the same bytes; a file that fails leaves the slot at its defaults, the damaged
// bytes in a dated backup and a readable default file in its place.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "base/AppGlobals.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& files = fuzz::InstallMemoryFiles();
  g_strDataDir = u"C:\\AppData\\Data\\";
  GlobalSettings settings;
  settings.ResetToDefaults(g_strDataDir);
  const int slot = size > 0 ? data[0] % 5 : 0;
  const std::u16string path = settings.ProfileSlotPath(slot);
  const std::string input(reinterpret_cast<const char*>(data), size);
  files.files[path] = input;

  ProfileStore store;
  for (int s = 0; s < 5; ++s) ResetProfileToDefaults(store.profiles[s], s, settings.SensorId());
  ProfileSettings defaults = store.profiles[slot];
  const bool read = ReadProfileFile(store, settings, slot, path);
  if (read) {
    const std::u16string copy = g_strDataDir + u"copy.psf";
    fuzz::Check(WriteProfileFile(store.profiles[slot], copy));
    ProfileSettings again = defaults;
    fuzz::Check(ParseProfileFile(copy, again) == ProfileReadResult::Ok);
    fuzz::Check(again == store.profiles[slot]);
    const std::string written = files.files[copy];
    fuzz::Check(WriteProfileFile(again, copy) && files.files[copy] == written);
    // Values used as indexes stay in range whatever the file held.
    fuzz::Check(store.profiles[slot].ActiveDpiLevel() < 8);
    fuzz::Check(store.profiles[slot].lighting.CurrentEffect() < 10);
    for (const ButtonSlot& b : store.profiles[slot].buttons) {
      fuzz::Check(b.macro.MacroActionNum <= MacroRecord::kMaxActions);
    }
  } else {
    fuzz::Check(store.profiles[slot] == defaults);
    fuzz::Check(fuzz::NewestBackup(files, path) == input);
    ProfileSettings reread;
    fuzz::Check(ParseProfileFile(path, reread) == ProfileReadResult::Ok && reread == defaults);
  }
  return 0;
}
