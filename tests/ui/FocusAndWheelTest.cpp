#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "ui/ImageButton.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;
namespace mod = platform::mod;

// A button that records the keyboard and wheel input it gets; focusable unless told not to.
class CInputProbe : public CImageButton {
 public:
  CInputProbe(platform::WindowId hWnd, uint32_t id, const Rect& rc, bool focusable = true)
      : CImageButton(hWnd, id, rc, u""), m_bFocusable(focusable) {}
  bool CanFocus() const override { return m_bFocusable; }
  void OnFocusChanged(bool focused) override { focusEvents.push_back(focused); }
  bool OnKeyDown(uint32_t vk, uint32_t flags) override {
    keys.push_back({vk, flags});
    return consumeKeys;
  }
  bool OnChar(char16_t unit) override {
    chars.push_back(unit);
    return true;
  }
  bool OnMouseWheel(int delta, int x, int y) override {
    wheels.push_back({delta, x, y});
    return true;
  }
  std::vector<bool> focusEvents;
  std::vector<std::pair<uint32_t, uint32_t>> keys;
  std::u16string chars;
  std::vector<std::tuple<int, int, int>> wheels;
  bool consumeKeys = false;

 private:
  bool m_bFocusable;
};

class FocusAndWheelTest : public uitest::UiTest {
 protected:
  // Layer 0 holds 2301 (not focusable), 2302, 2303 (disabled), 2304 (hidden);
  // page 2 holds 2305 and, hidden with its page, page 3 holds 2306; layer 0 again 2307.
  CTestDlg& Build() {
    return Dialog([](CTestDlg& d, platform::WindowId w) {
      auto add = [&](int layer, uint32_t id, int x, bool focusable = true) {
        return d.AddControl(
            layer, std::make_unique<CInputProbe>(w, id, Rect{x, 10, x + 40, 40}, focusable));
      };
      add(0, 2301, 10, false);
      add(0, 2302, 60);
      add(0, 2303, 110)->SetDisable(true);
      add(0, 2304, 160)->SetShow(false);
      add(2, 2305, 210);
      add(3, 2306, 260)->SetVisible(false);
      add(0, 2307, 310);
    });
  }
  CInputProbe* Probe(uint32_t id) { return static_cast<CInputProbe*>(m_dlg->GetControl(id)); }
  uint32_t FocusId() const {
    const CControlBase* focus = m_dlg->GetFocusControl();
    return focus ? focus->m_uID : 0;
  }
};

TEST_F(FocusAndWheelTest, TabOrderSkipsHiddenDisabledAndUnfocusableControls) {
  CTestDlg& dlg = Build();
  // Layer order first, list order within a layer: 2302, 2307 (layer 0), then 2305 (page 2).
  std::vector<uint32_t> forward, backward;
  for (int i = 0; i < 4; ++i) {
    desktop.PressKey(W(), platform::kVkTab);
    forward.push_back(FocusId());
  }
  for (int i = 0; i < 4; ++i) {
    desktop.PressKey(W(), platform::kVkTab, mod::kShift);
    backward.push_back(FocusId());
  }
  EXPECT_EQ(forward, (std::vector<uint32_t>{2302, 2307, 2305, 2302}));
  EXPECT_EQ(backward, (std::vector<uint32_t>{2305, 2307, 2302, 2305}));
  // The focused control sees Tab first and may keep it.
  Probe(2305)->consumeKeys = true;
  desktop.PressKey(W(), platform::kVkTab);
  EXPECT_EQ(FocusId(), 2305u);
  EXPECT_EQ(Probe(2305)->keys.back(), (std::pair<uint32_t, uint32_t>{platform::kVkTab, 0}));
  // Each change tells both sides once.
  EXPECT_EQ(Probe(2307)->focusEvents, (std::vector<bool>{true, false, true, false}));
  // Nothing focusable left: Tab clears the focus.
  for (uint32_t id : {2302u, 2305u, 2307u}) Probe(id)->SetShow(false);
  desktop.PressKey(W(), platform::kVkTab);
  EXPECT_EQ(dlg.GetFocusControl(), nullptr);
}

TEST_F(FocusAndWheelTest, KeysAndCharactersGoToTheFocusedControlOnly) {
  CTestDlg& dlg = Build();
  // A click focuses a focusable control; one that cannot take focus leaves it where it was.
  desktop.Click(W(), {70, 20});
  EXPECT_EQ(FocusId(), 2302u);
  desktop.Click(W(), {20, 20});
  EXPECT_EQ(FocusId(), 2302u);
  desktop.Click(W(), {120, 20});  // disabled
  EXPECT_EQ(FocusId(), 2302u);

  desktop.PressKey(W(), 'A', mod::kShift);
  desktop.TypeText(W(), u"\U0001F600");
  EXPECT_EQ(Probe(2302)->keys, (std::vector<std::pair<uint32_t, uint32_t>>{{'A', mod::kShift}}));
  EXPECT_EQ(Probe(2302)->chars, u"A\U0001F600") << "surrogates one by one, in order";
  EXPECT_TRUE(Probe(2307)->keys.empty());

  // Consumed input repaints the control.
  Invalidated(W());
  desktop.TypeText(W(), u"x");
  EXPECT_EQ(Invalidated(W()), std::vector<Rect>{Probe(2302)->m_rc});

  // A focused control that is hidden or disabled gets nothing and loses the focus.
  Probe(2302)->SetDisable(true);
  desktop.PressKey(W(), 'B');
  EXPECT_EQ(Probe(2302)->keys.size(), 1u);
  EXPECT_EQ(dlg.GetFocusControl(), nullptr);
  EXPECT_EQ(Probe(2302)->focusEvents, (std::vector<bool>{true, false}));
  EXPECT_FALSE(Probe(2302)->HasFocus());
}

TEST_F(FocusAndWheelTest, WheelGoesToTheDrawableEnabledControlUnderThePointer) {
  CTestDlg& dlg = Build();
  // Overlapping: a control of a later layer over 2302 wins.
  auto* top = dlg.AddControl(4, std::make_unique<CInputProbe>(W(), 2308, Rect{80, 10, 100, 40}));
  desktop.MoveWindow(W(), {300, 200, 700, 500});
  desktop.Wheel(W(), {70, 20}, -platform::kWheelDelta);
  desktop.Wheel(W(), {90, 25}, 2 * platform::kWheelDelta);
  EXPECT_EQ(Probe(2302)->wheels, (std::vector<std::tuple<int, int, int>>{{-120, 70, 20}}))
      << "client coordinates, from the screen position the wheel message carries";
  EXPECT_EQ(top->wheels, (std::vector<std::tuple<int, int, int>>{{240, 90, 25}}));

  // Disabled, hidden, on a hidden page, or nothing under the pointer: nobody.
  Invalidated(W());
  for (platform::Point at : {platform::Point{120, 20}, {170, 20}, {270, 20}, {5, 100}}) {
    desktop.Wheel(W(), at, platform::kWheelDelta);
  }
  for (uint32_t id : {2303u, 2304u, 2306u}) EXPECT_TRUE(Probe(id)->wheels.empty()) << id;
  EXPECT_TRUE(Invalidated(W()).empty());
  // The wheel does not depend on focus.
  dlg.SetFocusControl(Probe(2307));
  desktop.Wheel(W(), {230, 20}, platform::kWheelDelta);
  EXPECT_EQ(Probe(2305)->wheels.size(), 1u);
  EXPECT_EQ(Invalidated(W()), std::vector<Rect>{Probe(2305)->m_rc});
}

}  // namespace
