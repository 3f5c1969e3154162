#pragma once
// The program's data folder as vantrelctl uses it: the global settings, the five profiles,
// the sensor's DPI table, the macro and shooting-action libraries and the language, loaded the
// way the program loads them at start-up, so both keep the same files. The mouse cannot be
// read back; the active profile here is what the program and this tool last sent to it.
//
// Also the English texts of the bundled language, so that function and effect names can be
// typed in English whatever language the program shows.

#include <array>
#include <string>

#include "base/Language.h"
#include "macros/MacroLibrary.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"

struct DataFolder {
  GlobalSettings settings;
  ProfileStore store;
  SensorDpiTable table;
  MacroLibrary macros{g_macroLibrary.FileName()};
  MacroLibrary bullets{g_bulletLibrary.FileName()};
  std::array<std::u16string, kLanguageTextCount> english;

  // `folder` in the program's path form, without a trailing backslash. Sets g_strDataDir,
  // creates the folder and its config folder when missing, and loads everything (missing or
  // damaged files are handled as the program does: defaults, kept backups). False when the
  // folder cannot be created.
  [[nodiscard]] bool Load(std::u16string_view folder);
  // config.ini and the five profiles; false when a file could not be written.
  [[nodiscard]] bool Save();
  // Only the active profile's file: what a change of one setting touches.
  [[nodiscard]] bool SaveCurrent();

  ProfileSettings& Current();
  int CurrentSlot() const { return settings.CurrentProfileIndex(); }
  // English text n, else the language's own.
  const std::u16string& EnglishText(int n) const;
};
