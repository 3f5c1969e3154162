#include "ui/CheckButton.h"

CCheckButton::CCheckButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                           std::u16string_view title, bool bCheck, ControlOptions options)
    : CImageButton(hWnd, uID, rc, title, options), m_bCheck(bCheck) {}

void CCheckButton::SetTexts(std::u16string_view normal, std::u16string_view checked) {
  m_strTitle.assign(normal);
  m_strCheckedTitle.assign(checked);
  m_bHasCheckedTitle = true;
}

void CCheckButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}

void CCheckButton::NotifyClicked(int, int) {
  m_bCheck = !m_bCheck;
  SendToParent(m_uID, 0, Notify::kClicked);
}

int CCheckButton::ShownFrame() const {
  if (m_bCheck) return kStateDown;
  return m_enButtonState == kStateNormal ? kStateNormal : kStateHover;
}

platform::Colour CCheckButton::TextColour() const {
  if (m_bCheck) return m_clrChecked;
  return m_enButtonState == kStateNormal ? kTextNormal : kTextHover;
}

std::u16string_view CCheckButton::Caption() const {
  return m_bCheck && m_bHasCheckedTitle ? m_strCheckedTitle : m_strTitle;
}
