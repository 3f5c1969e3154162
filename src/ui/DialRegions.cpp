#include "ui/DialRegions.h"

#include <cstdint>

#include "base/Text.h"
#include "platform/Platform.h"
#include "ui/SkinImage.h"

namespace {

constexpr int kCoordinateLimit = 10000;

std::u16string DecodeText(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
      static_cast<uint8_t>(bytes[1]) == 0xFE) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                           (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    }
    return text;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return base::FromUtf8(bytes);
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r';
}

// A signed decimal of at most six digits, the whole text.
std::optional<int> ParseCoordinate(std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  bool negative = false;
  if (text.front() == u'-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (negative) value = -value;
  if (value < -kCoordinateLimit || value > kCoordinateLimit) return std::nullopt;
  return value;
}

std::vector<std::u16string_view> Words(std::u16string_view line) {
  std::vector<std::u16string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

}  // namespace

CDialRegions CDialRegions::Load() {
  const auto bytes = platform::Files().ReadAll(ui::SkinPath(kFileName));
  if (!bytes) return {};
  return Parse(*bytes);
}

CDialRegions CDialRegions::Parse(std::string_view bytes) {
  CDialRegions result;
  const std::u16string text = DecodeText(bytes);
  for (const std::u16string& line : base::Split(text, u'\n')) {
    const auto words = Words(line);
    if (words.empty() || words[0].front() == u'#') continue;
    if (words.size() < 5 || words.size() - 2 > kMaxPoints) continue;
    const auto index = ParseCoordinate(words[1]);
    if (!index || *index < 0) continue;
    Polygon polygon;
    bool ok = true;
    for (size_t i = 2; i < words.size() && ok; ++i) {
      const size_t comma = words[i].find(u',');
      if (comma == std::u16string_view::npos) {
        ok = false;
        break;
      }
      const auto x = ParseCoordinate(words[i].substr(0, comma));
      const auto y = ParseCoordinate(words[i].substr(comma + 1));
      ok = x && y;
      if (ok) polygon.push_back({*x, *y});
    }
    if (!ok || result.Find(words[0], *index)) continue;
    result.m_regions.push_back({std::u16string(words[0]), *index, std::move(polygon)});
  }
  return result;
}

std::optional<CDialRegions::Polygon> CDialRegions::Find(std::u16string_view dial, int index) const {
  for (const auto& region : m_regions) {
    if (region.dial == dial && region.index == index) return region.polygon;
  }
  return std::nullopt;
}

bool CDialRegions::Contains(const Polygon& polygon, platform::Point p) {
  if (polygon.size() < 3) return false;
  // Sample at the pixel's centre so that shared edges belong to exactly one region.
  const double px = p.x + 0.5;
  const double py = p.y + 0.5;
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const double xi = polygon[i].x, yi = polygon[i].y;
    const double xj = polygon[j].x, yj = polygon[j].y;
    if ((yi > py) != (yj > py)) {
      const double crossX = xi + (py - yi) * (xj - xi) / (yj - yi);
      if (px < crossX) inside = !inside;
    }
  }
  return inside;
}
