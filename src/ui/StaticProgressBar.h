#pragma once
// A progress bar: the background image over the rectangle, then the fill image from the
// left, source width = pos * image width / range. Created disabled.

#include <memory>

#include "ui/ControlBase.h"

class CStaticProgressBar : public CControlBase {
 public:
  CStaticProgressBar(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                     Visibility visibility = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  void ReleaseImages() override;

  bool SetImageBackground(std::u16string_view path) { return LoadImageFile(path, m_pImageBack); }
  bool SetImageFill(std::u16string_view path) { return LoadImageFile(path, m_pImageFill); }
  // A range below 1 is taken as 1; the position is clamped to 0..range.
  void SetRange(int range);
  void SetPos(int pos);
  int GetRange() const { return m_nRange; }
  int GetPos() const { return m_nPos; }

  int m_nRange = 100;
  int m_nPos = 10;

 private:
  std::unique_ptr<platform::Image> m_pImageBack;
  std::unique_ptr<platform::Image> m_pImageFill;
};
