#pragma once
// Language texts of the library managers' refusals and questions.

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

}  // namespace macros::text
