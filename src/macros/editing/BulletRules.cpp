#include "macros/editing/BulletRules.h"

#include <algorithm>

namespace bullets {

std::array<MacroAction, kActionsPerBullet> MakeBullet() {
  return {MacroAction::Key(kFire, false), MacroAction::Delay(kFirstDelayMs),
          MacroAction{kCursor, 0, 0, static_cast<uint8_t>(kNewStepY)},
          MacroAction::Delay(kSecondDelayMs)};
}

void InitShootingAction(MacroRecord& record) {
  record.actions.fill(MacroAction{});
  record.MacroActionNum = 0;
  record.MacroCommandActionNum = 0;
  for (uint32_t i = 0; i < kNewEntryBullets; ++i) (void)AddBullet(record);
}

uint32_t BulletCount(const MacroRecord& record) {
  return std::min(record.MacroActionNum, MacroRecord::kMaxActions) / kActionsPerBullet;
}

int AddBullet(MacroRecord& record) {
  if (record.MacroActionNum >= kMaxActions) return -1;
  for (const MacroAction& action : MakeBullet()) {
    (void)record.InsertAction(record.MacroActionNum, action);
  }
  record.MacroCommandActionNum = static_cast<uint8_t>(
      std::min<uint32_t>(record.MacroCommandActionNum + kCommandsPerBullet, 0xFF));
  return static_cast<int>(record.MacroActionNum) - 1;
}

bool RemoveBullet(MacroRecord& record) {
  const uint32_t count = std::min(record.MacroActionNum, MacroRecord::kMaxActions);
  if (count <= kMinActions) return false;
  uint32_t commands = 0;
  for (uint32_t i = count - kActionsPerBullet; i < count; ++i) {
    if (!record.actions[i].IsDelay()) ++commands;
  }
  for (uint32_t i = 0; i < kActionsPerBullet; ++i) (void)record.DeleteAction(count - 1 - i);
  record.MacroCommandActionNum = static_cast<uint8_t>(
      record.MacroCommandActionNum > commands ? record.MacroCommandActionNum - commands : 0);
  return true;
}

int StepUp(int value) {
  return value < kStepLimit ? value + 1 : value;
}

int StepDown(int value) {
  return value > -kStepLimit ? value - 1 : value;
}

CursorStep StepOf(const MacroAction& action) {
  return {static_cast<int8_t>(action.b2), static_cast<int8_t>(action.b3)};
}

MacroAction WithStep(MacroAction action, CursorStep step) {
  action.b2 = static_cast<uint8_t>(static_cast<int8_t>(std::clamp(step.x, -128, 127)));
  action.b3 = static_cast<uint8_t>(static_cast<int8_t>(std::clamp(step.y, -128, 127)));
  return action;
}

bool IsCursor(const MacroAction& action) {
  return action.b0 == kCursor;
}

}  // namespace bullets

namespace bullets {

int ColumnCount(const MacroRecord& record) {
  const uint32_t count = std::min(record.MacroActionNum, MacroRecord::kMaxActions);
  return static_cast<int>((count + kActionsPerBullet - 1) / kActionsPerBullet);
}

int ClampFirstColumn(int firstColumn, const MacroRecord& record) {
  return std::clamp(firstColumn, 0, std::max(0, ColumnCount(record) - kColumnsShown));
}

int WheelColumn(int firstColumn, int delta, const MacroRecord& record) {
  if (std::min(record.MacroActionNum, MacroRecord::kMaxActions) <=
      static_cast<uint32_t>(kColumnsShown) * kActionsPerBullet) {
    return 0;
  }
  return ClampFirstColumn(firstColumn + (delta > 0 ? -1 : 1), record);
}

}  // namespace bullets
