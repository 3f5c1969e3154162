#include "profiles/ProfileSettings.h"

#include <gtest/gtest.h>

#include "ProfileTestSupport.h"
#include "profiles/SensorDpiTable.h"

namespace {

using platform::Rgb;
using profile_test::SetTestLanguage;

class ProfileSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTestLanguage(); }
  void TearDown() override { ResetLanguage(); }
};

TEST_F(ProfileSettingsTest, ResetGivesEveryDefault) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 2, 0x3950);

  const char16_t* expected[][2] = {
      {u"ProfileName", u"配置3"},
      {u"GameFile0", u""},
      {u"GameFile1", u""},
      {u"GameFile2", u""},
      {u"DoubleClickSpeed", u"6"},
      {u"PointerSpeed", u"5"},
      {u"AccelerationEnable", u"1"},
      {u"ScrollWheelSpeed", u"2"},
      {u"ScrollWheelPageEnable", u"0"},
      {u"TiltSpeed", u"2"},
      {u"Sensitivity_X", u"4"},
      {u"Sensitivity_Y", u"4"},
      {u"XYSynchronous", u"1"},
      {u"X_DPI", u"1"},
      {u"Y_DPI", u"1"},
      {u"MoveLightingOnOffMode", u"0"},
      {u"PowerDownTime", u"1"},
      {u"LiftDetectionHeight", u"2"},
      {u"KeyDebounce", u"2"},
      {u"MotionWakeup", u"1"},
      {u"AngleSnap", u"0"},
      {u"MotionSync", u"1"},
      {u"RippleControl", u"0"},
  };
  for (int i = 0; i < ProfileSettings::kPairCount; ++i) {
    EXPECT_EQ(p.PairKey(i), expected[i][0]) << i;
    EXPECT_EQ(p.PairValue(i), expected[i][1]) << i;
  }

  const struct {
    const char16_t* name;
    std::array<uint8_t, 3> code;
  } buttons[] = {{u"左键", {0x10, 0x01, 0}}, {u"右键", {0x10, 0x02, 0}},
                 {u"中键", {0x10, 0x04, 0}}, {u"前进", {0x10, 0x10, 0}},
                 {u"后退", {0x10, 0x08, 0}}, {u"DPI循环", {0x40, 0x01, 0}}};
  for (int k = 0; k < 6; ++k) {
    const ButtonSlot& b = p.buttons[k];
    EXPECT_EQ(b.KeyName, buttons[k].name) << k;
    EXPECT_EQ(b.KeyValue, buttons[k].code) << k;
    EXPECT_TRUE(b.KeyURL.empty());
    EXPECT_EQ(b.MacroKeyIndex, 0u);
    EXPECT_EQ(b.macro, MacroRecord{});
    EXPECT_EQ(b.macro.MacroKeyLoopType, 2);
    EXPECT_EQ(b.macro.MacroKeyLoopNum, 1);
  }

  EXPECT_EQ(p.PollingRateName, u"1000HZ");
  EXPECT_EQ(p.PollingRateValue, (std::array<uint8_t, 3>{3, 0, 0}));

  const LightingZone& z = p.lighting;
  EXPECT_EQ(z.Lighting1OffOn, 1);
  EXPECT_EQ(z.Lighting1Name, u"幻彩");
  EXPECT_EQ(z.Lighting1ModeValue, (std::array<uint8_t, 3>{0, 0, 0}));
  for (int e = 0; e < 10; ++e) {
    EXPECT_EQ(z.Lighting1Speed[e], 1) << e;
    EXPECT_EQ(z.Lighting1Brightness[e], 3) << e;
    EXPECT_EQ(z.Lighting1Direction[e], e == 1 ? 1 : 0) << e;
  }
  // The four effects that come with colours; every other flag and colour is 0.
  const std::vector<std::pair<int, std::vector<platform::Colour>>> coloured = {
      {2,
       {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 0),
        Rgb(255, 0, 255), Rgb(255, 255, 255)}},
      {3, {Rgb(255, 0, 255)}},
      {6,
       {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 0), Rgb(0, 255, 255),
        Rgb(0xFA, 0, 0xFA), Rgb(255, 255, 255), Rgb(0xFA, 0x46, 0xFF)}},
      {8, {Rgb(0, 255, 0), Rgb(0xFA, 0, 0x6A)}},
  };
  for (int e = 0; e < 10; ++e) {
    std::vector<platform::Colour> colours;
    for (const auto& [effect, list] : coloured) {
      if (effect == e) colours = list;
    }
    for (size_t s = 0; s < 10; ++s) {
      const bool used = s < colours.size();
      EXPECT_EQ(z.Lighting1ColorSelected[e][s], used ? 1 : 0) << e << "/" << s;
      EXPECT_EQ(z.Lighting1FixedColor[e][s], used ? colours[s] : 0u) << e << "/" << s;
    }
  }
  EXPECT_EQ(z.Lighting2OffOn, 0);
  EXPECT_EQ(z.Lighting2Name, u"常亮");
  EXPECT_EQ(z.Lighting2ModeValue, (std::array<uint8_t, 3>{1, 0, 0}));
  EXPECT_EQ(z.Lighting2Speed, 0);
  EXPECT_EQ(z.Lighting2Brightness, 0);
  EXPECT_EQ(z.Lighting2FixedColor, 0u);

  EXPECT_EQ(p.DPIOffOnFlagValue, 0x3F);
  EXPECT_EQ(p.CurrentDPILevelValue, 1);
  EXPECT_EQ(p.DPILevelIndication,
            (std::array<platform::Colour, 8>{Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(0, 255, 0),
                                             Rgb(255, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255),
                                             Rgb(255, 255, 255), Rgb(255, 255, 255)}));
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

TEST_F(ProfileSettingsTest, SensorDefaultsForEveryListedSensor) {
  const struct {
    uint16_t sensor;
    std::array<uint16_t, 8> indices;
    std::array<int, 8> dpi;  // 0 where the index lies beyond the table
  } rows[] = {
      {0x3104, {4, 15, 23, 31, 39, 41, 58, 50}, {500, 1600, 2400, 3200, 4000, 4800, 0, 0}},
      {0x3809, {3, 7, 15, 23, 31, 47, 59, 79}, {400, 800, 1600, 2400, 3200, 4800, 6000, 0}},
      {0x3220, {3, 7, 15, 23, 31, 63, 79, 79}, {400, 800, 1600, 2400, 3200, 6400, 8000, 8000}},
      {0x0205,
       {3, 7, 15, 31, 63, 119, 119, 119},
       {400, 800, 1600, 3200, 6400, 12000, 12000, 12000}},
      {0x3311,
       {3, 7, 15, 31, 63, 119, 119, 119},
       {400, 800, 1600, 3200, 6400, 12000, 12000, 12000}},
      {0x3325, {3, 7, 15, 31, 63, 99, 99, 99}, {400, 800, 1600, 3200, 6400, 10000, 10000, 10000}},
      {0x3327, {2, 6, 14, 30, 48, 58, 58, 58}, {400, 800, 1600, 3200, 5000, 6000, 6000, 6000}},
      {0x3212, {6, 10, 14, 22, 33, 12, 12, 12}, {800, 1200, 1600, 2400, 4000, 1400, 1400, 1400}},
      {0x3335,
       {3, 7, 15, 31, 63, 159, 159, 159},
       {400, 800, 1600, 3200, 6400, 16000, 16000, 16000}},
      {0x3360, {3, 7, 15, 31, 49, 59, 59, 59}, {400, 800, 1600, 3200, 5000, 6000, 6000, 6000}},
      {0x3389, {3, 7, 15, 31, 49, 59, 59, 59}, {400, 800, 1600, 3200, 5000, 6000, 6000, 6000}},
      {0x3395,
       {7, 15, 23, 31, 63, 519, 519, 519},
       {400, 800, 1200, 1600, 3200, 26000, 26000, 26000}},
      {0x3950,
       {7, 15, 23, 31, 63, 599, 599, 599},
       {400, 800, 1200, 1600, 3200, 30000, 30000, 30000}},
      {0x0070,
       {7, 15, 31, 63, 127, 599, 599, 599},
       {400, 800, 1600, 3200, 6400, 30000, 30000, 30000}},
      {0x3399, {7, 15, 31, 63, 99, 99, 99, 99}, {400, 800, 1600, 3200, 5000, 5000, 5000, 5000}},
  };
  for (const auto& row : rows) {
    ProfileSettings p;
    ResetProfileToDefaults(p, 0, row.sensor);
    EXPECT_EQ(p.XYSettingValueX, row.indices) << std::hex << row.sensor;
    EXPECT_EQ(p.XYSettingValueY, row.indices) << std::hex << row.sensor;
    SensorDpiTable table;
    BuildSensorDpiTable(table, row.sensor);
    for (int level = 0; level < 8; ++level) {
      EXPECT_EQ(DpiOf(table, p.XYSettingValueX[level]), row.dpi[level])
          << std::hex << row.sensor << std::dec << " level " << level;
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
