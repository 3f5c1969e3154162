#pragma once
// A decoded picture kept as premultiplied 32-bit pixels, with a GDI+ bitmap over the same
// memory for scaled drawing.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Canvas.h"

namespace Gdiplus {
class Bitmap;
}

namespace platform::win32 {

class Win32Image : public Image {
 public:
  // `pixels`: width × height premultiplied 0xAARRGGBB values, rows top-down.
  Win32Image(int width, int height, std::vector<uint32_t> pixels);
  ~Win32Image() override;
  Win32Image(const Win32Image&) = delete;
  Win32Image& operator=(const Win32Image&) = delete;

  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  uint32_t PixelArgb(int x, int y) const override;

  const uint32_t* Pixels() const { return m_pixels.data(); }
  // Nothing when GDI+ could not wrap the pixels; drawing then uses the pixels directly.
  Gdiplus::Bitmap* Bitmap() const { return m_bitmap.get(); }

 private:
  int m_width;
  int m_height;
  std::vector<uint32_t> m_pixels;
  std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
};

// Premultiplied 0xAARRGGBB to straight alpha.
uint32_t Unpremultiply(uint32_t pixel);

}  // namespace platform::win32
