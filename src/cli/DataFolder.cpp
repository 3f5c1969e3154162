#include "cli/DataFolder.h"

#include "base/AppGlobals.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "macros/MacroLibraryFile.h"
#include "platform/Platform.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFiles.h"

namespace {

void ReadTexts(std::u16string_view path, std::array<std::u16string, kLanguageTextCount>& texts) {
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kReadFlags)) return;
  std::u16string line;
  if (!file.ReadString(line) || line != u"[Setting]") return;
  while (file.ReadString(line)) {
    const size_t eq = line.find(u'=');
    if (eq == std::u16string::npos || eq == 0) continue;
    const int index = base::ParseDecimal(std::u16string_view(line).substr(0, eq));
    if (index >= 0 && index < kLanguageTextCount)
      texts[static_cast<size_t>(index)] = line.substr(eq + 1);
  }
}

// Creates every missing level of `dir` (a fresh account may not have ~/.config yet).
bool MakeFolders(const std::u16string& dir) {
  auto& files = platform::Files();
  if (dir.empty() || files.DirectoryExists(dir)) return true;
  const size_t cut = dir.find_last_of(u'\\');
  if (cut != std::u16string::npos && cut > 0 && !MakeFolders(dir.substr(0, cut))) return false;
  return files.CreateDirectory(dir);
}

}  // namespace

bool DataFolder::Load(std::u16string_view folder) {
  auto& files = platform::Files();
  const std::u16string dir(folder);
  if (!MakeFolders(dir)) return false;
  g_strDataDir = base::WithTrailingBackslash(dir);
  if (!files.DirectoryExists(g_strDataDir + u"config") &&
      !files.CreateDirectory(g_strDataDir + u"config")) {
    return false;
  }
  // The language first: the defaults of new profiles take their names from it.
  ResetLanguage();
  (void)LoadLanguage();
  ReadTexts(g_strExeDir + u"lang\\Lan_EN.txt", english);
  (void)ReadLibraryFile(macros);
  (void)ReadLibraryFile(bullets);
  (void)LoadAllSettings(settings, store);
  BuildSensorDpiTable(table, settings.SensorId());
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

const std::u16string& DataFolder::EnglishText(int n) const {
  if (n >= 0 && n < kLanguageTextCount && !english[static_cast<size_t>(n)].empty()) {
    return english[static_cast<size_t>(n)];
  }
  return LangText(n);
}
