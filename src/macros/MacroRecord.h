#pragma once
// A macro: a name, its number in its library and up to 184 timed actions with the way the
// mouse repeats them. Saved and copied with all 184 places.

#include <array>
#include <cstdint>
#include <string>

#include "macros/MacroAction.h"

struct MacroRecord {
  static constexpr uint32_t kMaxActions = 184;

  std::u16string name;
  uint32_t MacroKeyIndex = 0;
  uint32_t MacroActionNum = 0;  // places in use, 0..184
  std::array<MacroAction, kMaxActions> actions{};
  uint8_t MacroKeyLoopType = 2;  // 1, 4, or 2 = repeat MacroKeyLoopNum times
  uint8_t MacroKeyLoopNum = 1;
  uint8_t MacroCommandActionNum = 0;  // actions that are not delays, 0..92

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};
