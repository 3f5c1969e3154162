#pragma once
// The lParam of the keyboard hook's message 0x401: bits 0..30 the event time in milliseconds,
// bit 31 set for a key release. Times wrap at 2^31.

#include <cstdint>

#include "platform/Types.h"

namespace platform {

constexpr uint32_t kKeyEventMessage = 0x401;

constexpr LParam MakeKeyEventParam(uint32_t timeMs, bool release) {
  return static_cast<LParam>((timeMs & 0x7FFFFFFFu) | (release ? 0x80000000u : 0u));
}

constexpr bool IsKeyRelease(LParam lParam) {
  return (static_cast<uint32_t>(lParam) & 0x80000000u) != 0;
}

constexpr uint32_t KeyEventTime(LParam lParam) {
  return static_cast<uint32_t>(lParam) & 0x7FFFFFFFu;
}

// Milliseconds from `earlier` to `later`, across one wrap of the 31-bit time.
constexpr uint32_t KeyEventInterval(LParam earlier, LParam later) {
  return (KeyEventTime(later) - KeyEventTime(earlier)) & 0x7FFFFFFFu;
}

}  // namespace platform
