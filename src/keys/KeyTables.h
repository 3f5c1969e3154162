#pragma once
// Names and keyboard usages of key codes: the Windows virtual-key codes plus the mouse
// pseudo codes 0xE0..0xE7 that macros use.

#include <array>
#include <cstdint>
#include <string_view>

namespace keys {

// Mouse pseudo codes inside macros.
constexpr uint8_t kCodeLeftKey = 0xE0;
constexpr uint8_t kCodeRightKey = 0xE1;
constexpr uint8_t kCodeMiddleKey = 0xE2;
constexpr uint8_t kCodeFire = 0xE3;
constexpr uint8_t kCodeCursor = 0xE4;
constexpr uint8_t kCodeMouseX = 0xE5;
constexpr uint8_t kCodeMouseY = 0xE6;
constexpr uint8_t kCodeMouseWheel = 0xE7;

// Every code has a name; codes without one are "Undefined".
extern const std::array<std::u16string_view, 256> VirtualKeyNames;
// Keyboard usage the mouse sends for a code, 0 when it cannot. 0xF0..0xF7 are no usages:
// they mark the mouse pseudo codes for the macro download.
extern const std::array<uint8_t, 256> VirtualKeyToUsage;

inline std::u16string_view KeyName(uint8_t code) {
  return VirtualKeyNames[code];
}
inline uint8_t KeyUsage(uint8_t code) {
  return VirtualKeyToUsage[code];
}

}  // namespace keys
