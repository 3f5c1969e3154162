#include "ui/ComboButton.h"

#include "platform/Platform.h"

CComboButton::CComboButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                           uint32_t message, std::u16string_view title, std::u16string_view title2,
                           ControlOptions options)
    : CImageButton(hWnd, uID, rc, title, options), m_uMessage(message), m_strTitle2(title2) {
  m_uFormat = platform::dt::kLeft;
}

void CComboButton::SetTitle2(std::u16string_view title2) {
  if (title2 == m_strTitle2) return;
  m_strTitle2.assign(title2);
  Invalidate();
}

bool CComboButton::OnMouseMove(uint32_t flags, int x, int y) {
  const bool inside = Contains(x, y);
  if (inside) {
    m_bInside = true;
    if (m_nEnterNotices < kMaxEnterNotices) {
      ++m_nEnterNotices;
      SendToParent(m_uMessage, m_uID, Notify::kEntered);
    }
  } else if (m_bInside) {
    m_bInside = false;
    m_nEnterNotices = 0;
    if (!m_bMenuOpen) SendToParent(m_uMessage, m_uID, Notify::kLeft);
  }
  return CImageButton::OnMouseMove(flags, x, y);
}

void CComboButton::NotifyPressed(int, int) {
  if (!m_bOwner) SendToParent(m_uID, 0, Notify::kPressed);
}

void CComboButton::NotifyClicked(int, int) {
  if (!m_bOwner) SendToParent(m_uMessage, m_uID, Notify::kClicked);
}

void CComboButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  DrawImagesAndCaption(canvas);
  // The second caption (the current choice's detail) sits at the right end.
  if (!m_strTitle2.empty()) {
    DrawTitle(canvas, m_strTitle2, TextColour(), platform::dt::kRight, m_nTextLeft, m_nTextRight);
  }
}
