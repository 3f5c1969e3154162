#include "base/Text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace base {

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (b0 < 0x80) {
      cp = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
      len = 2;
      cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
      len = 3;
      cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
      len = 4;
      cp = b0 & 0x07;
    } else {
      len = 0;
    }
    bool ok = len > 0 && i + len <= text.size();
    for (size_t k = 1; ok && k < len; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) {
        ok = false;
      } else {
        cp = (cp << 6) | (b & 0x3F);
      }
    }
    if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(u'\xFFFD');
      i += 1;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

int64_t ParseLong(std::u16string_view text, int radix) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // "0x" counts as a prefix only when a hex digit follows; otherwise the "0" is the number.
  if (radix == 16 && i + 2 < text.size() && text[i] == u'0' &&
      (text[i + 1] == u'x' || text[i + 1] == u'X') && HexDigitValue(text[i + 2]) >= 0) {
    i += 2;
  }
  // Magnitudes are collected up to 2^63, which is enough for both limits of int64_t.
  constexpr uint64_t kCap = uint64_t{1} << 63;
  const auto r = static_cast<uint64_t>(radix);
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = radix == 16 ? HexDigitValue(text[i])
                                  : (text[i] >= u'0' && text[i] <= u'9' ? text[i] - u'0' : -1);
    if (digit < 0) break;
    const auto d = static_cast<uint64_t>(digit);
    magnitude = magnitude > (kCap - d) / r ? kCap : magnitude * r + d;
  }
  if (negative) {
    return magnitude == kCap ? std::numeric_limits<int64_t>::min()
                             : -static_cast<int64_t>(magnitude);
  }
  return magnitude == kCap ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(magnitude);
}

std::optional<int64_t> ParseStrict(std::string_view text, int64_t low, int64_t high, int radix) {
  int64_t value = 0;
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(text.data(), last, value, radix);
  if (text.empty() || ec != std::errc() || end != last || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseStrictInt(std::string_view text, int low, int high) {
  const auto value = ParseStrict(text, low, high);
  return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

int ParseDecimal(std::u16string_view text) {
  const int64_t value = ParseLong(text, 10);
  return static_cast<int>(
      std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void AppendHex(std::u16string& out, uint32_t value, int minDigits) {
  int digits = std::clamp(minDigits, 1, 8);
  while (digits < 8 && (value >> (4 * digits)) != 0) ++digits;
  for (int d = digits - 1; d >= 0; --d) out.push_back(HexDigit(value >> (4 * d)));
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::vector<std::u16string> Split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string> pieces;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    if (at == std::u16string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
}

std::u16string FolderOf(std::u16string_view path) {
  const size_t at = path.rfind(u'\\');
  if (at == std::u16string_view::npos) return {};
  return std::u16string(path.substr(0, at + 1));
}

std::u16string WithTrailingBackslash(std::u16string_view path) {
  std::u16string out(path);
  if (out.empty() || out.back() != u'\\') out.push_back(u'\\');
  return out;
}

}  // namespace base
