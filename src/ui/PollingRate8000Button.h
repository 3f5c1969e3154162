#pragma once
// The 8000 Hz polling-rate dial (id 3045): 7 selectable rates.

#include "ui/PollingRateButton.h"

class CPollingRate8000Button : public CPollingRateButton {
 public:
  static constexpr uint32_t kId = 3045;
  static constexpr int kRegions = 7;

  CPollingRate8000Button(platform::WindowId hWnd, const platform::Rect& rc,
                         const CDialRegions& regions)
      : CPollingRateButton(hWnd, kId, rc, 8000, kRegions, regions) {}
};
