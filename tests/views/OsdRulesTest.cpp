// What the on-screen display says and where.

#include <gtest/gtest.h>

#include "base/Text.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"
#include "views/device/OSDDialog.h"
#include "views/device/OsdRules.h"

namespace {

TEST(OsdRulesTest, RateTexts) {
  const struct {
    int index;
    const char16_t* text;
  } cases[] = {{0, u"125Hz"},  {1, u"250Hz"},  {2, u"500Hz"},  {3, u"1000Hz"},   {4, u"2000Hz"},
               {5, u"4000Hz"}, {6, u"8000Hz"}, {7, u"8000Hz"}, {255, u"8000Hz"}, {-1, u"8000Hz"}};
  for (const auto& c : cases) EXPECT_EQ(OsdRules::RateText(c.index), c.text) << c.index;
}

TEST(OsdRulesTest, LinesForTheCurrentLevel) {
  SensorDpiTable table;
  table.count = 3;
  table.dpi = {};
  table.dpi[0] = 8;    // 400
  table.dpi[1] = 32;   // 1600
  table.dpi[2] = 520;  // 26000
  ProfileSettings profile;
  profile.XYSettingValueX = {0, 1, 2, 40, 0, 0, 0, 0};
  profile.PollingRateValue[0] = 6;

  profile.CurrentDPILevelValue = 1;
  EXPECT_EQ(OsdRules::Texts(profile, table), (OsdTexts{u"DPI-2", u"1600", u"8000Hz"}));
  profile.CurrentDPILevelValue = 2;
  profile.PollingRateValue[0] = 3;
  EXPECT_EQ(OsdRules::Texts(profile, table), (OsdTexts{u"DPI-3", u"26000", u"1000Hz"}));
  // A level past the table's end shows 0; a level above 7 counts as level 0.
  profile.CurrentDPILevelValue = 3;
  EXPECT_EQ(OsdRules::Texts(profile, table).value, u"0");
  profile.CurrentDPILevelValue = 9;
  EXPECT_EQ(OsdRules::Texts(profile, table), (OsdTexts{u"DPI-1", u"400", u"1000Hz"}));
}

TEST(OsdRulesTest, PositionsByLengthAndFace) {
  const std::u16string songti = u"宋体";
  const struct {
    const char16_t* value;
    int songti;
    int other;
  } values[] = {{u"26000", 34, 16}, {u"1600", 44, 34}, {u"400", 50, 50}, {u"0", 50, 50}};
  for (const auto& v : values) {
    EXPECT_EQ(OsdRules::ValueLeft(v.value, songti), v.songti) << base::ToUtf8(v.value);
    EXPECT_EQ(OsdRules::ValueLeft(v.value, u"Tahoma"), v.other) << base::ToUtf8(v.value);
  }
  EXPECT_EQ(OsdRules::RateLeft(u"8000Hz"), 50);
  EXPECT_EQ(OsdRules::RateLeft(u"500Hz"), 57);

  const platform::Rect work{0, 0, 1920, 1040};
  EXPECT_EQ(OsdRules::Placement(work, 1.0f), (platform::Rect{1740, 900, 1920, 1040}));
  EXPECT_EQ(OsdRules::Placement({100, 50, 1380, 770}, 1.5f),
            (platform::Rect{1110, 560, 1380, 770}));
}

TEST(OsdRulesTest, FontsCarryTheirCharacterWidths) {
  const platform::FontDesc small = COSDDialog::FontOf(OsdRules::kSmallFont);
  const platform::FontDesc large = COSDDialog::FontOf(OsdRules::kLargeFont);
  EXPECT_EQ(small.height, 24);
  EXPECT_EQ(small.width, 12);
  EXPECT_EQ(small.weight, 700);
  EXPECT_EQ(large.height, 48);
  EXPECT_EQ(large.width, 24);
  EXPECT_EQ(large.weight, 400);
}

}  // namespace
