#include "ui/SkinImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Language.h"
#include "platform/Platform.h"

namespace ui {

std::u16string SkinPath(std::u16string_view name) {
  return g_strExeDir + u"skins\\" + std::u16string(name);
}

int ArtSetFor(float scale) {
  for (int percent : kArtSets) {
    // A hair of slack: 144 / 96 is 1.5 exactly, but a scale computed another way may not be.
    if (scale * 100.0f <= static_cast<float>(percent) + 0.01f) return percent;
  }
  return kArtSets.back();
}

std::u16string ArtSetPath(std::u16string_view path, int percent) {
  const std::u16string skins = SkinPath(u"");
  if (percent == 100 || path.size() <= skins.size() || path.substr(0, skins.size()) != skins) {
    return {};
  }
  std::u16string name(path.substr(skins.size()));
  const std::u16string_view bmp = u".bmp";
  if (name.size() > bmp.size()) {
    std::u16string ext = name.substr(name.size() - bmp.size());
    for (char16_t& c : ext) {
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    if (ext == bmp) name.replace(name.size() - bmp.size(), bmp.size(), u".png");
  }
  return skins + u"@" + base::Format(u"%d", percent) + u"\\" + name;
}

namespace {

// A picture that decoded and has pixels, marked with its set's scale; nothing otherwise.
std::unique_ptr<platform::Image> Accepted(std::unique_ptr<platform::Image> image, int percent) {
  if (!image || image->Width() <= 0 || image->Height() <= 0) return nullptr;
  image->SetScale(static_cast<float>(percent) / 100.0f);
  return image;
}

// The sets from the one for the scale down to 1.5x, then `base`: the first that gives a
// picture.
template <typename LoadSet, typename LoadBase>
std::unique_ptr<platform::Image> LoadForScale(float scale, LoadSet loadSet, LoadBase loadBase) {
  const int wanted = ArtSetFor(scale);
  for (auto it = kArtSets.rbegin(); it != kArtSets.rend(); ++it) {
    if (*it > wanted || *it == 100) continue;
    if (auto image = Accepted(loadSet(*it), *it)) return image;
  }
  return Accepted(loadBase(), 100);
}

}  // namespace

std::unique_ptr<platform::Image> LoadSkinImage(std::u16string_view path) {
  return LoadSkinImage(path, g_fUiScale);
}

std::unique_ptr<platform::Image> LoadSkinImage(std::u16string_view path, float scale) {
  return LoadForScale(
      scale,
      [&](int percent) -> std::unique_ptr<platform::Image> {
        const std::u16string setPath = ArtSetPath(path, percent);
        if (setPath.empty()) return nullptr;
        return platform::Gfx().LoadImageFile(setPath);
      },
      [&] { return platform::Gfx().LoadImageFile(path); });
}

namespace {

// Set `percent` of picture resource `id`. Only ids below 15000 have sets, so a set's id
// never runs past the 16 bits a resource id has or into another set.
std::unique_ptr<platform::Image> LoadResourceSet(int id, int percent) {
  if (id <= 0 || id >= kArtSets[1] * 100) return nullptr;
  return platform::Gfx().LoadPngResource(percent * 100 + id);
}

}  // namespace

std::unique_ptr<platform::Image> LoadPngResource(int id) {
  return LoadPngResource(id, g_fUiScale);
}

std::unique_ptr<platform::Image> LoadPngResource(int id, float scale) {
  return LoadForScale(
      scale, [&](int percent) { return LoadResourceSet(id, percent); },
      [&] { return platform::Gfx().LoadPngResource(id); });
}

std::unique_ptr<platform::Image> LoadBitmapResource(int id) {
  return LoadBitmapResource(id, g_fUiScale);
}

std::unique_ptr<platform::Image> LoadBitmapResource(int id, float scale) {
  return LoadForScale(
      scale, [&](int percent) { return LoadResourceSet(id, percent); },
      [&] { return platform::Gfx().LoadBitmapResource(id); });
}

platform::Size LayoutSize(const platform::Image& image) {
  const float scale = image.Scale();
  if (scale == 1.0f) return {image.Width(), image.Height()};
  // A set picture is its 1x size times the scale, truncated: rounding gets the 1x size back.
  return {static_cast<int>(std::lround(static_cast<float>(image.Width()) / scale)),
          static_cast<int>(std::lround(static_cast<float>(image.Height()) / scale))};
}

platform::Rect ImagePixels(const platform::Image& image, const platform::Rect& layout) {
  const float scale = image.Scale();
  auto at = [&](int v, int limit) {
    return std::clamp(static_cast<int>(std::lround(static_cast<float>(v) * scale)), 0, limit);
  };
  return {at(layout.left, image.Width()), at(layout.top, image.Height()),
          at(layout.right, image.Width()), at(layout.bottom, image.Height())};
}

bool LoadBitmapFile(std::u16string_view path, std::unique_ptr<platform::Image>& bitmap,
                    platform::Size& size) {
  return LoadBitmapFile(path, g_fUiScale, bitmap, size);
}

bool LoadBitmapFile(std::u16string_view path, float scale, std::unique_ptr<platform::Image>& bitmap,
                    platform::Size& size) {
  auto loaded = LoadSkinImage(path, scale);
  if (!loaded) return false;
  size = LayoutSize(*loaded);
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
  const float scale = image->Scale();
  const int c = std::max(
      std::min({static_cast<int>(std::lround(static_cast<float>(corner) * scale)), w / 2, h / 2}),
      0);
  // The corner the picture has, in layout pixels at the window's scale.
  const int shown = scale == 1.0f && g_fUiScale == 1.0f
                        ? c
                        : static_cast<int>(static_cast<float>(c) / scale * g_fUiScale);
  const int d = std::min({shown, dest.Width() / 2, dest.Height() / 2});
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
