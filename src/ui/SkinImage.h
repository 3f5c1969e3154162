#pragma once
// Skin image helpers shared by controls, dialogs and popups. Images come from files under
// skins\ beside the executable or from the program's PNG and BITMAP resources, through the
// platform; a missing or damaged image gives nothing and the caller draws without it.

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace ui {

// g_strExeDir + "skins\" + name.
std::u16string SkinPath(std::u16string_view name);

// The artwork sets, in percent of the 1x size. Every picture under skins\ is also drawn at
// 1.5x and 2x into skins\@150\ and skins\@200\ (same names, a .bmp there as .png); the
// program's picture resources are also PNG resources 15000 + id (1.5x) and 20000 + id (2x).
inline constexpr std::array<int, 3> kArtSets{100, 150, 200};

// The set drawn for a layout scale: the smallest at or above it, 200 for anything above 2.
int ArtSetFor(float scale);

// Where set `percent` keeps the picture at `path` (a path under skins\); empty for 100 and
// for paths that have no sets.
std::u16string ArtSetPath(std::u16string_view path, int percent);

// The picture at `path` for g_fUiScale (or a window's own `scale` while it differs): from the
// set ArtSetFor chooses, else from the next set down, else `path` itself. A set file that is
// missing or does not decode is passed over; nothing when no file decodes. The picture's
// Scale() is its set's.
std::unique_ptr<platform::Image> LoadSkinImage(std::u16string_view path);
std::unique_ptr<platform::Image> LoadSkinImage(std::u16string_view path, float scale);

// PNG and BITMAP resources the same way: the set's PNG resource, else the next set down,
// else the resource itself. Ids from 15000 up have no sets.
std::unique_ptr<platform::Image> LoadPngResource(int id);
std::unique_ptr<platform::Image> LoadPngResource(int id, float scale);
std::unique_ptr<platform::Image> LoadBitmapResource(int id);
std::unique_ptr<platform::Image> LoadBitmapResource(int id, float scale);

// The size a picture is laid out at: its 1x size, whichever set it came from.
platform::Size LayoutSize(const platform::Image& image);

// A rectangle given in a picture's 1x pixels, in its own pixels (kept inside the picture).
platform::Rect ImagePixels(const platform::Image& image, const platform::Rect& layout);

// Loads an image file as a frame bitmap (for the scale, as LoadSkinImage) and reports its
// 1x size; false leaves both untouched.
bool LoadBitmapFile(std::u16string_view path, std::unique_ptr<platform::Image>& bitmap,
                    platform::Size& size);
bool LoadBitmapFile(std::u16string_view path, float scale, std::unique_ptr<platform::Image>& bitmap,
                    platform::Size& size);

// Average of each colour channel over every pixel, as a colour value; 0 for an empty image.
platform::Colour AverageColour(const platform::Image& image);

// The whole image scaled into dest.
void DrawWhole(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest);

// Frame k of a strip of `frames` equal frames side by side, scaled into dest. A frame the
// strip does not have draws nothing.
void DrawStripFrame(platform::Canvas& canvas, const platform::Image* image, int frames, int k,
                    const platform::Rect& dest);

// The image scaled into dest with its four corners (`corner` 1x pixels square, fewer when
// either is too small) kept at the layout scale and its edges stretched along their own
// direction only, so rounded ends keep their shape at any length and in either direction.
void DrawNineSlice(platform::Canvas& canvas, const platform::Image* image,
                   const platform::Rect& dest, int corner);

// The UI font (g_strFontFace, g_nFontHeight, g_nFontCharset) or another face and height;
// the height has FontDesc's sign (positive: cell height).
std::unique_ptr<platform::Font> CreateUiFont(int height, std::u16string_view face, int weight = 0);

// Multiplies by g_fUiScale and truncates.
int Scaled(int value);

// The unscaled length that Scaled turned into `scaled` (Scaled(Unscaled(Scaled(v))) == v).
int Unscaled(int scaled);

// The layout scale for a window's DPI: DPI / 96, kept between 1 and 4 (below 100 % the
// windows would no longer hold their texts; a DPI that is not positive counts as 96).
float ScaleForDpi(int dpi);

}  // namespace ui
