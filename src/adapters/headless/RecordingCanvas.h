#pragma once
// A software canvas that keeps real pixels for fills, images and copies, and records every
// call so tests can assert what was drawn. Text is recorded, not rasterised.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace platform::headless {

// A decoded picture held as 0xAARRGGBB pixels (empty pixels: size only).
class HeadlessImage : public Image {
 public:
  HeadlessImage(int width, int height, std::vector<uint32_t> pixels, std::u16string source)
      : m_width(width),
        m_height(height),
        m_pixels(std::move(pixels)),
        m_source(std::move(source)) {}
  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  uint32_t PixelArgb(int x, int y) const override;
  const std::u16string& Source() const { return m_source; }
  // Row y's Width() pixels; nullptr outside the picture or for a picture without pixels.
  const uint32_t* Row(int y) const;

 private:
  int m_width;
  int m_height;
  std::vector<uint32_t> m_pixels;
  std::u16string m_source;
};

class HeadlessFont : public Font {
 public:
  explicit HeadlessFont(FontDesc desc) : m_desc(std::move(desc)) {}
  const FontDesc& Desc() const override { return m_desc; }

 private:
  FontDesc m_desc;
};

struct DrawOp {
  enum class Kind { Fill, Frame, Line, Image, Icon, Text, Copy };
  Kind kind;
  Rect rect;    // destination
  Rect source;  // images: the source rectangle
  Colour colour = 0;
  std::u16string text;  // text, or the image's source path / resource name
  FontDesc font;
  uint32_t flags = 0;  // text flags, or an icon's resource id
  uint8_t alpha = 255;
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width, int height);

  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  void FillRect(const Rect& rc, Colour colour) override;
  void FrameRect(const Rect& rc, Colour colour) override;
  void DrawLine(Point from, Point to, Colour colour, int width) override;
  void DrawImage(const Image& image, const Rect& dest, const Rect& src, uint8_t alpha) override;
  // Recorded only, at the size of a system icon.
  void DrawIconCentred(int iconResource, const Rect& area) override;
  int DrawText(std::u16string_view text, const Font& font, Colour colour, const Rect& rc,
               uint32_t flags) override;
  Size MeasureText(std::u16string_view text, const Font& font, uint32_t flags,
                   int maxWidth) override;
  void CopyFrom(const Canvas& source, const Rect& dest, Point sourceOrigin) override;
  void SetClip(const Rect& rc) override;
  Rect ClipRect() const override { return m_clip; }
  uint32_t PixelArgb(int x, int y) const override;
  // Row y's Width() pixels; nullptr outside the surface.
  const uint32_t* Row(int y) const;

  const std::vector<DrawOp>& Ops() const { return m_ops; }
  void ClearOps() { m_ops.clear(); }
  // Every text drawn, in order.
  std::vector<std::u16string> Texts() const;

  static constexpr int kIconSize = 32;

  // Simple metrics shared with the font layer. A line is one cell high; a character height
  // (negative) gets a fifth more for the internal leading, as typical faces have. Each
  // character is the font's width wide, or half the cell height without one.
  static int CellHeight(const FontDesc& font) {
    const int cell = font.height >= 0 ? font.height : (-font.height * 6 + 4) / 5;
    return cell > 1 ? cell : 1;
  }
  static int CharWidth(const FontDesc& font) {
    if (font.width > 0) return font.width;
    return CellHeight(font) > 1 ? CellHeight(font) / 2 : 1;
  }

 private:
  void Put(int x, int y, uint32_t argb);
  uint32_t* MutableRow(int y);
  Rect Clipped(const Rect& rc) const;

  int m_width;
  int m_height;
  std::vector<uint32_t> m_pixels;
  Rect m_clip;
  std::vector<DrawOp> m_ops;
  std::vector<int> m_columns;  // DrawImage's source column per destination column
};

}  // namespace platform::headless
