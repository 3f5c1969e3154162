#pragma once
// A button with a check: a click toggles it before notifying (id, 0, 2). Checked shows
// frame 2 and the checked caption in the checked colour.

#include <string>

#include "ui/ImageButton.h"

class CCheckButton : public CImageButton {
 public:
  CCheckButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
               std::u16string_view title, bool bCheck = false, ControlOptions options = {});

  void SetCheck(bool bCheck) { m_bCheck = bCheck; }
  bool GetCheck() const { return m_bCheck; }
  // Caption when unchecked and when checked.
  void SetTexts(std::u16string_view normal, std::u16string_view checked);
  void SetCheckedColour(platform::Colour colour) { m_clrChecked = colour; }

  bool m_bCheck;

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;
  int ShownFrame() const override;
  platform::Colour TextColour() const override;
  std::u16string_view Caption() const override;

 private:
  std::u16string m_strCheckedTitle;
  bool m_bHasCheckedTitle = false;
  platform::Colour m_clrChecked = kTextDown;
};
