#include "adapters/headless/RecordingCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace platform::headless {

namespace {

uint32_t ArgbOf(Colour c) {
  return 0xFF000000u | (uint32_t{RedOf(c)} << 16) | (uint32_t{GreenOf(c)} << 8) | BlueOf(c);
}

uint32_t Blend(uint32_t dst, uint32_t src, uint8_t alpha) {
  const uint32_t a = ((src >> 24) * alpha) / 255;
  if (a == 0) return dst;
  auto mix = [&](int shift) {
    const uint32_t s = (src >> shift) & 0xFF;
    const uint32_t d = (dst >> shift) & 0xFF;
    return ((s * a + d * (255 - a)) / 255) << shift;
  };
  const uint32_t da = dst >> 24;
  const uint32_t outA = a + (da * (255 - a)) / 255;
  return (outA << 24) | mix(16) | mix(8) | mix(0);
}

}  // namespace

uint32_t HeadlessImage::PixelArgb(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  const size_t at = static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x);
  return at < m_pixels.size() ? m_pixels[at] : 0;
}

const uint32_t* HeadlessImage::Row(int y) const {
  if (y < 0 || y >= m_height) return nullptr;
  const size_t start = static_cast<size_t>(y) * static_cast<size_t>(m_width);
  if (start + static_cast<size_t>(m_width) > m_pixels.size()) return nullptr;
  return m_pixels.data() + start;
}

RecordingCanvas::RecordingCanvas(int width, int height)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0),
      m_clip{0, 0, m_width, m_height} {}

Rect RecordingCanvas::Clipped(const Rect& rc) const {
  return rc.Intersect(m_clip);
}

void RecordingCanvas::Put(int x, int y, uint32_t argb) {
  if (!m_clip.Contains({x, y})) return;
  m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)] = argb;
}

uint32_t* RecordingCanvas::MutableRow(int y) {
  return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width);
}

const uint32_t* RecordingCanvas::Row(int y) const {
  if (y < 0 || y >= m_height) return nullptr;
  return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width);
}

void RecordingCanvas::FillRect(const Rect& rc, Colour colour) {
  m_ops.push_back({DrawOp::Kind::Fill, rc, {}, colour, {}, {}, 0, 255});
  const Rect r = Clipped(rc);
  if (r.IsEmpty()) return;
  for (int y = r.top; y < r.bottom; ++y) {
    std::fill(MutableRow(y) + r.left, MutableRow(y) + r.right, ArgbOf(colour));
  }
}

void RecordingCanvas::FrameRect(const Rect& rc, Colour colour) {
  m_ops.push_back({DrawOp::Kind::Frame, rc, {}, colour, {}, {}, 0, 255});
  if (rc.IsEmpty()) return;
  for (int x = rc.left; x < rc.right; ++x) {
    Put(x, rc.top, ArgbOf(colour));
    Put(x, rc.bottom - 1, ArgbOf(colour));
  }
  for (int y = rc.top; y < rc.bottom; ++y) {
    Put(rc.left, y, ArgbOf(colour));
    Put(rc.right - 1, y, ArgbOf(colour));
  }
}

void RecordingCanvas::DrawLine(Point from, Point to, Colour colour, int width) {
  m_ops.push_back({DrawOp::Kind::Line,
                   {from.x, from.y, to.x, to.y},
                   {},
                   colour,
                   {},
                   {},
                   static_cast<uint32_t>(width),
                   255});
  const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
  for (int i = 0; i <= steps; ++i) {
    const int x = steps ? from.x + (to.x - from.x) * i / steps : from.x;
    const int y = steps ? from.y + (to.y - from.y) * i / steps : from.y;
    Put(x, y, ArgbOf(colour));
  }
}

void RecordingCanvas::DrawImage(const Image& image, const Rect& dest, const Rect& src,
                                uint8_t alpha) {
  const auto* named = dynamic_cast<const HeadlessImage*>(&image);
  m_ops.push_back({DrawOp::Kind::Image, dest, src, 0, named ? named->Source() : u"", {}, 0, alpha});
  if (dest.IsEmpty() || src.IsEmpty()) return;
  const Rect r = Clipped(dest);
  if (r.IsEmpty()) return;
  // Nearest source pixel of each destination column, worked out once per call rather than
  // once per pixel; rows read straight from the picture when it is one of ours.
  m_columns.resize(static_cast<size_t>(r.Width()));
  for (int x = r.left; x < r.right; ++x) {
    m_columns[static_cast<size_t>(x - r.left)] =
        src.left + (x - dest.left) * src.Width() / dest.Width();
  }
  const int imageWidth = image.Width();
  for (int y = r.top; y < r.bottom; ++y) {
    const int sy = src.top + (y - dest.top) * src.Height() / dest.Height();
    uint32_t* to = MutableRow(y) + r.left;
    const uint32_t* from = named ? named->Row(sy) : nullptr;
    if (named && !from) continue;  // outside the picture: transparent
    for (size_t i = 0; i < m_columns.size(); ++i) {
      const int sx = m_columns[i];
      uint32_t pixel = 0;
      if (!from) {
        pixel = image.PixelArgb(sx, sy);
      } else if (sx >= 0 && sx < imageWidth) {
        pixel = from[sx];
      }
      // An opaque pixel drawn fully replaces what is there (Blend gives the same).
      to[i] = alpha == 255 && (pixel >> 24) == 0xFF ? pixel : Blend(to[i], pixel, alpha);
    }
  }
}

void RecordingCanvas::DrawIconCentred(int iconResource, const Rect& area) {
  const int left = area.left + (area.Width() - kIconSize + 1) / 2;
  const int top = area.top + (area.Height() - kIconSize + 1) / 2;
  m_ops.push_back({DrawOp::Kind::Icon,
                   {left, top, left + kIconSize, top + kIconSize},
                   {},
                   0,
                   u"",
                   {},
                   static_cast<uint32_t>(iconResource),
                   255});
}

int RecordingCanvas::DrawText(std::u16string_view text, const Font& font, Colour colour,
                              const Rect& rc, uint32_t flags) {
  const Size size = MeasureText(text, font, flags, rc.Width());
  if ((flags & dt::kCalcRect) == 0) {
    m_ops.push_back(
        {DrawOp::Kind::Text, rc, {}, colour, std::u16string(text), font.Desc(), flags, 255});
  }
  return size.cy;
}

Size RecordingCanvas::MeasureText(std::u16string_view text, const Font& font, uint32_t flags,
                                  int maxWidth) {
  const int cw = CharWidth(font.Desc());
  const int lineHeight = CellHeight(font.Desc());
  if (text.empty()) return {0, lineHeight};
  const int chars = static_cast<int>(text.size());
  if ((flags & dt::kWordBreak) == 0 || (flags & dt::kSingleLine) != 0 || maxWidth <= 0) {
    return {chars * cw, lineHeight};
  }
  const int perLine = std::max(maxWidth / cw, 1);
  const int lines = (chars + perLine - 1) / perLine;
  return {std::min(chars, perLine) * cw, lines * lineHeight};
}

void RecordingCanvas::CopyFrom(const Canvas& source, const Rect& dest, Point sourceOrigin) {
  m_ops.push_back(
      {DrawOp::Kind::Copy, dest, {sourceOrigin.x, sourceOrigin.y, 0, 0}, 0, {}, {}, 0, 255});
  const Rect r = Clipped(dest);
  if (r.IsEmpty()) return;
  const auto* recorded = dynamic_cast<const RecordingCanvas*>(&source);
  if (recorded == this) recorded = nullptr;  // rows may overlap: pixel by pixel
  for (int y = r.top; y < r.bottom; ++y) {
    const int sy = sourceOrigin.y + y - dest.top;
    uint32_t* to = MutableRow(y);
    if (!recorded) {
      for (int x = r.left; x < r.right; ++x) {
        to[x] = source.PixelArgb(sourceOrigin.x + x - dest.left, sy);
      }
      continue;
    }
    // Whole rows of another recording canvas; what lies outside it is transparent.
    const uint32_t* from = recorded->Row(sy);
    const int shift = sourceOrigin.x - dest.left;
    const int first = from ? std::clamp(-shift, r.left, r.right) : r.right;
    const int last = from ? std::clamp(recorded->Width() - shift, first, r.right) : r.right;
    std::fill(to + r.left, to + first, 0u);
    if (first < last) std::copy(from + first + shift, from + last + shift, to + first);
    std::fill(to + last, to + r.right, 0u);
  }
}

void RecordingCanvas::SetClip(const Rect& rc) {
  const Rect all{0, 0, m_width, m_height};
  m_clip = rc.IsEmpty() ? all : rc.Intersect(all);
}

uint32_t RecordingCanvas::PixelArgb(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
}

std::vector<std::u16string> RecordingCanvas::Texts() const {
  std::vector<std::u16string> texts;
  for (const auto& op : m_ops) {
    if (op.kind == DrawOp::Kind::Text) texts.push_back(op.text);
  }
  return texts;
}

}  // namespace platform::headless
