// The pointer, polling, lift-off, debounce and sensor pages and the fixed area's power
// controls.

#include <gtest/gtest.h>

#include "profiles/SensorDpiTable.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/MenuPopup.h"
#include "ui/PollingRateButton.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SliderControl.h"
#include "views/PartTestHost.h"
#include "views/main/DebouncePagePart.h"
#include "views/main/LiftOffPagePart.h"
#include "views/main/PageTabs.h"
#include "views/main/PointerPagePart.h"
#include "views/main/PollingPagePart.h"
#include "views/main/PollingRules.h"
#include "views/main/PowerOptionsPart.h"
#include "views/main/SensorPagePart.h"

namespace {

using Group = ViewServices::Group;

class OptionPartsTest : public parttest::PartTest {
 protected:
  OptionPartsTest() {
    polling = &m_host->AddPart(std::make_unique<PollingPagePart>());
    liftOff = &m_host->AddPart(std::make_unique<LiftOffPagePart>());
    debounce = &m_host->AddPart(std::make_unique<DebouncePagePart>());
    pointer = &m_host->AddPart(std::make_unique<PointerPagePart>());
    sensor = &m_host->AddPart(std::make_unique<SensorPagePart>());
    power = &m_host->AddPart(std::make_unique<PowerOptionsPart>());
  }
  std::u16string Value(TextSetting s) { return Profile().PairValue(static_cast<int>(s)); }
  void Set(TextSetting s, std::u16string_view v) { Profile().SetPairValue(static_cast<int>(s), v); }
  // Clicks the middle of region `k` of a dial.
  void ClickDialRegion(uint32_t id, std::u16string_view dial, int k) {
    const auto polygon = CDialRegions::Load().Find(dial, k);
    ASSERT_TRUE(polygon);
    int x = 0, y = 0;
    for (const auto& p : *polygon) {
      x += p.x;
      y += p.y;
    }
    const int n = static_cast<int>(polygon->size());
    const platform::Rect rc = Control(id)->GetRect();
    desktop.Click(H(), {rc.left + x / n, rc.top + y / n});
  }
  void Drag(uint32_t id, int toX) {
    auto* slider = static_cast<CSliderControl*>(Control(id));
    const int y = slider->GetRect().top + 5;
    desktop.PressMouse(H(), {slider->ThumbPosition(), y});
    platform::Windows().SendMessage(H(), platform::msg::kMouseMove, platform::kMkLButton,
                                    platform::MakePointParam(toX, y));
  }

  PollingPagePart* polling = nullptr;
  LiftOffPagePart* liftOff = nullptr;
  DebouncePagePart* debounce = nullptr;
  PointerPagePart* pointer = nullptr;
  SensorPagePart* sensor = nullptr;
  PowerOptionsPart* power = nullptr;
};

TEST_F(OptionPartsTest, EveryPollingClassShowsOneDial) {
  Open();
  EXPECT_TRUE(Host().unrouted.empty());
  const struct {
    int pollingClass;
    uint32_t shown;
    bool enabled;
  } cases[] = {{1, 3042, true},  {2, 3043, true},   {4, 3044, true}, {8, 3045, true},
               {49, 3041, true}, {48, 3042, false}, {7, 3042, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pollingClass);
    services->link.SetMaxPollingClass(c.pollingClass);
    Host().RefreshParts();
    for (uint32_t id = 3041; id <= 3045; ++id) {
      EXPECT_EQ(Control(id)->m_bShow, id == c.shown) << id;
      EXPECT_EQ(Control(id)->m_bDisable, !(id == c.shown && c.enabled)) << id;
    }
  }
  // The alternative rate buttons stay disabled and out of sight; the box only shows the name.
  for (uint32_t id = 3030; id <= 3040; ++id) {
    EXPECT_TRUE(Control(id)->m_bDisable);
    EXPECT_FALSE(Control(id)->m_bShow);
  }
  EXPECT_TRUE(Control(3110)->m_bDisable);
  EXPECT_EQ(Control(3110)->GetTitle(), u"1000HZ");
}

TEST_F(OptionPartsTest, APollingClickStoresTheRateOfItsArea) {
  services->link.SetMaxPollingClass(49);
  Open();
  ClickDialRegion(3041, u"250Hz", 1);
  EXPECT_EQ(Profile().PollingRateName, u"250HZ");
  EXPECT_EQ(Profile().PollingRateValue, (std::array<uint8_t, 3>{1, 0, 0}));
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  EXPECT_EQ(g_nPollingRateIndex, 1);
  EXPECT_EQ(Control(3110)->GetTitle(), u"250HZ");

  // Index 6 while the class offers four rates: kept until a rate is picked.
  services->link.SetMaxPollingClass(1);
  PollingRules::StoreRate(Profile(), 6);
  Host().RefreshParts();
  const platform::Rect dial = Control(3042)->GetRect();
  desktop.Click(H(), {dial.left + 2, dial.top + 2});  // outside every area
  EXPECT_EQ(Profile().PollingRateValue[0], 6);
  ClickDialRegion(3042, u"1000Hz", 2);
  EXPECT_EQ(Profile().PollingRateName, u"500HZ");
  EXPECT_EQ(services->pending.size(), 2u);

  // The box's menu result and the receiver's rate buttons obey the class too.
  ASSERT_TRUE(Host().Route(PollingPagePart::kRateChosen, 3110, 6));
  EXPECT_EQ(Profile().PollingRateValue[0], 3);
  polling->OnPollingChoices(ConnectionMode::Wireless, 8);
  EXPECT_FALSE(Control(3040)->m_bDisable);
  polling->OnPollingChoices(ConnectionMode::Wireless, 2);
  EXPECT_TRUE(Control(3039)->m_bDisable);
  EXPECT_FALSE(Control(3038)->m_bDisable);
}

TEST_F(OptionPartsTest, TheRateBoxMenuOffersTheClassesRates) {
  services->link.SetMaxPollingClass(2);
  Open();
  // The box is disabled on the page; opened anyway, its menu holds the offered rates only.
  ASSERT_TRUE(Host().Route(PollingPagePart::kRateBoxMessage, 3110, Notify::kClicked));
  desktop.RunUntilIdle();
  auto* menu = dynamic_cast<CMenuPopup*>(Host().Popup(PollingPagePart::kRateMenuSlot));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Items().size(), 5u);
  EXPECT_EQ(menu->Items()[4].text, u"2000Hz");
  const platform::Rect row = menu->RowRect(4);
  desktop.Click(menu->GetSafeHwnd(), testclick::Centre(row));
  desktop.RunUntilIdle();
  EXPECT_EQ(Profile().PollingRateName, u"2000HZ");
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));
  // Without offered rates there is no menu.
  services->link.SetMaxPollingClass(48);
  Host().ClosePopup(PollingPagePart::kRateMenuSlot);
  Host().Route(PollingPagePart::kRateBoxMessage, 3110, Notify::kClicked);
  EXPECT_EQ(Host().Popup(PollingPagePart::kRateMenuSlot), nullptr);
}

TEST_F(OptionPartsTest, LiftOffFollowsTheSensorFlag) {
  UseSensor(0x3950);  // flag B set
  Set(TextSetting::LiftDetectionHeight, u"abc");
  Open();
  EXPECT_TRUE(Control(3510)->m_bShow);
  EXPECT_TRUE(static_cast<CRadioButton*>(Control(3511))->IsSelected());
  EXPECT_EQ(liftOff->Layout({846, 67}), 40);
  ClickControl(3510);
  EXPECT_EQ(Value(TextSetting::LiftDetectionHeight), u"1");
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));

  UseSensor(0x3104);  // no lift-off choice
  liftOff->OnSensorTableChanged();
  EXPECT_FALSE(Control(3510)->m_bShow);
  EXPECT_EQ(liftOff->Layout({846, 67}), 0);
}

TEST_F(OptionPartsTest, DebounceFollowsTheDragAndWritesOnRelease) {
  Set(TextSetting::KeyDebounce, u"12");
  Open();
  EXPECT_EQ(Control(DebouncePagePart::kValue)->GetTitle(), u"12ms");
  auto* slider = static_cast<CSliderControl*>(Control(3530));
  Drag(3530, slider->StopPosition(20));
  EXPECT_EQ(Control(DebouncePagePart::kValue)->GetTitle(), u"20ms");
  EXPECT_EQ(Value(TextSetting::KeyDebounce), u"20");
  EXPECT_TRUE(services->pending.empty());
  EXPECT_EQ(services->draggedPending.back(), Group::Dpi);
  desktop.ReleaseMouse(H(), {slider->StopPosition(20), slider->GetRect().top + 5});
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Dpi}));

  // An edited file with 99 shows the last stop without touching the file until an edit.
  Set(TextSetting::KeyDebounce, u"99");
  Host().RefreshParts();
  EXPECT_EQ(Control(DebouncePagePart::kValue)->GetTitle(), u"30ms");
  EXPECT_EQ(Value(TextSetting::KeyDebounce), u"99");
}

TEST_F(OptionPartsTest, PointerOptionsOnlyLeadToTheSave) {
  Open();
  EXPECT_EQ(Control(PointerPagePart::kScrollValue)->GetTitle(), u"3");
  auto* scroll = static_cast<CSliderControl*>(Control(2041));
  Drag(2041, scroll->StopPosition(4));
  desktop.ReleaseMouse(H(), {scroll->StopPosition(4), scroll->GetRect().top + 5});
  EXPECT_EQ(Value(TextSetting::ScrollWheelSpeed), u"4");
  EXPECT_EQ(Value(TextSetting::TiltSpeed), u"4");
  EXPECT_EQ(Control(PointerPagePart::kScrollValue)->GetTitle(), u"5");
  EXPECT_TRUE(services->pending.empty());
  EXPECT_TRUE(services->draggedPending.empty());
  EXPECT_EQ(services->saveOnlyMarks, 1);

  ClickControl(2010);  // scroll by page: the speed slider is disabled
  EXPECT_EQ(Value(TextSetting::ScrollWheelPageEnable), u"1");
  EXPECT_TRUE(scroll->m_bDisable);
  ClickControl(2030);
  EXPECT_EQ(Value(TextSetting::AccelerationEnable), u"0");
  EXPECT_EQ(services->saveOnlyMarks, 3);
  EXPECT_TRUE(services->pending.empty());
}

// A slider collects the whole page while it is dragged and when it is released, not only its
// own setting: what another control shows reaches the profile too.
TEST_F(OptionPartsTest, SliderDragsCollectTheWholePage) {
  Set(TextSetting::KeyDebounce, u"12");
  Open();
  for (const uint32_t id : {2043u, 2041u, 2044u, 3530u}) {
    SCOPED_TRACE(id);
    Set(TextSetting::KeyDebounce, u"7");  // changed under the page, which still shows 12
    auto* slider = static_cast<CSliderControl*>(Control(id));
    const int before = services->collects;
    const int to = slider->StopPosition(slider->GetValue() == 3 ? 4 : 3);
    Drag(id, to);
    EXPECT_GT(services->collects, before);
    if (id != 3530) {
      EXPECT_EQ(Value(TextSetting::KeyDebounce), u"12");
    }
    const int dragged = services->collects;
    desktop.ReleaseMouse(H(), {to, slider->GetRect().top + 5});
    EXPECT_GT(services->collects, dragged);
  }
}

TEST_F(OptionPartsTest, SwitchesAndPowerMarkTheirGroups) {
  Set(TextSetting::MotionSync, u"5");  // only exactly 1 is on
  Open();
  EXPECT_FALSE(static_cast<CCheckButton*>(Control(3541))->GetCheck());
  ClickControl(3540);
  EXPECT_EQ(Value(TextSetting::AngleSnap), u"1");
  ClickControl(3542);
  EXPECT_EQ(Value(TextSetting::RippleControl), u"1");
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Sensor, Group::Sensor}));
  services->pending.clear();

  // Power: level 1 selects the 3-minute picture; its caption shows the level.
  EXPECT_EQ(Control(3407)->GetTitle(), u"Sleep level 1 of 8");
  ClickDialRegion(3500, u"power", 4);
  EXPECT_EQ(Value(TextSetting::PowerDownTime), u"5");
  EXPECT_EQ(Control(3407)->GetTitle(), u"Sleep level 5 of 8");
  ClickControl(3501);
  EXPECT_EQ(Value(TextSetting::MoveLightingOnOffMode), u"1");
  ClickControl(3504);
  EXPECT_EQ(Value(TextSetting::MotionWakeup), u"0");
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Power, Group::Power, Group::Power}));

  // A level outside 1..8 leaves the dial where it was.
  Set(TextSetting::PowerDownTime, u"12");
  Host().RefreshParts();
  EXPECT_EQ(static_cast<CPowerManageButton*>(Control(3500))->Selection(), 4);
  EXPECT_EQ(Control(3407)->GetTitle(), u"Sleep level 5 of 8");
}

}  // namespace

namespace {

// The pointer page once open and then closed keeps its last place; what lies there now must
// not be painted over with its panel.
TEST_F(OptionPartsTest, AClosedPageDrawsNoPanel) {
  Open();
  const auto& client = platform::Windows().ClientRect(H());
  auto canvas = platform::Gfx().CreateCanvas(client.Width(), client.Height());
  ASSERT_NE(canvas, nullptr);
  auto changedPixels = [&] {
    canvas->FillRect(client, 0x123456);
    const uint32_t before = canvas->PixelArgb(0, 0);
    pointer->DrawDecorations(*canvas, client);
    int changed = 0;
    for (int y = 0; y < client.Height(); y += 4) {
      for (int x = 0; x < client.Width(); x += 4) changed += canvas->PixelArgb(x, y) != before;
    }
    return changed;
  };
  ASSERT_GT(changedPixels(), 0) << "the open page draws its panel";
  const int layer = *page::LayerOfTab(pointer->Tab());
  for (const auto& control : m_host->Layer(layer)) control->SetVisible(false);
  EXPECT_EQ(changedPixels(), 0);
}

}  // namespace
