#pragma once
// The 1000 Hz polling-rate dial (id 3042): 4 selectable rates.

#include "ui/PollingRateButton.h"

class CPollingRate1000Button : public CPollingRateButton {
 public:
  static constexpr uint32_t kId = 3042;
  static constexpr int kRegions = 4;

  CPollingRate1000Button(platform::WindowId hWnd, const platform::Rect& rc,
                         const CDialRegions& regions)
      : CPollingRateButton(hWnd, kId, rc, 1000, kRegions, regions) {}
};
