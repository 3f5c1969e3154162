#include "keys/ButtonAssignment.h"

#include <algorithm>

#include "base/Language.h"
#include "keys/ButtonFunctionCode.h"

namespace keys {

bool AssignButtonFunction(ButtonBank& buttons, int controlId, std::u16string_view name,
                          const uint8_t* code, const MacroRecord* macro, std::u16string_view url) {
  const int slot = SlotOfControl(controlId);
  if (slot < 0 || code == nullptr) return false;
  const std::optional<ButtonFields> fields = buttons.Slot(slot);
  if (!fields) return false;

  *fields->name = name;
  *fields->url = url;
  std::copy_n(code, 3, fields->code);

  MacroRecord& own = *fields->macro;
  own = MacroRecord{};
  if (macro != nullptr) {
    own.name = macro->name;
    own.MacroKeyIndex = macro->MacroKeyIndex;
    own.MacroKeyLoopType = macro->MacroKeyLoopType;
    own.MacroKeyLoopNum = macro->MacroKeyLoopNum;
    own.MacroCommandActionNum = macro->MacroCommandActionNum;
    own.MacroActionNum = std::min(macro->MacroActionNum, MacroRecord::kMaxActions);
    std::copy_n(macro->actions.begin(), own.MacroActionNum, own.actions.begin());
    own.ClampCounts();
    *fields->macroKeyIndex = macro->MacroKeyIndex;
  } else {
    // The slot no longer refers to a library macro.
    *fields->macroKeyIndex = 0;
  }
  return true;
}

LeftButtonGuard RunLeftButtonGuard(ButtonBank& buttons, int controlId) {
  const int assigned = SlotOfControl(controlId);
  if (assigned < 0) return LeftButtonGuard::NoSlot;

  int leftButtons = 0;
  for (int slot = 0; slot < ButtonBank::kSlotCount; ++slot) {
    const std::optional<ButtonFields> fields = buttons.Slot(slot);
    if (fields && fields->code[0] == ButtonFunctionCode::MouseButton &&
        fields->code[1] == ButtonFunctionCode::kLeft) {
      ++leftButtons;
    }
  }
  if (leftButtons > 0) return LeftButtonGuard::WriteKeyTable;

  const ButtonFunctionCode left = ButtonFunctionCode::LeftButton();
  if (!AssignButtonFunction(buttons, controlId, LangText(kTextLeftButton), left.bytes.data(),
                            nullptr, u"")) {
    return LeftButtonGuard::NoSlot;
  }
  return LeftButtonGuard::LeftButtonRestored;
}

}  // namespace keys
