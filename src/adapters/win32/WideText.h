#pragma once
// Conversions at the Win32 boundary: core text is UTF-16 in char16_t, Win32 wants wchar_t
// (also UTF-16 on Windows) and NUL-terminated strings.

#include <string>
#include <string_view>

namespace platform::win32 {

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace platform::win32
