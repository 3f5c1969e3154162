#include "cli/DataFolder.h"

#include <array>

#include "base/AppGlobals.h"
#include "base/FileBackup.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "macros/MacroLibraryFile.h"
#include "platform/Platform.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFiles.h"

namespace {

// Creates every missing level of `dir` (a fresh account may not have ~/.config yet).
bool MakeFolders(const std::u16string& dir) {
  auto& files = platform::Files();
  if (dir.empty() || files.DirectoryExists(dir)) return true;
  const size_t cut = dir.find_last_of(u'\\');
  if (cut != std::u16string::npos && cut > 0 && !MakeFolders(dir.substr(0, cut))) return false;
  return files.CreateDirectory(dir);
}

// Which slot files are there before the load replaces a bad one with defaults.
std::array<bool, ProfileStore::kProfileCount> ExistingProfiles() {
  GlobalSettings probe;
  probe.ResetToDefaults(g_strDataDir);
  (void)probe.ReadConfigFile(ConfigFilePath());
  std::array<bool, ProfileStore::kProfileCount> exists{};
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    exists[static_cast<size_t>(slot)] = platform::Files().FileExists(probe.ProfileSlotPath(slot));
  }
  return exists;
}

}  // namespace

DataFolder::Made DataFolder::Make(std::u16string_view folder, bool create) {
  auto& files = platform::Files();
  const std::u16string dir(folder);
  if (!files.DirectoryExists(dir) && !create) return Made::Missing;
  if (!MakeFolders(dir)) return Made::CannotCreate;
  const std::u16string config = base::WithTrailingBackslash(dir) + u"config";
  if (!files.DirectoryExists(config) && !files.CreateDirectory(config)) return Made::CannotCreate;
  return Made::Ok;
}

DataFolder::Made DataFolder::Load(std::u16string_view folder, bool create) {
  if (const Made made = Make(folder, create); made != Made::Ok) return made;
  g_strDataDir = base::WithTrailingBackslash(folder);
  // The language first: the defaults of new profiles take their names from it.
  ResetLanguage();
  (void)LoadLanguage();
  (void)ReadLanguageFile(g_strExeDir + u"lang\\Lan_EN.txt", english);
  (void)ReadLibraryFile(macros);
  (void)ReadLibraryFile(bullets);
  const auto existed = ExistingProfiles();
  std::array<bool, ProfileStore::kProfileCount> read{};
  configUnreadable = LoadAllSettings(settings, store, &read) == ConfigLoad::Unreadable;
  unread.clear();
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    const auto s = static_cast<size_t>(slot);
    // A missing file is a new profile, as in a new folder; a file that failed is not.
    if (read[s] || !existed[s]) continue;
    const std::u16string path = settings.ProfileSlotPath(slot);
    const auto backups = base::BackupsOf(path);
    unread.push_back({slot, path, backups.empty() ? std::u16string() : backups.back()});
  }
  BuildSensorDpiTable(table, settings.SensorId());
  return Made::Ok;
}

bool DataFolder::CanWrite() const {
  auto& files = platform::Files();
  const std::u16string probe = g_strDataDir + u"config\\vantrelctl-write-test.tmp";
  if (!files.WriteAll(probe, "")) return false;
  (void)files.Remove(probe);
  return true;
}

bool DataFolder::Save() {
  return SaveSettingsAndProfiles(settings, store);
}

bool DataFolder::SaveCurrent() {
  const int slot = store.At(CurrentSlot()) ? CurrentSlot() : 0;
  return WriteProfileFile(store.profiles[static_cast<size_t>(slot)],
                          settings.ProfileSlotPath(slot));
}

ProfileSettings& DataFolder::Current() {
  ProfileSettings* profile = store.At(settings.CurrentProfileIndex());
  return profile ? *profile : store.profiles[0];
}

bool DataFolder::WasRead(int slot) const {
  if (configUnreadable) return false;
  for (const auto& u : unread) {
    if (u.slot == slot) return false;
  }
  return true;
}

const std::u16string& DataFolder::EnglishText(int n) const {
  if (n >= 0 && n < kLanguageTextCount && !english[static_cast<size_t>(n)].empty()) {
    return english[static_cast<size_t>(n)];
  }
  return LangText(n);
}
