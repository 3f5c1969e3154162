#pragma once
// A button that shows one colour as a filled rectangle; press (id, 0, 1), click (id, 0, 2).

#include "ui/ImageButton.h"

class CColorSelectButton : public CImageButton {
 public:
  static constexpr platform::Colour kDefaultColour = 0x00FF00;

  CColorSelectButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                     ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void SetColour(platform::Colour colour) { m_clrColour = colour & 0xFFFFFF; }
  platform::Colour GetColour() const { return m_clrColour; }

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

  platform::Colour m_clrColour = kDefaultColour;
};
