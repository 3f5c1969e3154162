#pragma once
// Helpers shared by the profile and config.ini readers and writers: fixed-offset hex fields
// and the "%.2X" / "%.4X" values of the settings files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace settings_text {

// The hex number in the `width` characters at `pos` of `line`, parsed like wcstol with base 16.
// A field that runs past the end of the line is shorter; one that starts past it is 0.
uint32_t HexField(std::u16string_view line, size_t pos, size_t width);

// Appends "%.2X" / "%.4X" of the value.
void AppendHex2(std::u16string& out, uint32_t value);
void AppendHex4(std::u16string& out, uint32_t value);

// Appends a value text to a line. A line feed inside it would split the line and make the
// file unreadable, so it is written as a space.
void AppendText(std::u16string& out, std::u16string_view text);

}  // namespace settings_text
