#pragma once
// Shooting actions are built from bullets: four actions starting at a position divisible by
// four (fire, wait, cursor step, wait). The manager keeps an entry between one and ten
// bullets; an imported entry may hold anything, so every rule here stays inside the record
// whatever it holds.

#include <array>
#include <cstdint>

#include "macros/MacroAction.h"
#include "macros/MacroRecord.h"

namespace bullets {

constexpr uint8_t kFire = 0xE3;
constexpr uint8_t kCursor = 0xE4;
constexpr uint32_t kActionsPerBullet = 4;
constexpr uint32_t kCommandsPerBullet = 2;
constexpr uint32_t kMinActions = 4;
constexpr uint32_t kMaxActions = 40;
constexpr uint32_t kNewEntryBullets = 4;
constexpr int kStepLimit = 127;
constexpr uint32_t kFirstDelayMs = 10;
constexpr uint32_t kSecondDelayMs = 20;
constexpr int8_t kNewStepY = 2;

// One bullet as created: fire, 10 ms, step (0, +2), 20 ms.
std::array<MacroAction, kActionsPerBullet> MakeBullet();

// Empties the record's actions and gives it the bullets of a new shooting action.
void InitShootingAction(MacroRecord& record);

// Whole bullets shown by the bullet count (action count / 4).
uint32_t BulletCount(const MacroRecord& record);

// Plus: one bullet appended while the record holds fewer than 40 actions. Returns the
// position of the last action (now the selected one), or -1 when nothing was added.
[[nodiscard]] int AddBullet(MacroRecord& record);
// Minus: the last four actions removed, whatever they are, while the record holds more than
// four. The command count drops by the commands actually removed, so an entry whose tail is
// not a bullet keeps a true count. False when nothing was removed.
[[nodiscard]] bool RemoveBullet(MacroRecord& record);

// The step editor's buttons: one up unless at 127, one down unless at -127 (a -128 read
// from a file stays where it is rather than wrapping round).
int StepUp(int value);
int StepDown(int value);

struct CursorStep {
  int x = 0;
  int y = 0;
  friend bool operator==(const CursorStep&, const CursorStep&) = default;
};
// The signed steps of a cursor action (b2 = X, b3 = Y).
CursorStep StepOf(const MacroAction& action);
// The cursor action with these steps, each kept within -128..127.
MacroAction WithStep(MacroAction action, CursorStep step);

bool IsCursor(const MacroAction& action);

}  // namespace bullets

namespace bullets {

// The action list shows one column per bullet, four at a time.
constexpr int kColumnsShown = 4;
// Columns needed for the record's actions (a last partial bullet has its own column).
int ColumnCount(const MacroRecord& record);
// The first column after a wheel notch (up for a positive delta): one column at a time, only
// while the record holds more actions than the list shows, never before the first column
// and never past the point where the last action is shown.
int WheelColumn(int firstColumn, int delta, const MacroRecord& record);
// The first column clamped to what the record's actions allow.
int ClampFirstColumn(int firstColumn, const MacroRecord& record);

}  // namespace bullets
