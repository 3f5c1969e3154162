#include "keys/ButtonFunctionCode.h"

#include "base/Format.h"
#include "base/Text.h"

std::u16string ButtonFunctionCode::ToHex() const {
  return base::Format(u"%.2X%.2X%.2X", bytes[0], bytes[1], bytes[2]);
}

std::optional<ButtonFunctionCode> ButtonFunctionCode::FromHex(std::u16string_view text) {
  if (text.size() != 6) return std::nullopt;
  ButtonFunctionCode code;
  for (size_t i = 0; i < 3; ++i) {
    const int hi = base::HexDigitValue(text[2 * i]);
    const int lo = base::HexDigitValue(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    code.bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  return code;
}
