#pragma once
// One place of a macro library: a folder (no record) or a macro (owns its record).
// An empty name means the place is free.

#include <cstdint>
#include <memory>
#include <string>

#include "macros/MacroRecord.h"

struct LibraryEntry {
  std::u16string name;
  std::unique_ptr<MacroRecord> record;  // macros only
  uint8_t MacroItemIsFolder = 0;        // 0 / 1
  uint8_t MacroItemFolderIsOpen = 0;    // 0 / 1; folders only

  bool IsUsed() const { return !name.empty(); }
  bool IsFolder() const { return MacroItemIsFolder != 0; }
  bool IsMacro() const { return !IsFolder() && record != nullptr; }
  bool IsOpenFolder() const { return IsFolder() && MacroItemFolderIsOpen != 0; }
};
