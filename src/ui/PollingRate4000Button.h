#pragma once
// The 4000 Hz polling-rate dial (id 3044): 6 selectable rates.

#include "ui/PollingRateButton.h"

class CPollingRate4000Button : public CPollingRateButton {
 public:
  static constexpr uint32_t kId = 3044;
  static constexpr int kRegions = 6;

  CPollingRate4000Button(platform::WindowId hWnd, const platform::Rect& rc,
                         const CDialRegions& regions)
      : CPollingRateButton(hWnd, kId, rc, 4000, kRegions, regions) {}
};
