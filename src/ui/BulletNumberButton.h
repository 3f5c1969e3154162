#pragma once
// A number field with a decrease area and an increase area. Press in the first sends
// (id, 0, 0x11), in the second (id, 2, 0x21), elsewhere (id, 0, 1); click (id, id, 2).
// Hover shows the image of the area under the pointer.

#include "ui/ImageButton.h"

class CBulletNumberButton : public CImageButton {
 public:
  static constexpr platform::LParam kPressedFirst = 0x11;
  static constexpr platform::LParam kPressedSecond = 0x21;

  // The areas are given relative to the control's top-left corner, unscaled.
  CBulletNumberButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                      std::u16string_view title, const platform::Rect& first,
                      const platform::Rect& second, ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  bool SetImageFirst(std::u16string_view path) { return LoadImageFile(path, m_pImageFirst); }
  bool SetImageSecond(std::u16string_view path) { return LoadImageFile(path, m_pImageSecond); }
  // 0 none, 1 first area, 2 second area.
  int HoverArea() const { return m_nHoverArea; }

 protected:
  void NotifyPressed(int x, int y) override;
  platform::Colour TextColour() const override { return kTextNormal; }

 private:
  int AreaAt(int x, int y) const;

  platform::Rect m_rcFirst;  // relative, unscaled
  platform::Rect m_rcSecond;
  int m_nHoverArea = 0;
  std::unique_ptr<platform::Image> m_pImageFirst;
  std::unique_ptr<platform::Image> m_pImageSecond;
};
