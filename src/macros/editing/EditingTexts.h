#pragma once
// Language texts of the library managers and select dialogs, both libraries: each number is
// named here once.

namespace macros::text {

constexpr int kDisabled = 34;
constexpr int kDigitsOnly = 175;
constexpr int kFileNotWritten = 240;
constexpr int kConfirmDelete = 232;
constexpr int kSelectEntry = 233;
constexpr int kSelectMacro = 234;
constexpr int kRecordingFull = 235;
constexpr int kNoMacroToInsert = 236;
constexpr int kMacroFull = 237;
constexpr int kNameUsed = 241;
// An import file that names no entry that can be imported, or cannot be read.
constexpr int kNothingToImport = 244;
constexpr int kEmptyName = 242;
constexpr int kUsedByButton = 257;
// A macro the mouse cannot hold: refused when assigned, and a button whose macro grew past
// the limit is switched off.
constexpr int kTooLongToAssign = 258;
constexpr int kTooLongButtonDisabled = 259;

constexpr int kMacroTitle = 8;
constexpr int kShootingPrefix = 189;
constexpr int kMacroPrefix = 190;
constexpr int kMacroLibraryHeader = 191;
constexpr int kMacroActionHeader = 192;

// The shooting-action library's own wording.
constexpr int kShootingTitle = 211;
constexpr int kShootingLibraryHeader = 212;
constexpr int kShootingActionHeader = 213;
constexpr int kBulletCount = 214;
constexpr int kNoShootingToImport = 216;
constexpr int kShootingTooLong = 217;
// Closing could not write the file: the edits stay in memory until the program ends.
constexpr int kShootingNotSaved = 218;
constexpr int kShootingFileNotWritten = 219;

}  // namespace macros::text
