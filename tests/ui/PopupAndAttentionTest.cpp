#include <gtest/gtest.h>

#include "ui/AttentionDlg.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"
#include "ui/WndPopup.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;
namespace msg = platform::msg;

// A menu of two rows; a click on a row reports it and closes the popup.
class CTwoRowPopup : public CWndPopup {
 public:
  explicit CTwoRowPopup(int kind) : CWndPopup(kind) {}
  void DrawWindow(platform::Canvas& canvas, const Rect& client) override {
    ++draws;
    canvas.FillRect({0, 0, client.right, 20}, m_hover == 0 ? 0xFFFFFF : 0x404040);
    canvas.FillRect({0, 20, client.right, 40}, m_hover == 1 ? 0xFFFFFF : 0x404040);
  }
  bool OnMouseMove(int, int y) override {
    ++moves;
    const int row = y >= 0 && y < 40 ? y / 20 : -1;
    const bool changed = row != m_hover;
    m_hover = row;
    return changed;
  }
  bool OnLButtonUp(int, int y) override {
    if (y >= 0 && y < 40) {
      SendToParent(m_uMessage, m_wParam, y / 20);
      Close();
    }
    return false;
  }
  int draws = 0;
  int moves = 0;

 private:
  int m_hover = -1;
};

class PopupTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    dlg = std::make_unique<CTestDlg>(nullptr);
    ASSERT_TRUE(dlg->Create());
    desktop.RunUntilIdle();
  }
  CTwoRowPopup* Open(int slot, int kind, uint32_t opener = 2013) {
    auto popup = std::make_unique<CTwoRowPopup>(kind);
    CTwoRowPopup* raw = popup.get();
    dlg->OpenPopup(slot, std::move(popup), {50, 60, 150, 100}, 1029, opener);
    return raw;
  }
  std::vector<Note> NotesOf(uint32_t message) const {
    std::vector<Note> found;
    for (const auto& n : dlg->notes) {
      if (n.message == message) found.push_back(n);
    }
    return found;
  }
  std::unique_ptr<CTestDlg> dlg;
};

TEST_F(PopupTest, OpensTopMostAtTheScreenPositionAndDrawsLayered) {
  CTwoRowPopup* popup = Open(0, 0);
  const auto p = popup->GetSafeHwnd();
  const auto* info = desktop.Info(p);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->desc.kind, platform::WindowKind::Popup);
  EXPECT_EQ(info->desc.owner, dlg->GetSafeHwnd());
  EXPECT_TRUE(info->visible);
  const Rect owner = desktop.WindowRect(dlg->GetSafeHwnd());
  EXPECT_EQ(desktop.WindowRect(p), (Rect{50, 60, 150, 100}.Offset(owner.left, owner.top)));
  EXPECT_EQ(info->layeredUpdates, 1);
  EXPECT_EQ(info->alpha, 255);
  // Hovering a row redraws once per change, through the layered update only.
  desktop.MoveMouse(p, {10, 5});
  desktop.MoveMouse(p, {12, 6});
  desktop.MoveMouse(p, {10, 25});
  EXPECT_EQ(desktop.Info(p)->layeredUpdates, 3);
  EXPECT_EQ(desktop.Info(p)->paints, 0);
}

TEST_F(PopupTest, PointerRestingFiftyMillisecondsGivesAHoverNotice) {
  CTwoRowPopup* popup = Open(0, 0);
  const auto p = popup->GetSafeHwnd();
  desktop.MoveMouse(p, {10, 25});
  ASSERT_EQ(popup->moves, 1);
  desktop.RunFor(49);
  EXPECT_EQ(popup->moves, 1);
  desktop.RunFor(1);
  EXPECT_EQ(popup->moves, 2) << "the hover notice reads the pointer again";
}

TEST_F(PopupTest, DeactivationSendsTheCloseNoticeOnceWithOpenerAndKind) {
  const struct {
    int kind;
    uint32_t notice;
  } cases[] = {{0, 1029}, {1, 1032}, {3, 1045}, {6, 1057}, {9, 1146}, {15, 1170}};
  for (const auto& c : cases) {
    dlg->notes.clear();
    CTwoRowPopup* popup = Open(2, c.kind, 2013);
    const auto p = popup->GetSafeHwnd();
    // The opener closes the popup on the notice, as the real windows do.
    dlg->react = [&](const Note& n) {
      if (n.message == c.notice) dlg->ClosePopup(2);
    };
    desktop.SendMessage(p, msg::kNcActivate, 0, 0);
    desktop.SendMessage(p, msg::kNcActivate, 0, 0);  // the system may repeat it
    desktop.RunUntilIdle();
    EXPECT_EQ(NotesOf(c.notice), (std::vector<Note>{{c.notice, 2013, c.kind}})) << c.kind;
    EXPECT_EQ(NotesOf(CWndPopup::kClosedMessage).size(), 1u) << c.kind;
    EXPECT_FALSE(desktop.IsWindow(p));
    EXPECT_EQ(dlg->Popup(2), nullptr);
    dlg->react = nullptr;
  }
}

// Kinds 4 and 5 tell their opener nothing, so they close themselves when they lose
// activation: a click elsewhere never leaves them open.
TEST_F(PopupTest, KindsFourAndFiveHaveNoCloseNoticeAndCloseThemselves) {
  for (int kind : {4, 5}) {
    dlg->notes.clear();
    const auto p = Open(1, kind)->GetSafeHwnd();
    EXPECT_EQ(desktop.SendMessage(p, msg::kNcActivate, 0, 0), 1);
    desktop.RunUntilIdle();
    EXPECT_EQ(dlg->notes, (std::vector<Note>{{CWndPopup::kClosedMessage, 0, 0}})) << kind;
    EXPECT_FALSE(desktop.IsWindow(p)) << kind;
    dlg->ClosePopup(1);
  }
  EXPECT_EQ(CWndPopup::CloseNotice(16), 0u);
  EXPECT_EQ(CWndPopup::CloseNotice(-1), 0u);
}

TEST_F(PopupTest, AChoiceIsReportedAndThePopupCloses) {
  const auto p = Open(0, 0, 2015)->GetSafeHwnd();
  desktop.Click(p, {20, 30});
  desktop.RunUntilIdle();
  EXPECT_EQ(dlg->notes, (std::vector<Note>{{1029, 2015, 1}, {CWndPopup::kClosedMessage, 0, 0}}));
  EXPECT_FALSE(desktop.IsWindow(p));
  EXPECT_EQ(desktop.Capture(), 0u);
  dlg->ClosePopup(0);  // the opener's usual clean-up finds no window and only clears the slot
  EXPECT_EQ(dlg->Popup(0), nullptr);
}

TEST_F(PopupTest, OpeningAnOccupiedSlotClosesThePreviousPopup) {
  const auto first = Open(3, 0)->GetSafeHwnd();
  const auto second = Open(3, 0)->GetSafeHwnd();
  desktop.RunUntilIdle();
  EXPECT_FALSE(desktop.IsWindow(first));
  EXPECT_TRUE(desktop.IsWindow(second));
  EXPECT_EQ(dlg->Popup(3)->GetSafeHwnd(), second);
  // Closing the dialog takes its open popup with it.
  dlg.reset();
  EXPECT_FALSE(desktop.IsWindow(second));
}

// A popup drawn at the old scale does not stay open over a dialog that follows a DPI change:
// it closes, and opens again at the new scale when next asked for.
TEST_F(PopupTest, ADpiChangeOfItsDialogClosesAnOpenPopup) {
  const auto p = Open(2, 0)->GetSafeHwnd();
  desktop.SendMessage(dlg->GetSafeHwnd(), platform::msg::kDpiChanged, 144 | (144 << 16), 0);
  desktop.RunUntilIdle();
  EXPECT_FALSE(desktop.IsWindow(p));
  EXPECT_EQ(dlg->Popup(2), nullptr);
  EXPECT_FLOAT_EQ(dlg->Scale(), 1.5f);
  // The same DPI again changes nothing.
  const auto again = Open(2, 0)->GetSafeHwnd();
  desktop.SendMessage(dlg->GetSafeHwnd(), platform::msg::kDpiChanged, 144 | (144 << 16), 0);
  desktop.RunUntilIdle();
  EXPECT_TRUE(desktop.IsWindow(again));
}

class AttentionTest : public uitest::UiTest {};

TEST_F(AttentionTest, OkAndCloseEndTheModalLoop) {
  g_strLangText[4] = u"OK";
  const struct {
    platform::Point at;
    intptr_t result;
  } cases[] = {{{270, 80}, CDlgBase::kIdOk}, {{307, 10}, CDlgBase::kIdCancel}};
  for (const auto& c : cases) {
    CAttentionDlg box(u"Caption", u"Saved.", 0);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      EXPECT_FALSE(desktop.Info(w)->topMost) << "a modal box sits over its owner only";
      desktop.Click(w, c.at);
    });
    EXPECT_EQ(box.DoModal(), c.result);
  }
  // The keyboard answers the same way: Enter is OK, Escape the cross.
  for (const auto& [key, result] : {std::pair{platform::kVkReturn, CDlgBase::kIdOk},
                                    std::pair{platform::kVkEscape, CDlgBase::kIdCancel}}) {
    CAttentionDlg box(u"", u"Saved.", 0);
    desktop.ScriptNextModal([&, key = key](platform::WindowId w) { desktop.PressKey(w, key); });
    EXPECT_EQ(box.DoModal(), result);
  }
  EXPECT_EQ(g_hOpenDialogs[0], 0u);
}

TEST_F(AttentionTest, PageLayoutAndWrappedCentredMessage) {
  g_strLangText[4] = u"OK";
  WriteSkin(u"Frame_warning.bmp", 319, 102, 0x203040);
  const std::u16string message(120, u'x');  // far wider than the box
  CAttentionDlg box(u"Caption that is never shown", message, 0);
  ASSERT_TRUE(box.Create());
  const auto w = box.GetSafeHwnd();
  EXPECT_TRUE(desktop.Info(w)->topMost) << "modeless: nothing else may be on screen";
  EXPECT_EQ(desktop.ClientRect(w), (Rect{0, 0, 319, 102}));
  EXPECT_EQ(g_hOpenDialogs[0], w);
  EXPECT_EQ(box.GetControl(CAttentionDlg::kCloseButton)->m_rc, (Rect{300, 4, 315, 19}));
  EXPECT_EQ(box.GetControl(CAttentionDlg::kOkButton)->m_rc, (Rect{240, 70, 309, 90}));
  EXPECT_EQ(box.GetControl(CAttentionDlg::kTitleLabel)->GetTitle(), u"");

  const auto& canvas = Paint(w);
  EXPECT_EQ(canvas.PixelArgb(5, 50), 0xFF203040u) << "the warning frame";
  const platform::headless::DrawOp* text = nullptr;
  for (const auto& op : canvas.Ops()) {
    if (op.kind == platform::headless::DrawOp::Kind::Text && op.text == message) text = &op;
  }
  ASSERT_NE(text, nullptr);
  const Rect area{0, 35, 319, 75};
  EXPECT_EQ(text->rect.Intersect(area), text->rect) << "inside the message area";
  EXPECT_NE(text->flags & platform::dt::kWordBreak, 0u);
  EXPECT_EQ(text->flags & platform::dt::kSingleLine, 0u);
  EXPECT_NE(text->flags & platform::dt::kCenter, 0u);
  EXPECT_GT(text->rect.Height(), 12) << "more than one line";
  EXPECT_LE(std::abs((text->rect.top - area.top) - (area.bottom - text->rect.bottom)), 1)
      << "centred vertically";
  EXPECT_EQ(canvas.Texts(), (std::vector<std::u16string>{u"OK", message}));

  // Modeless: OK destroys the window and leaves the list of open dialogs.
  desktop.Click(w, {270, 80});
  EXPECT_FALSE(desktop.IsWindow(w));
  EXPECT_EQ(g_hOpenDialogs[0], 0u);
}

TEST_F(AttentionTest, ExitPathCloseEndsItWithCancel) {
  CAttentionDlg box(u"", u"Bye", 0);
  desktop.ScriptNextModal([&](platform::WindowId) {
    for (auto dialog : g_hOpenDialogs) {
      if (dialog) desktop.SendMessage(dialog, msg::kClose, 0, 0);
    }
  });
  EXPECT_EQ(box.DoModal(), CDlgBase::kIdCancel);
}

}  // namespace
