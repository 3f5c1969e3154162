#pragma once
// Language texts of the button assignment: the menus' own item texts live with their codes in
// keys/MenuCodes; these are the editors' and messages' texts.

#include "base/TextNumbers.h"

namespace buttons::text {

constexpr int kOk = common_text::kOk;
constexpr int kCancel = common_text::kCancel;
constexpr int kLeftClick = 20;
constexpr int kRapidFire = 26;
constexpr int kDisable = common_text::kDisabled;
constexpr int kAttentionCaption = common_text::kAttentionCaption;
constexpr int kLeftButtonRestored = common_text::kLeftButtonRestored;
constexpr int kRapidFireTitle = 170;
constexpr int kRapidFireFirst = 171;
constexpr int kRapidFireSecond = 172;
constexpr int kRapidFireHint = 173;
constexpr int kRapidFireFirstRange = 174;
constexpr int kDigitsOnly = common_text::kDigitsOnly;
constexpr int kRapidFireSecondRange = 176;
constexpr int kShortcutTitle = 180;
constexpr int kShootingPrefix = common_text::kShootingPrefix;
constexpr int kMacroPrefix = common_text::kMacroPrefix;
constexpr int kLaunchTitle = 289;
constexpr int kBrowse = 360;
constexpr int kKeyLabel = 361;

}  // namespace buttons::text
