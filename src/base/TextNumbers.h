#pragma once
// Language texts named in more than one place of the program, each number once; a text used
// by one feature only is named with that feature.

namespace common_text {

constexpr int kOk = 4;
constexpr int kCancel = 5;
constexpr int kMacroTitle = 8;
constexpr int kDisabled = 34;
constexpr int kImportProfile = 90;
constexpr int kRenameProfile = 92;
constexpr int kSaving = 146;  // the progress window
constexpr int kAttentionCaption = 150;
constexpr int kLeftButtonRestored = 151;
constexpr int kNotLinked = 156;
constexpr int kDigitsOnly = 175;
constexpr int kShootingPrefix = 189;
constexpr int kMacroPrefix = 190;
constexpr int kNew = 200;
constexpr int kShootingTitle = 211;

}  // namespace common_text
