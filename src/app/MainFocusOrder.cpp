// The main window's Tab order: the page is read zone by zone (the header bar, the button
// fields, the profiles, the status column, then the page column), each zone top to bottom.
// In the page column this puts each open page's controls right after its tab.

#include <algorithm>
#include <array>

#include "app/VantrelDlg.h"
#include "ui/KeyboardOperation.h"
#include "ui/SkinImage.h"
#include "views/main/PageLayout.h"

namespace {

platform::Rect ScaledZone(const platform::Rect& rc) {
  return {ui::Scaled(rc.left), ui::Scaled(rc.top), ui::Scaled(rc.right), ui::Scaled(rc.bottom)};
}

}  // namespace

std::vector<CControlBase*> CVantrelDlg::FocusOrder() const {
  static constexpr std::array kZones{page::kHeaderBar,  page::kButtonPanel,  page::kProfilePanel,
                                     page::kMouseStage, page::kStatusColumn, page::kPageColumn};
  std::array<std::vector<CControlBase*>, kZones.size() + 1> zones;
  for (CControlBase* control : CDlgBase::FocusOrder()) {
    const platform::Point centre{(control->m_rc.left + control->m_rc.right) / 2,
                                 (control->m_rc.top + control->m_rc.bottom) / 2};
    size_t zone = 0;
    while (zone < kZones.size() && !ScaledZone(kZones[zone]).Contains(centre)) ++zone;
    zones[zone].push_back(control);
  }
  // The header bar is one row of controls of different heights: left to right.
  std::stable_sort(zones[0].begin(), zones[0].end(),
                   [](const auto* a, const auto* b) { return a->m_rc.left < b->m_rc.left; });
  std::vector<CControlBase*> order(zones[0].begin(), zones[0].end());
  for (size_t zone = 1; zone < zones.size(); ++zone) {
    ui::SortInReadingOrder(zones[zone]);
    order.insert(order.end(), zones[zone].begin(), zones[zone].end());
  }
  return order;
}
