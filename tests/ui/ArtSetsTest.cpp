// The artwork sets for high DPI: which set a scale draws from, the way down when a set file is
// missing or damaged, and pictures from a set laid out at their 1x size.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "ui/DPIValueShowControl.h"
#include "ui/ImageButton.h"
#include "ui/SlicedImage.h"
#include "ui/SliderControl.h"
#include "ui/StaticProgressBar.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Rect;
using Kind = platform::headless::DrawOp::Kind;

class ArtSetsTest : public uitest::UiTest {
 protected:
  ~ArtSetsTest() override { g_fUiScale = 1.0f; }

  // skins\<name> at 1x (w x h) and in the sets listed, each of its own colour.
  void WriteSets(std::u16string_view name, int w, int h, std::vector<int> sets) {
    WriteSkin(name, w, h, 0x101010);
    for (int percent : sets) {
      WriteSkin(u"@" + base::FromUtf8(std::to_string(percent)) + u"\\" + std::u16string(name),
                w * percent / 100, h * percent / 100, 0x202020);
    }
  }

  // Image ops of one control drawn alone on a fresh canvas.
  static std::vector<platform::headless::DrawOp> DrawAlone(CControlBase& control) {
    platform::headless::RecordingCanvas canvas(600, 400);
    control.Draw(canvas, {0, 0, 600, 400});
    std::vector<platform::headless::DrawOp> images;
    for (const auto& op : canvas.Ops()) {
      if (op.kind == Kind::Image) images.push_back(op);
    }
    return images;
  }

  std::u16string Skin(std::u16string_view name) const { return ui::SkinPath(name); }
};

TEST_F(ArtSetsTest, EachScaleDrawsFromTheNearestSetAtOrAboveIt) {
  const struct {
    float scale;
    int set;
  } table[] = {{1.0f, 100},  {1.01f, 150}, {1.25f, 150}, {1.5f, 150}, {1.51f, 200},
               {1.75f, 200}, {2.0f, 200},  {2.5f, 200},  {4.0f, 200}};
  for (const auto& row : table) EXPECT_EQ(ui::ArtSetFor(row.scale), row.set) << row.scale;
  // 144 and 192 DPI as the window system reports them.
  EXPECT_EQ(ui::ArtSetFor(ui::ScaleForDpi(144)), 150);
  EXPECT_EQ(ui::ArtSetFor(ui::ScaleForDpi(192)), 200);
  EXPECT_EQ(ui::ArtSetFor(ui::ScaleForDpi(120)), 150);
}

TEST_F(ArtSetsTest, SetFilesMirrorTheSkinsFolderAndAreAlwaysPng) {
  EXPECT_EQ(ui::ArtSetPath(Skin(u"exit_nr.png"), 200), Skin(u"@200\\exit_nr.png"));
  EXPECT_EQ(ui::ArtSetPath(Skin(u"mouse\\number1.png"), 150), Skin(u"@150\\mouse\\number1.png"));
  EXPECT_EQ(ui::ArtSetPath(Skin(u"Frame_warning.bmp"), 200), Skin(u"@200\\Frame_warning.png"));
  EXPECT_EQ(ui::ArtSetPath(Skin(u"Old.BMP"), 150), Skin(u"@150\\Old.png"));
  EXPECT_EQ(ui::ArtSetPath(Skin(u"exit_nr.png"), 100), u"");
  EXPECT_EQ(ui::ArtSetPath(u"C:\\elsewhere\\exit_nr.png", 200), u"");
  EXPECT_EQ(ui::ArtSetPath(Skin(u""), 200), u"");
}

// Which file a load at each scale ends up with, by the sets that are on disk (a set file that
// is there but does not decode counts as missing).
TEST_F(ArtSetsTest, AMissingOrDamagedSetFallsToTheNextSetDownThenTo1x) {
  const struct {
    const char* what;
    std::vector<int> sets;
    std::vector<int> damaged;
    float scale;
    float loaded;  // the scale of the picture that was loaded
  } table[] = {
      {"1x wanted", {150, 200}, {}, 1.0f, 1.0f},
      {"2x there", {150, 200}, {}, 2.0f, 2.0f},
      {"1.5x there", {150, 200}, {}, 1.5f, 1.5f},
      {"125 % takes 1.5x", {150, 200}, {}, 1.25f, 1.5f},
      {"2x missing", {150}, {}, 2.0f, 1.5f},
      {"2x damaged", {150, 200}, {200}, 2.0f, 1.5f},
      {"both damaged", {150, 200}, {150, 200}, 2.0f, 1.0f},
      {"no sets", {}, {}, 2.0f, 1.0f},
      {"never upwards", {200}, {}, 1.5f, 1.0f},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.what);
    WriteSkin(u"@150\\pic.png", "");
    WriteSkin(u"@200\\pic.png", "");
    WriteSets(u"pic.png", 10, 6, row.sets);
    for (int percent : row.damaged) {
      WriteSkin(u"@" + base::FromUtf8(std::to_string(percent)) + u"\\pic.png", "BM truncated");
    }
    g_fUiScale = row.scale;
    auto image = ui::LoadSkinImage(Skin(u"pic.png"));
    ASSERT_NE(image, nullptr);
    EXPECT_FLOAT_EQ(image->Scale(), row.loaded);
    EXPECT_EQ(image->Width(), static_cast<int>(10 * row.loaded));
    EXPECT_EQ(ui::LayoutSize(*image), (platform::Size{10, 6}));
  }
  // Nothing anywhere: nothing, at any scale.
  g_fUiScale = 2.0f;
  EXPECT_EQ(ui::LoadSkinImage(Skin(u"absent.png")), nullptr);
}

TEST_F(ArtSetsTest, ASetPictureOfAnOddSizeStillReportsIts1xSize) {
  // 15 at 1.5x is 22 (truncated); 22 / 1.5 rounds back to 15.
  WriteSets(u"exit_nr.png", 15, 15, {150});
  g_fUiScale = 1.5f;
  auto image = ui::LoadSkinImage(Skin(u"exit_nr.png"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 22);
  EXPECT_EQ(ui::LayoutSize(*image), (platform::Size{15, 15}));
  EXPECT_EQ(ui::ImagePixels(*image, {0, 2, 15, 10}), (Rect{0, 3, 22, 15}));
}

// A 2x picture is laid out wherever its size places something exactly as its 1x picture.
TEST_F(ArtSetsTest, ControlsLayOutA2xPictureAtIts1xSize) {
  WriteSets(u"button2_nr.png", 69, 20, {200});
  WriteSets(u"Slider_Circle.png", 14, 14, {200});
  WriteSets(u"progress_fill.png", 260, 10, {200});
  for (float scale : {1.0f, 2.0f}) {
    SCOPED_TRACE(scale);
    g_fUiScale = scale;
    const int s = static_cast<int>(scale);
    CImageButton button(0, 1, {10 * s, 10 * s, 200 * s, 40 * s}, u"");
    ASSERT_TRUE(button.SetImageNormal(Skin(u"button2_nr.png")));
    auto ops = DrawAlone(button);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].rect, (Rect{10 * s, 10 * s, 79 * s, 30 * s}));
    EXPECT_EQ(ops[0].source, (Rect{0, 0, 69 * s, 20 * s})) << "the whole picture, 1:1";

    CSliderControl slider(0, 2, {0, 0, 180 * s, 14 * s}, 5, 7 * s, 7 * s, u"");
    ASSERT_TRUE(slider.SetThumbImage(Skin(u"Slider_Circle.png")));
    EXPECT_EQ(slider.ThumbRect(), (Rect{0, 0, 14 * s, 14 * s}));

    CStaticProgressBar bar(0, 3, {0, 0, 260 * s, 10 * s});
    ASSERT_TRUE(bar.SetImageFill(Skin(u"progress_fill.png")));
    bar.SetRange(4);
    bar.SetPos(1);
    ops = DrawAlone(bar);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].rect, (Rect{0, 0, 65 * s, 10 * s})) << "a quarter of the bar";
    EXPECT_EQ(ops[0].source, (Rect{0, 0, 65 * s, 10 * s}));
  }
}

TEST_F(ArtSetsTest, TheDpiValueFieldTakesItsPlainBandFromTheRowsOfTheSet) {
  WriteSets(u"mouse\\dpi_bar_1.png", 10, 82, {200});
  WriteSets(u"mouse\\dpi_bar_2.png", 10, 82, {200});
  for (float scale : {1.0f, 2.0f}) {
    SCOPED_TRACE(scale);
    g_fUiScale = scale;
    const int s = static_cast<int>(scale);
    CDPIValueShowControl field(0, 3300, {0, 0, 60 * s, 20 * s});
    field.LoadDefaultImages();
    field.SetIndexes(0, 0, 1);
    const auto ops = DrawAlone(field);
    ASSERT_EQ(ops.size(), 2u);
    // Rows 44 to 60 of the 1x bar, whichever set is drawn.
    EXPECT_EQ(ops[0].source, (Rect{0, 44 * s, 10 * s, 60 * s}));
    EXPECT_EQ(ops[1].source, (Rect{0, 44 * s, 10 * s, 60 * s}));
  }
}

// Nine slices: the corner is given in 1x pixels; the source takes it at the picture's own
// scale, the destination at the window's.
TEST_F(ArtSetsTest, NineSliceCornersFollowThePictureAndTheWindowScaleApart) {
  WriteSets(u"scroll_thumb.png", 12, 40, {150, 200});
  const struct {
    float window;
    std::vector<int> sets;
    int sourceCorner;
    int destCorner;
  } table[] = {{1.0f, {}, 4, 4}, {2.0f, {200}, 8, 8}, {2.0f, {}, 4, 8}, {1.25f, {150}, 6, 5}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.window);
    WriteSkin(u"@150\\scroll_thumb.png", "");
    WriteSkin(u"@200\\scroll_thumb.png", "");
    WriteSets(u"scroll_thumb.png", 12, 40, row.sets);
    g_fUiScale = row.window;
    auto image = ui::LoadSkinImage(Skin(u"scroll_thumb.png"));
    ASSERT_NE(image, nullptr);
    for (int sliced = 0; sliced < 2; ++sliced) {
      platform::headless::RecordingCanvas canvas(200, 200);
      const Rect dest{0, 0, 40, 120};
      if (sliced) {
        ui::DrawSliced(canvas, image.get(), dest, 4);
      } else {
        ui::DrawNineSlice(canvas, image.get(), dest, 4);
      }
      ASSERT_EQ(canvas.Ops().size(), 9u) << sliced;
      const auto& topLeft = canvas.Ops().front();
      EXPECT_EQ(topLeft.source, (Rect{0, 0, row.sourceCorner, row.sourceCorner})) << sliced;
      EXPECT_EQ(topLeft.rect, (Rect{0, 0, row.destCorner, row.destCorner})) << sliced;
      const auto& bottomRight = canvas.Ops().back();
      EXPECT_EQ(bottomRight.source.right, image->Width()) << sliced;
      EXPECT_EQ(bottomRight.rect, (Rect{40 - row.destCorner, 120 - row.destCorner, 40, 120}))
          << sliced;
    }
  }
}

TEST_F(ArtSetsTest, AStripFrameComesFromTheSetsWiderFrames) {
  WriteSets(u"dpi_value.png", 96, 18, {150});
  g_fUiScale = 1.5f;
  CImageButton button(0, 1, {0, 0, 48, 27}, u"");
  ASSERT_TRUE(button.SetImage(Skin(u"dpi_value.png")));
  button.m_enButtonState = kStateDown;
  const auto ops = DrawAlone(button);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].source, (Rect{96, 0, 144, 27}));
  EXPECT_EQ(ops[0].rect, (Rect{0, 0, 48, 27}));
}

// Moved to a monitor of another scale: a control's pictures come from the new scale's set,
// the last one loaded still gives the size, and an emptied slot stays empty.
TEST_F(ArtSetsTest, AControlLoadsItsPicturesAgainWhenTheScaleChanges) {
  WriteSets(u"a.png", 20, 10, {150, 200});
  WriteSets(u"b.png", 30, 12, {150, 200});
  CImageButton button(0, 1, {0, 0, 60, 24}, u"");
  ASSERT_TRUE(button.SetImageNormal(Skin(u"b.png")));
  ASSERT_TRUE(button.SetImageHover(Skin(u"a.png")));
  ASSERT_TRUE(button.SetImageNormal(Skin(u"b.png")));  // loaded last, so b sets the size
  EXPECT_EQ(DrawAlone(button).at(0).text, Skin(u"b.png"));
  EXPECT_EQ(DrawAlone(button).at(0).rect, (Rect{0, 0, 30, 12}));

  g_fUiScale = 2.0f;
  button.OnScaleChanged(1.0f, 2.0f);
  EXPECT_EQ(DrawAlone(button).at(0).text, Skin(u"@200\\b.png"));
  EXPECT_EQ(DrawAlone(button).at(0).rect, (Rect{0, 0, 60, 24}));
  button.m_enButtonState = kStateHover;
  EXPECT_EQ(DrawAlone(button).at(0).text, Skin(u"@200\\a.png"));

  // 2 to 1.75 keeps the set: nothing is loaded again.
  WriteSkin(u"@200\\a.png", "");
  g_fUiScale = 1.75f;
  button.OnScaleChanged(2.0f, 1.75f);
  EXPECT_EQ(DrawAlone(button).at(0).text, Skin(u"@200\\a.png"));

  g_fUiScale = 1.5f;
  button.OnScaleChanged(1.75f, 1.5f);
  EXPECT_EQ(DrawAlone(button).at(0).text, Skin(u"@150\\a.png"));

  button.ReleaseImages();
  g_fUiScale = 1.0f;
  button.OnScaleChanged(1.5f, 1.0f);
  EXPECT_TRUE(DrawAlone(button).empty());
}

// A dialog told of a new DPI before the main window has changed the program's scale loads
// its pictures for its own new scale, its frame too.
TEST_F(ArtSetsTest, ADialogAheadOfTheProgramsScaleLoadsForItsOwn) {
  WriteSets(u"a.png", 20, 10, {200});
  WriteSets(u"Frame.bmp", 400, 300, {});
  WriteSkin(u"@200\\Frame.png", uitest::MakeBmp(800, 600, 0x303030));
  auto& dlg = Dialog([this](uitest::CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CImageButton>(w, 1, Rect{0, 0, 40, 20}, u""))
        ->SetImageNormal(Skin(u"a.png"));
    (void)d.SetFrameBitmapFile(Skin(u"Frame.bmp"));
  });
  const platform::Rect suggested{0, 0, 800, 600};
  desktop.SendMessage(W(), platform::msg::kDpiChanged,
                      static_cast<platform::WParam>(192 | (192 << 16)),
                      reinterpret_cast<platform::LParam>(&suggested));
  EXPECT_FLOAT_EQ(g_fUiScale, 1.0f) << "the program's scale is the main window's";
  const auto& canvas = Paint(W());
  EXPECT_TRUE(std::any_of(canvas.Ops().begin(), canvas.Ops().end(), [&](const auto& op) {
    return op.kind == Kind::Image && op.text == Skin(u"@200\\a.png");
  }));
  EXPECT_EQ(dlg.m_sizeFrame, (platform::Size{400, 300}));
  EXPECT_EQ(canvas.PixelArgb(700, 500), 0xFF303030u) << "the 2x frame, unscaled";
}

}  // namespace
