#include "ui/ColorSelectButton.h"

CColorSelectButton::CColorSelectButton(platform::WindowId hWnd, uint32_t uID,
                                       const platform::Rect& rc, ControlOptions options)
    : CImageButton(hWnd, uID, rc, u"", options) {}

void CColorSelectButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  canvas.FillRect(m_rc, m_clrColour);
  DrawImagesAndCaption(canvas);
}

void CColorSelectButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}
void CColorSelectButton::NotifyClicked(int, int) {
  SendToParent(m_uID, 0, Notify::kClicked);
}
