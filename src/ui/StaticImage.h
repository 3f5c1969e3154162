#pragma once
// One image over the rectangle. Created disabled; once enabled with SetDisable(false) it
// behaves as a button: press (id, 0, 1), click (id, 0, 2).

#include <memory>

#include "ui/ControlBase.h"

class CStaticImage : public CControlBase {
 public:
  CStaticImage(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
               Visibility visibility = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override { m_pImage.reset(); }

  bool SetImage(std::u16string_view path) { return LoadImageFile(path, m_pImage); }
  ButtonState GetState() const { return m_enButtonState; }

 private:
  std::unique_ptr<platform::Image> m_pImage;
  ButtonState m_enButtonState = kStateNormal;
};
