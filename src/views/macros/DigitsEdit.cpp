#include "views/macros/DigitsEdit.h"

#include <limits>

CDigitsEdit::CDigitsEdit(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                         std::u16string_view text)
    : CEditBox(hWnd, uID, rc, text) {
  SetNumeric(0, std::numeric_limits<int>::max());
}

bool CDigitsEdit::OnChar(char16_t unit) {
  // Control characters (Backspace, Enter, Escape, Tab, Ctrl+letter) keep their meaning.
  if (unit >= 0x20 && (unit < u'0' || unit > u'9')) {
    SendToParent(m_uID, 0, kRefusedCharacter);
    return true;
  }
  return CEditBox::OnChar(unit);
}

uint64_t CDigitsEdit::ParseDigits(std::u16string_view text) {
  constexpr uint64_t kCap = std::numeric_limits<uint32_t>::max();
  uint64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + static_cast<uint64_t>(c - u'0');
    if (value > kCap) return kCap;
  }
  return value;
}
