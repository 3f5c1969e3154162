#include "ui/PollingRateButton.h"

#include <algorithm>

#include "base/Text.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"

namespace {
std::u16string Decimal(int value) {
  return base::FromUtf8(std::to_string(value));
}
}  // namespace

CPollingRateButton::CPollingRateButton(platform::WindowId hWnd, uint32_t uID,
                                       const platform::Rect& rc, int maxRate, int regionCount,
                                       const CDialRegions& regions)
    : CDialButton(hWnd, uID, rc, Decimal(maxRate) + u"Hz", std::clamp(regionCount, 0, kRateCount),
                  regions),
      m_nMaxRate(maxRate) {}

void CPollingRateButton::LoadDefaultImages() {
  const std::u16string folder = u"pollingRate\\" + Decimal(m_nMaxRate) + u"Hz";
  LoadImageFile(ui::SkinPath(folder + u".png"), m_pImageBase);
  for (auto& image : m_pImageRates) image.reset();
  for (int k = 0; k < RegionCount(); ++k) {
    LoadImageFile(ui::SkinPath(folder + u"_" + Decimal(kRates[k]) + u".png"),
                  m_pImageRates[static_cast<size_t>(k)]);
  }
}

void CPollingRateButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}

void CPollingRateButton::NotifyClicked(int, int) {
  // A click outside every region keeps the selection but is still reported.
  if (m_nHoverRegion < kRateCount && m_nHoverRegion < RegionCount()) {
    g_nPollingRateIndex = m_nHoverRegion;
  }
  SendToParent(m_uID, 0, Notify::kClicked);
}

void CPollingRateButton::Draw(platform::Canvas& canvas, const platform::Rect&) {
  ui::DrawWhole(canvas, m_pImageBase.get(), m_rc);
  const int selected = g_nPollingRateIndex;
  if (selected >= 0 && selected < static_cast<int>(m_pImageRates.size())) {
    ui::DrawWhole(canvas, m_pImageRates[static_cast<size_t>(selected)].get(), m_rc);
  }
}

void CPollingRateButton::ReleaseImages() {
  CDialButton::ReleaseImages();
  m_pImageBase.reset();
  for (auto& image : m_pImageRates) image.reset();
}
