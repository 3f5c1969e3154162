#include "ui/PowerManageButton.h"

#include <algorithm>

#include "base/Text.h"
#include "ui/SkinImage.h"

std::u16string CPowerManageButton::ImageName(int region) {
  return u"power_manage_" + base::FromUtf8(std::to_string(region + 3)) + u"min";
}

CPowerManageButton::CPowerManageButton(platform::WindowId hWnd, const platform::Rect& rc,
                                       const CDialRegions& regions)
    : CDialButton(hWnd, kId, rc, u"power", kRegions, regions) {}

void CPowerManageButton::LoadDefaultImages() {
  for (int k = 0; k < kRegions; ++k) {
    LoadImageFile(ui::SkinPath(ImageName(k) + u".png"), m_pImages[static_cast<size_t>(k)]);
  }
}

void CPowerManageButton::SetSelection(int region) {
  m_nSelection = std::clamp(region, 0, kRegions - 1);
}

void CPowerManageButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}

void CPowerManageButton::NotifyClicked(int, int) {
  if (m_nHoverRegion >= 0 && m_nHoverRegion < kRegions) {
    m_nSelection = m_nHoverRegion;
    SendToParent(m_uID, 0, Notify::kClicked);
  }
}

void CPowerManageButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  ui::DrawWhole(canvas, m_pImages[static_cast<size_t>(m_nSelection)].get(), m_rc);
}

void CPowerManageButton::ReleaseImages() {
  CDialButton::ReleaseImages();
  for (auto& image : m_pImages) image.reset();
}
