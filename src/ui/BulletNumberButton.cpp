#include "ui/BulletNumberButton.h"

#include "ui/SkinImage.h"

CBulletNumberButton::CBulletNumberButton(platform::WindowId hWnd, uint32_t uID,
                                         const platform::Rect& rc, std::u16string_view title,
                                         const platform::Rect& first, const platform::Rect& second,
                                         ControlOptions options)
    : CImageButton(hWnd, uID, rc, title, options), m_rcFirst(first), m_rcSecond(second) {}

int CBulletNumberButton::AreaAt(int x, int y) const {
  if (!Contains(x, y)) return 0;
  const platform::Point p{x - m_rc.left, y - m_rc.top};
  auto scaled = [](const platform::Rect& r) {
    return platform::Rect{ui::Scaled(r.left), ui::Scaled(r.top), ui::Scaled(r.right),
                          ui::Scaled(r.bottom)};
  };
  if (scaled(m_rcFirst).Contains(p)) return 1;
  if (scaled(m_rcSecond).Contains(p)) return 2;
  return 0;
}

bool CBulletNumberButton::OnMouseMove(uint32_t flags, int x, int y) {
  const int area = AreaAt(x, y);
  const bool areaChanged = area != m_nHoverArea;
  m_nHoverArea = area;
  return CImageButton::OnMouseMove(flags, x, y) || areaChanged;
}

void CBulletNumberButton::NotifyPressed(int x, int y) {
  switch (AreaAt(x, y)) {
    case 1:
      SendToParent(m_uID, 0, kPressedFirst);
      break;
    case 2:
      SendToParent(m_uID, 2, kPressedSecond);
      break;
    default:
      SendToParent(m_uID, 0, Notify::kPressed);
      break;
  }
}

void CBulletNumberButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  const platform::Image* image = m_pImageNormal.get();
  if (m_nHoverArea == 1 && m_pImageFirst) image = m_pImageFirst.get();
  if (m_nHoverArea == 2 && m_pImageSecond) image = m_pImageSecond.get();
  ui::DrawWhole(canvas, image, ImageRect());
  DrawTitle(canvas, m_strTitle, kTextNormal, m_uFormat, m_nTextLeft, m_nTextRight);
}

void CBulletNumberButton::ReleaseImages() {
  CImageButton::ReleaseImages();
  m_pImageFirst.reset();
  m_pImageSecond.reset();
}
