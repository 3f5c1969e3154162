#pragma once
// Bytes of the program's text files in tests: UTF-16 LE, with or without the byte-order mark
// the program writes.

#include <cstdint>
#include <string>
#include <string_view>

namespace testbytes {

// `text` as UTF-16 LE bytes, without a mark.
inline std::string Utf16LeNoMark(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

// `text` as the program writes a file: the mark FF FE, then UTF-16 LE.
inline std::string Utf16Le(std::u16string_view text) {
  return "\xFF\xFE" + Utf16LeNoMark(text);
}

// The text of a UTF-16 LE file with its byte-order mark (an odd last byte is dropped).
inline std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                         static_cast<uint8_t>(bytes[i + 1]) << 8));
  }
  return text;
}

}  // namespace testbytes
