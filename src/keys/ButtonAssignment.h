#pragma once
// The one way every menu and editor writes a button, and the guard that keeps a left button
// on the mouse.

#include <cstdint>
#include <string_view>

#include "base/TextNumbers.h"
#include "keys/ButtonBank.h"
#include "macros/MacroRecord.h"

namespace keys {

// Button controls of the main page: 2013..2018 are slots 0..5 of the current profile;
// 2019..2021 carry the same menu but store nothing.
constexpr int kFirstButtonControl = 2013;
constexpr int kLastSlotControl = 2018;
constexpr int kLastButtonControl = 2021;

// Language texts the guard needs: the left button's name, the attention box's caption and
// the message shown when the left button had to be restored.
constexpr int kTextLeftButton = 20;
constexpr int kTextAttentionCaption = common_text::kAttentionCaption;
constexpr int kTextLeftButtonRestored = common_text::kLeftButtonRestored;

// Slot 0..5 of a button control, or -1.
constexpr int SlotOfControl(int controlId) {
  return controlId >= kFirstButtonControl && controlId <= kLastSlotControl
             ? controlId - kFirstButtonControl
             : -1;
}

// Writes the function into the slot of `controlId`: name, URL (empty for everything but
// launch), the three code bytes, and the macro copy (emptied, then filled from `macro` when
// one is given, with the slot's MacroKeyIndex following it). False, with nothing changed,
// for controls that have no slot (2019..2021 and anything else); the caller still updates
// the caption.
bool AssignButtonFunction(ButtonBank& buttons, int controlId, std::u16string_view name,
                          const uint8_t* code, const MacroRecord* macro, std::u16string_view url);

enum class LeftButtonGuard {
  WriteKeyTable,       // a left button remains: flag the key table, arm the 20 ms write
  LeftButtonRestored,  // the slot got the left button back: set its caption to text 20,
                       // arm timer 20 (100 ms) to show text 151; write nothing
  NoSlot,              // the control has no slot: nothing to do
};

// Runs after every assignment on the main page, with the control just assigned.
[[nodiscard]] LeftButtonGuard RunLeftButtonGuard(ButtonBank& buttons, int controlId);

}  // namespace keys
