#pragma once
// The six buttons of the current profile as the assignment code sees them. The profile
// model owns the ButtonSlot records; an adapter lends their fields through this interface,
// so assignments do not depend on how a profile stores them.

#include <cstdint>
#include <optional>
#include <string>

#include "macros/MacroRecord.h"

// The fields of one ButtonSlot that an assignment writes. All pointers stay valid while the
// assignment runs.
struct ButtonFields {
  std::u16string* name = nullptr;     // Key%uName
  std::u16string* url = nullptr;      // Key%uURL
  uint8_t* code = nullptr;            // Key%uValue: three bytes, type first
  uint32_t* macroKeyIndex = nullptr;  // the slot's MacroKeyIndex, 0 when no macro
  MacroRecord* macro = nullptr;       // the slot's own macro copy
};

class ButtonBank {
 public:
  static constexpr int kSlotCount = 6;

  virtual ~ButtonBank() = default;
  // Fields of slot 0..5; nothing for any other number.
  virtual std::optional<ButtonFields> Slot(int slot) = 0;
};
