#pragma once
// Drawing: images, fonts and a canvas that the skinned toolkit paints into.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace platform {

// DrawText flags with their Win32 values.
namespace dt {
constexpr uint32_t kLeft = 0x0000;
constexpr uint32_t kCenter = 0x0001;
constexpr uint32_t kRight = 0x0002;
constexpr uint32_t kVCenter = 0x0004;
constexpr uint32_t kBottom = 0x0008;
constexpr uint32_t kWordBreak = 0x0010;
constexpr uint32_t kSingleLine = 0x0020;
constexpr uint32_t kNoClip = 0x0100;
constexpr uint32_t kCalcRect = 0x0400;
constexpr uint32_t kNoPrefix = 0x0800;
constexpr uint32_t kEditControl = 0x2000;
constexpr uint32_t kEndEllipsis = 0x8000;
constexpr uint32_t kWordEllipsis = 0x40000;
}  // namespace dt

// A decoded picture with per-pixel alpha. Immutable once loaded.
class Image {
 public:
  virtual ~Image() = default;
  // Unique for the life of the program, unlike the address, which a later image may reuse:
  // what tells one picture from another when looks are compared.
  uint64_t Serial() const { return m_serial; }
  // Pixels, and what every source rectangle is given in.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // 0xAARRGGBB of one pixel; 0 outside the picture.
  virtual uint32_t PixelArgb(int x, int y) const = 0;
  // Pixels per layout pixel: 1 for artwork drawn for 96 DPI, 1.5 or 2 for the high-DPI sets.
  // Set by the loader once, before the picture is used.
  float Scale() const { return m_scale; }
  void SetScale(float scale) { m_scale = scale > 0.0f ? scale : 1.0f; }

 private:
  static uint64_t NextSerial() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
  }
  uint64_t m_serial = NextSerial();
  float m_scale = 1.0f;
};

struct FontDesc {
  std::u16string face;
  // Pixels, with LOGFONT's sign: positive asks for the cell height (ascent plus descent),
  // negative for the character height (the cell without its internal leading), which draws
  // the same number about a fifth larger.
  int height = 12;
  int width = 0;        // average character width in pixels; 0 keeps the face's proportions
  uint8_t charset = 1;  // Win32 character set
  int weight = 400;     // 700 is bold
  bool underline = false;
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

class Font {
 public:
  virtual ~Font() = default;
  virtual const FontDesc& Desc() const = 0;
};

// A 32-bit drawing surface. The window canvas handed out during painting is a back buffer:
// the adapter copies it to the screen once when painting ends.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void FillRect(const Rect& rc, Colour colour) = 0;
  // One-pixel outline just inside rc.
  virtual void FrameRect(const Rect& rc, Colour colour) = 0;
  virtual void DrawLine(Point from, Point to, Colour colour, int width) = 0;
  // Draws the src part of the image scaled into dest, blended with its own alpha times
  // `alpha` / 255.
  virtual void DrawImage(const Image& image, const Rect& dest, const Rect& src,
                         uint8_t alpha = 255) = 0;
  // Draws icon resource `iconResource` of the program at the system's icon size, centred in
  // `area` (a minimised window's paint).
  virtual void DrawIconCentred(int iconResource, const Rect& area) = 0;
  // DrawTextW semantics for the flags in dt::. Returns the height of the text drawn.
  virtual int DrawText(std::u16string_view text, const Font& font, Colour colour, const Rect& rc,
                       uint32_t flags) = 0;
  // Size the text would take with these flags (width limited by maxWidth when word-wrapping).
  virtual Size MeasureText(std::u16string_view text, const Font& font, uint32_t flags,
                           int maxWidth) = 0;
  // Copies a rectangle of another canvas, pixels unchanged.
  virtual void CopyFrom(const Canvas& source, const Rect& dest, Point sourceOrigin) = 0;
  // Restricts all drawing to rc until the clip is reset (an empty rect resets it).
  virtual void SetClip(const Rect& rc) = 0;
  // The part of the surface drawing reaches now: the clip, or the whole surface.
  virtual Rect ClipRect() const = 0;
  // 0xAARRGGBB of one pixel of the surface.
  virtual uint32_t PixelArgb(int x, int y) const = 0;
};

class Graphics {
 public:
  virtual ~Graphics() = default;
  // PNG or BMP from a file; nothing when missing or undecodable.
  virtual std::unique_ptr<Image> LoadImageFile(std::u16string_view path) = 0;
  // PNG resource (type "PNG") and BITMAP resource of the executable.
  virtual std::unique_ptr<Image> LoadPngResource(int id) = 0;
  virtual std::unique_ptr<Image> LoadBitmapResource(int id) = 0;
  virtual std::unique_ptr<Font> CreateFont(const FontDesc& desc) = 0;
  // An off-screen canvas, cleared to transparent black.
  virtual std::unique_ptr<Canvas> CreateCanvas(int width, int height) = 0;
};

}  // namespace platform
