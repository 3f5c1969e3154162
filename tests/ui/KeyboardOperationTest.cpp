// The window worked from the keyboard: what each key does to the focused control, radio
// groups, the focus mark and the reading order of the main window's Tab order.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Keys.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/EditBox.h"
#include "ui/ImageButton.h"
#include "ui/KeyboardOperation.h"
#include "ui/RadioButton.h"
#include "ui/SliderControl.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"
#include "ui/VerticalSliderControl.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;
namespace dop = platform::headless;

class KeyboardOperationTest : public uitest::UiTest {
 protected:
  void Key(uint32_t vk, uint32_t modifiers = 0) { desktop.PressKey(W(), vk, modifiers); }
  uint32_t FocusId() const {
    const CControlBase* focus = m_dlg->GetFocusControl();
    return focus ? focus->m_uID : 0;
  }
  void Focus(uint32_t id) { m_dlg->SetFocusControl(m_dlg->GetControl(id)); }
  void InvalidateAll() { platform::Windows().Invalidate(W(), nullptr); }
  // Fill operations in the skin's yellow: the dots of the focus mark.
  int MarkDots() {
    const auto& canvas = Paint(W());
    return static_cast<int>(std::count_if(canvas.Ops().begin(), canvas.Ops().end(), [](auto& op) {
      return op.kind == dop::DrawOp::Kind::Fill && op.colour == 0x00FFFF;
    }));
  }
};

TEST_F(KeyboardOperationTest, SpaceAndEnterWorkButtonsChecksAndCombosLikeAClick) {
  CTestDlg& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CImageButton>(w, 2010, Rect{10, 10, 80, 30}, u"OK"));
    d.AddControl(0, std::make_unique<CCheckButton>(w, 3501, Rect{10, 40, 30, 60}, u""));
    d.AddControl(
        0, std::make_unique<CComboButton>(w, 2013, Rect{10, 70, 180, 94}, 1028, u"Left", u""));
    d.AddControl(
        0, std::make_unique<CStaticText>(w, 3402, Rect{40, 40, 180, 60}, 0xB4B4B4, 0, u"Label"));
  });
  Key(platform::kVkTab);
  EXPECT_EQ(FocusId(), 2010u);
  Key(platform::kVkSpace);
  Key(platform::kVkReturn);
  EXPECT_EQ(dlg.notes,
            (std::vector<Note>{{2010, 0, 1}, {2010, 2010, 2}, {2010, 0, 1}, {2010, 2010, 2}}));
  EXPECT_EQ(static_cast<CImageButton*>(dlg.GetControl(2010))->GetState(), kStateNormal)
      << "the pointer is elsewhere: no hover look stays behind";

  dlg.notes.clear();
  Key(platform::kVkTab);
  Key(platform::kVkSpace);
  EXPECT_TRUE(static_cast<CCheckButton*>(dlg.GetControl(3501))->GetCheck());
  Key(platform::kVkSpace);
  EXPECT_FALSE(static_cast<CCheckButton*>(dlg.GetControl(3501))->GetCheck());
  Key(platform::kVkLeft);  // arrows do nothing to a check button
  EXPECT_EQ(dlg.notes.size(), 4u);

  dlg.notes.clear();
  Key(platform::kVkTab);  // the label is skipped
  EXPECT_EQ(FocusId(), 2013u);
  Key(platform::kVkDown);
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{2013, 0, 1}, {1028, 2013, 2}}));
  // Ctrl+Space is not a click.
  Key(platform::kVkSpace, platform::mod::kControl);
  EXPECT_EQ(dlg.notes.size(), 2u);
}

TEST_F(KeyboardOperationTest, ArrowsAndPagesStepSlidersWithinTheirEnds) {
  CTestDlg& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0,
                 std::make_unique<CSliderControl>(w, 3530, Rect{10, 10, 320, 30}, 31, 10, 10, u""));
    d.AddControl(
        0, std::make_unique<CVerticalSliderControl>(w, 3280, Rect{10, 40, 30, 140}, 20, 0, 0, u""));
  });
  auto* slider = static_cast<CSliderControl*>(dlg.GetControl(3530));
  auto* bar = static_cast<CVerticalSliderControl*>(dlg.GetControl(3280));
  slider->SetValue(12);
  Focus(3530);
  const std::vector<std::pair<uint32_t, int>> steps{
      {platform::kVkRight, 13},    {platform::kVkUp, 14},     {platform::kVkLeft, 13},
      {platform::kVkPageUp, 23},   {platform::kVkPageUp, 30}, {platform::kVkRight, 30},
      {platform::kVkPageDown, 20}, {platform::kVkHome, 0},    {platform::kVkDown, 0},
      {platform::kVkEnd, 30}};
  for (const auto& [vk, value] : steps) {
    Key(vk);
    EXPECT_EQ(slider->GetValue(), value) << "key " << vk;
    EXPECT_EQ(slider->ThumbPosition(), slider->StopPosition(value));
  }
  // Each move is a click at the stop, reported as the mouse would; a key at an end sends
  // nothing.
  EXPECT_EQ(std::count(dlg.notes.begin(), dlg.notes.end(), Note{3530, 0, 2}), 8);

  Focus(3280);
  for (int value : {1, 2, 3}) {
    Key(platform::kVkUp);
    EXPECT_EQ(bar->GetValue(), value);
  }
  Key(platform::kVkPageUp);
  EXPECT_EQ(bar->GetValue(), 13);
  Key(platform::kVkEnd);
  EXPECT_EQ(bar->GetValue(), 19);
  Key(platform::kVkPageDown);
  Key(platform::kVkPageDown);
  Key(platform::kVkDown);
  EXPECT_EQ(bar->GetValue(), 0);
}

TEST_F(KeyboardOperationTest, ArrowsMoveWithinARadioGroupOnly) {
  CTestDlg& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    // Two members of the 125..8000 Hz group around a member of the 2009/2010 group.
    for (const auto& [id, x] : std::vector<std::pair<uint32_t, int>>{
             {3034, 10}, {2009, 40}, {3035, 70}, {3036, 100}, {2010, 130}}) {
      d.AddControl(0, std::make_unique<CRadioButton>(w, id, Rect{x, 10, x + 20, 30}, u""));
    }
  });
  g_nRadioFlags = 0x1 | 0x80;
  Focus(3034);
  Key(platform::kVkRight);
  EXPECT_EQ(FocusId(), 3035u);
  EXPECT_EQ(g_nRadioFlags, 0x2u | 0x80u);
  Key(platform::kVkDown);
  Key(platform::kVkRight);  // wraps to the first member
  EXPECT_EQ(FocusId(), 3034u);
  EXPECT_EQ(g_nRadioFlags, 0x1u | 0x80u);
  Key(platform::kVkLeft);
  EXPECT_EQ(FocusId(), 3036u);
  EXPECT_EQ(g_nRadioFlags, 0x4u | 0x80u);
  Focus(2010);
  Key(platform::kVkSpace);
  EXPECT_EQ(g_nRadioFlags, 0x4u | 0x100u);
  EXPECT_EQ(dlg.notes.back(), (Note{2010, 0, 2}));
  g_nRadioFlags = 0;
}

TEST_F(KeyboardOperationTest, TheFocusMarkShowsFromTheFirstKeyUntilTheNextPress) {
  CTestDlg& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CImageButton>(w, 2010, Rect{20, 20, 80, 40}, u""));
    d.AddControl(0, std::make_unique<CImageButton>(w, 2011, Rect{100, 20, 160, 40}, u""));
    d.AddControl(0, std::make_unique<CEditBox>(w, 2012, Rect{20, 60, 160, 80}));
  });
  Paint(W());
  desktop.Click(W(), {30, 30});
  EXPECT_EQ(FocusId(), 2010u) << "a click focuses";
  EXPECT_FALSE(dlg.FocusMarkShown());
  EXPECT_EQ(MarkDots(), 0);

  Invalidated(W());
  Key(platform::kVkTab);
  EXPECT_TRUE(dlg.FocusMarkShown());
  // The old mark's area (unmarked until now) and the new one's are repainted.
  const std::vector<Rect> marks{ui::FocusMarkRect(*dlg.GetControl(2010)),
                                ui::FocusMarkRect(*dlg.GetControl(2011))};
  const std::vector<Rect> invalid = Invalidated(W());
  for (const Rect& mark : marks) {
    EXPECT_NE(std::find(invalid.begin(), invalid.end(), mark), invalid.end());
  }
  InvalidateAll();
  // Dots around the focused button, outside its rectangle, inside the mark's.
  const Rect button = dlg.GetControl(2011)->m_rc;
  int dots = 0;
  for (const auto& op : Paint(W()).Ops()) {
    if (op.kind != dop::DrawOp::Kind::Fill || op.colour != 0x00FFFF) continue;
    ++dots;
    EXPECT_EQ(op.rect.Intersect(marks[1]), op.rect);
    EXPECT_TRUE(op.rect.Intersect(button).IsEmpty());
  }
  EXPECT_GT(dots, 40);

  Key(platform::kVkTab);  // the edit field shows its caret, not a mark
  EXPECT_EQ(FocusId(), 2012u);
  InvalidateAll();
  EXPECT_EQ(MarkDots(), 0);

  Key(platform::kVkTab);
  desktop.Click(W(), {150, 30});
  EXPECT_FALSE(dlg.FocusMarkShown());
  InvalidateAll();
  EXPECT_EQ(MarkDots(), 0);
}

}  // namespace
