#include <gtest/gtest.h>

#include "ui/ColorSelectCheckButton.h"
#include "ui/ImageButton.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Point;
using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;
namespace dop = platform::headless;

uint32_t Argb(platform::Colour c) {
  return 0xFF000000u | (uint32_t{platform::RedOf(c)} << 16) |
         (uint32_t{platform::GreenOf(c)} << 8) | platform::BlueOf(c);
}

// Counts its draws and paints its rectangle in its own colour; a plain button otherwise.
class CCountingButton : public CImageButton {
 public:
  CCountingButton(platform::WindowId hWnd, uint32_t id, const Rect& rc, platform::Colour colour)
      : CImageButton(hWnd, id, rc, u""), m_colour(colour) {}
  void Draw(platform::Canvas& canvas, const Rect&) override {
    ++draws;
    canvas.FillRect(m_rc, m_colour);
  }
  int CancelPress(int) override {
    ++cancels;
    return 0;
  }
  int draws = 0;
  int cancels = 0;

 private:
  platform::Colour m_colour;
};

class DlgBaseTest : public uitest::UiTest {
 protected:
  // A dialog with the buttons given as (layer, id, rect); each button draws in colour id.
  std::unique_ptr<CTestDlg> MakeDialog(std::vector<std::tuple<int, uint32_t, Rect>> buttons) {
    auto dlg = std::make_unique<CTestDlg>([buttons](CTestDlg& d, platform::WindowId w) {
      for (const auto& [layer, id, rc] : buttons) {
        d.AddControl(layer, std::make_unique<CCountingButton>(w, id, rc, id));
      }
    });
    EXPECT_TRUE(dlg->Create());
    desktop.RunUntilIdle();
    Invalidated(dlg->GetSafeHwnd());
    return dlg;
  }
  CCountingButton* Button(CTestDlg& dlg, uint32_t id) {
    return static_cast<CCountingButton*>(dlg.GetControl(id));
  }
};

TEST_F(DlgBaseTest, HoverInvalidatesOnlyTheControlsRectangle) {
  const Rect a{10, 10, 60, 40}, b{100, 10, 150, 40};
  auto dlg = MakeDialog({{0, 2100, a}, {0, 2101, b}});
  const auto w = dlg->GetSafeHwnd();

  desktop.MoveMouse(w, {5, 5});  // empty spot
  EXPECT_TRUE(Invalidated(w).empty());
  desktop.MoveMouse(w, {20, 20});
  EXPECT_EQ(Invalidated(w), std::vector<Rect>{a});
  desktop.MoveMouse(w, {30, 25});  // still inside: the look does not change
  EXPECT_TRUE(Invalidated(w).empty());
  desktop.MoveMouse(w, {120, 20});  // from a to b
  EXPECT_EQ(Invalidated(w), (std::vector<Rect>{a, b}));
  desktop.MoveMouse(w, {200, 200});
  EXPECT_EQ(Invalidated(w), std::vector<Rect>{b});
  EXPECT_EQ(Button(*dlg, 2101)->GetState(), kStateNormal);
}

TEST_F(DlgBaseTest, PointerRestingOneMillisecondOnAControlRepaintsIt) {
  const Rect a{10, 10, 60, 40};
  auto dlg = MakeDialog({{0, 2100, a}});
  const auto w = dlg->GetSafeHwnd();
  desktop.MoveMouse(w, {20, 20});
  Invalidated(w);
  desktop.RunFor(1);
  EXPECT_EQ(Invalidated(w), std::vector<Rect>{a});
}

TEST_F(DlgBaseTest, FullRepaintDrawsEachVisibleControlOnceAndCopiesOnce) {
  // 150 controls: 100 on layer 0, 30 on a shown page, 20 on a hidden page; 5 of layer 0 are
  // individually hidden.
  std::vector<std::tuple<int, uint32_t, Rect>> buttons;
  for (uint32_t i = 0; i < 150; ++i) {
    const int layer = i < 100 ? 0 : i < 130 ? 1 : 2;
    const int x = static_cast<int>(i % 15) * 26, y = static_cast<int>(i / 15) * 28;
    buttons.emplace_back(layer, 2100 + i, Rect{x, y, x + 24, y + 26});
  }
  auto dlg = MakeDialog(buttons);
  const auto w = dlg->GetSafeHwnd();
  for (const auto& c : dlg->Layer(2)) c->SetVisible(false);
  for (uint32_t i = 0; i < 5; ++i) dlg->GetControl(2100 + i * 7)->SetShow(false);

  for (int layer = 0; layer < CDlgBase::kLayers; ++layer) {
    for (const auto& c : dlg->Layer(layer)) static_cast<CCountingButton*>(c.get())->draws = 0;
  }
  const int paintsBefore = desktop.Info(w)->paints;
  const int drawWindowBefore = dlg->drawWindowCalls;
  desktop.Invalidate(w, nullptr);
  const auto& canvas = Paint(w);

  EXPECT_EQ(desktop.Info(w)->paints - paintsBefore, 1);  // one copy to the window
  EXPECT_EQ(dlg->drawWindowCalls - drawWindowBefore, 1);
  int draws = 0;
  for (int layer = 0; layer < CDlgBase::kLayers; ++layer) {
    for (const auto& c : dlg->Layer(layer)) {
      const int n = static_cast<CCountingButton*>(c.get())->draws;
      EXPECT_EQ(n, c->IsDrawable() ? 1 : 0) << c->m_uID;
      draws += n;
    }
  }
  EXPECT_EQ(draws, 125);
  // The background fill plus one fill per visible control, and nothing copied in between.
  EXPECT_EQ(uitest::CountOps(canvas, dop::DrawOp::Kind::Fill), 126);
  EXPECT_EQ(uitest::CountOps(canvas, dop::DrawOp::Kind::Copy), 0);
}

// A hover move repaints the rectangle left and the one entered, and nothing else: the other
// controls keep what the last paint drew.
TEST_F(DlgBaseTest, HoverMoveRedrawsOnlyTheTwoControlsConcerned) {
  std::vector<std::tuple<int, uint32_t, Rect>> buttons;
  for (uint32_t i = 0; i < 150; ++i) {
    const int x = static_cast<int>(i % 15) * 26, y = static_cast<int>(i / 15) * 28;
    buttons.emplace_back(i < 120 ? 0 : 1, 2100 + i, Rect{x, y, x + 24, y + 26});
  }
  auto dlg = MakeDialog(buttons);
  const auto w = dlg->GetSafeHwnd();
  desktop.MoveMouse(w, {10, 10});
  Paint(w);
  for (int layer = 0; layer < 2; ++layer) {
    for (const auto& c : dlg->Layer(layer)) static_cast<CCountingButton*>(c.get())->draws = 0;
  }
  const int drawWindowBefore = dlg->drawWindowCalls;
  desktop.MoveMouse(w, {36, 10});  // from the first button to the second
  const auto& canvas = Paint(w);

  for (int layer = 0; layer < 2; ++layer) {
    for (const auto& c : dlg->Layer(layer)) {
      const bool concerned = c->m_uID == 2100 || c->m_uID == 2101;
      EXPECT_EQ(static_cast<CCountingButton*>(c.get())->draws, concerned ? 1 : 0) << c->m_uID;
    }
  }
  EXPECT_EQ(dlg->drawWindowCalls - drawWindowBefore, 2) << "one pass per piece";
  EXPECT_EQ(canvas.PixelArgb(30, 10), Argb(2101));
  EXPECT_EQ(canvas.PixelArgb(10, 40), Argb(2115)) << "kept from the last paint";
}

TEST_F(DlgBaseTest, HiddenControlIsNeitherDrawnNorHit) {
  const Rect rc{10, 10, 60, 40};
  auto dlg = MakeDialog({{0, 2100, rc}});
  const auto w = dlg->GetSafeHwnd();
  dlg->GetControl(2100)->SetShow(false);
  desktop.Invalidate(w, nullptr);
  EXPECT_EQ(Paint(w).PixelArgb(20, 20), Argb(CDlgBase::kDefaultBackground)) << "not the button";
  EXPECT_EQ(Button(*dlg, 2100)->draws, 1) << "only the first paint, before it was hidden";
  desktop.Click(w, {20, 20});
  EXPECT_TRUE(dlg->notes.empty());
  EXPECT_EQ(dlg->m_pHoverControl, nullptr);
}

TEST_F(DlgBaseTest, LaterLayerDrawsOnTopAndWinsTheHit) {
  const Rect under{10, 10, 110, 60}, over{50, 20, 150, 80};
  auto dlg = MakeDialog({{1, 2200, over}, {0, 2100, under}});
  const auto w = dlg->GetSafeHwnd();
  desktop.Invalidate(w, nullptr);
  EXPECT_EQ(Paint(w).PixelArgb(70, 30), Argb(2200)) << "layer 1's colour";

  // Entering the overlap from the lower control's own part still hands the pointer over.
  desktop.MoveMouse(w, {20, 30});
  desktop.Click(w, {70, 30});
  EXPECT_EQ(dlg->notes, (std::vector<Note>{{2200, 0, 1}, {2200, 2200, 2}}));
}

TEST_F(DlgBaseTest, PressOnOneControlReleasedOverAnother) {
  const Rect a{10, 10, 60, 40}, b{100, 10, 150, 40};
  auto dlg = MakeDialog({{0, 2100, a}, {0, 2101, b}});
  const auto w = dlg->GetSafeHwnd();
  desktop.PressMouse(w, {20, 20});
  EXPECT_EQ(desktop.Capture(), w);
  desktop.MoveMouse(w, {120, 20});
  desktop.ReleaseMouse(w, {120, 20});
  EXPECT_EQ(dlg->notes, (std::vector<Note>{{2100, 0, 1}})) << "pressed, never clicked";
  EXPECT_EQ(Button(*dlg, 2100)->GetState(), kStateNormal);
  EXPECT_EQ(Button(*dlg, 2101)->GetState(), kStateNormal);
  EXPECT_EQ(desktop.Capture(), 0u);
  // The next move finds the control under the pointer again.
  desktop.MoveMouse(w, {121, 20});
  EXPECT_EQ(Button(*dlg, 2101)->GetState(), kStateHover);
}

TEST_F(DlgBaseTest, PressAfterARelayoutUnderAStillPointerReachesWhatIsThereNow) {
  auto dlg = MakeDialog({{0, 2100, Rect{10, 10, 60, 40}}, {0, 2101, Rect{100, 10, 150, 40}}});
  const auto w = dlg->GetSafeHwnd();
  desktop.MoveMouse(w, {20, 20});
  // The page is laid out again while the pointer rests: the two controls swap places.
  dlg->GetControl(2100)->SetRect(100, 10, 150, 40);
  dlg->GetControl(2101)->SetRect(10, 10, 60, 40);
  const auto at = platform::MakePointParam(20, 20);
  desktop.SendMessage(w, platform::msg::kLButtonDown, 1, at);
  desktop.SendMessage(w, platform::msg::kLButtonUp, 0, at);
  EXPECT_EQ(dlg->notes, (std::vector<Note>{{2101, 0, 1}, {2101, 2101, 2}}));
}

// The window decides: a disabled control gets no input, and it still covers what is under
// it (neither the control below nor a window drag gets the press).
TEST_F(DlgBaseTest, DisabledControlStaysNormalAndSilent) {
  class CRecordingButton : public CCountingButton {
   public:
    using CCountingButton::CCountingButton;
    bool OnMouseMove(uint32_t flags, int x, int y) override {
      ++calls;
      return CCountingButton::OnMouseMove(flags, x, y);
    }
    bool OnLButtonDown(uint32_t flags, int x, int y) override {
      ++calls;
      return CCountingButton::OnLButtonDown(flags, x, y);
    }
    bool OnLButtonUp(uint32_t flags, int x, int y) override {
      ++calls;
      return CCountingButton::OnLButtonUp(flags, x, y);
    }
    int calls = 0;
  };
  auto dlg = std::make_unique<CTestDlg>([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CRecordingButton>(w, 2100, Rect{10, 10, 100, 60}, 1));
    d.AddControl(1, std::make_unique<CRecordingButton>(w, 2200, Rect{20, 20, 60, 40}, 2));
  });
  ASSERT_TRUE(dlg->Create());
  const auto w = dlg->GetSafeHwnd();
  auto* over = static_cast<CRecordingButton*>(dlg->GetControl(2200));
  over->SetDisable(true);
  desktop.MoveMouse(w, {30, 30});
  desktop.Click(w, {30, 30});
  desktop.DoubleClick(w, {30, 30});
  EXPECT_EQ(over->calls, 0);
  EXPECT_EQ(over->GetState(), kStateNormal);
  EXPECT_TRUE(dlg->notes.empty()) << "the button below gets nothing through it";
  EXPECT_TRUE(dlg->posted.empty()) << "not an empty spot: no window drag";
  // Disabled while hovered: it leaves its hover state at once.
  over->SetDisable(false);
  desktop.MoveMouse(w, {31, 30});
  EXPECT_EQ(over->GetState(), kStateHover);
  over->SetDisable(true);
  desktop.MoveMouse(w, {32, 30});
  EXPECT_EQ(over->GetState(), kStateNormal);
  EXPECT_EQ(dlg->m_pHoverControl, nullptr);
}

TEST_F(DlgBaseTest, DoubleClickOrderOnAColourCheckButton) {
  auto dlg = std::make_unique<CTestDlg>([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CColorSelectCheckButton>(w, 3180, Rect{10, 10, 40, 40}));
  });
  ASSERT_TRUE(dlg->Create());
  desktop.DoubleClick(dlg->GetSafeHwnd(), {20, 20});
  EXPECT_EQ(dlg->notes,
            (std::vector<Note>{{3180, 0, 1}, {3180, 0, 2}, {3180, 0, 10}, {3180, 0, 2}}));
}

TEST_F(DlgBaseTest, RightClickReachesOnlyLayerZeroControls) {
  class CRightCounter : public CCountingButton {
   public:
    using CCountingButton::CCountingButton;
    bool OnRButtonUp(uint32_t, int, int) override {
      ++rightUps;
      return false;
    }
    int rightUps = 0;
  };
  auto dlg = std::make_unique<CTestDlg>([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CRightCounter>(w, 2100, Rect{10, 10, 60, 40}, 1));
    d.AddControl(1, std::make_unique<CRightCounter>(w, 2200, Rect{100, 10, 150, 40}, 1));
  });
  ASSERT_TRUE(dlg->Create());
  const auto w = dlg->GetSafeHwnd();
  desktop.RightClick(w, {20, 20});
  desktop.RightClick(w, {120, 20});
  EXPECT_EQ(static_cast<CRightCounter*>(dlg->GetControl(2100))->rightUps, 1);
  EXPECT_EQ(static_cast<CRightCounter*>(dlg->GetControl(2200))->rightUps, 0);
}

TEST_F(DlgBaseTest, PressOnAnEmptySpotDragsTheWindow) {
  auto dlg = MakeDialog({{0, 2100, Rect{10, 10, 60, 40}}});
  const auto w = dlg->GetSafeHwnd();
  const Rect before = desktop.WindowRect(w);
  desktop.PressMouse(w, {200, 200});
  desktop.RunUntilIdle();
  ASSERT_EQ(dlg->posted.size(), 1u);
  EXPECT_EQ(dlg->posted[0].wParam, static_cast<platform::WParam>(platform::kHtCaption));
  EXPECT_EQ(platform::PointFromParam(dlg->posted[0].lParam),
            (Point{before.left + 200, before.top + 200}));
  desktop.MoveMouse(w, {250, 230});
  desktop.ReleaseMouse(w, {200, 200});
  EXPECT_EQ(desktop.WindowRect(w), before.Offset(50, 30));
  EXPECT_TRUE(dlg->notes.empty());
  // A press on a control does not drag.
  desktop.Click(w, {20, 20});
  EXPECT_EQ(dlg->posted.size(), 1u);
}

// The base knows no control ids: a dialog says which releases repaint it whole.
TEST_F(DlgBaseTest, ReleaseRepaintsTheWholeWindowOnlyForTheIdsTheDialogNames) {
  const Rect tab{10, 10, 60, 40}, other{100, 10, 150, 40};
  auto dlg = MakeDialog({{0, 3001, tab}, {0, 2100, other}});
  const auto w = dlg->GetSafeHwnd();
  auto release = [&](Point at) {
    desktop.PressMouse(w, at);
    Invalidated(w);
    desktop.ReleaseMouse(w, at);
    return Invalidated(w);
  };
  EXPECT_EQ(release({20, 20}), std::vector<Rect>{tab}) << "a page tab id means nothing here";
  dlg->repaintsWholeWindow = [](uint32_t id) { return id == 3001; };
  EXPECT_EQ(release({20, 20}), std::vector<Rect>{desktop.ClientRect(w)});
  EXPECT_EQ(release({120, 20}), std::vector<Rect>{other});
}

// Controls ask for a cell height (positive), the caption for 10 points of character height
// (negative); mixing them up draws every control's text a fifth too large. The caption's
// points are at the window's scale, not at the system's DPI.
TEST_F(DlgBaseTest, ControlFontsAskForACellHeightTheCaptionForACharacterHeight) {
  struct Case {
    const char16_t* face;
    int height;
    uint8_t charset;
    float scale;
    float systemScale;
    int captionHeight;
  };
  for (const Case& c :
       {Case{u"Tahoma", 16, 1, 1.0f, 1.5f, -13}, Case{u"宋体", 12, 134, 1.25f, 1.0f, -17}}) {
    SCOPED_TRACE(c.height);
    g_strFontFace = c.face;
    g_nFontHeight = c.height;
    g_nFontCharset = c.charset;
    g_fUiScale = c.scale;
    desktop.SetScreen({1920, 1017}, {0, 0, 1920, 1040}, c.systemScale);
    auto dlg = MakeDialog({{0, 2100, Rect{10, 10, 60, 40}}});
    g_fUiScale = 1.0f;
    const platform::FontDesc& control = dlg->GetControl(2100)->GetFont()->Desc();
    EXPECT_EQ(control.face, c.face);
    EXPECT_EQ(control.height, c.height);
    EXPECT_EQ(control.width, 0);
    EXPECT_EQ(control.charset, c.charset);
    ASSERT_NE(dlg->m_fontCaption, nullptr);
    const platform::FontDesc& caption = dlg->m_fontCaption->Desc();
    EXPECT_EQ(caption.face, c.face);
    EXPECT_EQ(caption.height, c.captionHeight);
    EXPECT_EQ(caption.weight, 600);
    // At twice the scale, twice the points' pixels.
    dlg->RescaleControls(c.scale, c.scale * 2.0f);
    EXPECT_EQ(dlg->m_fontCaption->Desc().height,
              -static_cast<int>(10.0f * 96.0f * c.scale * 2.0f / 72.0f + 0.5f));
  }
}

TEST_F(DlgBaseTest, GetControlFindsTheFirstInLayerOrder) {
  auto dlg = MakeDialog(
      {{2, 3400, Rect{0, 0, 5, 5}}, {0, 3400, Rect{10, 0, 15, 5}}, {0, 3400, Rect{20, 0, 25, 5}}});
  ASSERT_NE(dlg->GetControl(3400), nullptr);
  EXPECT_EQ(dlg->GetControl(3400)->m_rc.left, 10);
  EXPECT_EQ(dlg->GetControl(9999), nullptr);
  // Ids beyond the layers and out-of-range layers go to layer 0 rather than out of bounds.
  dlg->AddControl(42, std::make_unique<CCountingButton>(dlg->GetSafeHwnd(), 77, Rect{}, 0));
  EXPECT_EQ(dlg->Layer(0).back()->m_uID, 77u);
}

TEST_F(DlgBaseTest, OpenDialogsRegisterInTenSlots) {
  std::vector<std::unique_ptr<CTestDlg>> dialogs;
  for (int i = 0; i < 11; ++i) {
    dialogs.push_back(std::make_unique<CTestDlg>(nullptr));
    ASSERT_TRUE(dialogs.back()->Create());
  }
  for (int i = 0; i < 10; ++i) EXPECT_EQ(g_hOpenDialogs[i], dialogs[i]->GetSafeHwnd());
  const auto eleventh = dialogs[10]->GetSafeHwnd();
  EXPECT_EQ(std::count(g_hOpenDialogs.begin(), g_hOpenDialogs.end(), eleventh), 0);

  // Destroying the third moves the later ones down and clears the last slot.
  const auto fourth = dialogs[3]->GetSafeHwnd();
  dialogs[2].reset();
  EXPECT_EQ(g_hOpenDialogs[2], fourth);
  EXPECT_EQ(g_hOpenDialogs[9], 0u);
  // The eleventh leaving does not disturb the list.
  dialogs[10].reset();
  EXPECT_EQ(g_hOpenDialogs[8], dialogs[9]->GetSafeHwnd());
}

TEST_F(DlgBaseTest, FrameBitmapSetsSizeBorderAndAverageBackground) {
  // Left half red, right half blue: the average is half of each.
  WriteSkin(u"frame.bmp",
            uitest::MakeBmp(200, 100, [](int x, int) { return x < 100 ? 0xFF0000u : 0x0000FFu; }));
  auto dlg = MakeDialog({});
  EXPECT_FALSE(dlg->SetFrameBitmapFile(ui::SkinPath(u"missing.bmp")));
  EXPECT_EQ(dlg->m_clrBackground, CDlgBase::kDefaultBackground);
  ASSERT_TRUE(dlg->SetFrameBitmapFile(ui::SkinPath(u"frame.bmp")));
  EXPECT_EQ(dlg->m_sizeFrame, (platform::Size{200, 100}));
  EXPECT_EQ(dlg->m_nFrameBorder, 100) << "smaller than the 400x300 window: min(100, 100)";
  EXPECT_EQ(dlg->m_clrBackground, platform::Rgb(127, 0, 127));
  // A damaged file keeps what was there.
  WriteSkin(u"broken.bmp", std::string("BM\x10\x00", 4));
  EXPECT_FALSE(dlg->SetFrameBitmapFile(ui::SkinPath(u"broken.bmp")));
  EXPECT_EQ(dlg->m_sizeFrame, (platform::Size{200, 100}));

  // A frame at least as large as the window has no border and covers the client area.
  WriteSkin(u"big.bmp", uitest::MakeBmp(500, 400, [](int x, int y) {
              return x < 250 && y < 150 ? 0xFF0000u : 0x00FF00u;
            }));
  ASSERT_TRUE(dlg->SetFrameBitmapFile(ui::SkinPath(u"big.bmp")));
  EXPECT_EQ(dlg->m_nFrameBorder, 0);
  const auto w = dlg->GetSafeHwnd();
  desktop.Invalidate(w, nullptr);
  const auto& canvas = Paint(w);
  EXPECT_EQ(uitest::CountOps(canvas, dop::DrawOp::Kind::Copy), 1);
  EXPECT_EQ(canvas.PixelArgb(10, 10), 0xFFFF0000u);
  EXPECT_EQ(canvas.PixelArgb(300, 200), 0xFF00FF00u);
}

TEST_F(DlgBaseTest, ResetControlsDropsImages) {
  WriteSkin(u"b_nr.png", 10, 10, 0x00FF00);
  auto dlg = std::make_unique<CTestDlg>([](CTestDlg& d, platform::WindowId w) {
    auto* b = d.AddControl(0, std::make_unique<CImageButton>(w, 2100, Rect{10, 10, 60, 40}, u"OK"));
    EXPECT_TRUE(b->SetImageNormal(ui::SkinPath(u"b_nr.png")));
  });
  ASSERT_TRUE(dlg->Create());
  const auto w = dlg->GetSafeHwnd();
  EXPECT_EQ(uitest::ImageNames(Paint(w)), std::vector<std::u16string>{u"b_nr.png"});
  dlg->ResetControls();
  desktop.Invalidate(w, nullptr);
  const auto& canvas = Paint(w);
  EXPECT_TRUE(uitest::ImageNames(canvas).empty());
  EXPECT_EQ(canvas.Texts(), std::vector<std::u16string>{u"OK"}) << "the caption still draws";
}

TEST_F(DlgBaseTest, CancelPressGoesToAStalePressedControl) {
  auto dlg = MakeDialog({{0, 2100, Rect{10, 10, 60, 40}}, {0, 2101, Rect{100, 10, 150, 40}}});
  const auto w = dlg->GetSafeHwnd();
  desktop.Click(w, {20, 20});
  desktop.Click(w, {120, 20});  // a new press while 2100 is still the pressed control
  EXPECT_EQ(Button(*dlg, 2100)->cancels, 1);
  EXPECT_EQ(Button(*dlg, 2101)->cancels, 0);
}

TEST_F(DlgBaseTest, EscapeAndCloseEndAModalDialogWithCancel) {
  CTestDlg dlg(nullptr);
  desktop.ScriptNextModal([&](platform::WindowId w) { desktop.PressKey(w, platform::kVkEscape); });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdCancel);
  CTestDlg second(nullptr);
  desktop.ScriptNextModal(
      [&](platform::WindowId w) { desktop.SendMessage(w, platform::msg::kClose, 0, 0); });
  EXPECT_EQ(second.DoModal(), CDlgBase::kIdCancel);
  EXPECT_EQ(g_hOpenDialogs[0], 0u);
}

}  // namespace

namespace {

// A box opened while its owner is hidden in the tray, or minimised, must not follow the
// owner to where it is not.
// Escape and a close request are two things: a dialog may keep Escape to itself, never the
// close that the program's exit sends.
TEST_F(DlgBaseTest, ADialogThatIgnoresEscapeStillEndsOnClose) {
  struct CKeepsEscape : CTestDlg {
    CKeepsEscape() : CTestDlg(nullptr) {}
    void OnCancel() override {}
  } dlg;
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.PressKey(w, platform::kVkEscape);
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.SendMessage(w, platform::msg::kClose, 0, 0);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdCancel);
}

TEST_F(DlgBaseTest, DialogOfAHiddenOrMinimisedOwnerIsCentredOnTheWorkArea) {
  desktop.SetScreen({1920, 1017}, {0, 0, 1920, 1040}, 1.0f);
  const auto noControls = [](CTestDlg&, platform::WindowId) {};
  CTestDlg owner(noControls, 400, 300);
  ASSERT_TRUE(owner.Create());
  desktop.MoveWindow(owner.GetSafeHwnd(), {0, 700, 400, 1000});
  const Rect centred{(1920 - 200) / 2, (1040 - 100) / 2, (1920 - 200) / 2 + 200,
                     (1040 - 100) / 2 + 100};
  struct Case {
    platform::ShowCommand ownerState;
    bool overOwner;
  } cases[] = {{platform::ShowCommand::Show, true},
               {platform::ShowCommand::Hide, false},
               {platform::ShowCommand::Minimize, false}};
  for (const auto& c : cases) {
    desktop.ShowWindow(owner.GetSafeHwnd(), c.ownerState);
    CTestDlg box(noControls, 200, 100, owner.GetSafeHwnd());
    ASSERT_TRUE(box.Create());
    const Rect expected = c.overOwner ? Rect{100, 800, 300, 900} : centred;
    EXPECT_EQ(desktop.WindowRect(box.GetSafeHwnd()), expected);
  }
}

}  // namespace
