#include "ui/ImageButton.h"

#include "ui/SkinImage.h"

namespace {
constexpr uint32_t kProfileListButton = 3502;
}

CImageButton::CImageButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                           std::u16string_view title, ControlOptions options)
    : CControlBase(hWnd, uID, rc, title, options) {}

void CImageButton::SetTextOffset(int left, int right) {
  m_nTextLeft = ui::Scaled(left);
  m_nTextRight = ui::Scaled(right);
}

bool CImageButton::SetState(ButtonState state) {
  if (state == m_enButtonState) return false;
  m_enButtonState = state;
  return true;
}

bool CImageButton::OnMouseMove(uint32_t, int x, int y) {
  if (m_enButtonState == kStateDown) return false;
  const bool inside = Contains(x, y);
  if (inside && m_uID == kProfileListButton) SendToParent(m_uID, 0, Notify::kPointerOver);
  return SetState(inside ? kStateHover : kStateNormal);
}

bool CImageButton::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  const bool changed = SetState(kStateDown);
  NotifyPressed(x, y);
  return changed;
}

bool CImageButton::OnLButtonUp(uint32_t, int x, int y) {
  if (!Contains(x, y)) return SetState(kStateNormal);
  const bool changed = SetState(kStateHover);
  NotifyClicked(x, y);
  return changed;
}

void CImageButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}
void CImageButton::NotifyClicked(int, int) {
  SendToParent(m_uID, m_uID, Notify::kClicked);
}

platform::Colour CImageButton::TextColour() const {
  switch (m_enButtonState) {
    case kStateHover:
      return kTextHover;
    case kStateDown:
      return kTextDown;
    default:
      return kTextNormal;
  }
}

platform::Rect CImageButton::ImageRect() const {
  return {m_rc.left, m_rc.top, m_rc.left + ui::Scaled(m_sizeImage.cx),
          m_rc.top + ui::Scaled(m_sizeImage.cy)};
}

void CImageButton::DrawImagesAndCaption(platform::Canvas& canvas) {
  const int frame = ShownFrame();
  if (m_pImage) {
    ui::DrawStripFrame(canvas, m_pImage.get(), 3, frame, m_rc);
  } else {
    const platform::Image* image = m_pImageNormal.get();
    if (frame == kStateHover && m_pImageHover) image = m_pImageHover.get();
    if (frame == kStateDown) image = m_pImageDown ? m_pImageDown.get() : m_pImageHover.get();
    if (frame != kStateNormal && !image) image = m_pImageNormal.get();
    ui::DrawWhole(canvas, image, ImageRect());
  }
  DrawTitle(canvas, Caption(), TextColour(), m_uFormat, m_nTextLeft, m_nTextRight);
}

void CImageButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  DrawImagesAndCaption(canvas);
}

void CImageButton::ReleaseImages() {
  m_pImage.reset();
  m_pImageNormal.reset();
  m_pImageHover.reset();
  m_pImageDown.reset();
}
