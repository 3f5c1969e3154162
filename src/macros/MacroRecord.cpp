#include "macros/MacroRecord.h"

#include <algorithm>

MacroAction MacroRecord::GetAction(uint32_t position) const {
  return position < kMaxActions ? actions[position] : MacroAction{};
}

bool MacroRecord::SetAction(uint32_t position, MacroAction action) {
  if (position >= kMaxActions) return false;
  actions[position] = action;
  return true;
}

bool MacroRecord::InsertAction(uint32_t position, MacroAction action) {
  const uint32_t count = std::min(MacroActionNum, kMaxActions);
  if (count >= kMaxActions) return false;
  position = std::min(position, count);
  std::copy_backward(actions.begin() + position, actions.begin() + count,
                     actions.begin() + count + 1);
  actions[position] = action;
  MacroActionNum = count + 1;
  return true;
}

bool MacroRecord::DeleteAction(uint32_t position) {
  const uint32_t count = std::min(MacroActionNum, kMaxActions);
  if (position >= count) return false;
  std::copy(actions.begin() + position + 1, actions.begin() + count, actions.begin() + position);
  actions[count - 1] = MacroAction{};
  MacroActionNum = count - 1;
  return true;
}

uint32_t MacroRecord::CountCommandActions() const {
  const uint32_t count = std::min(MacroActionNum, kMaxActions);
  return static_cast<uint32_t>(std::count_if(actions.begin(), actions.begin() + count,
                                             [](const MacroAction& a) { return !a.IsDelay(); }));
}

void MacroRecord::ClampCounts() {
  MacroActionNum = std::min(MacroActionNum, kMaxActions);
  const uint32_t commands = CountCommandActions();
  if (MacroCommandActionNum > commands) MacroCommandActionNum = static_cast<uint8_t>(commands);
}
