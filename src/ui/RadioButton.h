#pragma once
// A radio button whose selection is its bit in g_nRadioFlags. A click clears its group's
// bits, sets its own and notifies (id, 0, 2); an id outside every group only notifies.

#include "ui/ImageButton.h"

class CRadioButton : public CImageButton {
 public:
  CRadioButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
               std::u16string_view title, ControlOptions options = {});

  bool IsSelected() const;

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;
  int ShownFrame() const override;
  platform::Colour TextColour() const override;
};
