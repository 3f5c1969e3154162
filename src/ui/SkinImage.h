#pragma once
// Skin image helpers shared by controls, dialogs and popups. Images come from files under
// skins\ beside the executable or from the program's PNG and BITMAP resources, through the
// platform; a missing or damaged image gives nothing and the caller draws without it.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace ui {

// g_strExeDir + "skins\" + name.
std::u16string SkinPath(std::u16string_view name);

std::unique_ptr<platform::Image> LoadPngResource(int id);

// Loads an image file as a frame bitmap and reports its size; false leaves both untouched.
bool LoadBitmapFile(std::u16string_view path, std::unique_ptr<platform::Image>& bitmap,
                    platform::Size& size);

// Average of each colour channel over every pixel, as a colour value; 0 for an empty image.
platform::Colour AverageColour(const platform::Image& image);

// The whole image scaled into dest.
void DrawWhole(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest);

// Frame k of a strip of `frames` equal frames side by side, scaled into dest. A frame the
// strip does not have draws nothing.
void DrawStripFrame(platform::Canvas& canvas, const platform::Image* image, int frames, int k,
                    const platform::Rect& dest);

// The image scaled into dest with its four corners (`corner` pixels square, fewer when either
// is too small) kept unscaled and its edges stretched along their own direction only, so
// rounded ends keep their shape at any length and in either direction.
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
