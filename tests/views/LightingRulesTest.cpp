#include "views/main/LightingRules.h"

#include <gtest/gtest.h>

#include "base/Language.h"
#include "profiles/ProfileSettings.h"

namespace {

class LightingRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLanguage();
    g_strLangText[101] = u"Breathing";
    g_strLangText[102] = u"Steady";
    g_strLangText[109] = u"Off";
    ResetProfileToDefaults(p, 0, 0x3950);
  }
  void TearDown() override { ResetLanguage(); }
  void SetEffect(uint8_t effect) { p.lighting.Lighting1ModeValue = {effect, 0, 0}; }
  uint8_t& Selected(int effect, int slot) {
    return p.lighting
        .Lighting1ColorSelected[static_cast<size_t>(effect)][static_cast<size_t>(slot)];
  }
  ProfileSettings p;
};

TEST_F(LightingRulesTest, EffectMenuStoresNameAndMode) {
  ASSERT_EQ(LightingRules::kEffectMenu.size(), 3u);
  struct Case {
    int entry;
    const char16_t* name;
    uint8_t effect;
  } cases[] = {{0, u"Breathing", 2}, {1, u"Steady", 3}, {2, u"Off", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    SetEffect(7);
    EXPECT_TRUE(LightingRules::ChooseEffect(p, c.entry));
    EXPECT_EQ(p.lighting.Lighting1Name, c.name);
    EXPECT_EQ(p.lighting.Lighting1ModeValue, (std::array<uint8_t, 3>{c.effect, 0, 0}));
    EXPECT_FALSE(LightingRules::ChooseEffect(p, c.entry));
  }
  EXPECT_FALSE(LightingRules::ChooseEffect(p, 3));
  EXPECT_FALSE(LightingRules::ChooseEffect(p, -1));
}

TEST_F(LightingRulesTest, EachEffectShowsItsControls) {
  struct Case {
    int effect;
    bool colours;
    bool brightness;
    bool speed;
    bool direction;
  } cases[] = {{0, false, false, false, false}, {1, false, false, true, true},
               {2, false, false, true, false},  {3, false, true, false, false},
               {4, false, false, true, false},  {5, false, false, true, false},
               {6, false, true, false, false},  {7, false, false, true, false},
               {8, true, false, true, false},   {9, false, false, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.effect);
    const LightingVisibility v = LightingRules::VisibilityFor(c.effect);
    EXPECT_EQ(v.colourLabel, c.colours);
    EXPECT_EQ(v.colourButtons[0], c.colours);
    EXPECT_EQ(v.colourButtons[1], c.colours);
    for (int i = 2; i < 8; ++i) EXPECT_FALSE(v.colourButtons[static_cast<size_t>(i)]);
    EXPECT_EQ(v.brightness, c.brightness);
    EXPECT_EQ(v.speed, c.speed);
    EXPECT_EQ(v.direction, c.direction);
  }
}

TEST_F(LightingRulesTest, SlidersAndLabelsOfTheCurrentEffect) {
  SetEffect(2);  // defaults: speed 1, brightness 3
  EXPECT_EQ(LightingRules::SpeedLabel(LightingRules::SpeedPosition(p)), u"2");
  SetEffect(3);
  EXPECT_EQ(LightingRules::BrightnessLabel(LightingRules::BrightnessPosition(p)), u"100%");
  const char16_t* percent[] = {u"25%", u"50%", u"75%", u"100%", u"25%"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(LightingRules::BrightnessLabel(i), percent[i]);
  // Edited files: positions stay on the sliders.
  p.lighting.Lighting1Speed[3] = 200;
  p.lighting.Lighting1Brightness[3] = 9;
  EXPECT_EQ(LightingRules::SpeedPosition(p), 2);
  EXPECT_EQ(LightingRules::BrightnessPosition(p), 3);
  p.lighting.Lighting1ModeValue[0] = 77;  // reads as effect 0
  EXPECT_EQ(LightingRules::CurrentEffect(p), 0);
  // Switching effects keeps each effect's parameters.
  SetEffect(2);
  LightingRules::Collect(p, 0, 3, false);
  SetEffect(3);
  LightingRules::Collect(p, 1, 0, false);
  SetEffect(2);
  EXPECT_EQ(LightingRules::SpeedPosition(p), 0);
  SetEffect(1);
  LightingRules::Collect(p, 2, 2, true);
  EXPECT_TRUE(LightingRules::DirectionUp(p));
  EXPECT_EQ(p.lighting.Lighting1Direction[1], 1);
  EXPECT_EQ(p.lighting.Lighting1Speed[3], 1);
}

TEST_F(LightingRulesTest, SelectedSlotsClearOnlyWhenTheEffectAllows) {
  struct Case {
    int effect;
    std::vector<int> selected;  // slots selected before the click
    int slot;
    bool toggled;
    int message;
  } cases[] = {
      {3, {0}, 0, false, 153},    {3, {0, 1}, 1, false, 153}, {2, {0}, 0, false, 153},
      {2, {0, 1}, 0, true, 0},    {2, {0, 7}, 0, false, 153},  // slot 7 does not count for effect 2
      {6, {0, 1}, 1, false, 154}, {6, {0, 1, 7}, 7, true, 0}, {8, {1}, 1, false, 153},
      {8, {0, 1}, 0, true, 0},    {8, {1, 2}, 1, false, 153}, {5, {4}, 4, true, 0},
      {3, {0}, 2, true, 0},  // selecting is always allowed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "effect " << c.effect << " slot " << c.slot);
    SetEffect(static_cast<uint8_t>(c.effect));
    for (int i = 0; i < 10; ++i) Selected(c.effect, i) = 0;
    for (int i : c.selected) Selected(c.effect, i) = 1;
    const bool before = Selected(c.effect, c.slot) != 0;
    const LightingRules::SlotToggle t = LightingRules::ToggleSlot(p, c.slot);
    EXPECT_EQ(t.toggled, c.toggled);
    EXPECT_EQ(t.message, c.message);
    EXPECT_EQ(Selected(c.effect, c.slot) != 0, c.toggled ? !before : before);
  }
  EXPECT_FALSE(LightingRules::ToggleSlot(p, 8).toggled);  // slots 8 and 9 have no button
}

TEST_F(LightingRulesTest, PaletteSkipsItsBackground) {
  EXPECT_FALSE(LightingRules::PickedColour(0x0F0F0F).has_value());
  EXPECT_FALSE(LightingRules::PickedColour(0xFF0F0F0F).has_value());
  EXPECT_EQ(LightingRules::PickedColour(0x0F0F10), 0x0F0F10u);
  EXPECT_TRUE(LightingRules::InPickArea({18, 26}));
  EXPECT_TRUE(LightingRules::InPickArea({300, 100}));
  EXPECT_FALSE(LightingRules::InPickArea({230, 100}));  // between the areas
  EXPECT_FALSE(LightingRules::InPickArea({300, 230}));  // the preview below the swatches
  EXPECT_FALSE(LightingRules::InPickArea({17, 100}));
  SetEffect(8);
  LightingRules::SetSlotColour(p, 1, 0x00ABCDEF);
  EXPECT_EQ(LightingRules::Slot(p, 1).colour, 0x00ABCDEFu);
  EXPECT_TRUE(LightingRules::Slot(p, 1).selected);
}

}  // namespace
