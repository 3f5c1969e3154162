#include "ui/ScrollBarBase.h"

#include <algorithm>

#include "base/AppGlobals.h"
#include "ui/SkinImage.h"

namespace {
constexpr platform::Colour kTrackColour = 0x302C2A;
constexpr platform::Colour kThumbColour = 0x6E6A68;
constexpr platform::Colour kThumbHoverColour = kTextNormal;
constexpr platform::Colour kArrowColour = 0x4A4644;
constexpr int kArtCorner = 4;  // the artwork's rounded ends
}  // namespace

CScrollBarBase::CScrollBarBase(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                               bool vertical, int firstArrowResource, int secondArrowResource,
                               Visibility visibility)
    : CControlBase(hWnd, uID, rc, u"", visibility.Active()), m_bVertical(vertical) {
  m_nFirstArrowResource = firstArrowResource;
  m_nSecondArrowResource = secondArrowResource;
  LoadArrows(g_fUiScale);
  LoadImageFile(ui::SkinPath(u"scroll_track.png"), m_pTrack);
  LoadImageFile(ui::SkinPath(u"scroll_thumb.png"), m_pThumb);
  LoadImageFile(ui::SkinPath(u"scroll_thumb_ov.png"), m_pThumbHover);
}

void CScrollBarBase::LoadArrows(float scale) {
  if (m_nFirstArrowResource) m_pFirstArrow = ui::LoadPngResource(m_nFirstArrowResource, scale);
  if (m_nSecondArrowResource) m_pSecondArrow = ui::LoadPngResource(m_nSecondArrowResource, scale);
}

void CScrollBarBase::OnScaleChanged(float from, float to) {
  CControlBase::OnScaleChanged(from, to);
  if (m_pFirstArrow || m_pSecondArrow) LoadArrows(to);
}

int CScrollBarBase::ArrowLength() const {
  const int length = m_bVertical ? m_rc.Height() : m_rc.Width();
  return std::clamp(Thickness(), 0, std::max(length / 2, 0));
}

platform::Rect CScrollBarBase::FirstArrowRect() const {
  const int a = ArrowLength();
  return m_bVertical ? platform::Rect{m_rc.left, m_rc.top, m_rc.right, m_rc.top + a}
                     : platform::Rect{m_rc.left, m_rc.top, m_rc.left + a, m_rc.bottom};
}

platform::Rect CScrollBarBase::SecondArrowRect() const {
  const int a = ArrowLength();
  return m_bVertical ? platform::Rect{m_rc.left, m_rc.bottom - a, m_rc.right, m_rc.bottom}
                     : platform::Rect{m_rc.right - a, m_rc.top, m_rc.right, m_rc.bottom};
}

platform::Rect CScrollBarBase::TrackRect() const {
  const int a = ArrowLength();
  return m_bVertical ? platform::Rect{m_rc.left, m_rc.top + a, m_rc.right, m_rc.bottom - a}
                     : platform::Rect{m_rc.left + a, m_rc.top, m_rc.right - a, m_rc.bottom};
}

int CScrollBarBase::TrackStart() const {
  return m_bVertical ? TrackRect().top : TrackRect().left;
}

int CScrollBarBase::ThumbLength() const {
  const platform::Rect track = TrackRect();
  const int trackLength = m_bVertical ? track.Height() : track.Width();
  const int wanted = m_nThumbLength > 0 ? ui::Scaled(m_nThumbLength) : 2 * Thickness();
  return std::clamp(wanted, 0, std::max(trackLength, 0));
}

int CScrollBarBase::MovableLength() const {
  const platform::Rect track = TrackRect();
  const int trackLength = m_bVertical ? track.Height() : track.Width();
  return std::max(trackLength - ThumbLength(), 0);
}

platform::Rect CScrollBarBase::ThumbRect() const {
  const int start = TrackStart() + m_nThumbOffset;
  const int end = start + ThumbLength();
  return m_bVertical ? platform::Rect{m_rc.left, start, m_rc.right, end}
                     : platform::Rect{start, m_rc.top, end, m_rc.bottom};
}

void CScrollBarBase::SetRange(int range) {
  m_nRange = std::max(range, 0);
  SetPos(m_nPos);
}

void CScrollBarBase::SetPos(int pos) {
  m_nPos = m_nRange > 0 ? std::clamp(pos, 0, m_nRange - 1) : 0;
  // The smallest offset that maps back to this position.
  const int movable = MovableLength();
  const int offset = m_nRange > 0 ? (m_nPos * (movable + 1) + m_nRange - 1) / m_nRange : 0;
  m_nThumbOffset = std::clamp(offset, 0, movable);
}

bool CScrollBarBase::MoveThumb(int offset) {
  const int movable = MovableLength();
  m_nThumbOffset = std::clamp(offset, 0, movable);
  const int pos = m_nRange > 0 ? m_nThumbOffset * m_nRange / (movable + 1) : 0;
  const bool changed = pos != m_nPos;
  m_nPos = pos;
  return changed;
}

bool CScrollBarBase::OnMouseMove(uint32_t, int x, int y) {
  const platform::Point p{x, y};
  if (m_bDragging) {
    const int before = m_nThumbOffset;
    if (MoveThumb(Along(p) - TrackStart() - m_nGrab)) SendToParent(m_uID, 0, Notify::kValueChanged);
    return before != m_nThumbOffset;
  }
  const bool thumb = ThumbRect().Contains(p);
  const bool first = FirstArrowRect().Contains(p);
  const bool second = SecondArrowRect().Contains(p);
  const bool changed = thumb != m_bHoverThumb || first != m_bHoverFirst || second != m_bHoverSecond;
  m_bHoverThumb = thumb;
  m_bHoverFirst = first;
  m_bHoverSecond = second;
  return changed;
}

bool CScrollBarBase::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  const platform::Point p{x, y};
  if (FirstArrowRect().Contains(p)) {
    m_nPressed = 1;
    SendToParent(m_uID, kFirstArrow, Notify::kPressed);
    return true;
  }
  if (SecondArrowRect().Contains(p)) {
    m_nPressed = 2;
    SendToParent(m_uID, kSecondArrow, Notify::kPressed);
    return true;
  }
  m_nPressed = 3;
  if (!ThumbRect().Contains(p)) {
    // A press on the track brings the thumb's middle under the pointer.
    if (MoveThumb(Along(p) - TrackStart() - ThumbLength() / 2)) {
      SendToParent(m_uID, 0, Notify::kValueChanged);
    }
  }
  m_bDragging = true;
  m_nGrab = Along(p) - (TrackStart() + m_nThumbOffset);
  SendToParent(m_uID, 0, Notify::kPressed);
  return true;
}

bool CScrollBarBase::OnLButtonUp(uint32_t, int x, int y) {
  const bool wasPressed = m_nPressed != 0 || m_bDragging;
  m_bDragging = false;
  m_nPressed = 0;
  if (Contains(x, y)) SendToParent(m_uID, 0, Notify::kClicked);
  return wasPressed;
}

void CScrollBarBase::Draw(platform::Canvas& canvas, const platform::Rect&) {
  if (m_pTrack) {
    ui::DrawNineSlice(canvas, m_pTrack.get(), TrackRect(), kArtCorner);
  } else {
    canvas.FillRect(TrackRect(), kTrackColour);
  }
  auto arrow = [&](const platform::Image* image, const platform::Rect& rc, bool hover, bool down) {
    if (image) {
      ui::DrawStripFrame(canvas, image, 3,
                         down    ? kStateDown
                         : hover ? kStateHover
                                 : kStateNormal,
                         rc);
    } else {
      canvas.FillRect(rc, hover || down ? kThumbColour : kArrowColour);
    }
  };
  arrow(m_pFirstArrow.get(), FirstArrowRect(), m_bHoverFirst, m_nPressed == 1);
  arrow(m_pSecondArrow.get(), SecondArrowRect(), m_bHoverSecond, m_nPressed == 2);
  if (m_nRange <= 0) return;
  const bool lit = m_bHoverThumb || m_bDragging;
  const platform::Image* thumb = lit && m_pThumbHover ? m_pThumbHover.get() : m_pThumb.get();
  if (thumb) {
    ui::DrawNineSlice(canvas, thumb, ThumbRect(), kArtCorner);
  } else {
    canvas.FillRect(ThumbRect(), lit ? kThumbHoverColour : kThumbColour);
  }
}

void CScrollBarBase::ReleaseImages() {
  m_pFirstArrow.reset();
  m_pSecondArrow.reset();
  m_pTrack.reset();
  m_pThumb.reset();
  m_pThumbHover.reset();
}
