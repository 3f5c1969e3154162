#include "profiles/ProfileSettings.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <vector>

#include "ProfileTestSupport.h"
#include "base/Format.h"
#include "base/Text.h"
#include "profiles/PollingRate.h"
#include "profiles/SensorDpiTable.h"

namespace {

using platform::Rgb;
using profile_test::SetTestLanguage;

class ProfileSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTestLanguage(); }
  void TearDown() override { ResetLanguage(); }
};

// Every default value is pinned byte for byte by the golden file default_3950.psf (see
// ProfileFileTest); these are the rules the defaults must keep whatever their values.
TEST_F(ProfileSettingsTest, ResetKeepsTheRulesOfTheDefaults) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 2, 0x3950);

  EXPECT_EQ(p.PairKey(0), u"ProfileName");
  EXPECT_EQ(p.ProfileName(), LangText(87));
  EXPECT_EQ(p.PairKey(static_cast<int>(TextSetting::RippleControl)), u"RippleControl");
  // Everything but the name and the three game files is a number, written as "%d" writes it.
  for (int i = static_cast<int>(TextSetting::DoubleClickSpeed); i < ProfileSettings::kPairCount;
       ++i) {
    EXPECT_EQ(base::Format(u"%d", base::ParseDecimal(p.PairValue(i))), p.PairValue(i)) << i;
  }
  EXPECT_EQ(p.PairValue(static_cast<int>(TextSetting::KeyDebounce)), u"2");

  // Five distinct mouse buttons with the left one first, then the DPI button; each is named by
  // its language text and carries nothing else.
  std::set<uint8_t> masks;
  for (int k = 0; k < ProfileSettings::kButtonCount; ++k) {
    const ButtonSlot& b = p.buttons[k];
    EXPECT_EQ(b.KeyName, LangText(k < 5 ? 20 + k : 42)) << k;
    EXPECT_TRUE(b.KeyURL.empty());
    EXPECT_EQ(b.MacroKeyIndex, 0u);
    EXPECT_EQ(b.macro, MacroRecord{});
    EXPECT_EQ(b.KeyValue[2], 0);
    if (k < 5) {
      EXPECT_EQ(b.KeyValue[0], 0x10) << k;
      EXPECT_EQ(std::popcount(b.KeyValue[1]), 1) << k;
      masks.insert(b.KeyValue[1]);
    }
  }
  EXPECT_EQ(masks.size(), 5u);
  EXPECT_EQ(p.buttons[0].KeyValue, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
  EXPECT_EQ(p.buttons[5].KeyValue, (std::array<uint8_t, 3>{0x40, 0x01, 0x00}));
  EXPECT_EQ(p.buttons[0].macro.MacroKeyLoopType, 2);
  EXPECT_EQ(p.buttons[0].macro.MacroKeyLoopNum, 1);

  // The polling name and index name the same rate: 1000 Hz.
  EXPECT_EQ(p.PollingRateValue, (std::array<uint8_t, 3>{3, 0, 0}));
  EXPECT_EQ(p.PollingRateName, PollingRate::Name(p.PollingRateValue[0]));
  EXPECT_EQ(PollingRate::Hertz(p.PollingRateValue[0]), 1000);

  // Speed 1 and brightness 3 everywhere; exactly effects 2, 3, 6 and 8 come with colours, in
  // their first slots, and a slot is marked used exactly when it has a colour.
  const LightingZone& z = p.lighting;
  EXPECT_EQ(z.Lighting1Name, LangText(109));
  EXPECT_EQ(z.Lighting2Name, LangText(100));
  std::vector<std::pair<int, int>> coloured;  // effect, used slots
  for (int e = 0; e < LightingZone::kEffectCount; ++e) {
    EXPECT_EQ(z.Lighting1Speed[e], 1) << e;
    EXPECT_EQ(z.Lighting1Brightness[e], 3) << e;
    EXPECT_EQ(z.Lighting1Direction[e], e == 1 ? 1 : 0) << e;
    int used = 0;
    for (int s = 0; s < LightingZone::kColourSlots; ++s) {
      const bool flagged = z.Lighting1ColorSelected[e][s] != 0;
      EXPECT_EQ(flagged, z.Lighting1FixedColor[e][s] != 0) << e << "/" << s;
      if (!flagged) continue;
      EXPECT_EQ(s, used) << e << ": slots are used from the first on";
      ++used;
    }
    if (used > 0) coloured.emplace_back(e, used);
  }
  EXPECT_EQ(coloured, (std::vector<std::pair<int, int>>{{2, 7}, {3, 1}, {6, 8}, {8, 2}}));
  EXPECT_EQ(z.Lighting1FixedColor[2][0], Rgb(0xFF, 0, 0));
  EXPECT_EQ(z.Lighting1FixedColor[6][7], Rgb(0xFA, 0x46, 0xFF));
  EXPECT_EQ(z.Lighting1FixedColor[8][1], Rgb(0xFA, 0, 0x6A));

  // Levels 0..5 enabled, level 1 active, each enabled level with its own colour.
  EXPECT_EQ(p.DPIOffOnFlagValue, 0x3F);
  EXPECT_EQ(p.CurrentDPILevelValue, 1);
  std::set<platform::Colour> levelColours(p.DPILevelIndication.begin(),
                                          p.DPILevelIndication.begin() + 6);
  EXPECT_EQ(levelColours.size(), 6u);
  EXPECT_EQ(p.DPILevelIndication[0], Rgb(0xFF, 0, 0));
  EXPECT_EQ(p.AngleSnapValue, 0);
  EXPECT_EQ(p.LiftDetectionValue, 1);
}

TEST_F(ProfileSettingsTest, ProfileNameFollowsTheSlot) {
  ProfileSettings p;
  for (int slot = 0; slot < 5; ++slot) {
    ResetProfileToDefaults(p, slot, 0x3950);
    EXPECT_EQ(p.ProfileName(), LangText(85 + slot));
  }
  ResetProfileToDefaults(p, 7, 0x3950);  // no text of another meaning is taken
  EXPECT_EQ(p.ProfileName(), u"");
}

// The default levels by the DPI they give through the sensor's table (0: the index lies
// beyond the table), so that an edit to either table shows.
TEST_F(ProfileSettingsTest, SensorDefaultsGiveTheirDpi) {
  const struct {
    uint16_t sensor;
    std::array<int, 8> dpi;
  } rows[] = {
      {0x3104, {500, 1600, 2400, 3200, 4000, 4800, 0, 0}},
      {0x3809, {400, 800, 1600, 2400, 3200, 4800, 6000, 0}},
      {0x3220, {400, 800, 1600, 2400, 3200, 6400, 8000, 8000}},
      {0x0205, {400, 800, 1600, 3200, 6400, 12000, 12000, 12000}},
      {0x3311, {400, 800, 1600, 3200, 6400, 12000, 12000, 12000}},
      {0x3325, {400, 800, 1600, 3200, 6400, 10000, 10000, 10000}},
      {0x3327, {400, 800, 1600, 3200, 5000, 6000, 6000, 6000}},
      {0x3212, {800, 1200, 1600, 2400, 4000, 1400, 1400, 1400}},
      {0x3335, {400, 800, 1600, 3200, 6400, 16000, 16000, 16000}},
      {0x3360, {400, 800, 1600, 3200, 5000, 6000, 6000, 6000}},
      {0x3389, {400, 800, 1600, 3200, 5000, 6000, 6000, 6000}},
      {0x3395, {400, 800, 1200, 1600, 3200, 26000, 26000, 26000}},
      {0x3950, {400, 800, 1200, 1600, 3200, 30000, 30000, 30000}},
      {0x0070, {400, 800, 1600, 3200, 6400, 30000, 30000, 30000}},
      {0x3399, {400, 800, 1600, 3200, 5000, 5000, 5000, 5000}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "sensor 0x" << std::hex << row.sensor);
    ProfileSettings p;
    ResetProfileToDefaults(p, 0, row.sensor);
    EXPECT_EQ(p.XYSettingValueX, p.XYSettingValueY);
    SensorDpiTable table;
    BuildSensorDpiTable(table, row.sensor);
    for (int level = 0; level < 8; ++level) {
      EXPECT_EQ(DpiOf(table, p.XYSettingValueX[level]), row.dpi[level]) << "level " << level;
    }
    // Levels 6 and 7 exist but are disabled by the default mask.
    EXPECT_EQ(p.DPIOffOnFlagValue, 0x3F);
  }
}

TEST_F(ProfileSettingsTest, UnlistedSensorKeepsXYButSetsTheRest) {
  ProfileSettings p = profile_test::EveryFieldProfile();
  ApplySensorDpiDefaults(p, 0x1234);
  EXPECT_EQ(p.XYSettingValueX[3], profile_test::EveryFieldProfile().XYSettingValueX[3]);
  EXPECT_EQ(p.DPIOffOnFlagValue, 0x3F);
  EXPECT_EQ(p.CurrentDPILevelValue, 1);
  EXPECT_EQ(p.DPILevelIndication[0], Rgb(255, 0, 0));
  EXPECT_EQ(p.AngleSnapValue, 0);
  EXPECT_EQ(p.LiftDetectionValue, 1);
  // Apart from the DPI block the profile is untouched.
  EXPECT_EQ(p.buttons, profile_test::EveryFieldProfile().buttons);
  EXPECT_EQ(p.lighting, profile_test::EveryFieldProfile().lighting);

  // A reset does not keep whatever X and Y values were there before.
  ResetProfileToDefaults(p, 0, 0x1234);
  EXPECT_EQ(p.XYSettingValueX, (std::array<uint16_t, 8>{}));
}

TEST_F(ProfileSettingsTest, AccessorsOutsideTheirRangeTouchNothing) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, 0x3950);
  const ProfileSettings before = p;
  EXPECT_EQ(p.PairKey(23), u"");
  EXPECT_EQ(p.PairValue(23), u"");
  EXPECT_EQ(p.PairValue(-1), u"");
  p.SetPairValue(23, u"x");
  p.SetPairValue(-1, u"x");
  EXPECT_EQ(p.ButtonAt(6), nullptr);
  EXPECT_EQ(p.ButtonAt(-1), nullptr);
  EXPECT_EQ(p, before);
  ASSERT_NE(p.ButtonAt(5), nullptr);
  EXPECT_EQ(p.ButtonAt(5), &p.buttons[5]);
}

TEST_F(ProfileSettingsTest, TypedSetters) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, 0x3950);
  const struct {
    TextSetting setting;
    bool boolean;
    int argument;
    const char16_t* stored;
  } cases[] = {
      {TextSetting::AngleSnap, true, 5, u"1"},        {TextSetting::MotionSync, true, 0, u"0"},
      {TextSetting::RippleControl, true, -3, u"1"},   {TextSetting::PowerDownTime, false, 8, u"8"},
      {TextSetting::KeyDebounce, false, -12, u"-12"}, {TextSetting::PointerSpeed, false, 0, u"0"},
  };
  for (const auto& c : cases) {
    if (c.boolean) {
      p.SetBool(c.setting, c.argument);
    } else {
      p.SetInt(c.setting, c.argument);
    }
    EXPECT_EQ(p.PairValue(static_cast<int>(c.setting)), c.stored) << c.argument;
  }
  EXPECT_EQ(p.Int(TextSetting::KeyDebounce), -12);
  p.SetPairValue(static_cast<int>(TextSetting::PointerSpeed), u"x");
  EXPECT_EQ(p.Int(TextSetting::PointerSpeed), 0);
}

TEST_F(ProfileSettingsTest, LevelAndEffectFromFilesAreBoundedForIndexing) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, 0x3950);
  p.CurrentDPILevelValue = 7;
  EXPECT_EQ(p.ActiveDpiLevel(), 7);
  p.CurrentDPILevelValue = 8;
  EXPECT_EQ(p.ActiveDpiLevel(), 0);
  p.lighting.Lighting1ModeValue[0] = 9;
  EXPECT_EQ(p.lighting.CurrentEffect(), 9);
  p.lighting.Lighting1ModeValue[0] = 10;
  EXPECT_EQ(p.lighting.CurrentEffect(), 0);
  p.lighting.Lighting1ModeValue[0] = 0xFF;
  EXPECT_EQ(p.lighting.CurrentEffect(), 0);
}

}  // namespace
