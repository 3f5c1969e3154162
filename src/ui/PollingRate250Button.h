#pragma once
// The 250 Hz polling-rate dial (id 3041): 2 selectable rates.

#include "ui/PollingRateButton.h"

class CPollingRate250Button : public CPollingRateButton {
 public:
  static constexpr uint32_t kId = 3041;
  static constexpr int kRegions = 2;

  CPollingRate250Button(platform::WindowId hWnd, const platform::Rect& rc,
                        const CDialRegions& regions)
      : CPollingRateButton(hWnd, kId, rc, 250, kRegions, regions) {}
};
