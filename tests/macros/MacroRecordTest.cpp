#include "macros/MacroRecord.h"

#include <gtest/gtest.h>

namespace {

MacroAction Key(uint8_t code) {
  return MacroAction::Key(code, false);
}

MacroRecord WithKeys(uint32_t count) {
  MacroRecord r;
  for (uint32_t i = 0; i < count; ++i)
    EXPECT_TRUE(r.InsertAction(i, Key(static_cast<uint8_t>(0x41 + i % 26))));
  return r;
}

TEST(MacroRecordTest, InsertMovesUpAppendsBeyondTheCountAndStopsAt184) {
  MacroRecord r = WithKeys(3);  // A B C
  ASSERT_TRUE(r.InsertAction(1, MacroAction::Delay(10)));
  EXPECT_EQ(r.MacroActionNum, 4u);
  EXPECT_EQ(r.GetAction(0), Key(0x41));
  EXPECT_EQ(r.GetAction(1), MacroAction::Delay(10));
  EXPECT_EQ(r.GetAction(2), Key(0x42));
  EXPECT_EQ(r.GetAction(3), Key(0x43));

  ASSERT_TRUE(r.InsertAction(500, Key(0x5A)));
  EXPECT_EQ(r.GetAction(4), Key(0x5A));
  EXPECT_EQ(r.MacroCommandActionNum, 0) << "callers maintain the command count";

  MacroRecord full = WithKeys(184);
  const MacroRecord before = full;
  EXPECT_FALSE(full.InsertAction(0, Key(0x20)));
  EXPECT_EQ(full, before);
}

TEST(MacroRecordTest, DeleteMovesDownAndZeroesTheFreedPlace) {
  MacroRecord r = WithKeys(3);
  EXPECT_FALSE(r.DeleteAction(3));
  ASSERT_TRUE(r.DeleteAction(0));
  EXPECT_EQ(r.MacroActionNum, 2u);
  EXPECT_EQ(r.GetAction(0), Key(0x42));
  EXPECT_EQ(r.GetAction(1), Key(0x43));
  EXPECT_EQ(r.GetAction(2), MacroAction{});

  MacroRecord full = WithKeys(184);
  ASSERT_TRUE(full.DeleteAction(183));
  EXPECT_EQ(full.GetAction(183), MacroAction{});
}

TEST(MacroRecordTest, SetAndGetStayInsideTheRecord) {
  MacroRecord r;
  EXPECT_TRUE(r.SetAction(183, Key(0x20)));
  EXPECT_FALSE(r.SetAction(184, Key(0x20)));
  EXPECT_EQ(r.MacroActionNum, 0u);
  EXPECT_EQ(r.GetAction(183), Key(0x20));
  EXPECT_EQ(r.GetAction(1000), MacroAction{});
}

TEST(MacroRecordTest, CountsAreBroughtBackToWhatTheRecordHolds) {
  struct Case {
    uint32_t actionNum;
    uint8_t commands;
    uint32_t wantActions;
    uint8_t wantCommands;
  };
  // Record: key, delay, key, delay, key in places 0..4.
  for (const Case& c : {Case{5, 3, 5, 3}, Case{5, 9, 5, 3}, Case{2, 2, 2, 1}, Case{0, 1, 0, 0},
                        Case{4000000000u, 0, 184, 0}, Case{185, 200, 184, 3}}) {
    MacroRecord r;
    for (uint32_t i = 0; i < 5; ++i) {
      r.actions[i] = i % 2 == 0 ? Key(0x41) : MacroAction::Delay(7);
    }
    r.MacroActionNum = c.actionNum;
    r.MacroCommandActionNum = c.commands;
    r.ClampCounts();
    EXPECT_EQ(r.MacroActionNum, c.wantActions) << c.actionNum;
    EXPECT_EQ(r.MacroCommandActionNum, c.wantCommands) << c.actionNum;
  }
  // Operations on a record with a damaged count never touch places beyond 184.
  MacroRecord damaged;
  damaged.MacroActionNum = 4000000000u;
  EXPECT_FALSE(damaged.InsertAction(0, Key(1)));
  EXPECT_TRUE(damaged.DeleteAction(183));
  EXPECT_EQ(damaged.MacroActionNum, 183u);
}

}  // namespace
