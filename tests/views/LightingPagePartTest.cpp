#include "views/main/LightingPagePart.h"

#include <gtest/gtest.h>

#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/MenuPopup.h"
#include "ui/RadioButton.h"
#include "ui/SliderControl.h"
#include "views/PartTestHost.h"

namespace {

using Group = ViewServices::Group;
using P = LightingPagePart;

class LightingPagePartTest : public parttest::PartTest {
 protected:
  LightingPagePartTest() : part(m_host->AddPart(std::make_unique<LightingPagePart>())) {}

  void SetEffect(uint8_t effect) {
    Profile().lighting.Lighting1ModeValue = {effect, 0, 0};
    Host().RefreshParts();
  }
  bool Shown(uint32_t id) { return Control(id)->m_bShow; }
  CColorSelectCheckButton* Colour(int slot) {
    return static_cast<CColorSelectCheckButton*>(Control(P::kFirstColour + slot));
  }
  uint8_t Selected(int effect, int slot) {
    return Profile()
        .lighting.Lighting1ColorSelected[static_cast<size_t>(effect)][static_cast<size_t>(slot)];
  }
  std::u16string Text(uint32_t id) { return Control(id)->GetTitle(); }

  LightingPagePart& part;
};

TEST_F(LightingPagePartTest, EachEffectShowsItsControls) {
  Open();
  SetEffect(2);
  EXPECT_TRUE(Shown(P::kSpeedSlider));
  EXPECT_TRUE(Shown(P::kSpeedLabel));
  EXPECT_EQ(Text(P::kSpeedValue), u"2");
  EXPECT_FALSE(Shown(P::kBrightnessSlider));
  EXPECT_FALSE(Shown(P::kBrightnessBar));
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(Colour(i)->m_bShow);

  SetEffect(3);
  EXPECT_TRUE(Shown(P::kBrightnessSlider));
  EXPECT_EQ(Text(P::kBrightnessValue), u"100%");
  EXPECT_FALSE(Shown(P::kSpeedSlider));
  EXPECT_FALSE(Shown(P::kSpeedValue));

  SetEffect(8);
  EXPECT_TRUE(Colour(0)->m_bShow && Colour(1)->m_bShow && Shown(P::kColourLabel));
  EXPECT_FALSE(Colour(2)->m_bShow);
  EXPECT_EQ(Colour(1)->GetColour(), platform::Rgb(0xFA, 0x00, 0x6A));
  EXPECT_TRUE(Colour(1)->GetCheck());

  SetEffect(1);
  EXPECT_TRUE(Shown(P::kDirectionUp) && Shown(P::kDirectionDown) && Shown(P::kDirectionLabel));
  EXPECT_TRUE(static_cast<CRadioButton*>(Control(P::kDirectionUp))->IsSelected());
  EXPECT_FALSE(Shown(P::kColourLabel));
  EXPECT_TRUE(Host().unrouted.empty());
}

TEST_F(LightingPagePartTest, ChoosingAnEffectKeepsEachEffectsSettings) {
  Open();
  SetEffect(2);
  auto* speed = static_cast<CSliderControl*>(Control(P::kSpeedSlider));
  desktop.Click(H(), {speed->StopPosition(0), speed->GetRect().top + 5});
  EXPECT_EQ(Profile().lighting.Lighting1Speed[2], 0);
  EXPECT_EQ(Text(P::kSpeedValue), u"1");
  services->pending.clear();

  ASSERT_TRUE(Host().Route(P::kEffectChosen, P::kEffectBox, 1));  // "Steady", effect 3
  EXPECT_EQ(Profile().lighting.Lighting1ModeValue, (std::array<uint8_t, 3>{3, 0, 0}));
  EXPECT_EQ(Profile().lighting.Lighting1Name, u"Steady");
  EXPECT_EQ(Control(P::kEffectBox)->GetTitle(), u"Steady");
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  ASSERT_TRUE(Host().Route(P::kEffectChosen, P::kEffectBox, 0));  // back to effect 2
  EXPECT_EQ(Text(P::kSpeedValue), u"1");
  EXPECT_EQ(Profile().lighting.Lighting1Speed[3], 1);  // effect 3 untouched
  // A value the menu does not have changes nothing.
  ASSERT_TRUE(Host().Route(P::kEffectChosen, P::kEffectBox, 7));
  EXPECT_EQ(Profile().lighting.Lighting1ModeValue[0], 2);
}

TEST_F(LightingPagePartTest, TheEffectMenuOffersThreeEffects) {
  Open();
  ClickControl(P::kEffectBox);
  desktop.RunUntilIdle();
  auto* menu = dynamic_cast<CMenuPopup*>(Host().Popup(P::kEffectMenuSlot));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Items().size(), 3u);
  EXPECT_EQ(menu->Items()[0].text, u"Breathing");
  EXPECT_EQ(menu->Items()[2].text, u"Off");
  EXPECT_EQ(menu->Kind(), 9);
  EXPECT_TRUE(static_cast<CComboButton*>(Control(P::kEffectBox))->IsMenuOpen());
  // The menu opens below the box.
  const platform::Rect box = Control(P::kEffectBox)->GetRect();
  const platform::Rect shown = desktop.WindowRect(menu->GetSafeHwnd());
  const platform::Rect window = desktop.WindowRect(H());
  EXPECT_EQ(shown.top, window.top + box.bottom);
  const platform::Rect row = menu->RowRect(1);
  desktop.Click(menu->GetSafeHwnd(), testclick::Centre(row));
  desktop.RunUntilIdle();
  EXPECT_EQ(Profile().lighting.Lighting1ModeValue[0], 3);
  EXPECT_EQ(Control(P::kEffectBox)->GetTitle(), u"Steady");
  EXPECT_FALSE(static_cast<CComboButton*>(Control(P::kEffectBox))->IsMenuOpen());
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  EXPECT_TRUE(Shown(P::kBrightnessSlider));
}

TEST_F(LightingPagePartTest, ASingleClickTogglesAfter150Ms) {
  SetEffect(8);
  Open();
  ClickControl(P::kFirstColour + 0);
  desktop.RunFor(149);
  EXPECT_EQ(Selected(8, 0), 1);
  EXPECT_TRUE(services->pending.empty());
  desktop.RunFor(1);
  EXPECT_EQ(Selected(8, 0), 0);
  EXPECT_FALSE(Colour(0)->GetCheck());
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  // Slot 1 is now the only one of effect 8: clearing it is refused with text 153.
  ClickControl(P::kFirstColour + 1);
  desktop.RunFor(150);
  EXPECT_EQ(Selected(8, 1), 1);
  EXPECT_EQ(services->messages, (std::vector<int>{153}));
  EXPECT_EQ(services->pending.size(), 1u);
}

TEST_F(LightingPagePartTest, RefusedClearsShowTheirMessage) {
  Open();
  SetEffect(2);
  for (int i = 1; i < 10; ++i)
    Profile().lighting.Lighting1ColorSelected[2][static_cast<size_t>(i)] = 0;
  ASSERT_TRUE(Host().Route(P::kFirstColour, 0, Notify::kClicked));
  desktop.RunFor(150);
  EXPECT_EQ(Selected(2, 0), 1);
  SetEffect(6);
  Host().Route(P::kFirstColour + 7, 0, Notify::kClicked);  // 8 of 8 selected: may clear
  desktop.RunFor(150);
  EXPECT_EQ(Selected(6, 7), 0);
  for (int i = 2; i < 7; ++i)
    Profile().lighting.Lighting1ColorSelected[6][static_cast<size_t>(i)] = 0;
  Host().Route(P::kFirstColour + 1, 0, Notify::kClicked);
  desktop.RunFor(150);
  EXPECT_EQ(Selected(6, 1), 1);
  EXPECT_EQ(services->messages, (std::vector<int>{153, 154}));
}

TEST_F(LightingPagePartTest, ADoubleClickOpensThePaletteAndNeverToggles) {
  SetEffect(8);
  Open();
  bool opened = false;
  desktop.ScriptNextModal([&](platform::WindowId palette) {
    opened = true;
    desktop.Click(palette, {256, 62});   // the red swatch of the second row
    desktop.Click(palette, {432, 252});  // OK
  });
  desktop.DoubleClick(H(), Centre(P::kFirstColour + 1));
  desktop.RunFor(1000);
  EXPECT_TRUE(opened);
  EXPECT_EQ(Selected(8, 1), 1);
  EXPECT_EQ(Profile().lighting.Lighting1FixedColor[8][1], platform::Rgb(0xFF, 0, 0));
  EXPECT_EQ(Colour(1)->GetColour(), platform::Rgb(0xFF, 0, 0));
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  // Cancelled: nothing changes, nothing is marked.
  desktop.ScriptNextModal([&](platform::WindowId palette) {
    desktop.Click(palette, {100, 100});
    desktop.Click(palette, {487, 12});
  });
  desktop.DoubleClick(H(), Centre(P::kFirstColour + 0));
  desktop.RunFor(1000);
  EXPECT_EQ(Selected(8, 0), 1);
  EXPECT_EQ(Profile().lighting.Lighting1FixedColor[8][0], platform::Rgb(0, 0xFF, 0));
  EXPECT_EQ(services->pending.size(), 1u);
  // A single click afterwards toggles again.
  ClickControl(P::kFirstColour + 0);
  desktop.RunFor(150);
  EXPECT_EQ(Selected(8, 0), 0);
}

TEST_F(LightingPagePartTest, SlidersAndDirectionMarkTheDpiGroup) {
  Open();
  SetEffect(3);
  auto* brightness = static_cast<CSliderControl*>(Control(P::kBrightnessSlider));
  const int y = brightness->GetRect().top + 5;
  desktop.PressMouse(H(), {brightness->ThumbPosition(), y});
  platform::Windows().SendMessage(H(), platform::msg::kMouseMove, platform::kMkLButton,
                                  platform::MakePointParam(brightness->StopPosition(1), y));
  EXPECT_EQ(Text(P::kBrightnessValue), u"50%");
  EXPECT_EQ(Profile().lighting.Lighting1Brightness[3], 1);
  EXPECT_TRUE(services->pending.empty());
  EXPECT_FALSE(services->draggedPending.empty());
  desktop.ReleaseMouse(H(), {brightness->StopPosition(1), y});
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));

  SetEffect(1);
  ClickControl(P::kDirectionDown);
  EXPECT_EQ(Profile().lighting.Lighting1Direction[1], 0);
  EXPECT_EQ(services->pending.size(), 2u);
}

}  // namespace
