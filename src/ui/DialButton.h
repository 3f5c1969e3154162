#pragma once
// A dial: an image with polygon click regions taken from CDialRegions. The polygons
// are relative to the control's rectangle and scaled by g_fUiScale when the control is built;
// the first region (in creation order) containing a point wins.

#include <string_view>
#include <vector>

#include "ui/DialRegions.h"
#include "ui/ImageButton.h"

class CDialButton : public CImageButton {
 public:
  static constexpr int kNoRegion = 100;

  // Regions 0..count-1 of the named dial; one the data file lacks is empty (never hit).
  CDialButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
              std::u16string_view dial, int count, const CDialRegions& regions);

  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;

  // Region under a point of the parent's client area, or kNoRegion.
  int RegionAt(int x, int y) const;
  int HoverRegion() const { return m_nHoverRegion; }
  int RegionCount() const { return static_cast<int>(m_regions.size()); }
  void OnScaleChanged(float from, float to) override;

 protected:
  int m_nHoverRegion = kNoRegion;

 private:
  void ScaleRegions();

  std::vector<CDialRegions::Polygon> m_unscaled;  // as the data file gives them
  std::vector<CDialRegions::Polygon> m_regions;   // scaled, relative to m_rc
};
