#pragma once
// UTF-16 text helpers. Core text is std::u16string so that lengths, line splitting and file
// bytes are the same on every platform.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Lossless for valid input; an invalid sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

// wcstol(text, nullptr, radix) for radix 10 or 16: leading white space, an optional sign, for
// radix 16 an optional "0x" (only when a hex digit follows), then digits up to the first other
// character; 0 when there are none. Saturates at the limits of int64_t instead of overflowing.
int64_t ParseLong(std::u16string_view text, int radix);

// Like _wtoi: ParseLong with radix 10, saturated to the range of int.
int ParseDecimal(std::u16string_view text);

// The whole of `text` as a number in [low, high], or nothing: digits of the radix (10 or 16)
// with an optional leading "-", no blanks, no "+", no "0x", nothing after the digits. For
// what people type and what the system reports, where the tolerant readers above would take
// "12abc" as 12.
std::optional<int64_t> ParseStrict(std::string_view text, int64_t low, int64_t high,
                                   int radix = 10);
std::optional<int> ParseStrictInt(std::string_view text, int low, int high);

// Value of one hex digit of either case, or -1.
constexpr int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// The upper-case hex digit of the low four bits.
constexpr char16_t HexDigit(unsigned value) {
  return u"0123456789ABCDEF"[value & 0xF];
}

// Appends the value as "%.<minDigits>X" does: upper-case hex, zero-padded to minDigits digits
// (at most 8), never cut.
void AppendHex(std::u16string& out, uint32_t value, int minDigits);

bool StartsWith(std::u16string_view text, std::u16string_view prefix);
bool EndsWith(std::u16string_view text, std::u16string_view suffix);

// Splits at every occurrence of `separator`; an empty text gives one empty piece.
std::vector<std::u16string> Split(std::u16string_view text, char16_t separator);

// Text up to and including the last backslash (empty when there is none).
std::u16string FolderOf(std::u16string_view path);

// Appends a backslash unless the path already ends with one.
std::u16string WithTrailingBackslash(std::u16string_view path);

}  // namespace base
