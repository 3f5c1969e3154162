#pragma once
// The 2000 Hz polling-rate dial (id 3043): 5 selectable rates.

#include "ui/PollingRateButton.h"

class CPollingRate2000Button : public CPollingRateButton {
 public:
  static constexpr uint32_t kId = 3043;
  static constexpr int kRegions = 5;

  CPollingRate2000Button(platform::WindowId hWnd, const platform::Rect& rc,
                         const CDialRegions& regions)
      : CPollingRateButton(hWnd, kId, rc, 2000, kRegions, regions) {}
};
