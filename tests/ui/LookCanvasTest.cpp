// Looks of a window compared: what changed is found by what would be drawn, so a refresh
// repaints only that.

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/ImageButton.h"
#include "ui/LookCanvas.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;

// The test dialog with the look comparison of the base in reach.
class CLookDlg : public CTestDlg {
 public:
  using CDlgBase::InvalidateLookChanges;
  using CDlgBase::RecordLook;
  using CTestDlg::CTestDlg;
};

class LookCanvasTest : public uitest::UiTest {
 protected:
  LookCanvasTest() {
    WriteSkin(u"a.bmp", 10, 10, 0x102030);
    dlg = std::make_unique<CLookDlg>([](CTestDlg& d, platform::WindowId w) {
      d.AddControl(0, std::make_unique<CStaticText>(w, 1, Rect{10, 10, 110, 30}, 0xFFFFFF,
                                                    platform::dt::kLeft, u"one"));
      d.AddControl(0, std::make_unique<CStaticText>(w, 2, Rect{10, 40, 110, 60}, 0xFFFFFF,
                                                    platform::dt::kLeft, u"two"));
      auto* image =
          d.AddControl(0, std::make_unique<CImageButton>(w, 3, Rect{200, 10, 210, 20}, u""));
      EXPECT_TRUE(image->SetImage(ui::SkinPath(u"a.bmp")));
    });
    EXPECT_TRUE(dlg->Create());
    desktop.RunUntilIdle();
    (void)Invalidated(dlg->GetSafeHwnd());
    dlg->InvalidateLookChanges();  // the first keeps a look and repaints everything
    EXPECT_EQ(Invalidated(dlg->GetSafeHwnd()).size(), 1u);
  }
  std::vector<Rect> Changes() {
    dlg->InvalidateLookChanges();
    std::vector<Rect> rects = Invalidated(dlg->GetSafeHwnd());
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) {
      return std::tie(a.top, a.left, a.bottom, a.right) <
             std::tie(b.top, b.left, b.bottom, b.right);
    });
    rects.erase(std::unique(rects.begin(), rects.end()), rects.end());
    return rects;
  }
  std::unique_ptr<CLookDlg> dlg;
};

TEST_F(LookCanvasTest, OnlyWhatChangedIsRepainted) {
  EXPECT_TRUE(Changes().empty());

  dlg->GetControl(2)->SetTitle(u"deux");
  EXPECT_EQ(Changes(), std::vector<Rect>{Rect(10, 40, 110, 60)});

  // A move repaints where the control was and where it is.
  dlg->GetControl(1)->SetRect(10, 70, 110, 90);
  EXPECT_EQ(Changes(), (std::vector<Rect>{{10, 10, 110, 30}, {10, 70, 110, 90}}));

  static_cast<CStaticText*>(dlg->GetControl(1))->SetColour(0x00FF00);
  EXPECT_EQ(Changes(), std::vector<Rect>{Rect(10, 70, 110, 90)});

  dlg->GetControl(2)->SetVisible(false);
  EXPECT_EQ(Changes(), std::vector<Rect>{Rect(10, 40, 110, 60)});
}

// A picture loaded again is a new picture, even where it takes the memory of the first (two
// loads free it).
TEST_F(LookCanvasTest, AnImageLoadedAgainCountsAsAChange) {
  auto* image = static_cast<CImageButton*>(dlg->GetControl(3));
  ASSERT_TRUE(image->SetImage(ui::SkinPath(u"a.bmp")));
  ASSERT_TRUE(image->SetImage(ui::SkinPath(u"a.bmp")));
  EXPECT_EQ(Changes(), std::vector<Rect>{Rect(200, 10, 210, 20)});
}

// A change made earlier without repainting is still found at the next comparison, because
// the comparison is with the look kept last time, not with one taken just before.
TEST_F(LookCanvasTest, AChangeMadeWithoutRepaintingIsFoundLater) {
  dlg->GetControl(1)->SetTitle(u"uno");
  (void)dlg->RecordLook();  // looking does not count as showing
  EXPECT_EQ(Changes(), std::vector<Rect>{Rect(10, 10, 110, 30)});
  EXPECT_TRUE(Changes().empty());
}

TEST(LookCompareTest, CallsAreComparedAsAMultisetAndClippedToTheClip) {
  platform::headless::RecordingCanvas measure(1, 1);
  auto look = [&](int copies, const Rect& clip) {
    ui::LookCanvas canvas(100, 100, measure);
    canvas.SetClip(clip);
    for (int i = 0; i < copies; ++i) canvas.FillRect({0, 0, 50, 50}, 0x0000FF);
    canvas.FillRect({60, 60, 200, 200}, 0x00FF00);  // reaches past the surface
    return canvas.Take();
  };
  EXPECT_TRUE(ui::ChangedAreas(look(2, {}), look(2, {})).empty());
  // One of two identical fills gone is a change.
  EXPECT_EQ(ui::ChangedAreas(look(2, {}), look(1, {})), std::vector<Rect>{Rect(0, 0, 50, 50)});
  // Only what the clip lets through counts, on both sides of the change.
  const std::vector<Rect> clipped = ui::ChangedAreas(look(1, {}), look(1, {0, 0, 20, 100}));
  EXPECT_EQ(clipped.size(), 3u);
  EXPECT_TRUE(std::all_of(clipped.begin(), clipped.end(),
                          [](const Rect& rc) { return rc.right <= 100 && rc.bottom <= 100; }));
  EXPECT_NE(std::find(clipped.begin(), clipped.end(), Rect(0, 0, 20, 50)), clipped.end());
}

}  // namespace
