#include "macros/editing/ActionEdits.h"

#include <algorithm>

namespace macros::editing {
namespace {

constexpr uint8_t kFirstPseudoKey = 0xE0;
constexpr uint8_t kLastPseudoKey = 0xE7;
constexpr uint8_t kLastDelayCode = 7;
constexpr uint32_t kMaxLoopCount = 255;

}  // namespace

ModifyEditor EditorFor(const MacroAction& action) {
  if (action.IsDelay()) return ModifyEditor::Delay;
  if (action.b0 >= kFirstPseudoKey && action.b0 <= kLastPseudoKey) return ModifyEditor::None;
  return ModifyEditor::Key;
}

uint32_t ParseDigits(std::u16string_view text, uint32_t limit) {
  uint64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') continue;
    value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - u'0'), uint64_t{limit} + 1);
  }
  return static_cast<uint32_t>(std::min<uint64_t>(value, limit));
}

MacroAction EditedDelay(uint32_t ms) {
  return MacroAction::Delay(std::min(ms, kMaxEditedDelayMs));
}

MacroAction EditedKey(const MacroAction& action, uint8_t code) {
  if (code <= kLastDelayCode) return action;
  MacroAction out = action;
  out.b0 = code;
  return out;
}

MacroAction MoveAction(MoveDirection direction, uint32_t amount) {
  const auto v = static_cast<int>(std::clamp<uint32_t>(amount, 1, kMaxMove));
  const bool horizontal = direction == MoveDirection::Left || direction == MoveDirection::Right;
  const bool negative = direction == MoveDirection::Left || direction == MoveDirection::Up;
  const int signedAmount = negative ? -v : v;
  return {horizontal ? MacroAction::kMouseX : MacroAction::kMouseY, 0, 0,
          static_cast<uint8_t>(static_cast<int8_t>(signedAmount))};
}

int DeleteSelectedAction(MacroRecord& macro, int selected) {
  if (selected < 0) return -1;
  const auto position = static_cast<uint32_t>(selected);
  const MacroAction action = macro.GetAction(position);
  if (!macro.DeleteAction(position)) return -1;
  if (!action.IsDelay() && macro.MacroCommandActionNum > 0) --macro.MacroCommandActionNum;
  const auto count = static_cast<int>(macro.MacroActionNum);
  if (count == 0) return -1;
  return std::min(selected, count - 1);
}

LoopCountEdit ParseLoopCount(std::u16string_view text) {
  LoopCountEdit edit;
  const uint32_t value = ParseDigits(text, kMaxLoopCount + 1);
  if (value == 0) {
    edit.value = 1;
    edit.replacement = u"1";
  } else if (value > kMaxLoopCount) {
    edit.value = kMaxLoopCount;
    edit.replacement = u"255";
  } else {
    edit.value = static_cast<uint8_t>(value);
  }
  return edit;
}

bool FitsOnMouse(const MacroRecord& macro) {
  return macro.CountCommandActions() <= kMaxDeviceActions;
}

}  // namespace macros::editing
