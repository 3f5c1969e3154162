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

  // Positions count from 0. A position of 184 or more reads as a zero action.
  MacroAction GetAction(uint32_t position) const;
  // Overwrites one place; the count does not change. False for a position of 184 or more.
  bool SetAction(uint32_t position, MacroAction action);
  // Inserts before `position` (a position beyond the count appends) and grows the count.
  // False, with nothing changed, when all 184 places are in use. The command count is the
  // caller's to maintain.
  bool InsertAction(uint32_t position, MacroAction action);
  // Removes one action in use; the freed last place becomes zero. False beyond the count.
  bool DeleteAction(uint32_t position);

  // Actions in use that are not delays.
  uint32_t CountCommandActions() const;
  // Brings the counts back to what the record holds: at most 184 actions, and no more
  // commands than the actions in use that are not delays. Keeps every consumer (the device
  // download above all) inside the record whatever a file said.
  void ClampCounts();

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};
