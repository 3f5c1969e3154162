#include "adapters/win32/Win32Canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "Win32TestSupport.h"

namespace {

using platform::Rect;
using platform::Rgb;
using win32test::TempFolder;
using win32test::TestPlatform;

constexpr uint32_t kOpaqueRed = 0xFFFF0000;

std::unique_ptr<platform::Canvas> NewCanvas(int w, int h) {
  TestPlatform();
  return platform::Gfx().CreateCanvas(w, h);
}

std::unique_ptr<platform::Font> UiFont(int height = 16) {
  return platform::Gfx().CreateFont({.face = u"Tahoma", .height = height, .charset = 1});
}

int CountPixelsNot(const platform::Canvas& canvas, const Rect& area, uint32_t value) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += canvas.PixelArgb(x, y) != value;
  return count;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        tolerance)
      return false;
  }
  return true;
}

// A 24-bit bottom-up BMP file, written by hand so the test does not depend on an encoder.
std::string Bmp24(int w, int h, uint32_t (*pixel)(int x, int y)) {
  const int stride = (w * 3 + 3) & ~3;
  const uint32_t imageSize = static_cast<uint32_t>(stride * h);
  std::string out;
  auto u16 = [&](uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  out += "BM";
  u32(54 + imageSize);
  u32(0);
  u32(54);
  u32(40);
  u32(static_cast<uint32_t>(w));
  u32(static_cast<uint32_t>(h));
  u16(1);
  u16(24);
  u32(0);
  u32(imageSize);
  u32(2835);
  u32(2835);
  u32(0);
  u32(0);
  for (int y = h - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixel(x, y);
      row += static_cast<char>(p & 0xFF);
      row += static_cast<char>((p >> 8) & 0xFF);
      row += static_cast<char>((p >> 16) & 0xFF);
    }
    row.resize(static_cast<size_t>(stride), '\0');
    out += row;
  }
  return out;
}

// Left half blue, right half yellow (0xRRGGBB).
uint32_t Halves(int x, int) {
  return x < 4 ? 0x0000FF : 0xFFFF00;
}

TEST(Win32Canvas, StartsTransparentFillsFramesAndClips) {
  auto canvas = NewCanvas(20, 10);
  ASSERT_EQ(canvas->Width(), 20);
  ASSERT_EQ(canvas->Height(), 10);
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, 20, 10}, 0), 0);

  canvas->FillRect({2, 3, 5, 6}, Rgb(255, 0, 0));
  EXPECT_EQ(canvas->PixelArgb(2, 3), kOpaqueRed);
  EXPECT_EQ(canvas->PixelArgb(4, 5), kOpaqueRed);
  EXPECT_EQ(canvas->PixelArgb(5, 5), 0u);  // right and bottom are exclusive
  EXPECT_EQ(canvas->PixelArgb(4, 6), 0u);
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, 20, 10}, 0), 9);

  canvas->FillRect({-5, -5, 100, 100}, Rgb(1, 2, 3));  // larger than the surface: no harm
  EXPECT_EQ(canvas->PixelArgb(19, 9), 0xFF010203u);
  EXPECT_EQ(canvas->PixelArgb(20, 0), 0u);  // outside reads as 0
  EXPECT_EQ(canvas->PixelArgb(-1, 0), 0u);

  canvas->FrameRect({0, 0, 5, 4}, Rgb(0, 0, 255));
  EXPECT_EQ(canvas->PixelArgb(0, 0), 0xFF0000FFu);
  EXPECT_EQ(canvas->PixelArgb(4, 3), 0xFF0000FFu);
  EXPECT_EQ(canvas->PixelArgb(2, 2), 0xFF010203u);  // inside stays
  EXPECT_EQ(canvas->PixelArgb(5, 0), 0xFF010203u);  // just outside stays

  canvas->SetClip({10, 0, 12, 10});
  canvas->FillRect({0, 0, 20, 10}, Rgb(0, 255, 0));
  EXPECT_EQ(canvas->PixelArgb(9, 5), 0xFF010203u);
  EXPECT_EQ(canvas->PixelArgb(10, 5), 0xFF00FF00u);
  EXPECT_EQ(canvas->PixelArgb(12, 5), 0xFF010203u);
  canvas->SetClip({});
  canvas->FillRect({0, 0, 1, 1}, Rgb(0, 255, 0));
  EXPECT_EQ(canvas->PixelArgb(0, 0), 0xFF00FF00u);
}

TEST(Win32Canvas, LinesAndCopies) {
  auto canvas = NewCanvas(16, 16);
  canvas->DrawLine({2, 8}, {13, 8}, Rgb(255, 0, 0), 1);
  EXPECT_EQ(canvas->PixelArgb(7, 8), kOpaqueRed);
  EXPECT_EQ(canvas->PixelArgb(7, 5), 0u);
  EXPECT_EQ(canvas->PixelArgb(7, 11), 0u);

  auto other = NewCanvas(4, 4);
  other->FillRect({0, 0, 4, 4}, Rgb(9, 9, 9));
  other->FillRect({1, 1, 2, 2}, Rgb(200, 100, 50));
  canvas->CopyFrom(*other, {10, 10, 14, 14}, {0, 0});
  EXPECT_EQ(canvas->PixelArgb(11, 11), 0xFFC86432u);
  EXPECT_EQ(canvas->PixelArgb(13, 13), 0xFF090909u);
  EXPECT_EQ(canvas->PixelArgb(14, 14), 0u);

  // Source rectangle partly outside the source: only what exists is copied.
  canvas->CopyFrom(*other, {0, 0, 8, 8}, {2, 2});
  EXPECT_EQ(canvas->PixelArgb(1, 1), 0xFF090909u);
  EXPECT_EQ(canvas->PixelArgb(2, 2), 0u);

  // Within one surface, overlapping.
  canvas->CopyFrom(*canvas, {11, 10, 15, 14}, {10, 10});
  EXPECT_EQ(canvas->PixelArgb(12, 11), 0xFFC86432u);
  EXPECT_EQ(canvas->PixelArgb(11, 11), 0xFF090909u);
}

TEST(Win32Canvas, ImagesFromFileAndResources) {
  TempFolder folder;
  platform::Graphics& gfx = platform::Gfx();

  const std::u16string bmpPath = folder / u"halves.bmp";
  ASSERT_TRUE(platform::Files().WriteAll(bmpPath, Bmp24(8, 4, Halves)));
  std::unique_ptr<platform::Image> halves = gfx.LoadImageFile(bmpPath);
  ASSERT_NE(halves, nullptr) << TestPlatform().LastFailure();
  EXPECT_EQ(halves->Width(), 8);
  EXPECT_EQ(halves->Height(), 4);
  EXPECT_EQ(halves->PixelArgb(0, 0), 0xFF0000FFu);
  EXPECT_EQ(halves->PixelArgb(7, 3), 0xFFFFFF00u);
  EXPECT_EQ(halves->PixelArgb(8, 0), 0u);
  // The file stays free while the image lives.
  EXPECT_TRUE(platform::Files().Remove(bmpPath));

  std::unique_ptr<platform::Image> pattern = gfx.LoadPngResource(9001);
  ASSERT_NE(pattern, nullptr) << TestPlatform().LastFailure();
  EXPECT_EQ(pattern->Width(), 4);
  EXPECT_EQ(pattern->PixelArgb(0, 0), 0xFFFF0000u);
  EXPECT_EQ(pattern->PixelArgb(2, 1), 0xFF0A141Eu);
  EXPECT_EQ(pattern->PixelArgb(0, 1), 0u);
  EXPECT_TRUE(Near(pattern->PixelArgb(3, 0), 0x80FFFFFFu, 2));
  EXPECT_TRUE(Near(pattern->PixelArgb(3, 1), 0x40FF0000u, 3));

  std::unique_ptr<platform::Image> frame = gfx.LoadBitmapResource(9002);
  ASSERT_NE(frame, nullptr) << TestPlatform().LastFailure();
  EXPECT_EQ(frame->Width(), 3);
  EXPECT_EQ(frame->Height(), 2);
  EXPECT_EQ(frame->PixelArgb(0, 0), 0xFF102030u);
  EXPECT_EQ(frame->PixelArgb(2, 1), 0xFFC08040u);

  EXPECT_EQ(gfx.LoadImageFile(folder / u"missing.png"), nullptr);
  ASSERT_TRUE(platform::Files().WriteAll(folder / u"junk.png", "not a picture at all"));
  EXPECT_EQ(gfx.LoadImageFile(folder / u"junk.png"), nullptr);
  EXPECT_EQ(gfx.LoadPngResource(4242), nullptr);
  EXPECT_EQ(gfx.LoadBitmapResource(4242), nullptr);
}

TEST(Win32Canvas, TheIconIsDrawnCentredOpaqueAndWithinTheClip) {
  auto canvas = NewCanvas(100, 80);
  const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
  const Rect icon{(100 - cx + 1) / 2, (80 - cy + 1) / 2, (100 - cx + 1) / 2 + cx,
                  (80 - cy + 1) / 2 + cy};
  constexpr uint32_t kGrey = 0xFF404040;
  canvas->FillRect({0, 0, 100, 80}, Rgb(0x40, 0x40, 0x40));
  canvas->DrawIconCentred(128, {0, 0, 100, 80});
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, 100, icon.top}, kGrey), 0);
  EXPECT_EQ(CountPixelsNot(*canvas, {0, icon.bottom, 100, 80}, kGrey), 0);
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, icon.left, 80}, kGrey), 0);
  EXPECT_EQ(CountPixelsNot(*canvas, {icon.right, 0, 100, 80}, kGrey), 0);
  EXPECT_GT(CountPixelsNot(*canvas, icon, kGrey), cx * cy / 4);
  // Over an opaque background the result stays opaque.
  for (int y = icon.top; y < icon.bottom; ++y)
    for (int x = icon.left; x < icon.right; ++x) ASSERT_EQ(canvas->PixelArgb(x, y) >> 24, 0xFFu);

  // Only the clip is drawn into; a missing icon draws nothing.
  canvas->FillRect({0, 0, 100, 80}, Rgb(0x40, 0x40, 0x40));
  canvas->SetClip({0, 0, 50, 80});
  canvas->DrawIconCentred(128, {0, 0, 100, 80});
  canvas->SetClip({});
  EXPECT_EQ(CountPixelsNot(*canvas, {50, 0, 100, 80}, kGrey), 0);
  EXPECT_GT(CountPixelsNot(*canvas, {0, 0, 50, 80}, kGrey), 0);
  canvas->FillRect({0, 0, 100, 80}, Rgb(0x40, 0x40, 0x40));
  canvas->DrawIconCentred(4242, {0, 0, 100, 80});
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, 100, 80}, kGrey), 0);
}

TEST(Win32Canvas, DrawImageBlendsWithItsAlphaAndTheConstantAlpha) {
  auto pattern = platform::Gfx().LoadPngResource(9001);
  ASSERT_NE(pattern, nullptr);
  auto canvas = NewCanvas(10, 10);
  canvas->FillRect({0, 0, 10, 10}, Rgb(0, 0, 0));

  canvas->DrawImage(*pattern, {1, 1, 5, 3}, {0, 0, 4, 2});
  EXPECT_EQ(canvas->PixelArgb(1, 1), 0xFFFF0000u);
  EXPECT_EQ(canvas->PixelArgb(3, 2), 0xFF0A141Eu);
  EXPECT_EQ(canvas->PixelArgb(1, 2), 0xFF000000u);             // transparent pixel: black stays
  EXPECT_TRUE(Near(canvas->PixelArgb(4, 1), 0xFF808080u, 2));  // half white over black
  EXPECT_TRUE(Near(canvas->PixelArgb(4, 2), 0xFF400000u, 2));  // quarter red over black

  // A source rectangle picks one pixel; constant alpha scales on top of the image's own.
  canvas->DrawImage(*pattern, {6, 6, 7, 7}, {1, 0, 2, 1}, 128);
  EXPECT_TRUE(Near(canvas->PixelArgb(6, 6), 0xFF008000u, 2));
  canvas->DrawImage(*pattern, {7, 7, 8, 8}, {3, 0, 4, 1}, 128);
  EXPECT_TRUE(Near(canvas->PixelArgb(7, 7), 0xFF404040u, 2));

  // One pixel wider and higher, as a fractional scale rounds: the picture is copied exactly
  // and its last column and row repeated, not resampled.
  auto nearly = NewCanvas(10, 10);
  nearly->FillRect({0, 0, 10, 10}, Rgb(0, 0, 0));
  nearly->DrawImage(*pattern, {1, 1, 6, 4}, {0, 0, 4, 2});
  EXPECT_EQ(nearly->PixelArgb(1, 1), 0xFFFF0000u);
  EXPECT_EQ(nearly->PixelArgb(3, 2), 0xFF0A141Eu);
  EXPECT_EQ(nearly->PixelArgb(3, 3), 0xFF0A141Eu);              // last row again
  EXPECT_EQ(nearly->PixelArgb(5, 1), nearly->PixelArgb(4, 1));  // last column again
  EXPECT_EQ(nearly->PixelArgb(5, 3), nearly->PixelArgb(4, 2));
  EXPECT_EQ(nearly->PixelArgb(6, 1), 0xFF000000u);  // nothing beyond dest
  EXPECT_EQ(nearly->PixelArgb(1, 4), 0xFF000000u);
  // One pixel narrower: the last column is left out.
  nearly->FillRect({0, 0, 10, 10}, Rgb(0, 0, 0));
  nearly->DrawImage(*pattern, {1, 1, 4, 3}, {0, 0, 4, 2});
  EXPECT_EQ(nearly->PixelArgb(3, 2), 0xFF0A141Eu);
  EXPECT_EQ(nearly->PixelArgb(4, 1), 0xFF000000u);

  // Scaled: each half of the source fills its half of the destination.
  TempFolder folder;
  ASSERT_TRUE(platform::Files().WriteAll(folder / u"h.bmp", Bmp24(8, 4, Halves)));
  auto halves = platform::Gfx().LoadImageFile(folder / u"h.bmp");
  ASSERT_NE(halves, nullptr);
  auto big = NewCanvas(40, 20);
  big->DrawImage(*halves, {0, 0, 40, 20}, {0, 0, 8, 4});
  EXPECT_TRUE(Near(big->PixelArgb(5, 10), 0xFF0000FFu, 4)) << std::hex << big->PixelArgb(5, 10);
  EXPECT_TRUE(Near(big->PixelArgb(35, 10), 0xFFFFFF00u, 4)) << std::hex << big->PixelArgb(35, 10);
  EXPECT_TRUE(Near(big->PixelArgb(0, 0), 0xFF0000FFu, 4)) << std::hex << big->PixelArgb(0, 0);
  EXPECT_TRUE(Near(big->PixelArgb(39, 19), 0xFFFFFF00u, 4)) << std::hex << big->PixelArgb(39, 19);

  // Clipped.
  auto clipped = NewCanvas(40, 20);
  clipped->SetClip({0, 0, 10, 20});
  clipped->DrawImage(*halves, {0, 0, 40, 20}, {0, 0, 8, 4});
  EXPECT_EQ(CountPixelsNot(*clipped, {10, 0, 40, 20}, 0), 0);
  EXPECT_NE(clipped->PixelArgb(5, 5), 0u);
}

TEST(Win32Canvas, TextChangesPixelsOnlyInsideItsRectangleWithItsColour) {
  auto canvas = NewCanvas(200, 40);
  canvas->FillRect({0, 0, 200, 40}, Rgb(0, 0, 0));
  auto font = UiFont();
  int height =
      canvas->DrawText(u"Gaming Mouse", *font, Rgb(255, 255, 255), {10, 5, 190, 35},
                       platform::dt::kCenter | platform::dt::kVCenter | platform::dt::kSingleLine);
  EXPECT_GT(height, 0);
  EXPECT_GT(CountPixelsNot(*canvas, {10, 5, 190, 35}, 0xFF000000u), 20);
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, 10, 40}, 0xFF000000u), 0);
  EXPECT_EQ(CountPixelsNot(*canvas, {190, 0, 200, 40}, 0xFF000000u), 0);
  // Text on an opaque surface leaves it opaque.
  bool allOpaque = true;
  for (int y = 5; y < 35; ++y)
    for (int x = 10; x < 190; ++x) {
      uint32_t p = canvas->PixelArgb(x, y);
      if ((p >> 24) != 0xFF) allOpaque = false;
    }
  EXPECT_TRUE(allOpaque);

  // On a transparent surface the text itself is opaque where fully covered.
  auto clear = NewCanvas(200, 40);
  clear->DrawText(u"WWWW", *font, Rgb(255, 0, 0), {0, 0, 200, 40}, platform::dt::kSingleLine);
  int opaqueRed = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) opaqueRed += clear->PixelArgb(x, y) == kOpaqueRed;
  EXPECT_GT(opaqueRed, 5);

  // Without kNoClip the rectangle cuts the text off; with it the text runs on.
  auto narrow = NewCanvas(200, 40);
  narrow->DrawText(u"Gaming Mouse", *font, Rgb(255, 255, 255), {0, 0, 20, 40},
                   platform::dt::kSingleLine);
  EXPECT_EQ(CountPixelsNot(*narrow, {20, 0, 200, 40}, 0), 0);
  narrow->DrawText(u"Gaming Mouse", *font, Rgb(255, 255, 255), {0, 0, 20, 40},
                   platform::dt::kSingleLine | platform::dt::kNoClip);
  EXPECT_GT(CountPixelsNot(*narrow, {20, 0, 200, 40}, 0), 0);

  // A clip cuts text off, even with kNoClip.
  auto clipped = NewCanvas(200, 40);
  clipped->SetClip({0, 0, 20, 40});
  clipped->DrawText(u"Gaming Mouse", *font, Rgb(255, 255, 255), {0, 0, 200, 40},
                    platform::dt::kSingleLine | platform::dt::kNoClip);
  EXPECT_EQ(CountPixelsNot(*clipped, {20, 0, 200, 40}, 0), 0);
  EXPECT_GT(CountPixelsNot(*clipped, {0, 0, 20, 40}, 0), 0);
}

TEST(Win32Canvas, MeasureTextGrowsWithTheTextAndWraps) {
  auto canvas = NewCanvas(10, 10);
  auto font = UiFont();
  const uint32_t single = platform::dt::kSingleLine;
  platform::Size one = canvas->MeasureText(u"DPI", *font, single, 0);
  platform::Size two = canvas->MeasureText(u"DPI DPI DPI", *font, single, 0);
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(one.cy, 0);
  EXPECT_GT(two.cx, one.cx);
  EXPECT_EQ(two.cy, one.cy);

  platform::Size wrapped =
      canvas->MeasureText(u"DPI DPI DPI", *font, platform::dt::kWordBreak, one.cx + 4);
  EXPECT_LE(wrapped.cx, one.cx + 4);
  EXPECT_GE(wrapped.cy, 3 * one.cy);

  auto bigFont = UiFont(32);
  EXPECT_GT(canvas->MeasureText(u"DPI", *bigFont, single, 0).cy, one.cy);

  // Drawing with kCalcRect measures and draws nothing.
  EXPECT_EQ(
      canvas->DrawText(u"DPI", *font, 0xFFFFFF, {0, 0, 10, 10}, platform::dt::kCalcRect | single),
      one.cy);
  EXPECT_EQ(CountPixelsNot(*canvas, {0, 0, 10, 10}, 0), 0);
}

TEST(Win32Canvas, ImpossibleCanvasDrawsNothingSafely) {
  auto canvas = NewCanvas(0, 5);
  EXPECT_EQ(canvas->Width(), 0);
  auto font = UiFont();
  canvas->FillRect({0, 0, 5, 5}, 0);
  canvas->DrawText(u"x", *font, 0, {0, 0, 5, 5}, 0);
  EXPECT_EQ(canvas->PixelArgb(0, 0), 0u);
  EXPECT_GT(canvas->MeasureText(u"x", *font, 0, 0).cx, 0);
  EXPECT_EQ(NewCanvas(-3, 100000)->Height(), 0);
}

}  // namespace
