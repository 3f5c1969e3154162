#pragma once
// The power-saving dial (id 3500): eight regions; a click in region k stores k and the value
// k + 1 and notifies (3500, 0, 2). Draws "skins\power_manage_<3+k>min.png" of the stored
// region.

#include <array>
#include <memory>

#include "ui/DialButton.h"

class CPowerManageButton : public CDialButton {
 public:
  static constexpr uint32_t kId = 3500;
  static constexpr int kRegions = 8;

  CPowerManageButton(platform::WindowId hWnd, const platform::Rect& rc,
                     const CDialRegions& regions);

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void ReleaseImages() override;
  void LoadDefaultImages();

  // Region 0..7 and the stored value 1..8.
  void SetSelection(int region);
  int Selection() const { return m_nSelection; }
  int Value() const { return m_nSelection + 1; }

  // Image of region k without ".png": "power_manage_3min" ... "power_manage_10min".
  static std::u16string ImageName(int region);

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

 private:
  int m_nSelection = 0;
  std::array<std::unique_ptr<platform::Image>, kRegions> m_pImages;
};
