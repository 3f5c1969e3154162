// What a screen reader is told about a skinned window: its controls as items with role,
// name, value, state and default action, the notices of changes, default actions carried out
// as clicks, and popup menus as menu items.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Keys.h"
#include "ui/AccessibleModel.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/ImageButton.h"
#include "ui/MenuPopup.h"
#include "ui/SkinImage.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::AccessibleEvent;
using platform::AccessibleItem;
using platform::AccessibleRole;
using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;
namespace st = platform::accstate;
using Notice = platform::headless::HeadlessDesktop::AccessibleNotice;

class AccessibleModelTest : public uitest::UiTest {
 protected:
  AccessibleModelTest() {
    g_strLangText[ui::kActionPressText] = u"Press";
    g_strLangText[ui::kActionCheckText] = u"Check";
    g_strLangText[ui::kActionUncheckText] = u"Uncheck";
    g_strLangText[ui::kActionSwitchText] = u"Switch";
    g_strLangText[ui::kActionOpenText] = u"Open";
  }
  ~AccessibleModelTest() override { ResetLanguage(); }

  // Layer 0: 0 close cross (named), 1 check with its label to the right (2), 3 a hidden
  // button, 4 a picture, 5 a disabled button; layer 1: 6 label "Speed", 7 slider, 8 its value
  // label, 9 combo after the label "Effect" (10).
  CTestDlg& Build() {
    return Dialog([](CTestDlg& d, platform::WindowId w) {
      auto* close =
          d.AddControl(0, std::make_unique<CImageButton>(w, 2004, Rect{370, 4, 385, 19}, u""));
      close->m_strAccName = u"Close";
      d.AddControl(0, std::make_unique<CCheckButton>(w, 3501, Rect{10, 30, 24, 44}, u""));
      d.AddControl(0, std::make_unique<CStaticText>(w, 3402, Rect{30, 28, 180, 46}, 0xB4B4B4, 0,
                                                    u"Wake on motion"));
      d.AddControl(
          1, std::make_unique<CStaticText>(w, 3162, Rect{10, 60, 70, 80}, 0xB4B4B4, 0, u"Speed"));
      auto* slider = d.AddControl(
          1, std::make_unique<CSliderControl>(w, 3200, Rect{80, 60, 230, 80}, 4, 5, 5, u""));
      slider->SetValue(2);
      d.AddControl(
          1, std::make_unique<CStaticText>(w, 3210, Rect{240, 60, 280, 80}, 0xB4B4B4, 0, u"75%"));
      d.AddControl(1, std::make_unique<CComboButton>(w, 3120, Rect{80, 100, 230, 124}, 1144,
                                                     u"Breathing", u""));
      d.AddControl(1, std::make_unique<CStaticText>(w, 3161, Rect{10, 100, 70, 124}, 0xB4B4B4, 0,
                                                    u"Effect"));
      d.AddControl(0, std::make_unique<CImageButton>(w, 2054, Rect{10, 140, 80, 160}, u"Pair"))
          ->SetShow(false);
      d.AddControl(0, std::make_unique<CStaticImage>(w, 3400, Rect{300, 100, 380, 200}));
      d.AddControl(0, std::make_unique<CImageButton>(w, 2047, Rect{10, 170, 80, 190}, u"Apply"))
          ->SetDisable(true);
    });
  }
  AccessibleItem Item(int index) {
    AccessibleItem item;
    EXPECT_TRUE(m_dlg->AccessibleItemAt(index, item)) << index;
    return item;
  }
};

TEST_F(AccessibleModelTest, ItemsCarryRoleNameValueStateAndAction) {
  CTestDlg& dlg = Build();
  ASSERT_EQ(dlg.Accessible(), &dlg);
  ASSERT_EQ(dlg.AccessibleCount(), 11);
  struct Row {
    int index;
    AccessibleRole role;
    std::u16string name, value, action;
    uint32_t state;
  };
  const std::vector<Row> rows{
      {0, AccessibleRole::PushButton, u"Close", u"", u"Press", st::kFocusable},
      {1, AccessibleRole::CheckButton, u"Wake on motion", u"", u"Check", st::kFocusable},
      {2, AccessibleRole::StaticText, u"Wake on motion", u"", u"", 0},
      {7, AccessibleRole::Slider, u"Speed", u"75%", u"", st::kFocusable},
      {9, AccessibleRole::ComboBox, u"Effect", u"Breathing", u"Open", st::kFocusable},
      {3, AccessibleRole::PushButton, u"Pair", u"", u"", st::kInvisible},
      {4, AccessibleRole::Graphic, u"", u"", u"", 0},
      {5, AccessibleRole::PushButton, u"Apply", u"", u"", st::kUnavailable},
  };
  for (const Row& row : rows) {
    const AccessibleItem item = Item(row.index);
    EXPECT_EQ(item.role, row.role) << row.index;
    EXPECT_EQ(item.name, row.name) << row.index;
    EXPECT_EQ(item.value, row.value) << row.index;
    EXPECT_EQ(item.defaultAction, row.action) << row.index;
    EXPECT_EQ(item.state, row.state) << row.index;
  }
  EXPECT_EQ(Item(7).rect, (Rect{80, 60, 230, 80}));
  AccessibleItem none;
  EXPECT_FALSE(dlg.AccessibleItemAt(11, none));
  EXPECT_FALSE(dlg.AccessibleItemAt(-1, none));

  // Checked, focused: the state says so and the action turns around.
  desktop.Click(W(), {17, 37});
  EXPECT_EQ(Item(1).state, st::kFocusable | st::kFocused | st::kChecked);
  EXPECT_EQ(Item(1).defaultAction, u"Uncheck");
  EXPECT_EQ(dlg.AccessibleFocus(), 1);
}

// A dialog's title sits left of its close cross; the cross is still "Close", not the title.
TEST_F(AccessibleModelTest, TheCloseCrossIsKnownByItsImageBeforeAnyLabel) {
  g_strLangText[ui::kCloseNameText] = u"Close";
  CTestDlg& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0,
                 std::make_unique<CStaticText>(w, 2012, Rect{10, 4, 360, 20}, 0xB4B4B4, 0, u"New"));
    auto* close =
        d.AddControl(0, std::make_unique<CImageButton>(w, 2004, Rect{370, 4, 385, 19}, u""));
    close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  });
  ASSERT_EQ(dlg.AccessibleCount(), 2);
  EXPECT_EQ(Item(1).name, u"Close");
  EXPECT_EQ(Item(0).name, u"New");
}

TEST_F(AccessibleModelTest, ChangesAreToldOnceAReaderHasAsked) {
  CTestDlg& dlg = Build();
  desktop.Click(W(), {17, 37});  // nobody asked yet: nothing is told
  Paint(W());
  EXPECT_TRUE(desktop.TakeAccessibleEvents().empty());

  dlg.Accessible();
  desktop.PressKey(W(), platform::kVkTab);  // from the check box to the slider
  EXPECT_EQ(dlg.AccessibleFocus(), 7);
  desktop.PressKey(W(), platform::kVkRight);
  dlg.GetControl(3210)->SetTitle(u"100%");  // as the page writes the new value
  dlg.GetControl(2004)->m_strAccName = u"Close window";
  platform::Windows().Invalidate(W(), nullptr);
  Paint(W());
  const std::vector<Notice> events = desktop.TakeAccessibleEvents();
  auto told = [&](AccessibleEvent event, int index) {
    return std::count(events.begin(), events.end(), Notice{W(), event, index});
  };
  EXPECT_EQ(told(AccessibleEvent::Focus, 7), 1);
  EXPECT_EQ(told(AccessibleEvent::StateChange, 1), 1) << "the check box lost the focus";
  EXPECT_EQ(told(AccessibleEvent::StateChange, 7), 1);
  EXPECT_EQ(told(AccessibleEvent::ValueChange, 7), 1);
  EXPECT_EQ(told(AccessibleEvent::NameChange, 0), 1);
  EXPECT_EQ(told(AccessibleEvent::ValueChange, 8), 0) << "a label has no value";
  // Nothing changed since: a repaint tells nothing.
  platform::Windows().Invalidate(W(), nullptr);
  Paint(W());
  EXPECT_TRUE(desktop.TakeAccessibleEvents().empty());
}

TEST_F(AccessibleModelTest, DefaultActionsClickTheControl) {
  CTestDlg& dlg = Build();
  EXPECT_TRUE(dlg.DoDefaultAction(1));
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{3501, 0, 1}, {3501, 0, 2}}));
  EXPECT_TRUE(static_cast<CCheckButton*>(dlg.GetControl(3501))->GetCheck());
  // Labels, hidden and disabled controls have no action.
  for (int index : {2, 3, 5, 42}) EXPECT_FALSE(dlg.DoDefaultAction(index)) << index;
}

TEST_F(AccessibleModelTest, MenuRowsAreMenuItemsAndTheHighlightIsTheFocus) {
  CTestDlg& dlg = Build();
  auto menu = std::make_unique<CMenuPopup>(
      0, std::vector<MenuItem>{{u"Left button", 101}, {u"Off", 105, false, false}});
  CMenuPopup* raw = menu.get();
  dlg.OpenPopup(0, std::move(menu), {50, 60, 200, 110}, 1027, 2013);
  desktop.RunUntilIdle();
  ASSERT_EQ(raw->Accessible(), raw);
  EXPECT_TRUE(raw->IsMenu());
  ASSERT_EQ(raw->AccessibleCount(), 2);
  AccessibleItem item;
  ASSERT_TRUE(raw->AccessibleItemAt(0, item));
  EXPECT_EQ(item.role, AccessibleRole::MenuItem);
  EXPECT_EQ(item.name, u"Left button");
  EXPECT_EQ(item.state, st::kFocusable);
  EXPECT_EQ(item.defaultAction, u"Press");
  ASSERT_TRUE(raw->AccessibleItemAt(1, item));
  EXPECT_EQ(item.state, st::kUnavailable);

  desktop.PressKey(raw->GetSafeHwnd(), platform::kVkDown);
  EXPECT_EQ(raw->AccessibleFocus(), 0);
  ASSERT_TRUE(raw->AccessibleItemAt(0, item));
  EXPECT_EQ(item.state, st::kFocusable | st::kFocused | st::kHotTracked);
  EXPECT_EQ(desktop.TakeAccessibleEvents(),
            (std::vector<Notice>{{raw->GetSafeHwnd(), AccessibleEvent::Focus, 0}}));

  EXPECT_FALSE(raw->DoDefaultAction(1)) << "a disabled row";
  EXPECT_TRUE(raw->DoDefaultAction(0));
  EXPECT_EQ(std::count(dlg.notes.begin(), dlg.notes.end(), Note{1027, 2013, 101}), 1);
}

}  // namespace
