#include "ui/SkinImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "platform/Platform.h"

namespace ui {

std::u16string SkinPath(std::u16string_view name) {
  return g_strExeDir + u"skins\\" + std::u16string(name);
}

std::unique_ptr<platform::Image> LoadPngResource(int id) {
  return platform::Gfx().LoadPngResource(id);
}

bool LoadBitmapFile(std::u16string_view path, std::unique_ptr<platform::Image>& bitmap,
                    platform::Size& size) {
  auto loaded = platform::Gfx().LoadImageFile(path);
  if (!loaded || loaded->Width() <= 0 || loaded->Height() <= 0) return false;
  size = {loaded->Width(), loaded->Height()};
  bitmap = std::move(loaded);
  return true;
}

platform::Colour AverageColour(const platform::Image& image) {
  const int w = image.Width();
  const int h = image.Height();
  if (w <= 0 || h <= 0) return 0;
  uint64_t r = 0, g = 0, b = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t argb = image.PixelArgb(x, y);
      r += (argb >> 16) & 0xFF;
      g += (argb >> 8) & 0xFF;
      b += argb & 0xFF;
    }
  }
  const uint64_t n = static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
  return platform::Rgb(static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n),
                       static_cast<uint8_t>(b / n));
}

void DrawWhole(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest) {
  if (!image || dest.IsEmpty()) return;
  canvas.DrawImage(*image, dest, {0, 0, image->Width(), image->Height()});
}

void DrawStripFrame(platform::Canvas& canvas, const platform::Image* image, int frames, int k,
                    const platform::Rect& dest) {
  if (!image || frames <= 0 || k < 0 || k >= frames || dest.IsEmpty()) return;
  const int frameWidth = image->Width() / frames;
  if (frameWidth <= 0) return;
  canvas.DrawImage(*image, dest, {k * frameWidth, 0, (k + 1) * frameWidth, image->Height()});
}

void DrawNineSlice(platform::Canvas& canvas, const platform::Image* image,
                   const platform::Rect& dest, int corner) {
  if (!image || dest.IsEmpty()) return;
  const int w = image->Width(), h = image->Height();
  const int c = std::max(std::min({corner, w / 2, h / 2}), 0);
  const int d = std::min({c, dest.Width() / 2, dest.Height() / 2});
  const int xs[4] = {0, c, w - c, w};
  const int ys[4] = {0, c, h - c, h};
  const int xd[4] = {dest.left, dest.left + d, dest.right - d, dest.right};
  const int yd[4] = {dest.top, dest.top + d, dest.bottom - d, dest.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const platform::Rect src{xs[col], ys[row], xs[col + 1], ys[row + 1]};
      const platform::Rect to{xd[col], yd[row], xd[col + 1], yd[row + 1]};
      if (src.IsEmpty() || to.IsEmpty()) continue;
      canvas.DrawImage(*image, to, src);
    }
  }
}

std::unique_ptr<platform::Font> CreateUiFont(int height, std::u16string_view face, int weight) {
  platform::FontDesc desc;
  desc.face.assign(face);
  desc.height = height;
  desc.charset = g_nFontCharset;
  desc.weight = weight;
  return platform::Gfx().CreateFont(desc);
}

int Scaled(int value) {
  return static_cast<int>(static_cast<float>(value) * g_fUiScale);
}

int Unscaled(int scaled) {
  if (g_fUiScale <= 1.0f) return scaled;
  // Scaled truncates: v * scale - 1 < scaled <= v * scale, so v is the next whole number up
  // (the small margin keeps float noise from pushing it one further).
  return static_cast<int>(std::ceil(static_cast<float>(scaled) / g_fUiScale - 1e-3f));
}

float ScaleForDpi(int dpi) {
  if (dpi <= 0) return 1.0f;
  const float scale = static_cast<float>(dpi) / static_cast<float>(platform::kDefaultDpi);
  return std::clamp(scale, 1.0f, 4.0f);
}

}  // namespace ui
