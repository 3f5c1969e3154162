#pragma once
// Language texts of the button assignment: the menus' own item texts live with their codes in
// keys/MenuCodes; these are the editors' and messages' texts.

namespace buttons::text {

constexpr int kOk = 4;
constexpr int kCancel = 5;
constexpr int kLeftClick = 20;
constexpr int kRapidFire = 26;
constexpr int kDisable = 34;
constexpr int kAttentionCaption = 150;
constexpr int kLeftButtonRestored = 151;
constexpr int kRapidFireTitle = 170;
constexpr int kRapidFireFirst = 171;
constexpr int kRapidFireSecond = 172;
constexpr int kRapidFireHint = 173;
constexpr int kRapidFireFirstRange = 174;
constexpr int kDigitsOnly = 175;
constexpr int kRapidFireSecondRange = 176;
constexpr int kShortcutTitle = 180;
constexpr int kShootingPrefix = 189;
constexpr int kMacroPrefix = 190;
constexpr int kLaunchTitle = 289;
constexpr int kBrowse = 360;
constexpr int kKeyLabel = 361;

}  // namespace buttons::text
