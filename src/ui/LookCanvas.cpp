#include "ui/LookCanvas.h"

#include <algorithm>
#include <type_traits>

namespace ui {
namespace {

// FNV-1a over the bytes of each value, in order.
class Hasher {
 public:
  Hasher& Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) m_value = (m_value ^ p[i]) * 0x100000001B3ull;
    return *this;
  }
  template <typename T>
  Hasher& Of(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    return Bytes(&value, sizeof value);
  }
  Hasher& Of(const platform::Rect& rc) { return Of(rc.left).Of(rc.top).Of(rc.right).Of(rc.bottom); }
  Hasher& Of(std::u16string_view text) {
    return Of(text.size()).Bytes(text.data(), text.size() * sizeof(char16_t));
  }
  Hasher& Of(const platform::FontDesc& font) {
    return Of(std::u16string_view(font.face))
        .Of(font.height)
        .Of(font.width)
        .Of(font.charset)
        .Of(font.weight)
        .Of(font.underline);
  }
  uint64_t Value() const { return m_value; }

 private:
  uint64_t m_value = 0xCBF29CE484222325ull;
};

enum class Call : uint8_t { Fill, Frame, Line, Image, Icon, Text, Copy };

}  // namespace

LookCanvas::LookCanvas(int width, int height, platform::Canvas& measure)
    : m_width(width), m_height(height), m_measure(measure) {}

platform::Rect LookCanvas::ClipRect() const {
  const platform::Rect surface{0, 0, m_width, m_height};
  return m_clip.IsEmpty() ? surface : m_clip.Intersect(surface);
}

void LookCanvas::SetClip(const platform::Rect& rc) {
  m_clip = rc;
}

void LookCanvas::Add(const platform::Rect& reach, uint64_t hash) {
  const platform::Rect bounds = reach.Intersect(ClipRect());
  if (bounds.IsEmpty()) return;
  // Where the call reaches is part of what it draws: a clip that shows more of it is a change.
  m_look.push_back({bounds, Hasher().Of(hash).Of(bounds).Value()});
}

void LookCanvas::FillRect(const platform::Rect& rc, platform::Colour colour) {
  Add(rc, Hasher().Of(Call::Fill).Of(rc).Of(colour).Value());
}

void LookCanvas::FrameRect(const platform::Rect& rc, platform::Colour colour) {
  Add(rc, Hasher().Of(Call::Frame).Of(rc).Of(colour).Value());
}

void LookCanvas::DrawLine(platform::Point from, platform::Point to, platform::Colour colour,
                          int width) {
  const int pad = std::max(width, 1);
  const platform::Rect reach{std::min(from.x, to.x) - pad, std::min(from.y, to.y) - pad,
                             std::max(from.x, to.x) + pad + 1, std::max(from.y, to.y) + pad + 1};
  Add(reach,
      Hasher().Of(Call::Line).Of(from.x).Of(from.y).Of(to.x).Of(to.y).Of(colour).Of(width).Value());
}

void LookCanvas::DrawImage(const platform::Image& image, const platform::Rect& dest,
                           const platform::Rect& src, uint8_t alpha) {
  Add(dest, Hasher().Of(Call::Image).Of(image.Serial()).Of(dest).Of(src).Of(alpha).Value());
}

void LookCanvas::DrawIconCentred(int iconResource, const platform::Rect& area) {
  Add(area, Hasher().Of(Call::Icon).Of(iconResource).Of(area).Value());
}

int LookCanvas::DrawText(std::u16string_view text, const platform::Font& font,
                         platform::Colour colour, const platform::Rect& rc, uint32_t flags) {
  const platform::Size size = m_measure.MeasureText(text, font, flags, rc.Width());
  if ((flags & platform::dt::kCalcRect) != 0) return size.cy;
  // Unclipped text may spill out of its rectangle on any side.
  const platform::Rect reach = (flags & platform::dt::kNoClip) != 0
                                   ? platform::Rect{rc.left - size.cx, rc.top - size.cy,
                                                    rc.right + size.cx, rc.bottom + size.cy}
                                   : rc;
  Add(reach, Hasher().Of(Call::Text).Of(text).Of(font.Desc()).Of(colour).Of(rc).Of(flags).Value());
  return size.cy;
}

platform::Size LookCanvas::MeasureText(std::u16string_view text, const platform::Font& font,
                                       uint32_t flags, int maxWidth) {
  return m_measure.MeasureText(text, font, flags, maxWidth);
}

void LookCanvas::CopyFrom(const platform::Canvas& source, const platform::Rect& dest,
                          platform::Point sourceOrigin) {
  const void* identity = &source;
  Add(dest,
      Hasher().Of(Call::Copy).Of(identity).Of(dest).Of(sourceOrigin.x).Of(sourceOrigin.y).Value());
}

std::vector<platform::Rect> ChangedAreas(const Look& before, const Look& after) {
  auto sorted = [](const Look& look) {
    std::vector<const LookEntry*> entries;
    entries.reserve(look.size());
    for (const LookEntry& entry : look) entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(),
              [](const LookEntry* a, const LookEntry* b) { return a->hash < b->hash; });
    return entries;
  };
  const std::vector<const LookEntry*> a = sorted(before);
  const std::vector<const LookEntry*> b = sorted(after);
  std::vector<platform::Rect> areas;
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i]->hash < b[j]->hash)) {
      areas.push_back(a[i++]->bounds);
    } else if (i == a.size() || b[j]->hash < a[i]->hash) {
      areas.push_back(b[j++]->bounds);
    } else {
      ++i;
      ++j;
    }
  }
  return areas;
}

}  // namespace ui
