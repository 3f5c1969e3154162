#include "profiles/SettingsText.h"

#include <limits>

#include "base/FileBackup.h"
#include "base/Text.h"

namespace settings_text {

int64_t ParseLong(std::u16string_view text, int base) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // "0x" counts as a prefix only when a hex digit follows; otherwise the "0" is the number.
  if (base == 16 && i + 2 < text.size() && text[i] == u'0' &&
      (text[i + 1] == u'x' || text[i + 1] == u'X') && base::HexDigitValue(text[i + 2]) >= 0) {
    i += 2;
  }
  // Magnitudes are collected up to 2^63, which is enough for both limits of int64_t.
  constexpr uint64_t kCap = uint64_t{1} << 63;
  const auto radix = static_cast<uint64_t>(base);
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = base == 16 ? base::HexDigitValue(text[i])
                                 : (text[i] >= u'0' && text[i] <= u'9' ? text[i] - u'0' : -1);
    if (digit < 0) break;
    const auto d = static_cast<uint64_t>(digit);
    magnitude = magnitude > (kCap - d) / radix ? kCap : magnitude * radix + d;
  }
  if (negative) {
    return magnitude == kCap ? std::numeric_limits<int64_t>::min()
                             : -static_cast<int64_t>(magnitude);
  }
  return magnitude == kCap ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(magnitude);
}

uint32_t HexField(std::u16string_view line, size_t pos, size_t width) {
  if (pos >= line.size()) return 0;
  return static_cast<uint32_t>(ParseLong(line.substr(pos, width), 16));
}

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// "%.<minDigits>X": upper-case hex, zero-padded to at least minDigits digits.
void AppendHex(std::u16string& out, uint32_t value, int minDigits) {
  int digits = minDigits;
  while (digits < 8 && (value >> (4 * digits)) != 0) ++digits;
  for (int d = digits - 1; d >= 0; --d) out.push_back(kHexDigits[(value >> (4 * d)) & 0xF]);
}

}  // namespace

void AppendHex2(std::u16string& out, uint32_t value) {
  AppendHex(out, value, 2);
}

void AppendHex4(std::u16string& out, uint32_t value) {
  AppendHex(out, value, 4);
}

void AppendText(std::u16string& out, std::u16string_view text) {
  for (char16_t c : text) out.push_back(c == u'\n' ? u' ' : c);
}

bool KeepAsBackup(std::u16string_view path) {
  return base::KeepBackup(path);
}

}  // namespace settings_text
