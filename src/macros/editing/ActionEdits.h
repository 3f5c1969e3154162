#pragma once
// The rules of the macro manager's single-action edits: which editor an action opens, what
// each editor writes, deleting the selected action, and the loop count entry.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macros/MacroRecord.h"

namespace macros::editing {

constexpr uint32_t kMaxEditedDelayMs = 15300000;
constexpr int kMaxMove = 127;
constexpr uint32_t kMaxDeviceActions = 92;

enum class ModifyEditor {
  None,   // mouse buttons, shooting actions, cursor and wheel moves are not edited here
  Delay,  // b0 0..7
  Key,    // any other key; only b0 changes
};
ModifyEditor EditorFor(const MacroAction& action);

// The digits of `text` as a number, saturating at `limit` (0 when there are none).
uint32_t ParseDigits(std::u16string_view text, uint32_t limit);

// A delay of `ms`, at most 15300000 ms.
MacroAction EditedDelay(uint32_t ms);
// `action` with key `code`; press or release stays. A code of 0..7 would read as a delay, so
// the action is kept as it is.
MacroAction EditedKey(const MacroAction& action, uint8_t code);
// A cursor move of `amount` limited to 1..127: 0xE5 left (-) / right (+), 0xE6 up (-) /
// down (+).
enum class MoveDirection { Left, Right, Up, Down };
MacroAction MoveAction(MoveDirection direction, uint32_t amount);

// Deletes action `selected` (a key action also leaves the command count). Returns the new
// selection: the same place, the new last action when the last one went, -1 when the macro
// is empty or nothing was deleted.
int DeleteSelectedAction(MacroRecord& macro, int selected);

// The loop count entry: every change is taken as a number (an empty entry as 0); 0 becomes 1
// and anything above 255 becomes 255, and the entry then shows the stored number.
struct LoopCountEdit {
  uint8_t value = 1;
  std::optional<std::u16string> replacement;  // the text the entry must show instead
};
LoopCountEdit ParseLoopCount(std::u16string_view text);

// Whether the mouse can hold the macro: at most 92 actions that are not delays.
bool FitsOnMouse(const MacroRecord& macro);

}  // namespace macros::editing
