#pragma once
// Helpers shared by the profile and config.ini readers and writers: number parsing with the
// C library's wcstol rules, fixed-offset hex fields, upper-case hex output, and keeping a
// damaged file before it is replaced.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace settings_text {

// wcstol(text, nullptr, base) for base 10 or 16: leading white space, an optional sign, for
// base 16 an optional "0x", then digits up to the first other character; 0 when there are
// none. Saturates at the limits of int64_t instead of overflowing.
int64_t ParseLong(std::u16string_view text, int base);

// The hex number in the `width` characters at `pos` of `line`, parsed like ParseLong with base
// 16. A field that runs past the end of the line is shorter; one that starts past it is 0.
uint32_t HexField(std::u16string_view line, size_t pos, size_t width);

// Appends "%.2X" / "%.4X" of the value.
void AppendHex2(std::u16string& out, uint32_t value);
void AppendHex4(std::u16string& out, uint32_t value);

// Appends a value text to a line. A line feed inside it would split the line and make the
// file unreadable, so it is written as a space.
void AppendText(std::u16string& out, std::u16string_view text);

// Before a file the program could not read is replaced: keeps it as a dated backup
// (base::KeepBackup). True when there is nothing to keep or the copy was made; false when an
// existing file could not be copied, in which case the caller must not replace it.
[[nodiscard]] bool KeepAsBackup(std::u16string_view path);

}  // namespace settings_text
