#include "ui/VerticalSliderControl.h"

#include <algorithm>

#include "ui/SkinImage.h"

CVerticalSliderControl::CVerticalSliderControl(platform::WindowId hWnd, uint32_t uID,
                                               const platform::Rect& rc, int nStops, int, int,
                                               std::u16string_view title, ControlOptions options)
    : CControlBase(hWnd, uID, rc, title, options), m_nStops(std::max(nStops, 1)) {}

int CVerticalSliderControl::ValueAt(int y) const {
  const int height = m_rc.Height();
  if (height <= 0) return 0;
  const int clamped = std::clamp(y, m_rc.top, m_rc.bottom);
  const int value = (m_rc.bottom - clamped - (clamped != m_rc.bottom ? 1 : 0)) * m_nStops / height;
  return std::clamp(value, 0, m_nStops - 1);
}

void CVerticalSliderControl::SetValue(int value) {
  m_nValue = std::clamp(value, 0, m_nStops - 1);
}

void CVerticalSliderControl::SetStopCount(int nStops) {
  m_nStops = std::max(nStops, 1);
  SetValue(m_nValue);
}

bool CVerticalSliderControl::OnMouseMove(uint32_t, int, int y) {
  if (!m_bDragging) return false;
  m_nValue = ValueAt(y);
  SendToParent(m_uID, static_cast<platform::WParam>(m_nValue), Notify::kValueChanged);
  return true;
}

bool CVerticalSliderControl::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  m_bDragging = true;
  m_nValue = ValueAt(y);
  SendToParent(m_uID, 0, Notify::kPressed);
  return true;
}

bool CVerticalSliderControl::OnLButtonUp(uint32_t, int x, int y) {
  const bool wasDragging = m_bDragging;
  m_bDragging = false;
  if (!Contains(x, y)) return wasDragging;
  m_nValue = ValueAt(y);
  SendToParent(m_uID, 0, Notify::kClicked);
  return true;
}

void CVerticalSliderControl::Draw(platform::Canvas& canvas, const platform::Rect&) {
  ui::DrawWhole(canvas, m_pImageEmpty.get(), m_rc);
  if (!m_pImageFilled || m_bDimmed) return;
  // The filled part grows from the bottom: value v fills (v + 1) / n of the bar.
  const int imageHeight = m_pImageFilled->Height();
  const int sourceHeight = imageHeight * (m_nValue + 1) / m_nStops;
  const int destHeight = m_rc.Height() * (m_nValue + 1) / m_nStops;
  if (sourceHeight <= 0 || destHeight <= 0) return;
  canvas.DrawImage(*m_pImageFilled, {m_rc.left, m_rc.bottom - destHeight, m_rc.right, m_rc.bottom},
                   {0, imageHeight - sourceHeight, m_pImageFilled->Width(), imageHeight});
}

void CVerticalSliderControl::ReleaseImages() {
  m_pImageEmpty.reset();
  m_pImageFilled.reset();
}
