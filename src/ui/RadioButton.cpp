#include "ui/RadioButton.h"

#include "ui/SharedSelection.h"

CRadioButton::CRadioButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                           std::u16string_view title, ControlOptions options)
    : CImageButton(hWnd, uID, rc, title, options) {}

bool CRadioButton::IsSelected() const {
  const RadioGroupBits bits = RadioBitsOf(m_uID);
  return bits.own != 0 && (g_nRadioFlags & bits.own) != 0;
}

void CRadioButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}

void CRadioButton::NotifyClicked(int, int) {
  const RadioGroupBits bits = RadioBitsOf(m_uID);
  if (bits.own != 0) g_nRadioFlags = (g_nRadioFlags & ~bits.group) | bits.own;
  SendToParent(m_uID, 0, Notify::kClicked);
}

int CRadioButton::ShownFrame() const {
  if (IsSelected()) return kStateDown;
  return m_enButtonState == kStateNormal ? kStateNormal : kStateHover;
}

platform::Colour CRadioButton::TextColour() const {
  if (IsSelected()) return kTextDown;
  return m_enButtonState == kStateNormal ? kTextNormal : kTextHover;
}
