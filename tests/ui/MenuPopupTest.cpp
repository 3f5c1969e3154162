#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "ui/MenuPopup.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Rect;
using platform::Size;
using uitest::CTestDlg;
using uitest::Note;
namespace msg = platform::msg;

constexpr uint32_t kResult = 1027;
constexpr uint32_t kOpener = 2013;
constexpr uint32_t kCloseNotice = 1029;  // kind 0

// Records the highlighted rows the way a derived menu would open and close its submenus.
class CRecordingMenu : public CMenuPopup {
 public:
  using CMenuPopup::CMenuPopup;
  std::vector<int> hot;

 protected:
  void OnHotItemChanged(int index) override { hot.push_back(index); }
};

std::vector<MenuItem> FiveItems() {
  return {{u"Left button", 101},
          {u"DPI functions", 0, true},
          {u"Disabled", 103, false, false},
          {u"Middle button", 104},
          {u"Off", 105}};
}

class MenuPopupTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    dlg = std::make_unique<CTestDlg>(nullptr);
    ASSERT_TRUE(dlg->Create());
    desktop.RunUntilIdle();
  }
  CRecordingMenu* Open(int slot = 0, std::vector<MenuItem> items = FiveItems()) {
    auto menu = std::make_unique<CRecordingMenu>(0, std::move(items));
    CRecordingMenu* raw = menu.get();
    const Size size = raw->MeasureSize();
    dlg->OpenPopup(slot, std::move(menu), {50, 60, 50 + size.cx, 60 + size.cy}, kResult, kOpener);
    return raw;
  }
  std::vector<Note> NotesOf(uint32_t message) const {
    std::vector<Note> found;
    for (const auto& n : dlg->notes) {
      if (n.message == message) found.push_back(n);
    }
    return found;
  }
  // Row centres in the popup's client coordinates.
  static platform::Point Row(int row) { return {30, 3 + 22 * row + 11}; }
  std::unique_ptr<CTestDlg> dlg;
};

TEST_F(MenuPopupTest, SizeFollowsTheRowsAndTheWidestText) {
  auto menu = std::make_unique<CMenuPopup>(0, FiveItems());
  // Five rows of 22 between 3-pixel margins; short texts keep the minimum width.
  EXPECT_EQ(menu->MeasureSize(), (Size{120, 5 * 22 + 6}));
  // 40 units of 6 pixels, the text margin and the marker's room.
  CMenuPopup wide(0, {{std::u16string(40, u'w'), 1}});
  EXPECT_EQ(wide.MeasureSize(), (Size{12 + 240 + 28, 28}));
  g_fUiScale = 1.5f;
  CMenuPopup scaled(0, FiveItems());
  EXPECT_EQ(scaled.MeasureSize(), (Size{180, 5 * 33 + 2 * 4}));
  g_fUiScale = 1.0f;
}

TEST_F(MenuPopupTest, PlacementStaysOnScreen) {
  const Rect work{0, 0, 1280, 760};
  const Size size{150, 200};
  const struct {
    const char* name;
    Rect anchor;
    Rect below;
  } cases[] = {
      {"below the anchor", {100, 100, 220, 126}, {100, 126, 250, 326}},
      {"as wide as a wider field", {100, 100, 270, 126}, {100, 126, 270, 326}},
      {"above when the bottom has no room", {100, 600, 220, 626}, {100, 400, 250, 600}},
      {"shifted left at the right edge", {1200, 100, 1270, 126}, {1130, 126, 1280, 326}},
      {"no room either way: as low as fits", {100, 150, 220, 700}, {100, 560, 250, 760}},
      {"never left of the screen", {-40, 100, 0, 126}, {0, 126, 150, 326}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CMenuPopup::PlaceBelow(c.anchor, size, work), c.below) << c.name;
  }

  const Rect menu{1000, 300, 1120, 416};
  const struct {
    const char* name;
    Rect menu;
    Rect row;
    Rect beside;
  } submenus[] = {
      {"to the right, first rows level", menu, {1000, 325, 1120, 347}, {1120, 322, 1270, 522}},
      {"to the left at the right screen edge",
       {1150, 300, 1270, 416},
       {1150, 325, 1270, 347},
       {1000, 322, 1150, 522}},
      {"shifted up at the bottom", menu, {1000, 700, 1120, 722}, {1120, 560, 1270, 760}},
      {"no room on either side: inside the screen",
       {0, 300, 1200, 416},
       {0, 325, 1200, 347},
       {1130, 322, 1280, 522}},
  };
  for (const auto& c : submenus) {
    EXPECT_EQ(CMenuPopup::PlaceBeside(c.menu, c.row, size, work), c.beside) << c.name;
  }

  // The same through an open menu pushed against the right edge of the screen.
  desktop.SetScreen({1280, 800}, work, 1.0f);
  desktop.MoveWindow(dlg->GetSafeHwnd(), {1100, 100, 1500, 400});
  CRecordingMenu* open = Open();
  const Rect at = desktop.WindowRect(open->GetSafeHwnd());
  ASSERT_EQ(at.left, 1150);
  const Rect sub = open->SubmenuRect(1, size, desktop.WorkArea());
  EXPECT_EQ(sub, (Rect{at.left - 150, at.top + 22, at.left, at.top + 222}));
}

TEST_F(MenuPopupTest, KeyboardMovesSkipsDisabledRowsAndChooses) {
  CRecordingMenu* menu = Open();
  const auto p = menu->GetSafeHwnd();
  EXPECT_EQ(menu->HotItem(), -1);
  std::vector<int> rows;
  for (uint32_t key : {platform::kVkDown, platform::kVkDown, platform::kVkDown, platform::kVkDown,
                       platform::kVkDown, platform::kVkUp}) {
    desktop.PressKey(p, key);
    rows.push_back(menu->HotItem());
  }
  // Row 2 is disabled; the last row wraps to the first and back.
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 3, 4, 0, 4}));
  EXPECT_EQ(menu->hot, rows);
  EXPECT_EQ(desktop.Info(p)->layeredUpdates, 1 + 6) << "each move redraws once";

  // Enter on the submenu row does nothing; on a function row it reports and closes.
  menu->SetHotItem(1);
  desktop.PressKey(p, platform::kVkReturn);
  EXPECT_TRUE(NotesOf(kResult).empty());
  EXPECT_TRUE(desktop.IsWindow(p));
  desktop.PressKey(p, platform::kVkUp);
  desktop.PressKey(p, platform::kVkReturn);
  desktop.RunUntilIdle();
  EXPECT_EQ(NotesOf(kResult), (std::vector<Note>{{kResult, kOpener, 101}}));
  EXPECT_EQ(NotesOf(CWndPopup::kClosedMessage).size(), 1u);
  EXPECT_FALSE(desktop.IsWindow(p));
}

TEST_F(MenuPopupTest, EscapeClosesWithTheCloseNoticeOnce) {
  const auto p = Open(2)->GetSafeHwnd();
  dlg->react = [&](const Note& n) {
    if (n.message == kCloseNotice) dlg->ClosePopup(2);
  };
  desktop.PressKey(p, platform::kVkEscape);
  desktop.RunUntilIdle();
  EXPECT_EQ(NotesOf(kCloseNotice), (std::vector<Note>{{kCloseNotice, kOpener, 0}}));
  EXPECT_EQ(NotesOf(CWndPopup::kClosedMessage).size(), 1u);
  EXPECT_FALSE(desktop.IsWindow(p));
  EXPECT_TRUE(NotesOf(kResult).empty());
}

TEST_F(MenuPopupTest, HoverHighlightsTheRowAndSubmenuRowsStayLitForTheirSubmenu) {
  WriteSkin(u"popup_item_ov.png", 180, 22, 0x2F64C8);
  CRecordingMenu* menu = Open();
  const auto p = menu->GetSafeHwnd();
  desktop.MoveMouse(p, Row(3));
  EXPECT_EQ(menu->HotItem(), 3);
  const auto* layered = desktop.LastLayered(p);
  ASSERT_NE(layered, nullptr);
  const Rect hotRow = menu->RowRect(3);
  EXPECT_EQ(layered->PixelArgb(hotRow.left + 60, hotRow.top + 2), 0xFF2F64C8u)
      << "the highlight picture behind row 3";
  EXPECT_NE(layered->PixelArgb(hotRow.left + 60, hotRow.top - 10), 0xFF2F64C8u);
  std::vector<platform::Colour> hotText;
  for (const auto& op : layered->Ops()) {
    if (op.kind == platform::headless::DrawOp::Kind::Text && op.text == u"Middle button") {
      hotText.push_back(op.colour);
    }
  }
  EXPECT_EQ(hotText, std::vector<platform::Colour>{kTextHover});

  // The disabled row is not lit; the pointer leaving a plain row clears the highlight.
  desktop.MoveMouse(p, Row(2));
  EXPECT_EQ(menu->HotItem(), -1);
  desktop.MoveMouse(p, Row(0));
  desktop.MoveMouse(dlg->GetSafeHwnd(), {5, 5});
  EXPECT_EQ(menu->HotItem(), -1);
  // Off the menu from a submenu row: the row stays lit (the pointer went to its submenu).
  desktop.MoveMouse(p, Row(1));
  desktop.MoveMouse(dlg->GetSafeHwnd(), {5, 5});
  EXPECT_EQ(menu->HotItem(), 1);
  EXPECT_EQ(menu->hot, (std::vector<int>{3, -1, 0, -1, 1}));

  // Clicks on the submenu row and the disabled row choose nothing.
  desktop.Click(p, Row(1));
  desktop.Click(p, Row(2));
  EXPECT_TRUE(NotesOf(kResult).empty());
  desktop.Click(p, Row(4));
  EXPECT_EQ(NotesOf(kResult), (std::vector<Note>{{kResult, kOpener, 105}}));
}

TEST_F(MenuPopupTest, ASubmenuKeepsItsMenuActiveAndClickingElsewhereClosesOnce) {
  CRecordingMenu* menu = Open(0);
  const auto p = menu->GetSafeHwnd();
  EXPECT_EQ(desktop.ActiveWindow(), p) << "a menu takes the keyboard";
  // The submenu beside it does not take activation, even when clicked.
  auto sub = std::make_unique<CRecordingMenu>(
      1, std::vector<MenuItem>{{u"DPI up", 201}, {u"DPI down", 202}});
  sub->SetNoActivate(true);
  CRecordingMenu* submenu = sub.get();
  const Rect beside = menu->SubmenuRect(1, sub->MeasureSize(), desktop.WorkArea());
  const Rect window = desktop.WindowRect(dlg->GetSafeHwnd());
  dlg->OpenPopup(1, std::move(sub), beside.Offset(-window.left, -window.top), 1041, kOpener);
  const auto s = submenu->GetSafeHwnd();
  EXPECT_EQ(desktop.WindowRect(s), beside);
  EXPECT_EQ(desktop.ActiveWindow(), p);
  dlg->react = [&](const Note& n) {
    if (n.message == kCloseNotice) {
      dlg->ClosePopup(1);
      dlg->ClosePopup(0);
    }
  };
  desktop.Click(s, Row(1));
  desktop.RunUntilIdle();
  EXPECT_EQ(NotesOf(1041), (std::vector<Note>{{1041, kOpener, 202}}));
  EXPECT_TRUE(NotesOf(kCloseNotice).empty());
  EXPECT_EQ(desktop.ActiveWindow(), p);

  // A click on the dialog deactivates the menu: its close notice, once; the opener closes it.
  desktop.Click(dlg->GetSafeHwnd(), {300, 250});
  desktop.Click(dlg->GetSafeHwnd(), {310, 250});
  desktop.RunUntilIdle();
  EXPECT_EQ(NotesOf(kCloseNotice), (std::vector<Note>{{kCloseNotice, kOpener, 0}}));
  EXPECT_FALSE(desktop.IsWindow(p));
  EXPECT_FALSE(desktop.IsWindow(s));
}

}  // namespace
