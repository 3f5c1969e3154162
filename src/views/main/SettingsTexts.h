#pragma once
// Language text numbers of the settings pages, their dialogs and popups.

#include "base/TextNumbers.h"

namespace settings_text {

constexpr int kOk = common_text::kOk;
constexpr int kCancel = common_text::kCancel;

// Lighting effects: menu entries and the names the mouse's reports use.
constexpr int kEffectBreathing = 101;  // effect 2
constexpr int kEffectSteady = 102;     // effect 3
constexpr int kEffectNeon = 103;       // effect 4
constexpr int kEffectOff = 109;        // effect 0 and every other effect
constexpr int kBrightness = 120;
constexpr int kSpeed = 121;
constexpr int kColour = 122;
constexpr int kDirection = 123;

// Pointer page.
constexpr int kPointerSpeed = 130;
constexpr int kScrollSpeed = 131;
constexpr int kDoubleClickSpeed = 132;
constexpr int kAcceleration = 133;
constexpr int kScrollByLines = 134;
constexpr int kScrollByPage = 135;
constexpr int kMouseProperties = 260;

// Message box caption and the colour-slot refusals.
constexpr int kCaption = common_text::kAttentionCaption;
constexpr int kKeepOneColour = 153;
constexpr int kKeepTwoColours = 154;

// Polling page labels of the 125..1000 Hz radio buttons.
constexpr int kRate125 = 261;
constexpr int kRate250 = 262;
constexpr int kRate500 = 263;
constexpr int kRate1000 = 264;

// Fixed area: power-saving caption around the level, and the two options.
constexpr int kPowerBefore = 266;
constexpr int kPowerAfter = 267;
constexpr int kLightsOffWhileMoving = 268;
constexpr int kWakeOnMotion = 274;

// Lift-off page.
constexpr int kLiftOffLow = 270;
constexpr int kLiftOffHigh = 271;

// Sensor page.
constexpr int kAngleSnapping = 286;
constexpr int kMotionSync = 287;
constexpr int kRippleControl = 288;

}  // namespace settings_text
