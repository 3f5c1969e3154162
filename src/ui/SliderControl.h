#pragma once
// A horizontal slider with n discrete stops. Stop 0 is at left + left margin, stop n - 1 at
// right - right margin. Press: (id, 0, 1), dragging starts when the press is on the thumb;
// each move while dragging: (id, value, 3); release inside: snapped to the nearest stop,
// (id, 0, 2).

#include <memory>
#include <vector>

#include "ui/ControlBase.h"

class CSliderControl : public CControlBase {
 public:
  CSliderControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc, int nStops,
                 int nLeftMargin, int nRightMargin, std::u16string_view title,
                 ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonUp(uint32_t flags, int x, int y) override;
  void SetRect(int left, int top, int right, int bottom) override;
  void ReleaseImages() override { m_pThumb.reset(); }

  bool SetThumbImage(std::u16string_view path);
  // Selects a stop (clamped) and snaps the thumb; no notification.
  void SetValue(int stop);
  int GetValue() const { return m_nValue; }
  int StopCount() const { return static_cast<int>(m_stops.size()); }
  int StopPosition(int stop) const;
  // The first i with x < (stop i + stop i+1) / 2, else the last stop.
  int NearestStop(int x) const;
  int ThumbPosition() const { return m_nThumbPos; }
  platform::Rect ThumbRect() const;
  bool IsDragging() const override { return m_bDragging; }

  int m_nValue = 0;

 private:
  void ComputeStops();

  int m_nStops;
  int m_nLeftMargin;
  int m_nRightMargin;
  std::vector<int> m_stops;
  int m_nThumbPos = 0;
  bool m_bDragging = false;
  ButtonState m_enButtonState = kStateNormal;
  std::unique_ptr<platform::Image> m_pThumb;
};
