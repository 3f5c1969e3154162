#include "views/buttons/DigitsEditBox.h"

#include "views/buttons/RapidFireRules.h"

CDigitsEditBox::CDigitsEditBox(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                               std::u16string_view text, std::function<void()> onRefused)
    : CEditBox(hWnd, uID, rc, text), m_onRefused(std::move(onRefused)) {
  SetNumeric(0, buttons::rapidfire::kMaxValue);
}

bool CDigitsEditBox::OnChar(char16_t unit) {
  const bool control = unit < 0x20 || unit == 0x7F;
  if (control || buttons::rapidfire::IsAcceptedChar(unit)) return CEditBox::OnChar(unit);
  if (m_onRefused) m_onRefused();
  return true;
}
