#include "adapters/win32/Win32Image.h"

#include "adapters/win32/GdiPlusInclude.h"

namespace platform::win32 {

uint32_t Unpremultiply(uint32_t pixel) {
  uint32_t a = pixel >> 24;
  if (a == 0) return 0;
  if (a == 255) return pixel;
  auto channel = [&](int shift) {
    uint32_t c = (((pixel >> shift) & 0xFF) * 255 + a / 2) / a;
    return (c > 255 ? 255u : c) << shift;
  };
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

Win32Image::Win32Image(int width, int height, std::vector<uint32_t> pixels)
    : m_width(width), m_height(height), m_pixels(std::move(pixels)) {
  if (m_width > 0 && m_height > 0 &&
      m_pixels.size() == static_cast<size_t>(m_width) * static_cast<size_t>(m_height)) {
    m_bitmap =
        std::make_unique<Gdiplus::Bitmap>(m_width, m_height, m_width * 4, PixelFormat32bppPARGB,
                                          reinterpret_cast<BYTE*>(m_pixels.data()));
    if (m_bitmap->GetLastStatus() != Gdiplus::Ok) m_bitmap.reset();
  } else {
    m_width = 0;
    m_height = 0;
    m_pixels.clear();
  }
}

Win32Image::~Win32Image() = default;

uint32_t Win32Image::PixelArgb(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return Unpremultiply(m_pixels[static_cast<size_t>(y) * m_width + x]);
}

}  // namespace platform::win32
