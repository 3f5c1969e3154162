#include "views/main/DpiPageRules.h"

#include <gtest/gtest.h>

#include "base/Text.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"
#include "views/main/DpiDialogRules.h"

namespace {

ProfileSettings Defaults(uint16_t sensor) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, sensor);
  return p;
}

SensorDpiTable Table(uint16_t sensor) {
  SensorDpiTable t;
  BuildSensorDpiTable(t, sensor);
  return t;
}

TEST(DpiPageRules, LevelsOfADefaultProfileShowTheSensorDefaults) {
  const SensorDpiTable table = Table(0x3950);
  const ProfileSettings p = Defaults(0x3950);
  const char16_t* dpi[8] = {u"400",  u"800",   u"1200",  u"1600",
                            u"3200", u"30000", u"30000", u"30000"};
  for (int n = 0; n < 8; ++n) {
    SCOPED_TRACE(n);
    const DpiLevelView v = DpiPageRules::Level(p, table, n);
    EXPECT_EQ(v.dpiText, dpi[n]);
    EXPECT_EQ(v.enabled, n < 6);
    EXPECT_EQ(v.active, n == 1);
    EXPECT_EQ(v.textColour, n == 1 ? 0x0000FFu : 0xB4B4B4u);  // red for the active level
    EXPECT_EQ(v.sliderPosition, v.xIndex);
  }
}

TEST(DpiPageRules, IndexesBeyondTheTableShowTheNearestValue) {
  // 0x3104 has 48 entries; its default levels 6 and 7 hold 58 and 50.
  const SensorDpiTable table = Table(0x3104);
  ProfileSettings p = Defaults(0x3104);
  p.XYSettingValueX[0] = 65535;
  struct Case {
    int level;
    int stored;
    int shown;
    const char16_t* text;
  } cases[] = {
      {6, 58, 47, u"8000"}, {7, 50, 47, u"8000"}, {0, 65535, 47, u"8000"}, {1, 15, 15, u"1600"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    const DpiLevelView v = DpiPageRules::Level(p, table, c.level);
    EXPECT_EQ(v.xIndex, c.stored);  // the profile keeps what it holds
    EXPECT_EQ(v.sliderPosition, c.shown);
    EXPECT_EQ(v.dpiText, c.text);
  }
  // An empty table (unknown sensor) shows nothing and offers nothing.
  const SensorDpiTable empty = Table(0x1234);
  EXPECT_EQ(DpiPageRules::Level(p, empty, 1).dpiText, u"");
  EXPECT_EQ(DpiPageRules::Level(p, empty, 1).sliderPosition, 0);
  EXPECT_FALSE(DpiPageRules::SetSliderIndex(p, empty, 1, 3));
  EXPECT_FALSE(DpiPageRules::ApplySingleDialog(p, empty, 1, 3));
  EXPECT_EQ(p.XYSettingValueX[1], 15);
  // A level number from outside never indexes the arrays.
  EXPECT_FALSE(DpiPageRules::Level(p, table, 8).enabled);
  EXPECT_EQ(DpiPageRules::ToggleLevel(p, -1, false), DpiPageRules::Toggle::Refused);
}

TEST(DpiPageRules, ClearingLevelsKeepsOneEnabledAndMovesTheActiveLevelOn) {
  struct Case {
    uint8_t mask;
    uint8_t active;
    int level;
    bool checked;
    DpiPageRules::Toggle result;
    uint8_t maskAfter;
    uint8_t activeAfter;
  } cases[] = {
      // The only enabled level stays enabled.
      {0x10, 4, 4, false, DpiPageRules::Toggle::Refused, 0x10, 4},
      // Levels 0..5 with 5 active: clearing 5 wraps round to 0.
      {0x3F, 5, 5, false, DpiPageRules::Toggle::Changed, 0x1F, 0},
      // The next enabled level after the cleared one, skipping disabled ones.
      {0x8B, 1, 1, false, DpiPageRules::Toggle::Changed, 0x89, 3},
      {0x81, 0, 0, false, DpiPageRules::Toggle::Changed, 0x80, 7},
      // Clearing another level leaves the active one.
      {0x3F, 1, 3, false, DpiPageRules::Toggle::Changed, 0x37, 1},
      // Enabling a level.
      {0x3F, 1, 7, true, DpiPageRules::Toggle::Changed, 0xBF, 1},
      {0x00, 0, 2, true, DpiPageRules::Toggle::Changed, 0x04, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mask " << int(c.mask) << " level " << c.level);
    ProfileSettings p = Defaults(0x3950);
    p.DPIOffOnFlagValue = c.mask;
    p.CurrentDPILevelValue = c.active;
    EXPECT_EQ(DpiPageRules::ToggleLevel(p, c.level, c.checked), c.result);
    EXPECT_EQ(p.DPIOffOnFlagValue, c.maskAfter);
    EXPECT_EQ(p.CurrentDPILevelValue, c.activeAfter);
  }
}

TEST(DpiPageRules, SelectingALevel) {
  ProfileSettings p = Defaults(0x3950);
  EXPECT_FALSE(DpiPageRules::SelectLevel(p, 1));  // already active
  EXPECT_FALSE(DpiPageRules::SelectLevel(p, 6));  // disabled: its button ignores clicks
  EXPECT_TRUE(DpiPageRules::SelectLevel(p, 4));
  EXPECT_EQ(p.CurrentDPILevelValue, 4);
  // A hand-edited level beyond 7 reads as level 0; selecting 0 makes it a real 0.
  p.CurrentDPILevelValue = 200;
  EXPECT_TRUE(DpiPageRules::Level(p, Table(0x3950), 0).active);
  EXPECT_TRUE(DpiPageRules::SelectLevel(p, 0));
  EXPECT_EQ(p.CurrentDPILevelValue, 0);
}

TEST(DpiPageRules, SliderAndDialogsStoreIndexesWithinTheTable) {
  const SensorDpiTable table = Table(0x3950);
  ProfileSettings p = Defaults(0x3950);
  // The slider moves X only.
  EXPECT_TRUE(DpiPageRules::SetSliderIndex(p, table, 2, 40));
  EXPECT_EQ(p.XYSettingValueX[2], 40);
  EXPECT_EQ(p.XYSettingValueY[2], 23);
  EXPECT_FALSE(DpiPageRules::SetSliderIndex(p, table, 2, 40));
  EXPECT_TRUE(DpiPageRules::SetSliderIndex(p, table, 2, 900));
  EXPECT_EQ(p.XYSettingValueX[2], 599);
  // The single dialog sets both axes, the XY dialog each.
  EXPECT_TRUE(DpiPageRules::ApplySingleDialog(p, table, 3, 16));
  EXPECT_EQ(p.XYSettingValueX[3], 16);
  EXPECT_EQ(p.XYSettingValueY[3], 16);
  EXPECT_TRUE(DpiPageRules::ApplyXYDialog(p, table, 3, 20, 700));
  EXPECT_EQ(p.XYSettingValueX[3], 20);
  EXPECT_EQ(p.XYSettingValueY[3], 599);
  DpiPageRules::SetLevelColour(p, 7, 0xFF123456);
  EXPECT_EQ(p.DPILevelIndication[7], 0x123456u);
}

TEST(DpiDialogRules, TypedValuesRoundUpToTheSensorsDpi) {
  const SensorDpiTable table = Table(0x3950);
  struct Case {
    const char16_t* typed;
    const char16_t* shown;
  } cases[] = {{u"850", u"850"}, {u"851", u"900"},     {u"99999", u"30000"},
               {u"0", u"50"},    {u"12345", u"12350"}, {u" 400x", u"400"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(base::ToUtf8(c.typed));
    DpiDialogRules rules(table, 15, 15);
    EXPECT_TRUE(rules.ApplyTyped(DpiDialogRules::kX, c.typed));
    EXPECT_EQ(rules.DpiText(DpiDialogRules::kX), c.shown);
  }
  // Nothing typed: the index stays.
  DpiDialogRules rules(table, 15, 15);
  EXPECT_FALSE(rules.ApplyTyped(DpiDialogRules::kX, u""));
  EXPECT_FALSE(rules.ApplyTyped(DpiDialogRules::kX, u"abc"));
  EXPECT_EQ(rules.Index(DpiDialogRules::kX), 15);
  // 0x3335 sends 800 DPI as device value 9.
  const SensorDpiTable t3335 = Table(0x3335);
  DpiDialogRules r3335(t3335, 0, 0);
  ASSERT_TRUE(r3335.ApplyTyped(DpiDialogRules::kX, u"800"));
  EXPECT_EQ(DeviceValueOf(t3335, r3335.Index(DpiDialogRules::kX)), 9);
}

TEST(DpiDialogRules, ArrowKeysStopAtBothEnds) {
  const SensorDpiTable table = Table(0x3104);
  DpiDialogRules rules(table, 1, 200);  // Y beyond the table starts at its last index
  EXPECT_EQ(rules.Index(DpiDialogRules::kY), 47);
  rules.Step(DpiDialogRules::kX, -1);
  rules.Step(DpiDialogRules::kX, -1);
  EXPECT_EQ(rules.Index(DpiDialogRules::kX), 0);
  rules.Step(DpiDialogRules::kY, +1);
  EXPECT_EQ(rules.Index(DpiDialogRules::kY), 47);
  EXPECT_EQ(rules.MaxIndex(), 47);
}

TEST(DpiDialogRules, SyncCopiesTheLeadingAxis) {
  const SensorDpiTable table = Table(0x3950);
  DpiDialogRules rules(table, 15, 31);
  // Off: the axes are independent.
  rules.Set(DpiDialogRules::kX, 20);
  EXPECT_EQ(rules.Index(DpiDialogRules::kY), 31);
  // Checking sync with different values makes Y equal X.
  rules.SetSync(true);
  EXPECT_EQ(rules.Index(DpiDialogRules::kY), 20);
  // Whichever axis changes leads.
  rules.Set(DpiDialogRules::kY, 40);
  EXPECT_EQ(rules.Index(DpiDialogRules::kX), 40);
  rules.Step(DpiDialogRules::kX, 1);
  EXPECT_EQ(rules.Index(DpiDialogRules::kY), 41);
  ASSERT_TRUE(rules.ApplyTyped(DpiDialogRules::kY, u"1000"));
  EXPECT_EQ(rules.Index(DpiDialogRules::kX), 19);
  // Off again: they part.
  rules.SetSync(false);
  rules.Set(DpiDialogRules::kX, 3);
  EXPECT_EQ(rules.Index(DpiDialogRules::kY), 19);
}

}  // namespace
