#include <gtest/gtest.h>

#include "base/Text.h"
#include "ui/Battery.h"
#include "ui/HScrollBar.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticProgressBar.h"
#include "ui/StaticText.h"
#include "ui/UiTestSupport.h"
#include "ui/VScrollBar.h"
#include "ui/VerticalSliderControl.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;
using Kind = platform::headless::DrawOp::Kind;

class SlidersTest : public uitest::UiTest {
 protected:
  // Image ops of one control drawn alone on a fresh canvas.
  std::vector<platform::headless::DrawOp> DrawAlone(CControlBase& control) {
    platform::headless::RecordingCanvas canvas(400, 300);
    control.Draw(canvas, {0, 0, 400, 300});
    return canvas.Ops();
  }
};

TEST_F(SlidersTest, StopTableAndNearestStop) {
  // 11 stops over a 100-pixel track: stops every 10 pixels from x = 20.
  CSliderControl slider(0, 2043, {10, 0, 130, 20}, 11, 10, 10, u"");
  EXPECT_EQ(slider.StopPosition(0), 20);
  EXPECT_EQ(slider.StopPosition(10), 120);
  EXPECT_EQ(slider.StopPosition(3), 50);
  const struct {
    int x;
    int stop;
  } cases[] = {{0, 0}, {24, 0}, {25, 1}, {54, 3}, {55, 4}, {114, 9}, {115, 10}, {500, 10}};
  for (const auto& c : cases) EXPECT_EQ(slider.NearestStop(c.x), c.stop) << c.x;
  // Uneven division truncates each stop on its own.
  CSliderControl seven(0, 1, {0, 0, 100, 10}, 7, 0, 0, u"");
  EXPECT_EQ(seven.StopPosition(1), 16);
  EXPECT_EQ(seven.StopPosition(5), 83);
  // Degenerate stop counts do not divide by zero.
  CSliderControl one(0, 1, {0, 0, 100, 10}, 1, 5, 5, u"");
  EXPECT_EQ(one.StopCount(), 1);
  EXPECT_EQ(one.NearestStop(90), 0);
  CSliderControl none(0, 1, {0, 0, 100, 10}, 0, 5, 5, u"");
  none.SetValue(3);
  EXPECT_EQ(none.GetValue(), 0);
}

TEST_F(SlidersTest, ReleaseHalfWaySelectsTheUpperStopAndDragClamps) {
  WriteSkin(u"Slider_Circle.png", 20, 20, 0xFFFFFF);
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0,
                 std::make_unique<CSliderControl>(w, 2043, Rect{10, 10, 130, 30}, 11, 10, 10, u""))
        ->SetThumbImage(ui::SkinPath(u"Slider_Circle.png"));
  });
  auto* slider = static_cast<CSliderControl*>(dlg.GetControl(2043));
  // Half-way between stop 3 (x 50) and stop 4 (x 60).
  desktop.Click(W(), {55, 20});
  EXPECT_EQ(slider->GetValue(), 4);
  EXPECT_EQ(slider->ThumbPosition(), 60);
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{2043, 0, 1}, {2043, 0, 2}}));

  // Drag the thumb (at x 60, drawn from x 50) to the far end of the control and past it.
  dlg.notes.clear();
  desktop.PressMouse(W(), {62, 20});
  EXPECT_TRUE(slider->IsDragging());
  desktop.MoveMouse(W(), {100, 20});
  desktop.MoveMouse(W(), {129, 20});
  slider->OnMouseMove(platform::kMkLButton, 400, 20);  // as the main window feeds it
  EXPECT_EQ(slider->GetValue(), 10);
  EXPECT_EQ(slider->ThumbPosition(), 129) << "clamped to the rectangle";
  desktop.ReleaseMouse(W(), {129, 20});
  EXPECT_EQ(slider->ThumbPosition(), 120) << "snapped to the last stop";
  // The last move notice comes from the pointer arriving where it is released.
  EXPECT_EQ(
      dlg.notes,
      (std::vector<Note>{
          {2043, 0, 1}, {2043, 8, 3}, {2043, 10, 3}, {2043, 10, 3}, {2043, 10, 3}, {2043, 0, 2}}));
  // Drawn at its natural size, its left edge at the thumb position minus the left margin.
  const auto ops = DrawAlone(*slider);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].rect, (Rect{110, 10, 130, 30}));

  // A press off the thumb does not drag; releasing outside keeps the value.
  desktop.PressMouse(W(), {20, 20});
  EXPECT_FALSE(slider->IsDragging());
  desktop.ReleaseMouse(W(), {300, 200});
  EXPECT_EQ(slider->GetValue(), 10);
  slider->SetValue(42);
  EXPECT_EQ(slider->GetValue(), 10);
}

// A slider disabled or hidden while its thumb is dragged stops there: no more value notices,
// no click, the mouse released; enabled again, it works as before.
TEST_F(SlidersTest, SliderDisabledOrHiddenMidDragStopsDragging) {
  WriteSkin(u"Slider_Circle.png", 20, 20, 0xFFFFFF);
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0,
                 std::make_unique<CSliderControl>(w, 2043, Rect{10, 10, 130, 30}, 11, 10, 10, u""))
        ->SetThumbImage(ui::SkinPath(u"Slider_Circle.png"));
  });
  auto* slider = static_cast<CSliderControl*>(dlg.GetControl(2043));
  for (const bool hide : {false, true}) {
    SCOPED_TRACE(hide);
    slider->SetValue(0);
    dlg.notes.clear();
    desktop.PressMouse(W(), {22, 20});
    desktop.MoveMouse(W(), {51, 20});
    ASSERT_TRUE(slider->IsDragging());
    if (hide) {
      slider->SetShow(false);
    } else {
      slider->SetDisable(true);
    }
    desktop.MoveMouse(W(), {100, 20});
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(desktop.Capture(), 0u);
    desktop.ReleaseMouse(W(), {100, 20});
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{2043, 0, 1}, {2043, 3, 3}}));
    EXPECT_EQ(slider->GetValue(), 3);
    EXPECT_EQ(slider->ThumbPosition(), 50) << "back on its stop";
    EXPECT_EQ(dlg.m_pHoverControl, nullptr);

    slider->SetDisable(false);
    slider->SetShow(true);
    desktop.Click(W(), {61, 20});
    EXPECT_EQ(slider->GetValue(), 4);
  }
}

// In any dialog, a dragged thumb keeps following the pointer after it leaves the bar, as on
// the main page; a button pressed and left behind gets nothing more.
TEST_F(SlidersTest, ADragFollowsThePointerOutsideTheControl) {
  WriteSkin(u"Slider_Circle.png", 20, 20, 0xFFFFFF);
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0,
                 std::make_unique<CSliderControl>(w, 2043, Rect{10, 10, 130, 30}, 11, 10, 10, u""))
        ->SetThumbImage(ui::SkinPath(u"Slider_Circle.png"));
    d.AddControl(0, std::make_unique<CVerticalSliderControl>(w, 3280, Rect{200, 100, 210, 200}, 10,
                                                             0, 0, u""));
  });
  auto* slider = static_cast<CSliderControl*>(dlg.GetControl(2043));
  desktop.PressMouse(W(), {22, 20});
  desktop.MoveMouse(W(), {60, 20});
  desktop.MoveMouse(W(), {90, 80});  // below the bar
  EXPECT_EQ(slider->GetValue(), 7);
  desktop.MoveMouse(W(), {300, 5});  // past its end, above it
  EXPECT_EQ(slider->GetValue(), 10);
  EXPECT_EQ(slider->ThumbPosition(), 129);
  desktop.MoveMouse(W(), {-40, 60});  // back beyond the start
  EXPECT_EQ(slider->GetValue(), 0);
  desktop.ReleaseMouse(W(), {-40, 60});
  EXPECT_FALSE(slider->IsDragging());
  EXPECT_EQ(slider->GetValue(), 0);
  EXPECT_EQ(slider->ThumbPosition(), 20);

  auto* bar = static_cast<CVerticalSliderControl*>(dlg.GetControl(3280));
  dlg.notes.clear();
  desktop.PressMouse(W(), {205, 190});
  desktop.MoveMouse(W(), {260, 150});  // beside the bar: the value follows the height
  EXPECT_EQ(bar->GetValue(), ([] {
              CVerticalSliderControl probe(0, 1, Rect{200, 100, 210, 200}, 10, 0, 0, u"");
              return probe.ValueAt(150);
            }()));
  desktop.ReleaseMouse(W(), {260, 150});
  ASSERT_FALSE(dlg.notes.empty());
  EXPECT_EQ(dlg.notes.back(), (Note{3280, static_cast<platform::WParam>(bar->GetValue()), 3}));
}

TEST_F(SlidersTest, VerticalSliderValueFormula) {
  // 8 values over a 160-pixel bar from y 40 to y 200.
  CVerticalSliderControl bar(0, 3280, {0, 40, 20, 200}, 8, 0, 0, u"");
  const struct {
    int y;
    int value;
  } cases[] = {{200, 0}, {199, 0}, {180, 0}, {179, 1}, {121, 3},
               {41, 7},  {40, 7},  {0, 7},   {500, 0}};
  for (const auto& c : cases) EXPECT_EQ(bar.ValueAt(c.y), c.value) << c.y;

  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(
        0, std::make_unique<CVerticalSliderControl>(w, 3280, Rect{0, 40, 20, 200}, 8, 0, 0, u""));
  });
  desktop.PressMouse(W(), {10, 150});
  desktop.MoveMouse(W(), {10, 60});
  desktop.ReleaseMouse(W(), {10, 45});
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{3280, 0, 1}, {3280, 6, 3}, {3280, 7, 3}, {3280, 0, 2}}));
  EXPECT_EQ(static_cast<CVerticalSliderControl*>(dlg.GetControl(3280))->GetValue(), 7);
}

TEST_F(SlidersTest, ScrollBarPositionFormulaAndNotices) {
  // Bar 20 wide from y 0 to 200: arrows 20 high, track 160, thumb 40, movable 120.
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CVScrollBar>(w, 2400, Rect{100, 0, 120, 200}));
  });
  auto* bar = static_cast<CVScrollBar*>(dlg.GetControl(2400));
  bar->SetRange(10);
  EXPECT_EQ(bar->MovableLength(), 120);
  for (int pos = 0; pos < 10; ++pos) {
    bar->SetPos(pos);
    const int offset = bar->ThumbRect().top - bar->TrackRect().top;
    EXPECT_EQ(offset * 10 / (120 + 1), pos) << "thumb offset maps back to " << pos;
  }
  bar->SetPos(99);
  EXPECT_EQ(bar->GetPos(), 9);
  bar->SetPos(0);

  desktop.Click(W(), {110, 5});    // up arrow
  desktop.Click(W(), {110, 195});  // down arrow
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{2400, 6, 1}, {2400, 0, 2}, {2400, 7, 1}, {2400, 0, 2}}));

  // Drag the thumb from the top to the bottom of the track.
  dlg.notes.clear();
  desktop.PressMouse(W(), {110, 30});
  desktop.MoveMouse(W(), {110, 90});
  desktop.MoveMouse(W(), {110, 179});
  desktop.ReleaseMouse(W(), {110, 179});
  EXPECT_EQ(bar->GetPos(), 9);
  EXPECT_EQ(bar->ThumbRect().bottom, bar->TrackRect().bottom);
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{2400, 0, 1}, {2400, 0, 3}, {2400, 0, 3}, {2400, 0, 2}}));

  // An empty range keeps the thumb at the top and reports position 0.
  bar->SetRange(0);
  EXPECT_EQ(bar->GetPos(), 0);
  CHScrollBar horizontal(0, {0, 0, 200, 16});
  EXPECT_EQ(horizontal.m_uID, 2037u);
  EXPECT_EQ(horizontal.SecondArrowRect(), (Rect{184, 0, 200, 16}));
}

// Both bars draw the skin's track and thumb, the thumb lit under the pointer, with the
// rounded ends unstretched; a bar without the artwork falls back to flat colours.
TEST_F(SlidersTest, ScrollBarsDrawTheScrollArtwork) {
  constexpr uint32_t kTrack = 0x102030, kThumb = 0x405060, kThumbLit = 0x708090, kEdge = 0xFFFFFF;
  // Each picture has a 2-pixel white edge, so a stretched corner would show white in the
  // middle of a long side.
  const auto art = [](int w, int h, uint32_t fill) {
    return uitest::MakeBmp(w, h, [=](int x, int y) {
      return x < 2 || y < 2 || x >= w - 2 || y >= h - 2 ? kEdge : fill;
    });
  };
  WriteSkin(u"scroll_track.png", art(12, 100, kTrack));
  WriteSkin(u"scroll_thumb.png", art(12, 40, kThumb));
  WriteSkin(u"scroll_thumb_ov.png", art(12, 40, kThumbLit));
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CVScrollBar>(w, 2400, Rect{100, 0, 114, 200}));
    d.AddControl(0, std::make_unique<CHScrollBar>(w, Rect{150, 100, 390, 114}));
  });
  auto* vertical = static_cast<CScrollBarBase*>(dlg.GetControl(2400));
  auto* horizontal = static_cast<CScrollBarBase*>(dlg.GetControl(CHScrollBar::kId));
  vertical->SetRange(10);
  horizontal->SetRange(10);
  vertical->SetPos(9);
  desktop.Invalidate(W(), nullptr);
  const auto argb = [](uint32_t rgb) { return 0xFF000000u | rgb; };
  {
    const auto& canvas = Paint(W());
    const Rect track = vertical->TrackRect(), thumb = vertical->ThumbRect();
    EXPECT_EQ(canvas.PixelArgb(107, track.top + 10), argb(kTrack));
    EXPECT_EQ(canvas.PixelArgb(107, thumb.top + 3), argb(kThumb)) << "corner kept, not stretched";
    EXPECT_EQ(canvas.PixelArgb(107, thumb.top + 1), argb(kEdge));
    EXPECT_EQ(canvas.PixelArgb(101, (thumb.top + thumb.bottom) / 2), argb(kEdge));
    const Rect htrack = horizontal->TrackRect(), hthumb = horizontal->ThumbRect();
    EXPECT_EQ(canvas.PixelArgb(htrack.right - 20, 107), argb(kTrack)) << "same art, lying down";
    EXPECT_EQ(canvas.PixelArgb(hthumb.left + 3, 107), argb(kThumb));
    EXPECT_EQ(canvas.PixelArgb((hthumb.left + hthumb.right) / 2, 101), argb(kEdge));
  }
  const Rect thumb = vertical->ThumbRect();
  desktop.MoveMouse(W(), {107, (thumb.top + thumb.bottom) / 2});
  EXPECT_EQ(Paint(W()).PixelArgb(107, thumb.top + 3), argb(kThumbLit));

  // No artwork: the flat colours, and no images drawn for track and thumb.
  vertical->ReleaseImages();
  horizontal->ReleaseImages();
  desktop.Invalidate(W(), nullptr);
  for (const auto& name : uitest::ImageNames(Paint(W()))) {
    EXPECT_EQ(name.find(u"scroll_t"), std::u16string::npos) << base::ToUtf8(name);
  }
}

TEST_F(SlidersTest, BatteryDrawing) {
  WriteSkin(u"battery_full.png", 10, 20, 0x00FF00);
  WriteSkin(u"battery_empty.png", 10, 20, 0x333333);
  WriteSkin(u"battery_charging.png", 10, 20, 0x0000FF);
  WriteSkin(u"battery_lighting.png", 10, 20, 0xFFFF00);
  CBattery battery(0, {0, 0, 20, 40});
  battery.LoadDefaultImages();
  EXPECT_EQ(battery.GetAnimLevel(), 25);
  struct Expected {
    std::u16string image;
    Rect dest;
    Rect source;
  };
  const struct {
    int state;
    int level;
    std::vector<Expected> ops;
  } cases[] = {
      {0, 0, {{u"battery_empty.png", {0, 0, 20, 40}, {0, 0, 10, 20}}}},
      {0,
       100,
       {{u"battery_empty.png", {0, 0, 20, 40}, {0, 0, 10, 20}},
        {u"battery_full.png", {0, 0, 20, 40}, {0, 0, 10, 20}}}},
      {0,
       50,
       {{u"battery_empty.png", {0, 0, 20, 40}, {0, 0, 10, 20}},
        {u"battery_full.png", {0, 20, 20, 40}, {0, 10, 10, 20}}}},
      {0,
       250,  // a bad report: clamped to 100
       {{u"battery_empty.png", {0, 0, 20, 40}, {0, 0, 10, 20}},
        {u"battery_full.png", {0, 0, 20, 40}, {0, 0, 10, 20}}}},
      {1,
       0,  // charging fills to the animation level (25), then the lightning
       {{u"battery_charging.png", {0, 30, 20, 40}, {0, 15, 10, 20}},
        {u"battery_lighting.png", {0, 0, 20, 40}, {0, 0, 10, 20}}}},
      {2,
       0,
       {{u"battery_full.png", {0, 0, 20, 40}, {0, 0, 10, 20}},
        {u"battery_lighting.png", {0, 0, 20, 40}, {0, 0, 10, 20}}}},
  };
  for (const auto& c : cases) {
    battery.SetState(c.state);
    battery.SetLevel(c.level);
    const auto ops = DrawAlone(battery);
    ASSERT_EQ(ops.size(), c.ops.size()) << c.state << "/" << c.level;
    for (size_t i = 0; i < ops.size(); ++i) {
      EXPECT_TRUE(ops[i].text.ends_with(c.ops[i].image)) << c.state << "/" << c.level << " #" << i;
      EXPECT_EQ(ops[i].rect, c.ops[i].dest) << c.state << "/" << c.level << " #" << i;
      EXPECT_EQ(ops[i].source, c.ops[i].source) << c.state << "/" << c.level << " #" << i;
    }
  }
  battery.ReleaseImages();
  EXPECT_TRUE(DrawAlone(battery).empty());
}

TEST_F(SlidersTest, ProgressBarFillsFromTheLeft) {
  WriteSkin(u"progress_bg.png", 200, 10, 0x222222);
  WriteSkin(u"progress_fill.png", 200, 10, 0x00AAFF);
  CStaticProgressBar bar(0, 2500, {10, 10, 210, 20});
  bar.SetImageBackground(ui::SkinPath(u"progress_bg.png"));
  bar.SetImageFill(ui::SkinPath(u"progress_fill.png"));
  EXPECT_EQ(bar.GetRange(), 100);
  EXPECT_EQ(bar.GetPos(), 10);
  const struct {
    int pos;
    size_t ops;
    int fillWidth;
  } cases[] = {{0, 1, 0}, {1, 2, 2}, {50, 2, 100}, {100, 2, 200}, {-5, 1, 0}, {150, 2, 200}};
  for (const auto& c : cases) {
    bar.SetPos(c.pos);
    const auto ops = DrawAlone(bar);
    ASSERT_EQ(ops.size(), c.ops) << c.pos;
    EXPECT_EQ(ops[0].rect, (Rect{10, 10, 210, 20}));
    if (c.ops == 2) {
      EXPECT_EQ(ops[1].rect, (Rect{10, 10, 10 + c.fillWidth, 20})) << c.pos;
      EXPECT_EQ(ops[1].source.Width(), c.fillWidth) << c.pos;
    }
  }
  bar.SetRange(0);  // taken as 1
  bar.SetPos(1);
  EXPECT_EQ(DrawAlone(bar).size(), 2u);
}

TEST_F(SlidersTest, StaticImageIsSilentUntilEnabled) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CStaticImage>(w, 3400, Rect{0, 0, 50, 50}));
    d.AddControl(0, std::make_unique<CStaticText>(w, 3021, Rect{60, 0, 160, 20}, 0xB4B4B4,
                                                  platform::dt::kLeft, u"Version"));
  });
  desktop.Click(W(), {10, 10});
  desktop.Click(W(), {70, 10});
  EXPECT_TRUE(dlg.notes.empty());
  dlg.GetControl(3400)->SetDisable(false);
  desktop.Click(W(), {11, 10});
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{3400, 0, 1}, {3400, 0, 2}}));
  const auto ops = DrawAlone(*dlg.GetControl(3021));
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].kind, Kind::Text);
  EXPECT_EQ(ops[0].colour, 0xB4B4B4u);
  EXPECT_EQ(ops[0].flags & platform::dt::kSingleLine, 0u);
}

}  // namespace
