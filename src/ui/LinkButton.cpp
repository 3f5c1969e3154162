#include "ui/LinkButton.h"

CLinkButton::CLinkButton(platform::WindowId hWnd, const platform::Rect& rc,
                         std::u16string_view title, ControlOptions options)
    : CImageButton(hWnd, kId, rc, title, options) {
  m_uFormat = platform::dt::kLeft;
}

bool CLinkButton::OnMouseMove(uint32_t flags, int x, int y) {
  const bool inside = Contains(x, y);
  if (inside != m_bInside) {
    m_bInside = inside;
    SendToParent(m_uID, 0, inside ? Notify::kEntered : Notify::kLeft);
  }
  return CImageButton::OnMouseMove(flags, x, y);
}

void CLinkButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}
void CLinkButton::NotifyClicked(int, int) {
  SendToParent(m_uID, 0, Notify::kClicked);
}
