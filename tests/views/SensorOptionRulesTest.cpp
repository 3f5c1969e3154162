#include "views/main/SensorOptionRules.h"

#include <gtest/gtest.h>

#include "base/Language.h"

namespace {

using Group = SettingsWriter::Group;

ProfileSettings Defaults() {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, 0x3950);
  return p;
}

void Set(ProfileSettings& p, TextSetting s, std::u16string_view value) {
  p.SetPairValue(static_cast<int>(s), value);
}

TEST(SensorOptionRules, EachControlMarksItsGroup) {
  struct Case {
    uint32_t id;
    std::optional<Group> group;
  } cases[] = {{3510, Group::Dpi},    {3511, Group::Dpi},    {3530, Group::Dpi},
               {3500, Group::Power},  {3501, Group::Power},  {3504, Group::Power},
               {3540, Group::Sensor}, {3541, Group::Sensor}, {3542, Group::Sensor},
               {2030, std::nullopt},  {2009, std::nullopt},  {2010, std::nullopt},
               {2041, std::nullopt},  {2043, std::nullopt},  {2044, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(SensorOptionRules::GroupFor(c.id), c.group);
  }
}

TEST(SensorOptionRules, ABooleanIsOnOnlyWhenItIsExactlyOne) {
  struct Case {
    const char16_t* value;
    bool on;
  } cases[] = {{u"1", true}, {u"0", false},   {u"2", false}, {u"-1", false},
               {u"", false}, {u"abc", false}, {u" 1", true}, {u"1x", true}};
  for (const Case& c : cases) {
    ProfileSettings p = Defaults();
    Set(p, TextSetting::MotionSync, c.value);
    EXPECT_EQ(SensorOptionRules::IsOn(p, TextSetting::MotionSync), c.on);
  }
  EXPECT_EQ(SensorOptionRules::CheckSetting(3541), TextSetting::MotionSync);
  EXPECT_EQ(SensorOptionRules::CheckSetting(2030), TextSetting::AccelerationEnable);
  EXPECT_EQ(SensorOptionRules::CheckSetting(3530), std::nullopt);
}

TEST(SensorOptionRules, PowerLevelsOutsideOneToEightLeaveTheDial) {
  ResetLanguage();
  g_strLangText[266] = u"Sleep level ";
  g_strLangText[267] = u" of 8";
  struct Case {
    const char16_t* value;
    std::optional<int> region;
  } cases[] = {{u"1", 0},
               {u"8", 7},
               {u"0", std::nullopt},
               {u"9", std::nullopt},
               {u"x", std::nullopt},
               {u"-3", std::nullopt}};
  for (const Case& c : cases) {
    ProfileSettings p = Defaults();
    Set(p, TextSetting::PowerDownTime, c.value);
    EXPECT_EQ(SensorOptionRules::PowerRegion(p), c.region);
  }
  EXPECT_EQ(SensorOptionRules::PowerCaption(1), u"Sleep level 1 of 8");
  ProfileSettings p = Defaults();
  EXPECT_FALSE(SensorOptionRules::SetPowerLevel(p, 0));  // default "1"
  EXPECT_TRUE(SensorOptionRules::SetPowerLevel(p, 4));
  EXPECT_EQ(p.PairValue(static_cast<int>(TextSetting::PowerDownTime)), u"5");
  EXPECT_FALSE(SensorOptionRules::SetPowerLevel(p, 8));
  ResetLanguage();
}

TEST(SensorOptionRules, SlidersLiftOffAndDebounceFromEditedFiles) {
  ProfileSettings p = Defaults();
  struct Case {
    TextSetting setting;
    const char16_t* value;
    int stops;
    int position;
  } cases[] = {
      {TextSetting::KeyDebounce, u"12", 31, 12},     {TextSetting::KeyDebounce, u"99", 31, 30},
      {TextSetting::KeyDebounce, u"-4", 31, 0},      {TextSetting::ScrollWheelSpeed, u"9", 10, 9},
      {TextSetting::ScrollWheelSpeed, u"10", 10, 9}, {TextSetting::PointerSpeed, u"10", 11, 10},
      {TextSetting::DoubleClickSpeed, u"abc", 11, 0}};
  for (const Case& c : cases) {
    Set(p, c.setting, c.value);
    EXPECT_EQ(SensorOptionRules::SliderPosition(p, c.setting, c.stops), c.position);
  }
  EXPECT_EQ(SensorOptionRules::DebounceLabel(12), u"12ms");
  EXPECT_EQ(SensorOptionRules::PlusOneLabel(4), u"5");

  struct Lift {
    const char16_t* value;
    bool low;
  } lifts[] = {{u"1", true}, {u"2", false}, {u"3", false}, {u"abc", false}};
  for (const Lift& l : lifts) {
    Set(p, TextSetting::LiftDetectionHeight, l.value);
    EXPECT_EQ(SensorOptionRules::LiftOffLowSelected(p), l.low);
  }
  EXPECT_TRUE(SensorOptionRules::SetLiftOff(p, false));  // "abc" becomes "2"
  EXPECT_FALSE(SensorOptionRules::SetLiftOff(p, false));
  EXPECT_TRUE(SensorOptionRules::SetLiftOff(p, true));
  EXPECT_EQ(p.PairValue(static_cast<int>(TextSetting::LiftDetectionHeight)), u"1");
}

TEST(SensorOptionRules, PointerCollectionCopiesScrollSpeedIntoTiltSpeed) {
  ProfileSettings p = Defaults();
  SensorOptionRules::CollectPointer(p, {true, false, 4, 10, 0});
  EXPECT_EQ(p.Int(TextSetting::ScrollWheelSpeed), 4);
  EXPECT_EQ(p.Int(TextSetting::TiltSpeed), 4);
  EXPECT_EQ(p.PairValue(static_cast<int>(TextSetting::ScrollWheelPageEnable)), u"1");
  EXPECT_EQ(p.PairValue(static_cast<int>(TextSetting::AccelerationEnable)), u"0");
  EXPECT_EQ(p.Int(TextSetting::PointerSpeed), 10);
  EXPECT_EQ(p.Int(TextSetting::DoubleClickSpeed), 0);
}

}  // namespace
