#pragma once
// The web link (id 3503): enter (3503, 0, 4), leave (3503, 0, 5), press (3503, 0, 1),
// click (3503, 0, 2); caption coloured by state, optional strip image.

#include "ui/ImageButton.h"

class CLinkButton : public CImageButton {
 public:
  static constexpr uint32_t kId = 3503;

  CLinkButton(platform::WindowId hWnd, const platform::Rect& rc, std::u16string_view title,
              ControlOptions options = {});

  bool OnMouseMove(uint32_t flags, int x, int y) override;

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

 private:
  bool m_bInside = false;
};
