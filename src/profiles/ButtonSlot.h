#pragma once
// What one of the six mouse buttons does in a profile: its function code, the caption shown on
// the main page, the launch target and the button's own copy of an assigned macro.

#include <array>
#include <cstdint>
#include <string>

#include "macros/MacroRecord.h"

struct ButtonSlot {
  std::u16string KeyName;             // Key%uName: display name of the function
  std::u16string KeyURL;              // Key%uURL: program or address of the launch function
  std::array<uint8_t, 3> KeyValue{};  // Key%uValue: function code, type byte first
  uint32_t MacroKeyIndex = 0;         // library number of the assigned macro, 0 for none
  MacroRecord macro;                  // the slot's copy; only name, count and actions are saved

  friend bool operator==(const ButtonSlot&, const ButtonSlot&) = default;
};
