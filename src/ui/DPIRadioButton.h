#pragma once
// The button of DPI level k (ids 3290..3297, k = id - 3290): a click switches levels 1..k+1
// on in the low byte of g_nDpiLevelFlags and notifies (id, 0, 2). Strip image
// "skins\dpi_value.png", caption in Tahoma.

#include "ui/ImageButton.h"

class CDPIRadioButton : public CImageButton {
 public:
  static constexpr uint32_t kFirstId = 3290;
  static constexpr uint32_t kLastId = 3297;

  CDPIRadioButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                  std::u16string_view title, ControlOptions options = {});

  int Level() const { return static_cast<int>(m_uID - kFirstId); }
  bool IsSelected() const;
  // The highest level switched on in the shared word: the only one drawn as chosen.
  bool IsCurrent() const;
  // A caption colour set by the page (the active level in red, the others grey) replaces the
  // state colours.
  void SetTextColour(platform::Colour colour) {
    m_clrText = colour;
    m_bTextColourSet = true;
  }

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;
  int ShownFrame() const override;
  platform::Colour TextColour() const override;

 private:
  platform::Colour m_clrText = kTextNormal;
  bool m_bTextColourSet = false;
};
