#include "profiles/SettingsText.h"

#include "base/Text.h"

namespace settings_text {

uint32_t HexField(std::u16string_view line, size_t pos, size_t width) {
  if (pos >= line.size()) return 0;
  return static_cast<uint32_t>(base::ParseLong(line.substr(pos, width), 16));
}

void AppendHex2(std::u16string& out, uint32_t value) {
  base::AppendHex(out, value, 2);
}

void AppendHex4(std::u16string& out, uint32_t value) {
  base::AppendHex(out, value, 4);
}

void AppendText(std::u16string& out, std::u16string_view text) {
  for (char16_t c : text) out.push_back(c == u'\n' ? u' ' : c);
}

}  // namespace settings_text
