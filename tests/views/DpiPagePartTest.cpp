#include "views/main/DpiPagePart.h"

#include <gtest/gtest.h>

#include "profiles/SensorDpiTable.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/DPIValueShowControl.h"
#include "ui/VerticalSliderControl.h"
#include "views/PartTestHost.h"
#include "views/main/DpiPageRules.h"
#include "views/main/PageLayout.h"
#include "views/settings/ColorPaletteDlg.h"

namespace {

using Group = ViewServices::Group;

class DpiPagePartTest : public parttest::PartTest {
 protected:
  DpiPagePartTest() : part(m_host->AddPart(std::make_unique<DpiPagePart>())) {}

  CDPIRadioButton* Level(int n) {
    return static_cast<CDPIRadioButton*>(Control(DpiPagePart::kFirstLevel + n));
  }
  CCheckButton* Check(int n) {
    return static_cast<CCheckButton*>(Control(DpiPagePart::kFirstCheck + n));
  }
  CVerticalSliderControl* Slider(int n) {
    return static_cast<CVerticalSliderControl*>(Control(DpiPagePart::kFirstSlider + n));
  }
  CDPIValueShowControl* Value(int n) {
    return static_cast<CDPIValueShowControl*>(Control(DpiPagePart::kFirstValue + n));
  }
  // A pointer move with the left button held, as the system sends it during a drag.
  void DragTo(platform::Point pt) {
    platform::Windows().SendMessage(H(), platform::msg::kMouseMove, platform::kMkLButton,
                                    platform::MakePointParam(pt.x, pt.y));
  }

  DpiPagePart& part;
};

TEST_F(DpiPagePartTest, ShowsEveryLevelOfTheProfile) {
  Open();
  const char16_t* dpi[8] = {u"400",  u"800",   u"1200",  u"1600",
                            u"3200", u"30000", u"30000", u"30000"};
  for (int n = 0; n < 8; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Level(n)->GetTitle(), dpi[n]);
    EXPECT_EQ(Check(n)->GetCheck(), n < 6);
    EXPECT_EQ(Level(n)->m_bDisable, n >= 6);  // disabled levels cannot be made active
    // ... and read as off: their bar and field are drawn empty.
    EXPECT_EQ(Slider(n)->IsDimmed(), n >= 6);
    EXPECT_EQ(Value(n)->IsDimmed(), n >= 6);
    EXPECT_EQ(Value(n)->GetTitle(), dpi[n]);
    EXPECT_EQ(Value(n)->GetYText(), u"");
    EXPECT_EQ(Slider(n)->StopCount(), 600);
    // Every control of the level sits in its column of the page.
    EXPECT_GE(Level(n)->GetRect().left, page::kPagesLeft);
    EXPECT_LE(Value(n)->GetRect().right, 1127);
  }
  EXPECT_EQ(Slider(5)->GetValue(), 599);
  EXPECT_EQ(part.ActiveLevel(), 1);
  // Levels 1..2 (active level 1) are lit on the shared DPI word.
  EXPECT_TRUE(Level(1)->IsSelected());
  EXPECT_FALSE(Level(2)->IsSelected());
  // Only the active level is drawn as the chosen one.
  EXPECT_FALSE(Level(0)->IsCurrent());
  EXPECT_TRUE(Level(1)->IsCurrent());
  EXPECT_FALSE(Level(2)->IsCurrent());
  EXPECT_EQ(static_cast<CColorSelectButton*>(Control(3272))->GetColour(), 0x00FF00u);
  EXPECT_TRUE(Host().unrouted.empty());
  // A level with a different Y shows both.
  Profile().XYSettingValueY[3] = 63;
  Host().RefreshParts();
  EXPECT_EQ(Value(3)->GetYText(), u"3200");
}

TEST_F(DpiPagePartTest, TheOnlyEnabledLevelStaysOn) {
  Profile().DPIOffOnFlagValue = 0x04;
  Profile().CurrentDPILevelValue = 2;
  Open();
  ClickControl(DpiPagePart::kFirstCheck + 2);
  EXPECT_TRUE(Check(2)->GetCheck());
  EXPECT_EQ(Profile().DPIOffOnFlagValue, 0x04);
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(DpiPagePartTest, ClearingTheActiveLevelMovesItOn) {
  Profile().CurrentDPILevelValue = 5;
  Open();
  ClickControl(DpiPagePart::kFirstCheck + 5);
  EXPECT_EQ(Profile().DPIOffOnFlagValue, 0x1F);
  EXPECT_EQ(Profile().CurrentDPILevelValue, 0);
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  EXPECT_TRUE(Level(5)->m_bDisable);
  // The page collects what it shows.
  ProfileSettings collected = Profile();
  collected.DPIOffOnFlagValue = 0;
  collected.CurrentDPILevelValue = 7;
  part.Collect(collected);
  EXPECT_EQ(collected.DPIOffOnFlagValue, 0x1F);
  EXPECT_EQ(collected.CurrentDPILevelValue, 0);
}

TEST_F(DpiPagePartTest, ClickingALevelMakesItActive) {
  Open();
  ClickControl(DpiPagePart::kFirstLevel + 1);  // already active
  EXPECT_TRUE(services->pending.empty());
  ClickControl(DpiPagePart::kFirstLevel + 4);
  EXPECT_EQ(Profile().CurrentDPILevelValue, 4);
  EXPECT_EQ(part.ActiveLevel(), 4);
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  ClickControl(DpiPagePart::kFirstLevel + 7);  // disabled level: ignored
  EXPECT_EQ(Profile().CurrentDPILevelValue, 4);
}

TEST_F(DpiPagePartTest, ASliderDragWritesNothingUntilRelease) {
  Open();
  const platform::Rect bar = Slider(0)->GetRect();
  const int x = (bar.left + bar.right) / 2;
  desktop.PressMouse(H(), {x, bar.bottom - 2});
  DragTo({x, (bar.top + bar.bottom) / 2});
  DragTo({x + 40, bar.top + 10});  // beyond the bar sideways: still follows
  EXPECT_TRUE(services->pending.empty());
  EXPECT_FALSE(services->draggedPending.empty());
  const int dragged = Profile().XYSettingValueX[0];
  EXPECT_GT(dragged, 500);
  EXPECT_EQ(Profile().XYSettingValueY[0], 7);  // the slider moves X only
  EXPECT_EQ(Level(0)->GetTitle(), DpiPageRules::DpiText(services->table, dragged));
  desktop.ReleaseMouse(H(), {x, bar.top + 10});
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  EXPECT_EQ(Profile().XYSettingValueX[0], Slider(0)->GetValue());
}

TEST_F(DpiPagePartTest, IndexesBeyondTheTableAreShownAtItsEnd) {
  UseSensor(0x3104);  // levels 6 and 7 hold 58 and 50, beyond the 48 entries
  Profile().DPIOffOnFlagValue = 0xFF;
  Profile().XYSettingValueY[7] = 9000;
  Open();
  EXPECT_EQ(Level(6)->GetTitle(), u"8000");
  EXPECT_EQ(Level(7)->GetTitle(), u"8000");
  EXPECT_EQ(Slider(6)->GetValue(), 47);
  EXPECT_EQ(Value(7)->FilledWidth(), Value(7)->GetRect().Width());
  EXPECT_EQ(Profile().XYSettingValueX[6], 58);  // kept until the user edits it

  // A sensor without a table: nothing to show, nothing to choose.
  UseSensor(0x1234);
  part.OnSensorTableChanged();
  EXPECT_EQ(Slider(0)->StopCount(), 1);
  EXPECT_EQ(Level(0)->GetTitle(), u"");
  ClickControl(DpiPagePart::kFirstSlider + 0);
  ClickControl(DpiPagePart::kFirstValue + 0);
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(DpiPagePartTest, TheLevelColourComesFromThePalette) {
  Open();
  desktop.ScriptNextModal([&](platform::WindowId palette) {
    desktop.Click(palette, {256, 38});   // the white swatch
    desktop.Click(palette, {432, 252});  // OK
  });
  ClickControl(DpiPagePart::kFirstColour + 3);
  const platform::Colour picked = Profile().DPILevelIndication[3];
  EXPECT_EQ(picked, 0xFFFFFFu);
  EXPECT_EQ(static_cast<CColorSelectButton*>(Control(3273))->GetColour(), picked);
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  // Closing the palette keeps the colour.
  desktop.ScriptNextModal([&](platform::WindowId palette) {
    desktop.Click(palette, {100, 100});
    desktop.Click(palette, {487, 12});  // close
  });
  ClickControl(DpiPagePart::kFirstColour + 3);
  EXPECT_EQ(Profile().DPILevelIndication[3], picked);
  EXPECT_EQ(services->pending.size(), 1u);
}

}  // namespace

namespace {

TEST_F(DpiPagePartTest, TheFirstClickAfterASliderDragOpensThePalette) {
  Open();
  const platform::Rect bar = Slider(0)->GetRect();
  const int x = (bar.left + bar.right) / 2;
  desktop.PressMouse(H(), {x, bar.bottom - 3});
  for (int y = bar.bottom - 3; y > bar.top + 25; y -= 8) DragTo({x, y});
  desktop.ReleaseMouse(H(), {x, bar.top + 25});
  desktop.RunUntilIdle();
  bool opened = false;
  desktop.ScriptNextModal([&](platform::WindowId palette) {
    opened = true;
    desktop.Click(palette, {487, 12});  // close
  });
  ClickControl(DpiPagePart::kFirstColour);
  EXPECT_TRUE(opened);
}

}  // namespace
