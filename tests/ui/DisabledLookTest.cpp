// A control that cannot be used now is drawn faded by the window, whatever its kind; enabled
// controls, labels, pictures and headings are drawn exactly as they draw themselves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/RecordingCanvas.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/EditBox.h"
#include "ui/FadedCanvas.h"
#include "ui/ImageButton.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"
#include "ui/VScrollBar.h"

namespace {

using platform::Rect;
using platform::headless::DrawOp;
using platform::headless::RecordingCanvas;
using uitest::CTestDlg;

constexpr platform::Colour kBackground = 0x302010;

class DisabledLookTest : public uitest::UiTest {
 protected:
  DisabledLookTest() {
    WriteSkin(u"b_nr.png", 60, 20, 0xC0C0C0);
    WriteSkin(u"b_ov.png", 60, 20, 0xE0E0E0);
    WriteSkin(u"pic.png", 20, 20, 0x80FF80);
  }

  CTestDlg& Page() {
    auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
      auto images = [](CImageButton* b) {
        b->SetImageNormal(ui::SkinPath(u"b_nr.png"));
        b->SetImageHover(ui::SkinPath(u"b_ov.png"));
      };
      images(
          d.AddControl(0, std::make_unique<CImageButton>(w, 2100, Rect{10, 10, 70, 30}, u"New")));
      images(d.AddControl(
          0, std::make_unique<CCheckButton>(w, 2101, Rect{80, 10, 140, 30}, u"Delays", true)));
      images(d.AddControl(
          0, std::make_unique<CComboButton>(w, 2102, Rect{150, 10, 250, 30}, 1124, u"Key", u"")));
      auto* bar = d.AddControl(0, std::make_unique<CVScrollBar>(w, 2103, Rect{10, 40, 24, 200}));
      bar->SetRange(10);
      bar->SetPos(3);
      auto* edit = d.AddControl(0, std::make_unique<CEditBox>(w, 2104, Rect{40, 40, 140, 64}));
      edit->SetTitle(u"12");
      d.AddControl(
          0, std::make_unique<CStaticText>(w, 2105, Rect{150, 40, 250, 60}, 0xB4B4B4, 0, u"Label"));
      d.AddControl(0, std::make_unique<CStaticImage>(w, 2106, Rect{150, 70, 170, 90}))
          ->SetImage(ui::SkinPath(u"pic.png"));
      auto* heading = d.AddControl(
          0, std::make_unique<CCheckButton>(w, 2107, Rect{40, 100, 140, 120}, u"Heading", false,
                                            ControlOptions{.disabled = true}));
      images(heading);
      heading->m_enDisabledLook = CControlBase::DisabledLook::AsEnabled;
    });
    dlg.m_clrBackground = kBackground;
    return dlg;
  }

  // What the window draws for one control, call by call, and the pixels of its rectangle.
  struct Drawn {
    std::vector<std::string> calls;
    std::vector<uint32_t> pixels;
  };
  static std::string Describe(const DrawOp& op) {
    const Rect& r = op.rect;
    return std::to_string(static_cast<int>(op.kind)) + " " + std::to_string(r.left) + "," +
           std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) +
           " colour " + std::to_string(op.colour) + " alpha " + std::to_string(op.alpha) +
           " text " + std::string(op.text.begin(), op.text.end());
  }
  static Drawn Capture(const RecordingCanvas& canvas, const Rect& rc) {
    Drawn out;
    for (const DrawOp& op : canvas.Ops()) out.calls.push_back(Describe(op));
    for (int y = rc.top; y < rc.bottom; ++y) {
      for (int x = rc.left; x < rc.right; ++x) out.pixels.push_back(canvas.PixelArgb(x, y));
    }
    return out;
  }
  // Through the window, as a paint draws it, over the background.
  Drawn ThroughWindow(CTestDlg& dlg, const CControlBase& control) {
    RecordingCanvas canvas(400, 300);
    canvas.FillRect({0, 0, 400, 300}, kBackground);
    canvas.ClearOps();
    dlg.DrawControls(canvas, control.m_rc);
    return Capture(canvas, control.m_rc);
  }
  // The control's own drawing, with nothing of the window's.
  static Drawn Itself(CControlBase& control) {
    RecordingCanvas canvas(400, 300);
    canvas.FillRect({0, 0, 400, 300}, kBackground);
    canvas.ClearOps();
    control.Draw(canvas, control.m_rc);
    return Capture(canvas, control.m_rc);
  }
};

TEST_F(DisabledLookTest, EveryKindOfControlLooksDisabledAndBackWhenEnabledAgain) {
  auto& dlg = Page();
  for (uint32_t id : {2100u, 2101u, 2102u, 2103u, 2104u}) {
    SCOPED_TRACE(id);
    CControlBase& control = *dlg.GetControl(id);
    const Drawn enabled = ThroughWindow(dlg, control);
    control.SetDisable(true);
    EXPECT_TRUE(control.LooksDisabled());
    const Drawn disabled = ThroughWindow(dlg, control);
    EXPECT_NE(disabled.pixels, enabled.pixels);
    // The same drawing, each call faded: the layout stays where it was.
    ASSERT_EQ(disabled.calls.size(), enabled.calls.size());
    RecordingCanvas canvas(400, 300);
    dlg.DrawControls(canvas, control.m_rc);
    for (const DrawOp& op : canvas.Ops()) {
      if (op.kind == DrawOp::Kind::Image) {
        EXPECT_EQ(op.alpha, ui::kFadedShare);
      }
    }
    control.SetDisable(false);
    EXPECT_EQ(ThroughWindow(dlg, control).pixels, enabled.pixels);
  }
}

TEST_F(DisabledLookTest, EnabledControlsLabelsPicturesAndHeadingsDrawAsThemselves) {
  auto& dlg = Page();
  for (uint32_t id : {2100u, 2101u, 2102u, 2103u, 2104u, 2105u, 2106u, 2107u}) {
    SCOPED_TRACE(id);
    CControlBase& control = *dlg.GetControl(id);
    const bool inert = id >= 2105;
    EXPECT_EQ(control.m_bDisable, inert);
    EXPECT_FALSE(control.LooksDisabled());
    const Drawn itself = Itself(control);
    const Drawn drawn = ThroughWindow(dlg, control);
    EXPECT_EQ(drawn.calls, itself.calls);
    EXPECT_EQ(drawn.pixels, itself.pixels);
  }
}

TEST_F(DisabledLookTest, FadingMixesEachChannelWithTheBackground) {
  EXPECT_EQ(ui::Faded(0xFFFFFF, 0x000000, 255), 0xFFFFFFu);
  EXPECT_EQ(ui::Faded(0xFFFFFF, 0x000000, 0), 0x000000u);
  // Red, green and blue are mixed on their own: none spills into another.
  EXPECT_EQ(ui::Faded(0x0000FF, 0xFF0000, 128), 0x7F0080u);
  EXPECT_EQ(ui::Faded(0xB4B4B4, 0x302010), 0x696057u);
}

}  // namespace
