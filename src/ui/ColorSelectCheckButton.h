#pragma once
// A colour button with a check mark; a double click sends (id, 0, 10).

#include "ui/ColorSelectButton.h"

class CColorSelectCheckButton : public CColorSelectButton {
 public:
  CColorSelectCheckButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                          ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  // "skins\color_select_nr.png" and "skins\color_select_check.png".
  void LoadDefaultImages();
  bool SetImageCheck(std::u16string_view path) { return LoadImageFile(path, m_pImageCheck); }
  void SetCheck(bool bCheck) { m_bCheck = bCheck; }
  bool GetCheck() const { return m_bCheck; }

  bool m_bCheck = false;

 private:
  std::unique_ptr<platform::Image> m_pImageCheck;
};
