#include "ui/StaticProgressBar.h"

#include <algorithm>

#include "ui/SkinImage.h"

CStaticProgressBar::CStaticProgressBar(platform::WindowId hWnd, uint32_t uID,
                                       const platform::Rect& rc, Visibility visibility)
    : CControlBase(hWnd, uID, rc, u"", visibility.Inert()) {}

void CStaticProgressBar::SetRange(int range) {
  m_nRange = std::max(range, 1);
  m_nPos = std::clamp(m_nPos, 0, m_nRange);
}

void CStaticProgressBar::SetPos(int pos) {
  m_nPos = std::clamp(pos, 0, m_nRange);
}

void CStaticProgressBar::Draw(platform::Canvas& canvas, const platform::Rect&) {
  ui::DrawWhole(canvas, m_pImageBack.get(), m_rc);
  if (!m_pImageFill || m_nRange <= 0) return;
  // The part of the picture for the position, in its own pixels and at the window's scale.
  const int sourceWidth = m_nPos * m_pImageFill->Width() / m_nRange;
  const int destWidth = ui::Scaled(m_nPos * ui::LayoutSize(*m_pImageFill).cx / m_nRange);
  if (sourceWidth <= 0 || destWidth <= 0) return;
  canvas.DrawImage(*m_pImageFill, {m_rc.left, m_rc.top, m_rc.left + destWidth, m_rc.bottom},
                   {0, 0, sourceWidth, m_pImageFill->Height()});
}

void CStaticProgressBar::ReleaseImages() {
  m_pImageBack.reset();
  m_pImageFill.reset();
}
