// The main window from the keyboard and to a screen reader: the Tab order reads the page
// zone by zone with each open page after its tab; keys work the page's controls and reach
// the mouse as clicks do; every control a user works has a name.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>

#include "app/MainWindowFixture.h"
#include "platform/Keys.h"
#include "ui/CheckButton.h"
#include "ui/PowerManageButton.h"
#include "ui/SharedSelection.h"
#include "ui/SliderControl.h"

namespace {

class MainKeyboardTest : public MainWindowFixture {
 protected:
  MainKeyboardTest() { PrepareDataFolder(); }
  static std::vector<uint32_t> Ids(const std::vector<CControlBase*>& controls) {
    std::vector<uint32_t> ids;
    for (const CControlBase* c : controls) ids.push_back(c->m_uID);
    return ids;
  }
  static size_t Position(const std::vector<uint32_t>& ids, uint32_t id) {
    return static_cast<size_t>(std::find(ids.begin(), ids.end(), id) - ids.begin());
  }
  int Sent(uint8_t command) const {
    return static_cast<int>(std::count_if(mouse.Log().begin(), mouse.Log().end(), [&](auto& t) {
      return t.transfer == SimTraffic::Transfer::SetFeature && t.ReportId() == 6 &&
             t.At(1) == command;
    }));
  }
  void Key(CVantrelDlg& dlg, uint32_t vk, uint32_t modifiers = 0) {
    desktop.PressKey(dlg.Handle(), vk, modifiers);
  }
};

TEST_F(MainKeyboardTest, TabReadsTheHeaderTheColumnsThenEachOpenPageAfterItsTab) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunUntilIdle();
  const std::vector<uint32_t> order = Ids(dlg.FocusOrder());
  ASSERT_GE(order.size(), 30u);
  // The header bar, left to right.
  EXPECT_EQ(std::vector<uint32_t>(order.begin(), order.begin() + 5),
            (std::vector<uint32_t>{3100, 3502, 3503, 2002, 2001}));
  // The nine button fields top to bottom, then the two managers.
  for (uint32_t k = 0; k < 9; ++k) EXPECT_EQ(order[5 + k], 2013 + k);
  EXPECT_EQ(order[14], 2062u);
  EXPECT_EQ(order[15], 2063u);
  // Profiles before the status column, the status column before the pages.
  EXPECT_LT(Position(order, 2049), Position(order, 3500));
  EXPECT_LT(Position(order, 2070), Position(order, 3501));
  EXPECT_LT(Position(order, 2045), Position(order, 3001));
  // The DPI page's controls lie between its tab and the lighting tab; the lighting page's
  // (with lighting off, its effect field alone) after that tab and before the first closed
  // tab.
  for (uint32_t id : {3290u, 3260u, 3270u, 3280u, 3300u, 3267u, 3307u}) {
    EXPECT_GT(Position(order, id), Position(order, 3001)) << id;
    EXPECT_LT(Position(order, id), Position(order, 3002)) << id;
  }
  EXPECT_GT(Position(order, 3120), Position(order, 3002));
  EXPECT_LT(Position(order, 3120), Position(order, 3004));
  EXPECT_EQ(order.back(), 3015u);
  // Closed pages are not in it, and nothing is twice.
  EXPECT_EQ(Position(order, 3530), order.size());
  EXPECT_EQ(std::set<uint32_t>(order.begin(), order.end()).size(), order.size());

  // Tab from nothing starts at the header; Shift+Tab from there wraps to the last tab.
  Key(dlg, platform::kVkTab);
  EXPECT_EQ(dlg.GetFocusControl()->m_uID, 3100u);
  Key(dlg, platform::kVkTab, platform::mod::kShift);
  EXPECT_EQ(dlg.GetFocusControl()->m_uID, 3015u);
  dlg.Destroy();
}

TEST_F(MainKeyboardTest, KeysWorkTabsSlidersAndDialsAndReachTheMouseAsClicksDo) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunUntilIdle();
  mouse.ClearLog();

  // Space on the polling tab opens its page (the tab rule closes lighting).
  dlg.SetFocusControl(dlg.GetControl(3004));
  Key(dlg, platform::kVkSpace);
  EXPECT_TRUE(static_cast<CCheckButton*>(dlg.GetControl(3004))->GetCheck());
  EXPECT_FALSE(static_cast<CCheckButton*>(dlg.GetControl(3002))->GetCheck());

  // Left steps the connection's dial down by one rate; one 0x04 packet follows.
  CControlBase* dial = nullptr;
  for (uint32_t id = 3041; id <= 3045; ++id) {
    if (dlg.GetControl(id)->IsDrawable()) dial = dlg.GetControl(id);
  }
  ASSERT_NE(dial, nullptr);
  const int before = g_nPollingRateIndex;
  ASSERT_GT(before, 0);
  dlg.SetFocusControl(dial);
  Key(dlg, platform::kVkLeft);
  EXPECT_EQ(g_nPollingRateIndex, before - 1);
  desktop.RunFor(50);
  EXPECT_EQ(Sent(0x04), 1);

  // The power-saving dial of the status column steps by one region.
  auto* power = static_cast<CPowerManageButton*>(dlg.GetControl(CPowerManageButton::kId));
  const int region = power->Selection();
  dlg.SetFocusControl(power);
  Key(dlg, region < CPowerManageButton::kRegions - 1 ? platform::kVkRight : platform::kVkLeft);
  EXPECT_NE(power->Selection(), region);
  EXPECT_EQ(std::abs(power->Selection() - region), 1);

  // The pointer page's slider: Page Up moves ten stops at most, clamped at its end.
  dlg.SetFocusControl(dlg.GetControl(3003));
  Key(dlg, platform::kVkSpace);
  auto* slider = static_cast<CSliderControl*>(dlg.GetControl(2041));
  ASSERT_TRUE(slider->IsDrawable());
  dlg.SetFocusControl(slider);
  Key(dlg, platform::kVkHome);
  EXPECT_EQ(slider->GetValue(), 0);
  Key(dlg, platform::kVkPageUp);
  EXPECT_EQ(slider->GetValue(), std::min(10, slider->StopCount() - 1));
  Key(dlg, platform::kVkEnd);
  EXPECT_EQ(slider->GetValue(), slider->StopCount() - 1);
  desktop.RunFor(50);
  dlg.Destroy();
}

TEST_F(MainKeyboardTest, EveryControlAUserWorksHasANameInBothLanguages) {
  for (const char16_t* language : {u"EN", u""}) {
    // The bundled language files, chosen as the settings file says.
    const std::string setting =
        testbytes::Utf16Le(std::u16string(u"[ChangeLanguage]\nLanguage=") + language + u"\n");
    ASSERT_TRUE(platform.files().WriteAll(g_strDataDir + u"config\\LanSetting.ini", setting));
    CVantrelDlg dlg;
    ASSERT_TRUE(dlg.Create());
    desktop.RunUntilIdle();
    int named = 0;
    int index = 0;
    for (int layer = 0; layer < CDlgBase::kLayers; ++layer) {
      for (const auto& control : dlg.Layer(layer)) {
        platform::AccessibleItem item;
        ASSERT_TRUE(dlg.AccessibleItemAt(index++, item));
        if (!(item.state & platform::accstate::kFocusable)) continue;
        EXPECT_FALSE(item.name.empty()) << "control " << control->m_uID;
        if (item.role != platform::AccessibleRole::Slider) {
          EXPECT_FALSE(item.defaultAction.empty()) << "control " << control->m_uID;
        }
        ++named;
      }
    }
    EXPECT_GT(named, 40);
    dlg.Destroy();
  }
}

TEST_F(MainKeyboardTest, TheMainWindowTellsEachKindOfControlByItsRole) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunUntilIdle();
  using platform::AccessibleRole;
  std::map<AccessibleRole, int> count;
  for (int i = 0; i < dlg.AccessibleCount(); ++i) {
    platform::AccessibleItem item;
    ASSERT_TRUE(dlg.AccessibleItemAt(i, item));
    ++count[item.role];
  }
  // Nine page tabs and five profile slots; nine button fields, the profile selector, the
  // lighting effect and the polling-rate field; the five polling dials, the power dial, eight
  // DPI bars and the four sliders of the pages.
  EXPECT_GE(count[AccessibleRole::PageTab], 14);
  EXPECT_GE(count[AccessibleRole::ComboBox], 12);
  EXPECT_GE(count[AccessibleRole::Slider], 6 + 8 + 4);
  EXPECT_EQ(count[AccessibleRole::ProgressBar], 1);
  EXPECT_EQ(count[AccessibleRole::None], 0);
  static const std::map<AccessibleRole, const char*> kNames{
      {AccessibleRole::PushButton, "push button"},   {AccessibleRole::CheckButton, "check button"},
      {AccessibleRole::RadioButton, "radio button"}, {AccessibleRole::Slider, "slider"},
      {AccessibleRole::ComboBox, "combo box"},       {AccessibleRole::PageTab, "page tab"},
      {AccessibleRole::StaticText, "static text"},   {AccessibleRole::Graphic, "graphic"},
      {AccessibleRole::ProgressBar, "progress bar"}};
  std::cout << "main window: " << dlg.AccessibleCount() << " controls;";
  for (const auto& [role, n] : count) {
    const auto name = kNames.find(role);
    std::cout << " " << (name != kNames.end() ? name->second : "other") << " " << n << ";";
  }
  std::cout << "\n";
  dlg.Destroy();
}

}  // namespace
