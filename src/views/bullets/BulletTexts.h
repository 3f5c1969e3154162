#pragma once
// Language texts of the shooting-action windows.

namespace bullets::view_text {

constexpr int kTitle = 211;
constexpr int kLibraryHeading = 212;
constexpr int kActionHeading = 213;
constexpr int kBulletCount = 214;
constexpr int kNothingToImport = 216;
constexpr int kTooLongForMouse = 217;
constexpr int kLibraryNotSaved = 218;
constexpr int kFileNotWritten = 219;
constexpr int kDigitsOnly = 175;
constexpr int kConfirmDelete = 232;
constexpr int kRenameTitle = 238;
constexpr int kNewFolderTitle = 239;
constexpr int kNewEntryTitle = 243;
constexpr int kExportTitle = 253;
constexpr int kImportTitle = 254;
constexpr int kExportEntriesTitle = 255;
constexpr int kImportEntriesTitle = 256;
constexpr int kShootingPrefix = 189;
constexpr int kDisabled = 34;

}  // namespace bullets::view_text
