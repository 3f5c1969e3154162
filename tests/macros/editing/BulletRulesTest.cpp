#include "macros/editing/BulletRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using bullets::AddBullet;
using bullets::RemoveBullet;

MacroRecord NewShootingAction() {
  MacroRecord r;
  bullets::InitShootingAction(r);
  return r;
}

std::vector<MacroAction> InUse(const MacroRecord& r) {
  return {r.actions.begin(), r.actions.begin() + r.MacroActionNum};
}

TEST(BulletRulesTest, NewShootingActionHoldsFourTemplateBullets) {
  MacroRecord r;
  r.MacroActionNum = 3;  // whatever it held before is replaced
  r.actions[0] = MacroAction::Key(0x41, false);
  r.actions[100] = MacroAction::Key(0x42, false);
  r.MacroCommandActionNum = 7;
  bullets::InitShootingAction(r);
  EXPECT_EQ(r.MacroActionNum, 16u);
  EXPECT_EQ(r.MacroCommandActionNum, 8);
  EXPECT_EQ(bullets::BulletCount(r), 4u);
  const std::vector<MacroAction> bullet{
      {0xE3, 0, 0, 0}, {3, 0, 0, 10}, {0xE4, 0, 0, 2}, {3, 0, 0, 20}};
  for (uint32_t b = 0; b < 4; ++b) {
    for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(r.actions[b * 4 + i], bullet[i]) << b << ":" << i;
  }
  EXPECT_EQ(r.actions[16], MacroAction{});
  EXPECT_EQ(r.actions[100], MacroAction{});
  EXPECT_EQ(bullets::StepOf(r.actions[2]), (bullets::CursorStep{0, 2}));
}

TEST(BulletRulesTest, PlusAndMinusStayBetweenOneAndTenBullets) {
  MacroRecord r = NewShootingAction();
  EXPECT_TRUE(RemoveBullet(r));
  EXPECT_TRUE(RemoveBullet(r));
  EXPECT_TRUE(RemoveBullet(r));
  EXPECT_EQ(bullets::BulletCount(r), 1u);
  EXPECT_EQ(r.MacroCommandActionNum, 2);
  const MacroRecord one = r;
  EXPECT_FALSE(RemoveBullet(r));  // a fourth press does nothing
  EXPECT_EQ(r, one);

  int last = -1;
  for (int i = 0; i < 9; ++i) last = AddBullet(r);
  EXPECT_EQ(last, 39);  // the last action becomes the selected one
  EXPECT_EQ(bullets::BulletCount(r), 10u);
  EXPECT_EQ(r.MacroCommandActionNum, 20);
  const MacroRecord ten = r;
  EXPECT_EQ(AddBullet(r), -1);  // plus at ten bullets does nothing
  EXPECT_EQ(r, ten);
}

TEST(BulletRulesTest, MinusRemovesTheLastFourActionsWhateverTheyAre) {
  // An imported entry that is no bullet at all: six key actions, two delays.
  MacroRecord r;
  const std::vector<MacroAction> actions{
      MacroAction::Key(0x41, false), MacroAction::Delay(5),        MacroAction::Key(0x41, true),
      MacroAction::Key(0x42, false), MacroAction::Key(0x42, true), MacroAction::Delay(7),
      MacroAction::Key(0x43, false), MacroAction::Key(0x43, true)};
  for (const MacroAction& a : actions) ASSERT_TRUE(r.InsertAction(r.MacroActionNum, a));
  r.MacroCommandActionNum = 6;
  ASSERT_TRUE(RemoveBullet(r));
  EXPECT_EQ(InUse(r), std::vector<MacroAction>(actions.begin(), actions.begin() + 4));
  EXPECT_EQ(r.MacroCommandActionNum, 3);  // three key actions went, not two
  EXPECT_EQ(r.actions[4], MacroAction{});
  EXPECT_FALSE(RemoveBullet(r));  // four actions left

  // A count that a file understated never wraps below zero.
  MacroRecord low = NewShootingAction();
  low.MacroCommandActionNum = 1;
  ASSERT_TRUE(RemoveBullet(low));
  EXPECT_EQ(low.MacroCommandActionNum, 0);
}

TEST(BulletRulesTest, PlusAppendsAfterAnOddImportedLengthWithinTheRecord) {
  MacroRecord r;
  for (int i = 0; i < 38; ++i) ASSERT_TRUE(r.InsertAction(r.MacroActionNum, MacroAction::Delay(1)));
  EXPECT_EQ(AddBullet(r), 41);
  EXPECT_EQ(r.MacroActionNum, 42u);
  EXPECT_EQ(r.actions[38].b0, bullets::kFire);
  EXPECT_EQ(bullets::BulletCount(r), 10u);
  EXPECT_EQ(AddBullet(r), -1);

  // A record that claims more than its 184 places never reads past them.
  MacroRecord big;
  big.MacroActionNum = 500;
  EXPECT_EQ(bullets::BulletCount(big), 46u);
  EXPECT_EQ(bullets::ColumnCount(big), 46);
  EXPECT_TRUE(RemoveBullet(big));
  EXPECT_EQ(big.MacroActionNum, 180u);
}

TEST(BulletRulesTest, StepEditorStopsAt127EitherWay) {
  struct Case {
    int from;
    int up;
    int down;
  };
  for (const Case& c : {Case{0, 1, -1}, Case{126, 127, 125}, Case{127, 127, 126},
                        Case{-126, -125, -127}, Case{-127, -126, -127}, Case{-128, -127, -128}}) {
    EXPECT_EQ(bullets::StepUp(c.from), c.up) << c.from;
    EXPECT_EQ(bullets::StepDown(c.from), c.down) << c.from;
  }
  int y = 2;
  for (int i = 0; i < 300; ++i) y = bullets::StepUp(y);
  EXPECT_EQ(y, 127);
  int x = 0;
  for (int i = 0; i < 300; ++i) x = bullets::StepDown(x);
  EXPECT_EQ(x, -127);

  const MacroAction a = bullets::WithStep({0xE4, 0, 0, 2}, {-127, 127});
  EXPECT_EQ(a, (MacroAction{0xE4, 0, 0x81, 0x7F}));
  EXPECT_EQ(bullets::StepOf(a), (bullets::CursorStep{-127, 127}));
  EXPECT_EQ(bullets::StepOf({0xE4, 0, 0x80, 0xFF}), (bullets::CursorStep{-128, -1}));
}

TEST(BulletRulesTest, WheelMovesOneColumnOnlyWhileThereIsMoreToShow) {
  MacroRecord r = NewShootingAction();  // 16 actions: exactly what the list shows
  EXPECT_EQ(bullets::WheelColumn(0, -120, r), 0);
  EXPECT_EQ(bullets::WheelColumn(0, 120, r), 0);
  (void)AddBullet(r);
  (void)AddBullet(r);  // 6 columns: the first shown column runs 0..2
  EXPECT_EQ(bullets::WheelColumn(0, -120, r), 1);
  EXPECT_EQ(bullets::WheelColumn(1, -120, r), 2);
  EXPECT_EQ(bullets::WheelColumn(2, -120, r), 2);
  EXPECT_EQ(bullets::WheelColumn(2, 120, r), 1);
  EXPECT_EQ(bullets::WheelColumn(0, 120, r), 0);
  EXPECT_EQ(bullets::ClampFirstColumn(9, r), 2);
  r.MacroActionNum = 25;  // a partial last bullet still gets its own column
  EXPECT_EQ(bullets::ColumnCount(r), 7);
  EXPECT_EQ(bullets::ClampFirstColumn(9, r), 3);
}

}  // namespace
