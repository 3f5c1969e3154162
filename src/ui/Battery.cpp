#include "ui/Battery.h"

#include <algorithm>

#include "base/AppGlobals.h"
#include "ui/SkinImage.h"

namespace {
constexpr uint32_t kBatteryId = 3406;
}

CBattery::CBattery(platform::WindowId hWnd, const platform::Rect& rc, Visibility visibility)
    : CControlBase(hWnd, kBatteryId, rc, u"", visibility.Inert()) {}

void CBattery::LoadDefaultImages() {
  SetImageFull(ui::SkinPath(u"battery_full.png"));
  SetImageEmpty(ui::SkinPath(u"battery_empty.png"));
  SetImageCharging(ui::SkinPath(u"battery_charging.png"));
  SetImageLightning(ui::SkinPath(u"battery_lighting.png"));
}

void CBattery::SetState(int state) {
  m_nState = std::clamp(state, 0, 2);
}
void CBattery::SetLevel(int level) {
  m_nLevel = std::clamp(level, 0, 100);
}
void CBattery::SetAnimLevel(int level) {
  m_nAnimLevel = std::clamp(level, 0, 100);
}

void CBattery::DrawBottomPart(platform::Canvas& canvas, const platform::Image* image,
                              int percent) const {
  if (!image || percent <= 0) return;
  const int imageHeight = image->Height();
  if (imageHeight <= 0) return;
  const int sourceHeight = imageHeight * std::min(percent, 100) / 100;
  if (sourceHeight <= 0) return;
  // The destination height follows the source rows drawn; when scaled up, an odd remainder
  // is rounded up so the fill stays aligned with the empty image's pixels.
  int destHeight = m_rc.Height() * sourceHeight / imageHeight;
  if ((m_rc.Height() - destHeight) % 2 != 0 && destHeight < m_rc.Height() && g_fUiScale > 1.0f) {
    ++destHeight;
  }
  canvas.DrawImage(*image, {m_rc.left, m_rc.bottom - destHeight, m_rc.right, m_rc.bottom},
                   {0, imageHeight - sourceHeight, image->Width(), imageHeight});
}

void CBattery::Draw(platform::Canvas& canvas, const platform::Rect&) {
  switch (m_nState) {
    case kCharging:
      DrawBottomPart(canvas, m_pImageCharging.get(), m_nAnimLevel);
      ui::DrawWhole(canvas, m_pImageLightning.get(), m_rc);
      break;
    case kCharged:
      ui::DrawWhole(canvas, m_pImageFull.get(), m_rc);
      ui::DrawWhole(canvas, m_pImageLightning.get(), m_rc);
      break;
    default:
      ui::DrawWhole(canvas, m_pImageEmpty.get(), m_rc);
      DrawBottomPart(canvas, m_pImageFull.get(), m_nLevel);
      break;
  }
}

void CBattery::ReleaseImages() {
  m_pImageFull.reset();
  m_pImageEmpty.reset();
  m_pImageCharging.reset();
  m_pImageLightning.reset();
}
