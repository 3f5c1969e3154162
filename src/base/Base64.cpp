#include "base/Base64.h"

namespace base {

namespace {

int Sextet(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c - u'A';
  if (c >= u'a' && c <= u'z') return c - u'a' + 26;
  if (c >= u'0' && c <= u'9') return c - u'0' + 52;
  if (c == u'+') return 62;
  if (c == u'/') return 63;
  return -1;
}

}  // namespace

std::optional<std::vector<uint8_t>> DecodeBase64(std::u16string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  size_t padding = 0;
  if (!text.empty() && text.back() == u'=') ++padding;
  if (text.size() >= 2 && text[text.size() - 2] == u'=') ++padding;
  std::vector<uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const size_t pad = last ? padding : 0;
    uint32_t group = 0;
    for (size_t j = 0; j < 4; ++j) {
      int value = 0;
      if (j < 4 - pad) {
        value = Sextet(text[i + j]);
        if (value < 0) return std::nullopt;
      }
      group = group << 6 | static_cast<uint32_t>(value);
    }
    // The bits that padding stands for must be zero, so each text decodes one way only.
    if ((pad == 1 && (group & 0xFF) != 0) || (pad == 2 && (group & 0xFFFF) != 0)) {
      return std::nullopt;
    }
    out.push_back(static_cast<uint8_t>(group >> 16));
    if (pad < 2) out.push_back(static_cast<uint8_t>(group >> 8));
    if (pad < 1) out.push_back(static_cast<uint8_t>(group));
  }
  return out;
}

}  // namespace base
