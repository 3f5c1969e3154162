#include "ui/ColorSelectCheckButton.h"

#include "ui/SkinImage.h"

CColorSelectCheckButton::CColorSelectCheckButton(platform::WindowId hWnd, uint32_t uID,
                                                 const platform::Rect& rc, ControlOptions options)
    : CColorSelectButton(hWnd, uID, rc, options) {}

void CColorSelectCheckButton::LoadDefaultImages() {
  SetImageNormal(ui::SkinPath(u"color_select_nr.png"));
  SetImageCheck(ui::SkinPath(u"color_select_check.png"));
}

void CColorSelectCheckButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  canvas.FillRect(m_rc, m_clrColour);
  ui::DrawWhole(canvas, m_bCheck && m_pImageCheck ? m_pImageCheck.get() : m_pImageNormal.get(),
                ImageRect());
}

bool CColorSelectCheckButton::OnLButtonDblClk(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  SendToParent(m_uID, 0, Notify::kDoubleClicked);
  return false;
}

void CColorSelectCheckButton::ReleaseImages() {
  CColorSelectButton::ReleaseImages();
  m_pImageCheck.reset();
}
