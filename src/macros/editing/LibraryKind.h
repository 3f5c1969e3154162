#pragma once
// The two libraries the managers and select dialogs edit: macros and shooting actions. One
// window serves both; what differs is the function type a button gets, the texts and the
// list's icon.

#include <cstdint>
#include <string_view>

#include "macros/editing/EditingTexts.h"

namespace macros::editing {

struct LibraryKind {
  uint8_t functionType;  // first byte of a button's code: 0x90 macro, 0x91 shooting action
  int titleText;
  int libraryHeaderText;
  int actionHeaderText;
  int namePrefixText;  // before the entry's name on a button
  int nothingToImportText;
  int tooLongText;  // refused in the select dialog
  int fileNotWrittenText;
  std::u16string_view itemIcon;
};

inline constexpr LibraryKind kMacroLibrary{0x90,
                                           text::kMacroTitle,
                                           text::kMacroLibraryHeader,
                                           text::kMacroActionHeader,
                                           text::kMacroPrefix,
                                           text::kNothingToImport,
                                           text::kTooLongToAssign,
                                           text::kFileNotWritten,
                                           u"list_macro.png"};

inline constexpr LibraryKind kShootingLibrary{0x91,
                                              text::kShootingTitle,
                                              text::kShootingLibraryHeader,
                                              text::kShootingActionHeader,
                                              text::kShootingPrefix,
                                              text::kNoShootingToImport,
                                              text::kShootingTooLong,
                                              text::kShootingFileNotWritten,
                                              u"list_shooting.png"};

}  // namespace macros::editing
