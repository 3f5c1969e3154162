#pragma once
// Shared body of the two scroll bars: an arrow at each end (PNG resources of three frames
// side by side: normal, hover, down), a track between them and a thumb. With L the length the
// thumb can move, position = (thumb offset in the track) * range / (L + 1), so positions run
// 0..range-1. Pressing the first arrow sends (id, 6, 1), the second (id, 7, 1), the thumb or
// track (id, 0, 1); each position change while dragging sends (id, 0, 3); release inside
// sends (id, 0, 2). The list that owns the bar scrolls on these notices and calls SetPos.
// The track and the thumb come from skins\scroll_track.png, scroll_thumb.png and
// scroll_thumb_ov.png, stretched with their rounded ends kept; without them, flat colours.

#include <memory>

#include "ui/ControlBase.h"

class CScrollBarBase : public CControlBase {
 public:
  static constexpr platform::WParam kFirstArrow = 6;
  static constexpr platform::WParam kSecondArrow = 7;

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;
  void OnScaleChanged(float from, float to) override;

  void SetRange(int range);
  void SetPos(int pos);
  int GetRange() const { return m_nRange; }
  int GetPos() const { return m_nPos; }
  // Thumb length along the bar (unscaled); 0 chooses twice the bar's thickness.
  void SetThumbLength(int length) { m_nThumbLength = length; }

  platform::Rect FirstArrowRect() const;
  platform::Rect SecondArrowRect() const;
  platform::Rect TrackRect() const;
  platform::Rect ThumbRect() const;
  // How far the thumb can move.
  int MovableLength() const;
  bool IsDragging() const override { return m_bDragging; }

 protected:
  CScrollBarBase(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc, bool vertical,
                 int firstArrowResource, int secondArrowResource, Visibility visibility);

 private:
  int Along(platform::Point p) const { return m_bVertical ? p.y : p.x; }
  int Thickness() const { return m_bVertical ? m_rc.Width() : m_rc.Height(); }
  int ArrowLength() const;
  int ThumbLength() const;
  int TrackStart() const;
  // Moves the thumb to `offset` in the track and recomputes the position; true when it changed.
  bool MoveThumb(int offset);
  // The arrows from their PNG resources, for the scale.
  void LoadArrows(float scale);

  bool m_bVertical;
  int m_nRange = 0;
  int m_nPos = 0;
  int m_nThumbOffset = 0;
  int m_nThumbLength = 0;
  bool m_bDragging = false;
  int m_nGrab = 0;
  bool m_bHoverThumb = false;
  bool m_bHoverFirst = false;
  bool m_bHoverSecond = false;
  int m_nPressed = 0;  // 0 none, 1 first arrow, 2 second arrow, 3 thumb or track
  int m_nFirstArrowResource = 0;
  int m_nSecondArrowResource = 0;
  std::unique_ptr<platform::Image> m_pFirstArrow;
  std::unique_ptr<platform::Image> m_pSecondArrow;
  std::unique_ptr<platform::Image> m_pTrack;
  std::unique_ptr<platform::Image> m_pThumb;
  std::unique_ptr<platform::Image> m_pThumbHover;
};
