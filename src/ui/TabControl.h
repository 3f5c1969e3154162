#pragma once
// A tab (profile slots 2049..2053, page tabs 3001..3004, 3007..3009). A click makes it the
// current tab of its kind and notifies (id, 0, 2); a right-button release inside notifies
// (id, id, 11). The current tab is drawn with the "current" images.

#include <memory>

#include "ui/ImageButton.h"

class CTabControl : public CImageButton {
 public:
  CTabControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
              std::u16string_view title, ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnRButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  // "skins\profile_slot_nr.png", "_ov", "_nr2", "_ov2".
  void LoadDefaultImages();
  bool SetImageCurrentNormal(std::u16string_view path) {
    return LoadImageFile(path, m_pImageNormal2);
  }
  bool SetImageCurrentHover(std::u16string_view path) {
    return LoadImageFile(path, m_pImageHover2);
  }

  // Index this tab selects: 0..4 for profile slots, 0..3, 7, 8, 9 for page tabs, -1 else.
  int TabIndex() const;
  bool IsCurrent() const;

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

 private:
  std::unique_ptr<platform::Image> m_pImageNormal2;
  std::unique_ptr<platform::Image> m_pImageHover2;
};
