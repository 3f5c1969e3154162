#include "keys/KeyTables.h"

#include <utility>

namespace keys {
namespace {

constexpr std::u16string_view kDigits[] = {u"0", u"1", u"2", u"3", u"4",
                                           u"5", u"6", u"7", u"8", u"9"};
constexpr std::u16string_view kLetters[] = {u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I",
                                            u"J", u"K", u"L", u"M", u"N", u"O", u"P", u"Q", u"R",
                                            u"S", u"T", u"U", u"V", u"W", u"X", u"Y", u"Z"};
constexpr std::u16string_view kNumPad[] = {u"Num0", u"Num1", u"Num2", u"Num3", u"Num4",
                                           u"Num5", u"Num6", u"Num7", u"Num8", u"Num9"};
constexpr std::u16string_view kFunctionKeys[] = {
    u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",  u"F9",  u"F10", u"F11", u"F12",
    u"F13", u"F14", u"F15", u"F16", u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24"};

constexpr std::pair<uint8_t, std::u16string_view> kNamed[] = {
    {0x01, u"LBUTTON"},
    {0x02, u"RBUTTON"},
    {0x03, u"CANCEL"},
    {0x04, u"MBUTTON"},
    {0x05, u"XBUTTON1"},
    {0x06, u"XBUTTON2"},
    {0x08, u"Backspace"},
    {0x09, u"Tab"},
    {0x0C, u"Clear"},
    {0x0D, u"Enter"},
    {0x10, u"Shift"},
    {0x11, u"Ctrl"},
    {0x12, u"Alt"},
    {0x13, u"Pause"},
    {0x14, u"CapsLock"},
    {0x15, u"Kana"},
    {0x17, u"junja"},
    {0x18, u"Final"},
    {0x19, u"Hanja"},
    {0x1B, u"Esc"},
    {0x1C, u"Convert"},
    {0x1D, u"Nonconvert"},
    {0x1E, u"Accept"},
    {0x1F, u"ModeChange"},
    {0x20, u"Space"},
    {0x21, u"Page Up"},
    {0x22, u"Page Down"},
    {0x23, u"End"},
    {0x24, u"Home"},
    {0x25, u"Left Arrow"},
    {0x26, u"Up Arrow"},
    {0x27, u"Right Arrow"},
    {0x28, u"Down Arrow"},
    {0x29, u"Select"},
    {0x2A, u"Print"},
    {0x2B, u"Execute"},
    {0x2C, u"Print Screen"},
    {0x2D, u"Ins"},
    {0x2E, u"Del"},
    {0x2F, u"Help"},
    {0x5B, u"Win_L"},
    {0x5C, u"Win_R"},
    {0x5D, u"App"},
    {0x5F, u"Sleep"},
    {0x6A, u"Multiply"},
    {0x6B, u"Add"},
    {0x6C, u"Separator"},
    {0x6D, u"Subtract"},
    {0x6E, u"Decimal"},
    {0x6F, u"Divide"},
    {0x90, u"Num Lock"},
    {0x91, u"Scroll Lock"},
    {0xA0, u"Shift_L"},
    {0xA1, u"Shift_R"},
    {0xA2, u"Ctrl_L"},
    {0xA3, u"Ctrl_R"},
    {0xA4, u"Alt_L"},
    {0xA5, u"Alt_R"},
    {0xBA, u";"},
    {0xBB, u"="},
    {0xBC, u","},
    {0xBD, u"-"},
    {0xBE, u"."},
    {0xBF, u"/"},
    {0xC0, u"~"},
    {0xDB, u"["},
    {0xDC, u"\\"},
    {0xDD, u"]"},
    {0xDE, u"'"},
    {0xE0, u"L Key"},
    {0xE1, u"R Key"},
    {0xE2, u"M Key"},
    {0xE3, u"Fire"},
    {0xE4, u"Cursor"},
    {0xE5, u"Mouse X"},
    {0xE6, u"Mouse Y"},
    {0xE7, u"Mouse Wheel"},
};

constexpr std::array<std::u16string_view, 256> BuildNames() {
  std::array<std::u16string_view, 256> names{};
  for (auto& name : names) name = u"Undefined";
  for (const auto& [code, name] : kNamed) names[code] = name;
  for (int i = 0; i < 10; ++i) names[0x30 + i] = kDigits[i];
  for (int i = 0; i < 26; ++i) names[0x41 + i] = kLetters[i];
  for (int i = 0; i < 10; ++i) names[0x60 + i] = kNumPad[i];
  for (int i = 0; i < 24; ++i) names[0x70 + i] = kFunctionKeys[i];
  return names;
}

// (first code, first usage, count): runs of consecutive codes with consecutive usages.
struct Run {
  uint8_t code;
  uint8_t usage;
  uint8_t count;
};

constexpr Run kUsageRuns[] = {
    {0x41, 0x04, 26},  // A..Z
    {0x31, 0x1E, 9},   // 1..9
    {0x30, 0x27, 1},   // 0
    {0x0D, 0x28, 1},   // Enter
    {0x1B, 0x29, 1},   // Esc
    {0x08, 0x2A, 1},   // Backspace
    {0x09, 0x2B, 1},   // Tab
    {0x20, 0x2C, 1},   // Space
    {0xBD, 0x2D, 1},   // -
    {0xBB, 0x2E, 1},   // =
    {0xDB, 0x2F, 1},   // [
    {0xDD, 0x30, 1},   // ]
    {0xDC, 0x31, 1},   // backslash
    {0xBA, 0x33, 1},   // ;
    {0xDE, 0x34, 1},   // '
    {0xC0, 0x35, 1},   // ~
    {0xBC, 0x36, 1},   // ,
    {0xBE, 0x37, 1},   // .
    {0xBF, 0x38, 1},   // /
    {0x14, 0x39, 1},   // CapsLock
    {0x70, 0x3A, 12},  // F1..F12
    {0x2C, 0x46, 1},   // Print Screen
    {0x91, 0x47, 1},   // Scroll Lock
    {0x13, 0x48, 1},   // Pause
    {0x2D, 0x49, 1},   // Ins
    {0x24, 0x4A, 1},   // Home
    {0x21, 0x4B, 1},   // Page Up
    {0x2E, 0x4C, 1},   // Del
    {0x23, 0x4D, 1},   // End
    {0x22, 0x4E, 1},   // Page Down
    {0x27, 0x4F, 1},   // Right
    {0x25, 0x50, 1},   // Left
    {0x28, 0x51, 1},   // Down
    {0x26, 0x52, 1},   // Up
    {0x90, 0x53, 1},   // Num Lock
    {0x6F, 0x54, 1},   // Divide
    {0x6A, 0x55, 1},   // Multiply
    {0x6D, 0x56, 1},   // Subtract
    {0x6B, 0x57, 1},   // Add
    {0x61, 0x59, 9},   // Num1..Num9
    {0x60, 0x62, 1},   // Num0
    {0x6E, 0x63, 1},   // Decimal
    {0x5D, 0x65, 1},   // App
    {0x5F, 0x82, 1},   // Sleep
    {0xA2, 0xE0, 1},   // Ctrl_L
    {0xA0, 0xE1, 1},   // Shift_L
    {0xA4, 0xE2, 1},   // Alt_L
    {0x5B, 0xE3, 1},   // Win_L
    {0xA3, 0xE4, 1},   // Ctrl_R
    {0xA1, 0xE5, 1},   // Shift_R
    {0xA5, 0xE6, 1},   // Alt_R
    {0x5C, 0xE7, 1},   // Win_R
    {0xE0, 0xF0, 8},   // mouse pseudo codes
    {0x0E, 0x58, 1},   // keypad Enter (code not assigned by Windows)
    {0x3B, 0x29, 1},   // code not assigned by Windows
    {0xF0, 0x81, 1},  {0xF1, 0x83, 1}, {0xF2, 0x32, 1},
    {0xF3, 0x64, 1},  {0xF4, 0x85, 1}, {0xF5, 0x87, 5},  // 0xF5..0xF9: 0x87..0x8B
    {0xFA, 0x90, 2},                                     // 0xFA, 0xFB: 0x90, 0x91
};

constexpr std::array<uint8_t, 256> BuildUsages() {
  std::array<uint8_t, 256> usages{};
  for (const Run& run : kUsageRuns) {
    for (int i = 0; i < run.count; ++i) usages[run.code + i] = static_cast<uint8_t>(run.usage + i);
  }
  return usages;
}

}  // namespace

constinit const std::array<std::u16string_view, 256> VirtualKeyNames = BuildNames();
constinit const std::array<uint8_t, 256> VirtualKeyToUsage = BuildUsages();

}  // namespace keys
