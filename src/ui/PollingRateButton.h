#pragma once
// Base of the five polling-rate dials: one region per selectable rate (region k = rate
// index k: 125, 250, 500, 1000, 2000, 4000, 8000 Hz). A click sets g_nPollingRateIndex to
// the hovered region when there is one and notifies (id, 0, 2). Draws the base image
// "skins\pollingRate\<max>Hz.png" and the selected rate's "<max>Hz_<rate>.png".

#include <array>
#include <memory>

#include "ui/DialButton.h"

class CPollingRateButton : public CDialButton {
 public:
  static constexpr int kRateCount = 7;
  static constexpr int kRates[kRateCount] = {125, 250, 500, 1000, 2000, 4000, 8000};

  // `maxRate` names the dial; `regionCount` rates from 125 Hz up are selectable.
  CPollingRateButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc, int maxRate,
                     int regionCount, const CDialRegions& regions);

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void ReleaseImages() override;
  // Base image and one image per selectable rate.
  void LoadDefaultImages();

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

 private:
  int m_nMaxRate;
  std::unique_ptr<platform::Image> m_pImageBase;
  std::array<std::unique_ptr<platform::Image>, kRateCount> m_pImageRates;
};
