#include "ui/DialButton.h"

#include "ui/SkinImage.h"

CDialButton::CDialButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                         std::u16string_view dial, int count, const CDialRegions& regions)
    : CImageButton(hWnd, uID, rc, u"") {
  for (int k = 0; k < count; ++k) {
    m_unscaled.push_back(regions.Find(dial, k).value_or(CDialRegions::Polygon{}));
  }
  ScaleRegions();
}

void CDialButton::ScaleRegions() {
  m_regions = m_unscaled;
  for (auto& polygon : m_regions) {
    for (auto& point : polygon) point = {ui::Scaled(point.x), ui::Scaled(point.y)};
  }
}

void CDialButton::OnScaleChanged(float from, float to) {
  CImageButton::OnScaleChanged(from, to);
  ScaleRegions();
}

int CDialButton::RegionAt(int x, int y) const {
  if (!Contains(x, y)) return kNoRegion;
  const platform::Point p{x - m_rc.left, y - m_rc.top};
  for (size_t k = 0; k < m_regions.size(); ++k) {
    if (CDialRegions::Contains(m_regions[k], p)) return static_cast<int>(k);
  }
  return kNoRegion;
}

bool CDialButton::OnMouseMove(uint32_t flags, int x, int y) {
  const int region = RegionAt(x, y);
  const bool changed = region != m_nHoverRegion;
  m_nHoverRegion = region;
  return CImageButton::OnMouseMove(flags, x, y) || changed;
}

bool CDialButton::OnLButtonDown(uint32_t flags, int x, int y) {
  m_nHoverRegion = RegionAt(x, y);
  return CImageButton::OnLButtonDown(flags, x, y);
}
