#include "ui/StaticImage.h"

#include "ui/SkinImage.h"

CStaticImage::CStaticImage(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                           Visibility visibility)
    : CControlBase(hWnd, uID, rc, u"", visibility.Inert()) {}

void CStaticImage::Draw(platform::Canvas& canvas, const platform::Rect&) {
  ui::DrawWhole(canvas, m_pImage.get(), m_rc);
}

bool CStaticImage::OnMouseMove(uint32_t, int x, int y) {
  if (m_enButtonState == kStateDown) return false;
  const ButtonState state = Contains(x, y) ? kStateHover : kStateNormal;
  const bool changed = state != m_enButtonState;
  m_enButtonState = state;
  return changed;
}

bool CStaticImage::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  const bool changed = m_enButtonState != kStateDown;
  m_enButtonState = kStateDown;
  SendToParent(m_uID, 0, Notify::kPressed);
  return changed;
}

bool CStaticImage::OnLButtonUp(uint32_t, int x, int y) {
  const ButtonState state = Contains(x, y) ? kStateHover : kStateNormal;
  const bool changed = state != m_enButtonState;
  m_enButtonState = state;
  if (state == kStateHover) SendToParent(m_uID, 0, Notify::kClicked);
  return changed;
}
