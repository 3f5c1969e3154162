#pragma once
// One step of a macro: four bytes as the mouse plays them.
//   b0 0..7          delay; b1..b3 are the milliseconds, high byte first
//   b0 0xE5/E6/E7    cursor X / cursor Y / wheel; b3 is a signed 8-bit amount
//   any other b0     key or mouse button; b1 bit 7 set = release

#include <cstdint>

struct MacroAction {
  uint8_t b0 = 0;
  uint8_t b1 = 0;
  uint8_t b2 = 0;
  uint8_t b3 = 0;

  static constexpr uint8_t kMouseX = 0xE5;
  static constexpr uint8_t kMouseY = 0xE6;
  static constexpr uint8_t kMouseWheel = 0xE7;
  static constexpr uint32_t kMaxRecordedDelayMs = 4095;

  bool IsDelay() const { return b0 <= 7; }
  bool IsRelease() const { return (b1 & 0x80) != 0; }
  uint32_t DelayMs() const { return (uint32_t{b1} << 16) | (uint32_t{b2} << 8) | b3; }

  static MacroAction Delay(uint32_t ms) {
    return {3, static_cast<uint8_t>(ms >> 16), static_cast<uint8_t>(ms >> 8),
            static_cast<uint8_t>(ms)};
  }
  static MacroAction Key(uint8_t code, bool release) {
    return {code, static_cast<uint8_t>(release ? 0x80 : 0x00), 0, 0};
  }

  friend bool operator==(const MacroAction&, const MacroAction&) = default;
};
