#pragma once
// A vertical bar with n discrete values measured from the bottom (the DPI level bars):
// value = (bottom - y - (1 when y != bottom)) * n / (bottom - top). Press: dragging,
// (id, 0, 1); drag: (id, value, 3); release inside: (id, 0, 2). The margins are taken for the
// construction shape shared with the horizontal slider; the formula uses the whole bar.

#include <memory>

#include "ui/ControlBase.h"

class CVerticalSliderControl : public CControlBase {
 public:
  CVerticalSliderControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                         int nStops, int nTopMargin, int nBottomMargin, std::u16string_view title,
                         ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

  // "skins\mouse\dpi_bar_1.png" (empty) and "skins\mouse\dpi_bar_2.png" (filled part).
  bool SetImageEmpty(std::u16string_view path) { return LoadImageFile(path, m_pImageEmpty); }
  bool SetImageFilled(std::u16string_view path) { return LoadImageFile(path, m_pImageFilled); }
  void SetValue(int value);
  // A new number of values (the DPI table of another sensor); the value stays within it.
  void SetStopCount(int nStops);
  // A level that is switched off: the empty bar only. It still takes drags.
  void SetDimmed(bool dimmed) { m_bDimmed = dimmed; }
  bool IsDimmed() const { return m_bDimmed; }
  int StopCount() const { return m_nStops; }
  int GetValue() const { return m_nValue; }
  int ValueAt(int y) const;
  bool IsDragging() const override { return m_bDragging; }

  int m_nValue = 0;

 private:
  int m_nStops;
  bool m_bDragging = false;
  std::unique_ptr<platform::Image> m_pImageEmpty;
  std::unique_ptr<platform::Image> m_pImageFilled;
  bool m_bDimmed = false;
};
