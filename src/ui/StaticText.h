#pragma once
// A label: its title in one colour with a DrawTextW format. Created disabled; word-wrapping
// formats wrap (no forced single line) and a vertically centred wrapped text is centred.

#include "ui/ControlBase.h"

class CStaticText : public CControlBase {
 public:
  CStaticText(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
              platform::Colour colour, uint32_t format, std::u16string_view title,
              Visibility visibility = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void SetColour(platform::Colour colour) { m_clrText = colour; }
  platform::Colour GetColour() const { return m_clrText; }
  void SetFormat(uint32_t format) { m_uFormat = format; }

 private:
  platform::Colour m_clrText;
  uint32_t m_uFormat;
};
