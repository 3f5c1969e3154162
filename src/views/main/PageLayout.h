#pragma once
// Where things sit on the main page (client pixels at scale 1, 1127 x 740). The frame bitmap
// draws these zones; every part places its fixed-area controls inside its zone and the page
// column stacks the open pages, so the images line up with the frame.

#include "platform/Types.h"

namespace page {

constexpr int kWidth = 1127;
constexpr int kHeight = 740;

// Zones of the frame.
constexpr platform::Rect kHeaderBar{0, 0, 1127, 55};
constexpr platform::Rect kButtonPanel{16, 72, 290, 723};
constexpr platform::Rect kProfilePanel{296, 440, 467, 724};
constexpr platform::Rect kMouseStage{457, 171, 672, 569};
constexpr platform::Rect kStatusColumn{684, 72, 835, 723};
constexpr platform::Rect kPageColumn{846, 55, 1127, 740};

// Section headings (header2 images, 140 x 24) at the top of their zones.
constexpr platform::Rect kButtonsHeading{24, 80, 164, 104};
constexpr platform::Rect kBatteryHeading{689, 80, 829, 104};
constexpr platform::Rect kPowerHeading{689, 262, 829, 286};
constexpr platform::Rect kProfilesHeading{300, 448, 440, 472};

// Button-assignment fields (combo2, 170 x 24): field k at y = kFieldTop + k * kFieldStep.
constexpr int kFieldLeft = 64;
constexpr int kFieldTop = 120;
constexpr int kFieldStep = 44;
// Macro and shooting-action manager buttons (button1, 120 x 26).
constexpr platform::Rect kMacroButton{24, 640, 144, 666};
constexpr platform::Rect kShootingButton{152, 640, 272, 666};

// Profile rows: row i at x 300-462, y = 480 + 25 * i, height 21; the add button below row
// max(count, 3); the edit, export and import buttons on the panel's last line.
constexpr int kProfileRowLeft = 300;
constexpr int kProfileRowRight = 462;
constexpr int kProfileRowTop = 480;
constexpr int kProfileRowStep = 25;
constexpr int kProfileRowHeight = 21;
constexpr int kAddButtonTop = 483;
constexpr int kProfileButtonsTop = 690;
// The page-header profile selector (combo2) and the profile-list button (button2).
constexpr platform::Rect kProfileCombo{470, 16, 640, 40};
constexpr platform::Rect kProfileListButton{648, 18, 717, 38};

// Status column: connection image, battery, its text and legend, the not-linked notice, the
// power-saving dial (150 x 60) and the two option check boxes, apply and reset at the bottom.
constexpr platform::Rect kStatusImage{696, 116, 720, 140};
constexpr platform::Rect kBatteryRect{732, 113, 748, 143};
constexpr platform::Rect kBatteryText{756, 118, 832, 138};
constexpr platform::Rect kNotLinkedLabel{688, 150, 834, 190};
constexpr int kLegendTop = 200;  // three rows of 20: green, orange (text 17), red (text 18)
constexpr platform::Rect kPowerDial{684, 294, 834, 354};
constexpr platform::Rect kPowerLabel{688, 356, 834, 376};
constexpr platform::Rect kOptionCheck1{690, 392, 704, 406};  // 3501, label to its right
constexpr platform::Rect kOptionCheck2{690, 418, 704, 432};  // 3504
constexpr platform::Rect kApplyButton{690, 690, 759, 710};
constexpr platform::Rect kResetButton{764, 690, 833, 710};

// Page column: open pages stack from kPagesTop in tab order, each under its tab header
// (265 x 28); the closed tabs follow. A page part lays out below its header in a content
// area kPageContentWidth wide and should stay within about kPageContentHeight.
constexpr int kPagesLeft = 846;
constexpr int kPagesTop = 67;
constexpr int kTabWidth = 265;
constexpr int kTabHeight = 28;
constexpr int kPageContentWidth = 265;
constexpr int kPageContentHeight = 200;
constexpr int kHeaderGap = 4;  // tab header to its page
constexpr int kPageGap = 6;    // page to the next tab header

}  // namespace page
