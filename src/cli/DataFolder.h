#pragma once
// The program's data folder as vantrelctl uses it: the global settings, the five profiles,
// the sensor's DPI table, the macro and shooting-action libraries and the language, loaded the
// way the program loads them at start-up, so both keep the same files. The mouse cannot be
// read back; the active profile here is what the program and this tool last sent to it.
//
// Also the English texts of the bundled language, so that function and effect names can be
// typed in English whatever language the program shows.

#include <string>
#include <vector>

#include "base/Language.h"
#include "macros/MacroLibrary.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"

struct DataFolder {
  enum class Made { Ok, Missing, CannotCreate };

  // A profile whose file was there but could not be read: it holds its defaults now, and
  // the file that failed is kept as `backup` (empty when it could not even be opened).
  struct UnreadProfile {
    int slot;
    std::u16string path;
    std::u16string backup;
  };

  GlobalSettings settings;
  ProfileStore store;
  SensorDpiTable table;
  MacroLibrary macros{g_macroLibrary.FileName()};
  MacroLibrary bullets{g_bulletLibrary.FileName()};
  LanguageTexts english;
  std::vector<UnreadProfile> unread;
  bool configUnreadable = false;

  // Makes `folder` (every missing level) and its config folder; a missing folder only when
  // `create` says so.
  [[nodiscard]] static Made Make(std::u16string_view folder, bool create);
  // `folder` in the program's path form, without a trailing backslash. Sets g_strDataDir and
  // loads everything (missing or damaged files are handled as the program does: defaults,
  // kept backups). A missing folder is made only when `create` says so.
  [[nodiscard]] Made Load(std::u16string_view folder, bool create);
  // A file can be made in the config folder, where every save goes.
  [[nodiscard]] bool CanWrite() const;
  // config.ini and the five profiles; false when a file could not be written.
  [[nodiscard]] bool Save();
  // Only the active profile's file: what a change of one setting touches.
  [[nodiscard]] bool SaveCurrent();

  ProfileSettings& Current();
  int CurrentSlot() const { return settings.CurrentProfileIndex(); }
  // The profile of this slot was read from its file (or made anew in a new folder).
  bool WasRead(int slot) const;
  // English text n, else the language's own.
  const std::u16string& EnglishText(int n) const;
};
