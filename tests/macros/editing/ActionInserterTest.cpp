#include "macros/editing/ActionInserter.h"

#include <gtest/gtest.h>

#include <vector>

#include "macros/editing/EditingTexts.h"

namespace {

using Choice = ActionInserter::Choice;
using Editor = ActionInserter::Editor;
const MacroAction kA = MacroAction::Key(0x41, false);
const MacroAction kARelease = MacroAction::Key(0x41, true);

std::vector<MacroAction> Actions(const MacroRecord& m) {
  return {m.actions.begin(), m.actions.begin() + m.MacroActionNum};
}

MacroRecord Macro(std::vector<MacroAction> actions, uint8_t commands) {
  MacroRecord m;
  for (const MacroAction& a : actions) EXPECT_TRUE(m.InsertAction(m.MacroActionNum, a));
  m.MacroCommandActionNum = commands;
  return m;
}

TEST(ActionInserterTest, ClicksGoInAfterTheSelectionAndSelectTheRelease) {
  struct Case {
    Choice choice;
    int selected;
    std::vector<MacroAction> expected;
    int selectedAfter;
  };
  const MacroAction d50 = MacroAction::Delay(50);
  const std::vector<Case> cases = {
      {Choice::LeftClick, -1, {kA, kARelease, {0xE0, 0, 0, 0}, d50, {0xE0, 0x80, 0, 0}}, 4},
      {Choice::RightClick, 0, {kA, {0xE1, 0, 0, 0}, d50, {0xE1, 0x80, 0, 0}, kARelease}, 3},
      {Choice::MiddleClick, 7, {kA, kARelease, {0xE2, 0, 0, 0}, d50, {0xE2, 0x80, 0, 0}}, 4},
  };
  for (const Case& c : cases) {
    MacroRecord m = Macro({kA, kARelease}, 2);
    ActionInserter ins;
    const auto step = ins.Begin(&m, c.selected, static_cast<int>(c.choice));
    EXPECT_EQ(step.editor, Editor::None);
    EXPECT_EQ(step.selected, c.selectedAfter);
    EXPECT_EQ(Actions(m), c.expected);
    EXPECT_EQ(m.MacroCommandActionNum, 4);
  }
  MacroRecord empty;
  ActionInserter ins;
  EXPECT_EQ(ins.Begin(&empty, -1, 0).selected, 2);
  EXPECT_EQ(Actions(empty), (std::vector<MacroAction>{
                                {0xE0, 0, 0, 0}, MacroAction::Delay(50), {0xE0, 0x80, 0, 0}}));
  EXPECT_EQ(empty.MacroCommandActionNum, 2);
}

TEST(ActionInserterTest, RefusalsLeaveTheMacroUnchanged) {
  ActionInserter ins;
  EXPECT_EQ(ins.Begin(nullptr, -1, 0).refusalText, macros::text::kNoMacroToInsert);
  MacroRecord nearlyFull = Macro({kA}, 91);
  const MacroRecord before = nearlyFull;
  for (Choice c : {Choice::LeftClick, Choice::Key}) {
    EXPECT_EQ(ins.Begin(&nearlyFull, -1, static_cast<int>(c)).refusalText,
              macros::text::kMacroFull);
  }
  EXPECT_EQ(nearlyFull, before);
  // One command still fits: a move opens its editor.
  EXPECT_EQ(ins.Begin(&nearlyFull, -1, static_cast<int>(Choice::MoveUp)).editor, Editor::Move);
  (void)ins.Cancel();
  EXPECT_EQ(nearlyFull, before);
  // 184 places in use: silence.
  MacroRecord full;
  full.MacroActionNum = MacroRecord::kMaxActions;
  const MacroRecord fullBefore = full;
  for (int c = 0; c < ActionInserter::kChoiceCount; ++c) {
    const auto step = ins.Begin(&full, -1, c);
    if (c == static_cast<int>(Choice::Delay)) {
      EXPECT_EQ(step.editor, Editor::Delay);  // the last action is a delay: edited in place
      (void)ins.Cancel();
    } else {
      EXPECT_EQ(step.refusalText, 0);
      EXPECT_EQ(step.editor, Editor::None);
    }
  }
  EXPECT_EQ(full, fullBefore);
  EXPECT_EQ(ins.Begin(&full, -1, 9).editor, Editor::None);
}

TEST(ActionInserterTest, KeyPlaceholderTakesTheChosenKeyOrGoesOnCancel) {
  MacroRecord m = Macro({kA, kARelease}, 2);
  const MacroRecord before = m;
  ActionInserter ins;
  auto step = ins.Begin(&m, 0, static_cast<int>(Choice::Key));
  EXPECT_EQ(step.editor, Editor::Key);
  EXPECT_EQ(step.editPosition, 1u);
  EXPECT_EQ(ins.Edited(), kA);
  EXPECT_EQ(ins.Cancel(), 0);
  EXPECT_EQ(m, before);

  step = ins.Begin(&m, 0, static_cast<int>(Choice::Key));
  EXPECT_EQ(ins.Accept(0x42), 3);
  EXPECT_EQ(Actions(m),
            (std::vector<MacroAction>{kA, MacroAction::Key(0x42, false), MacroAction::Delay(50),
                                      MacroAction::Key(0x42, true), kARelease}));
  EXPECT_EQ(m.MacroCommandActionNum, 4);
  EXPECT_FALSE(ins.Pending());
}

TEST(ActionInserterTest, DelayEditsThePrecedingDelayOrInsertsOne) {
  MacroRecord m = Macro({kA, MacroAction::Delay(30), kARelease}, 2);
  ActionInserter ins;
  // The action before the insertion point is a delay: that one is edited.
  auto step = ins.Begin(&m, 1, static_cast<int>(Choice::Delay));
  EXPECT_EQ(step.editor, Editor::Delay);
  EXPECT_EQ(step.editPosition, 1u);
  EXPECT_EQ(ins.Accept(99999999), 1);
  EXPECT_EQ(m.MacroActionNum, 3u);
  EXPECT_EQ(m.actions[1], MacroAction::Delay(15300000));
  // After a key: 100 ms goes in; cancel takes it out again.
  step = ins.Begin(&m, 0, static_cast<int>(Choice::Delay));
  EXPECT_EQ(step.editPosition, 1u);
  EXPECT_EQ(ins.Edited(), MacroAction::Delay(100));
  EXPECT_EQ(m.MacroActionNum, 4u);
  EXPECT_EQ(ins.Cancel(), 0);
  EXPECT_EQ(m.MacroActionNum, 3u);
  EXPECT_EQ(m.MacroCommandActionNum, 2);
  // An empty macro gets its delay at 0.
  MacroRecord empty;
  step = ins.Begin(&empty, -1, static_cast<int>(Choice::Delay));
  EXPECT_EQ(step.editPosition, 0u);
  EXPECT_EQ(ins.Accept(250), 0);
  EXPECT_EQ(Actions(empty), std::vector<MacroAction>{MacroAction::Delay(250)});
  EXPECT_EQ(empty.MacroCommandActionNum, 0);
}

TEST(ActionInserterTest, MovesTakeTheirDirectionAndAClampedAmount) {
  struct Case {
    Choice choice;
    uint32_t typed;
    MacroAction expected;
  };
  const std::vector<Case> cases = {
      {Choice::MoveLeft, 5, {0xE5, 0, 0, 0xFB}},
      {Choice::MoveRight, 300, {0xE5, 0, 0, 127}},
      {Choice::MoveUp, 0, {0xE6, 0, 0, 0xFF}},
      {Choice::MoveDown, 127, {0xE6, 0, 0, 127}},
  };
  for (const Case& c : cases) {
    MacroRecord m = Macro({kA}, 1);
    ActionInserter ins;
    const auto step = ins.Begin(&m, -1, static_cast<int>(c.choice));
    EXPECT_EQ(step.editor, Editor::Move);
    EXPECT_EQ(ins.Accept(c.typed), 1);
    EXPECT_EQ(m.actions[1], c.expected) << static_cast<int>(c.choice);
    EXPECT_EQ(m.MacroCommandActionNum, 2);
  }
}

}  // namespace
