#include "ui/SliderControl.h"

#include <algorithm>

#include "ui/SkinImage.h"

CSliderControl::CSliderControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                               int nStops, int nLeftMargin, int nRightMargin,
                               std::u16string_view title, ControlOptions options)
    : CControlBase(hWnd, uID, rc, title, options),
      m_nStops(std::max(nStops, 1)),
      m_nLeftMargin(nLeftMargin),
      m_nRightMargin(nRightMargin) {
  ComputeStops();
  SetValue(0);
}

void CSliderControl::ComputeStops() {
  m_stops.clear();
  const int track = m_rc.Width() - m_nLeftMargin - m_nRightMargin;
  for (int i = 0; i < m_nStops; ++i) {
    // A single stop sits at the start instead of dividing by zero.
    const int offset = m_nStops > 1 ? i * track / (m_nStops - 1) : 0;
    m_stops.push_back(m_rc.left + m_nLeftMargin + offset);
  }
}

void CSliderControl::SetRect(int left, int top, int right, int bottom) {
  CControlBase::SetRect(left, top, right, bottom);
  ComputeStops();
  m_nThumbPos = StopPosition(m_nValue);
}

int CSliderControl::StopPosition(int stop) const {
  return m_stops[static_cast<size_t>(std::clamp(stop, 0, StopCount() - 1))];
}

int CSliderControl::NearestStop(int x) const {
  for (int i = 0; i + 1 < StopCount(); ++i) {
    if (x < (m_stops[static_cast<size_t>(i)] + m_stops[static_cast<size_t>(i + 1)]) / 2) return i;
  }
  return StopCount() - 1;
}

void CSliderControl::SetValue(int stop) {
  m_nValue = std::clamp(stop, 0, StopCount() - 1);
  m_nThumbPos = StopPosition(m_nValue);
}

bool CSliderControl::SetThumbImage(std::u16string_view path) {
  return LoadImageFile(path, m_pThumb);
}

platform::Rect CSliderControl::ThumbRect() const {
  const int left = m_nThumbPos - m_nLeftMargin;
  if (m_pThumb) {
    const platform::Size size = ui::LayoutSize(*m_pThumb);
    return {left, m_rc.top, left + ui::Scaled(size.cx), m_rc.top + ui::Scaled(size.cy)};
  }
  // Without its image the thumb spans both margins.
  return {left, m_rc.top, m_nThumbPos + std::max(m_nRightMargin, 1), m_rc.bottom};
}

bool CSliderControl::OnMouseMove(uint32_t, int x, int) {
  if (!m_bDragging) return false;
  const int clamped = std::clamp(x, m_rc.left, m_rc.right - 1);
  m_nThumbPos = clamped;
  m_nValue = NearestStop(clamped);
  SendToParent(m_uID, static_cast<platform::WParam>(m_nValue), Notify::kValueChanged);
  return true;
}

bool CSliderControl::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  m_enButtonState = kStateDown;
  m_bDragging = ThumbRect().Contains({x, y});
  SendToParent(m_uID, 0, Notify::kPressed);
  return true;
}

bool CSliderControl::OnLButtonUp(uint32_t, int x, int y) {
  m_bDragging = false;
  if (!Contains(x, y)) {
    m_enButtonState = kStateNormal;
    m_nThumbPos = StopPosition(m_nValue);
    return true;
  }
  m_enButtonState = kStateHover;
  SetValue(NearestStop(x));
  SendToParent(m_uID, 0, Notify::kClicked);
  return true;
}

void CSliderControl::Draw(platform::Canvas& canvas, const platform::Rect&) {
  if (m_pThumb) ui::DrawWhole(canvas, m_pThumb.get(), ThumbRect());
}
