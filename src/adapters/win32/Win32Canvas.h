#pragma once
// A 32-bit top-down DIB section selected into its own memory DC. GDI text and GDI+ images
// draw into the same premultiplied pixels, so a canvas can go to the screen with one BitBlt
// or to a layered window with its per-pixel alpha.

#include <cstdint>
#include <memory>

#include "adapters/win32/FailureLog.h"
#include "platform/Canvas.h"

namespace Gdiplus {
class Bitmap;
}

namespace platform::win32 {

class Win32Canvas : public Canvas {
 public:
  // A canvas the system could not create has size 0 × 0 and draws nothing.
  Win32Canvas(int width, int height, FailureLog& failures);
  ~Win32Canvas() override;
  Win32Canvas(const Win32Canvas&) = delete;
  Win32Canvas& operator=(const Win32Canvas&) = delete;

  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  void FillRect(const Rect& rc, Colour colour) override;
  void FrameRect(const Rect& rc, Colour colour) override;
  void DrawLine(Point from, Point to, Colour colour, int width) override;
  void DrawImage(const Image& image, const Rect& dest, const Rect& src, uint8_t alpha) override;
  void DrawIconCentred(int iconResource, const Rect& area) override;
  int DrawText(std::u16string_view text, const Font& font, Colour colour, const Rect& rc,
               uint32_t flags) override;
  Size MeasureText(std::u16string_view text, const Font& font, uint32_t flags,
                   int maxWidth) override;
  void CopyFrom(const Canvas& source, const Rect& dest, Point sourceOrigin) override;
  void SetClip(const Rect& rc) override;
  Rect ClipRect() const override { return m_clip; }
  uint32_t PixelArgb(int x, int y) const override;

  void* Dc() const { return m_dc; }  // HDC, null for a canvas that could not be created
  Rect Bounds() const { return {0, 0, m_width, m_height}; }

 private:
  uint32_t* Row(int y) const { return m_bits + static_cast<size_t>(y) * m_width; }
  void FillArea(const Rect& rc, uint32_t pixel);

  FailureLog& m_failures;
  int m_width = 0;
  int m_height = 0;
  void* m_dc = nullptr;   // HDC
  void* m_dib = nullptr;  // HBITMAP
  void* m_oldBitmap = nullptr;
  uint32_t* m_bits = nullptr;
  Rect m_clip;
  std::unique_ptr<Gdiplus::Bitmap> m_surface;  // GDI+ view of m_bits
};

}  // namespace platform::win32
