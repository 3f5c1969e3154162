#include "adapters/win32/Win32Canvas.h"

#include <algorithm>
#include <vector>

#include "adapters/win32/DibInfo.h"
#include "adapters/win32/GdiPlusInclude.h"
#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32Font.h"
#include "adapters/win32/Win32Image.h"

namespace platform::win32 {
namespace {

// Larger surfaces than this are a caller's mistake, not a window.
constexpr int kMaxSide = 16384;

uint32_t OpaquePixel(Colour colour) {
  return 0xFF000000u | (static_cast<uint32_t>(RedOf(colour)) << 16) |
         (static_cast<uint32_t>(GreenOf(colour)) << 8) | BlueOf(colour);
}

// A premultiplied source over a premultiplied destination, the source scaled by `alpha`.
uint32_t Over(uint32_t dst, uint32_t src, uint32_t alpha) {
  uint32_t sa = ((src >> 24) * alpha + 127) / 255;
  if (sa == 0) return dst;
  uint32_t inv = 255 - sa;
  auto channel = [&](int shift) {
    uint32_t s = (((src >> shift) & 0xFF) * alpha + 127) / 255;
    uint32_t d = ((dst >> shift) & 0xFF) * inv / 255;
    return std::min<uint32_t>(s + d, 255) << shift;
  };
  uint32_t a = std::min<uint32_t>(sa + (dst >> 24) * inv / 255, 255);
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

Gdiplus::Rect ToGdiplus(const Rect& rc) {
  return Gdiplus::Rect(rc.left, rc.top, rc.Width(), rc.Height());
}

// A temporary memory DC holding a top-down 32-bit DIB section.
class ScratchDib {
 public:
  ScratchDib(int width, int height) {
    m_dc = ::CreateCompatibleDC(nullptr);
    if (m_dc == nullptr || width <= 0 || height <= 0) return;
    const BITMAPINFO info = TopDown32BitInfo(width, height);
    void* bits = nullptr;
    m_dib = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_dib == nullptr) return;
    m_old = ::SelectObject(m_dc, m_dib);
    m_bits = static_cast<uint32_t*>(bits);
  }
  ~ScratchDib() {
    if (m_old != nullptr) ::SelectObject(m_dc, m_old);
    if (m_dib != nullptr) ::DeleteObject(m_dib);
    if (m_dc != nullptr) ::DeleteDC(m_dc);
  }
  ScratchDib(const ScratchDib&) = delete;
  ScratchDib& operator=(const ScratchDib&) = delete;
  HDC dc() const { return m_dc; }
  const uint32_t* bits() const { return m_bits; }

 private:
  HDC m_dc = nullptr;
  HBITMAP m_dib = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_bits = nullptr;
};

HFONT FontHandle(const Font& font) {
  auto* win32Font = dynamic_cast<const Win32Font*>(&font);
  return win32Font != nullptr ? static_cast<HFONT>(win32Font->Handle()) : nullptr;
}

int CallDrawText(HDC dc, std::u16string_view text, const Font& font, RECT* rc, uint32_t flags) {
  HFONT handle = FontHandle(font);
  HGDIOBJ old = handle != nullptr ? ::SelectObject(dc, handle) : nullptr;
  std::wstring wide = Wide(text);
  int length = static_cast<int>(std::min<size_t>(wide.size(), 0x7FFFFFFF));
  int height = ::DrawTextW(dc, wide.c_str(), length, rc, flags);
  if (old != nullptr) ::SelectObject(dc, old);
  return height;
}

}  // namespace

Win32Canvas::Win32Canvas(int width, int height, FailureLog& failures) : m_failures(failures) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return;
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    m_failures.Record("CreateCompatibleDC");
    return;
  }
  const BITMAPINFO info = TopDown32BitInfo(width, height);
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib == nullptr || bits == nullptr) {
    m_failures.Record("CreateDIBSection");
    ::DeleteDC(dc);
    return;
  }
  m_oldBitmap = ::SelectObject(dc, dib);
  ::SetBkMode(dc, TRANSPARENT);
  m_dc = dc;
  m_dib = dib;
  m_bits = static_cast<uint32_t*>(bits);
  m_width = width;
  m_height = height;
  m_clip = Bounds();
  std::fill(m_bits, m_bits + static_cast<size_t>(width) * height, 0u);
  m_surface = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB,
                                                reinterpret_cast<BYTE*>(m_bits));
  if (m_surface->GetLastStatus() != Gdiplus::Ok) {
    m_failures.RecordCode("GdipCreateBitmapFromScan0", m_surface->GetLastStatus());
    m_surface.reset();
  }
}

Win32Canvas::~Win32Canvas() {
  m_surface.reset();
  if (m_dc != nullptr) {
    ::SelectObject(static_cast<HDC>(m_dc), static_cast<HGDIOBJ>(m_oldBitmap));
    ::DeleteObject(static_cast<HBITMAP>(m_dib));
    ::DeleteDC(static_cast<HDC>(m_dc));
  }
}

void Win32Canvas::FillArea(const Rect& rc, uint32_t pixel) {
  Rect area = rc.Intersect(m_clip);
  if (area.IsEmpty() || m_bits == nullptr) return;
  ::GdiFlush();
  for (int y = area.top; y < area.bottom; ++y)
    std::fill(Row(y) + area.left, Row(y) + area.right, pixel);
}

void Win32Canvas::FillRect(const Rect& rc, Colour colour) {
  FillArea(rc, OpaquePixel(colour));
}

void Win32Canvas::FrameRect(const Rect& rc, Colour colour) {
  if (rc.IsEmpty()) return;
  uint32_t pixel = OpaquePixel(colour);
  FillArea({rc.left, rc.top, rc.right, rc.top + 1}, pixel);
  FillArea({rc.left, rc.bottom - 1, rc.right, rc.bottom}, pixel);
  FillArea({rc.left, rc.top, rc.left + 1, rc.bottom}, pixel);
  FillArea({rc.right - 1, rc.top, rc.right, rc.bottom}, pixel);
}

void Win32Canvas::DrawLine(Point from, Point to, Colour colour, int width) {
  if (m_surface == nullptr || m_clip.IsEmpty()) return;
  ::GdiFlush();
  Gdiplus::Graphics graphics(m_surface.get());
  graphics.SetClip(ToGdiplus(m_clip));
  Gdiplus::Pen pen(Gdiplus::Color(255, RedOf(colour), GreenOf(colour), BlueOf(colour)),
                   static_cast<Gdiplus::REAL>(std::max(width, 1)));
  Gdiplus::Status status = graphics.DrawLine(&pen, from.x, from.y, to.x, to.y);
  if (status != Gdiplus::Ok) m_failures.RecordCode("GdipDrawLineI", status);
}

void Win32Canvas::DrawImage(const Image& image, const Rect& dest, const Rect& src, uint8_t alpha) {
  auto* win32Image = dynamic_cast<const Win32Image*>(&image);
  if (win32Image == nullptr || m_bits == nullptr || alpha == 0) return;
  Rect source = src.Intersect({0, 0, image.Width(), image.Height()});
  if (source.IsEmpty() || dest.IsEmpty() || dest.Intersect(m_clip).IsEmpty()) return;
  ::GdiFlush();
  const int extraX = dest.Width() - src.Width();
  const int extraY = dest.Height() - src.Height();
  if (source == src && extraX >= -1 && extraX <= 1 && extraY >= -1 && extraY <= 1) {
    // Unscaled, or one pixel off where a fractional scale rounded the two edges apart: blend
    // the pixels ourselves, exactly, repeating the last row or column. GDI+'s resampling would
    // soften the whole picture for that one pixel and cost many times more.
    Rect area = dest.Intersect(m_clip);
    for (int y = area.top; y < area.bottom; ++y) {
      const int sy = std::min(y - dest.top, src.Height() - 1) + src.top;
      const uint32_t* from = win32Image->Pixels() + static_cast<size_t>(sy) * image.Width();
      uint32_t* to = Row(y);
      for (int x = area.left; x < area.right; ++x) {
        const int sx = std::min(x - dest.left, src.Width() - 1) + src.left;
        to[x] = Over(to[x], from[sx], alpha);
      }
    }
    return;
  }
  if (m_surface == nullptr || win32Image->Bitmap() == nullptr) return;
  Gdiplus::Graphics graphics(m_surface.get());
  graphics.SetClip(ToGdiplus(m_clip));
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::ImageAttributes attributes;
  // Without this the resampler blends the picture's edges with transparent pixels outside it.
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  if (alpha != 255) {
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                    {0, 1, 0, 0, 0},
                                    {0, 0, 1, 0, 0},
                                    {0, 0, 0, alpha / 255.0f, 0},
                                    {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
  }
  Gdiplus::Status status =
      graphics.DrawImage(win32Image->Bitmap(), ToGdiplus(dest), source.left, source.top,
                         source.Width(), source.Height(), Gdiplus::UnitPixel, &attributes);
  if (status != Gdiplus::Ok) m_failures.RecordCode("GdipDrawImageRectRectI", status);
}

void Win32Canvas::DrawIconCentred(int iconResource, const Rect& area) {
  if (m_bits == nullptr) return;
  const int cx = ::GetSystemMetrics(SM_CXICON);
  const int cy = ::GetSystemMetrics(SM_CYICON);
  const int left = area.left + (area.Width() - cx + 1) / 2;
  const int top = area.top + (area.Height() - cy + 1) / 2;
  const Rect reach = Rect{left, top, left + cx, top + cy}.Intersect(m_clip);
  if (reach.IsEmpty()) return;
  auto icon = static_cast<HICON>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource), IMAGE_ICON, cx, cy, LR_SHARED));
  if (icon == nullptr) {
    m_failures.Record("LoadImageW");
    return;
  }
  // GDI leaves alpha undefined in a 32-bit surface: the icon is drawn over black and over
  // white, and the difference between the two gives each pixel's coverage.
  ScratchDib onBlack(cx, cy);
  ScratchDib onWhite(cx, cy);
  if (onBlack.bits() == nullptr || onWhite.bits() == nullptr) {
    m_failures.Record("CreateDIBSection");
    return;
  }
  RECT all{0, 0, cx, cy};
  ::FillRect(onBlack.dc(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  ::FillRect(onWhite.dc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::DrawIconEx(onBlack.dc(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
  ::DrawIconEx(onWhite.dc(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  for (int y = reach.top; y < reach.bottom; ++y) {
    const size_t row = static_cast<size_t>(y - top) * cx;
    for (int x = reach.left; x < reach.right; ++x) {
      const uint32_t black = onBlack.bits()[row + (x - left)];
      const uint32_t white = onWhite.bits()[row + (x - left)];
      const int seen =
          static_cast<int>((white >> 8) & 0xFF) - static_cast<int>((black >> 8) & 0xFF);
      const uint32_t a = static_cast<uint32_t>(255 - std::clamp(seen, 0, 255));
      auto channel = [&](int shift) { return std::min((black >> shift) & 0xFF, a) << shift; };
      const uint32_t pixel = (a << 24) | channel(16) | channel(8) | channel(0);
      Row(y)[x] = Over(Row(y)[x], pixel, 255);
    }
  }
}

int Win32Canvas::DrawText(std::u16string_view text, const Font& font, Colour colour, const Rect& rc,
                          uint32_t flags) {
  if (flags & dt::kCalcRect) return MeasureText(text, font, flags, rc.Width()).cy;
  Rect reach = rc;
  if (flags & dt::kNoClip) {
    // The text may run past rc by at most its own size, whatever the alignment.
    Size size = MeasureText(text, font, flags, rc.Width());
    reach = {rc.left - size.cx, rc.top - size.cy, rc.right + size.cx, rc.bottom + size.cy};
  }
  Rect area = reach.Intersect(m_clip);
  if (area.IsEmpty() || m_bits == nullptr) return MeasureText(text, font, flags, rc.Width()).cy;

  // GDI writes zero alpha wherever it draws into a 32-bit surface. So the text is drawn in
  // white on black into a scratch surface, with the caller's rectangle and flags, and the
  // result used as coverage to blend the colour in with correct alpha.
  ScratchDib mask(area.Width(), area.Height());
  if (mask.bits() == nullptr) {
    m_failures.Record("CreateDIBSection");
    return 0;
  }
  ::SetBkMode(mask.dc(), TRANSPARENT);
  ::SetTextColor(mask.dc(), RGB(255, 255, 255));
  RECT local{rc.left - area.left, rc.top - area.top, rc.right - area.left, rc.bottom - area.top};
  int height = CallDrawText(mask.dc(), text, font, &local, flags);
  ::GdiFlush();

  const uint32_t r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  for (int y = 0; y < area.Height(); ++y) {
    const uint32_t* cover = mask.bits() + static_cast<size_t>(y) * area.Width();
    uint32_t* to = Row(area.top + y) + area.left;
    for (int x = 0; x < area.Width(); ++x) {
      uint32_t c = cover[x] & 0xFFFFFF;
      if (c == 0) continue;
      // ClearType gives each channel its own coverage.
      uint32_t cr = (c >> 16) & 0xFF, cg = (c >> 8) & 0xFF, cb = c & 0xFF;
      uint32_t ca = std::max({cr, cg, cb});
      uint32_t d = to[x];
      auto mix = [](uint32_t s, uint32_t dst, uint32_t cov) {
        return (s * cov + dst * (255 - cov) + 127) / 255;
      };
      to[x] = (mix(255, d >> 24, ca) << 24) | (mix(r, (d >> 16) & 0xFF, cr) << 16) |
              (mix(g, (d >> 8) & 0xFF, cg) << 8) | mix(b, d & 0xFF, cb);
    }
  }
  return height;
}

Size Win32Canvas::MeasureText(std::u16string_view text, const Font& font, uint32_t flags,
                              int maxWidth) {
  HDC dc = static_cast<HDC>(m_dc);
  HDC ownDc = nullptr;
  if (dc == nullptr) {
    ownDc = ::CreateCompatibleDC(nullptr);
    if (ownDc == nullptr) {
      m_failures.Record("CreateCompatibleDC");
      return {};
    }
    dc = ownDc;
  }
  RECT rc{0, 0, (flags & dt::kWordBreak) && maxWidth > 0 ? maxWidth : 0, 0};
  CallDrawText(dc, text, font, &rc, flags | dt::kCalcRect);
  if (ownDc != nullptr) ::DeleteDC(ownDc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

void Win32Canvas::CopyFrom(const Canvas& source, const Rect& dest, Point sourceOrigin) {
  auto* from = dynamic_cast<const Win32Canvas*>(&source);
  if (from == nullptr || from->m_bits == nullptr || m_bits == nullptr) return;
  // Keep only the part that exists on both surfaces.
  Rect sourceArea = from->Bounds().Offset(dest.left - sourceOrigin.x, dest.top - sourceOrigin.y);
  Rect area = dest.Intersect(m_clip).Intersect(sourceArea);
  if (area.IsEmpty()) return;
  ::GdiFlush();
  const int dx = sourceOrigin.x - dest.left, dy = sourceOrigin.y - dest.top;
  std::vector<uint32_t> rows;
  if (from == this) {
    // Overlapping copy within one surface: go through a copy of the source rows.
    rows.assign(m_bits, m_bits + static_cast<size_t>(m_width) * m_height);
  }
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* src =
        from == this ? rows.data() + static_cast<size_t>(y + dy) * m_width : from->Row(y + dy);
    std::copy(src + area.left + dx, src + area.right + dx, Row(y) + area.left);
  }
}

void Win32Canvas::SetClip(const Rect& rc) {
  m_clip = rc.IsEmpty() ? Bounds() : rc.Intersect(Bounds());
}

uint32_t Win32Canvas::PixelArgb(int x, int y) const {
  if (m_bits == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  ::GdiFlush();
  return Unpremultiply(Row(y)[x]);
}

}  // namespace platform::win32
