#pragma once
// UTF-16 text helpers. Core text is std::u16string so that lengths, line splitting and file
// bytes are the same on every platform.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Lossless for valid input; an invalid sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

// Like _wtoi: leading blanks, an optional sign, then decimal digits up to the first non-digit.
// No digits gives 0; the value saturates instead of overflowing.
int ParseDecimal(std::u16string_view text);

// Upper- or lower-case hex digits up to the first non-digit (no "0x" prefix, no sign).
// No digits gives 0; more than eight digits keep the low 32 bits.
uint32_t ParseHex(std::u16string_view text);

// Value of one hex digit, or -1.
int HexDigitValue(char16_t c);

bool StartsWith(std::u16string_view text, std::u16string_view prefix);
bool EndsWith(std::u16string_view text, std::u16string_view suffix);

// Splits at every occurrence of `separator`; an empty text gives one empty piece.
std::vector<std::u16string> Split(std::u16string_view text, char16_t separator);

// Text up to and including the last backslash (empty when there is none).
std::u16string FolderOf(std::u16string_view path);

// Appends a backslash unless the path already ends with one.
std::u16string WithTrailingBackslash(std::u16string_view path);

}  // namespace base
