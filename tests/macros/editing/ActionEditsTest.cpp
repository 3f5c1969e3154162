#include "macros/editing/ActionEdits.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace macros::editing;

TEST(ActionEditsTest, WhichEditorAnActionOpensAndWhatItWrites) {
  EXPECT_EQ(EditorFor(MacroAction::Delay(5)), ModifyEditor::Delay);
  EXPECT_EQ(EditorFor({0x07, 0, 0, 0}), ModifyEditor::Delay);
  for (uint8_t code = 0xE0; code <= 0xE7; ++code) {
    EXPECT_EQ(EditorFor({code, 0, 0, 0}), ModifyEditor::None) << int{code};
  }
  EXPECT_EQ(EditorFor({0xE8, 0, 0, 0}), ModifyEditor::Key);
  EXPECT_EQ(EditorFor(MacroAction::Key(0x41, true)), ModifyEditor::Key);

  // A release stays a release; a code that would read as a delay changes nothing.
  EXPECT_EQ(EditedKey(MacroAction::Key(0x41, true), 0x42), MacroAction::Key(0x42, true));
  EXPECT_EQ(EditedKey(MacroAction::Key(0x41, false), 0x03), MacroAction::Key(0x41, false));
  EXPECT_EQ(EditedDelay(15300001), MacroAction::Delay(15300000));
  EXPECT_EQ(EditedDelay(70000), (MacroAction{3, 0x01, 0x11, 0x70}));
}

TEST(ActionEditsTest, DigitsSaturateInsteadOfOverflowing) {
  EXPECT_EQ(ParseDigits(u"", 100), 0u);
  EXPECT_EQ(ParseDigits(u"042", 100), 42u);
  EXPECT_EQ(ParseDigits(u"99999999999999999999", 15300000), 15300000u);
}

TEST(ActionEditsTest, DeletingMovesTheSelectionAndKeepsTheCommandCount) {
  const MacroAction a = MacroAction::Key(0x41, false), d = MacroAction::Delay(9);
  MacroRecord m;
  for (const MacroAction& x : {a, d, a}) ASSERT_TRUE(m.InsertAction(m.MacroActionNum, x));
  m.MacroCommandActionNum = 2;
  EXPECT_EQ(DeleteSelectedAction(m, 1), 1);  // a delay: the count stays
  EXPECT_EQ(m.MacroCommandActionNum, 2);
  EXPECT_EQ(DeleteSelectedAction(m, 1), 0);  // the last one: the new last is selected
  EXPECT_EQ(m.MacroCommandActionNum, 1);
  EXPECT_EQ(DeleteSelectedAction(m, 5), -1);  // nothing there
  EXPECT_EQ(m.MacroActionNum, 1u);
  EXPECT_EQ(DeleteSelectedAction(m, 0), -1);  // empty now
  EXPECT_EQ(m.MacroActionNum, 0u);
  EXPECT_EQ(m.MacroCommandActionNum, 0);
  EXPECT_EQ(DeleteSelectedAction(m, -1), -1);
}

TEST(ActionEditsTest, LoopCountIsKeptWithin1To255) {
  struct Case {
    const char16_t* typed;
    uint8_t stored;
    const char16_t* shown;  // nullptr: the entry keeps what was typed
  };
  const std::vector<Case> cases = {
      {u"0", 1, u"1"},        {u"", 1, u"1"},        {u"7", 7, nullptr},
      {u"255", 255, nullptr}, {u"300", 255, u"255"}, {u"99999999999", 255, u"255"},
  };
  for (const Case& c : cases) {
    const LoopCountEdit edit = ParseLoopCount(c.typed);
    EXPECT_EQ(edit.value, c.stored);
    EXPECT_EQ(edit.replacement.has_value(), c.shown != nullptr);
    if (c.shown && edit.replacement) {
      EXPECT_EQ(*edit.replacement, c.shown);
    }
  }
}

TEST(ActionEditsTest, TheMouseHoldsAtMost92ActionsThatAreNotDelays) {
  MacroRecord m;
  for (int i = 0; i < 92; ++i)
    ASSERT_TRUE(m.InsertAction(m.MacroActionNum, MacroAction::Key(0x41, i % 2)));
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(m.InsertAction(0, MacroAction::Delay(1)));
  EXPECT_TRUE(FitsOnMouse(m));
  ASSERT_TRUE(m.InsertAction(0, MacroAction::Key(0x42, false)));
  EXPECT_FALSE(FitsOnMouse(m));
}

}  // namespace
