#include "app/AccessibleNames.h"

#include "base/Format.h"
#include "base/Language.h"
#include "ui/Battery.h"
#include "ui/DlgBase.h"
#include "ui/PollingRateButton.h"
#include "ui/PowerManageButton.h"
#include "ui/StaticImage.h"
#include "views/main/FixedArea.h"
#include "views/main/PageTabs.h"

namespace {

struct Range {
  uint32_t first;
  uint32_t last;
  int text;  // numbered from 1 when the text carries "%d"
};

// Ids of the page and the text that names each.
constexpr Range kNamed[] = {
    {3409, 3409, accname::kWired},           {3410, 3410, accname::kWireless},
    {3408, 3408, accname::kBluetooth},       {2013, 2021, accname::kButtonField},
    {3100, 3100, accname::kProfileSelector}, {3260, 3267, accname::kDpiLevelOn},
    {3270, 3277, accname::kDpiLevelColour},  {3280, 3287, accname::kDpiLevelBar},
    {3300, 3307, accname::kDpiLevelValue},   {3180, 3187, accname::kLightingColour},
    {3240, 3240, accname::kDirectionUp},     {3250, 3250, accname::kDirectionDown},
    {3120, 3120, accname::kLightingEffect},
};

constexpr uint32_t kHeadingFirst = FixedArea::kBatteryHeading;
constexpr uint32_t kHeadingLast = FixedArea::kPowerHeading;

}  // namespace

void NameMainPageControls(CDlgBase& window) {
  bool mouseNamed = false;
  for (int layer = 0; layer < CDlgBase::kLayers; ++layer) {
    for (const auto& control : window.Layer(layer)) {
      const uint32_t id = control->m_uID;
      for (const Range& range : kNamed) {
        if (id < range.first || id > range.last) continue;
        const int number = static_cast<int>(id - range.first) + 1;
        control->m_strAccName = range.first == range.last
                                    ? LangText(range.text)
                                    : base::Format(LangText(range.text), number);
      }
      if (page::LayerOf(id) != 0) control->m_enRole = platform::AccessibleRole::PageTab;
      if (id >= kHeadingFirst && id <= kHeadingLast) {
        control->m_enRole = platform::AccessibleRole::StaticText;
      }
      if (dynamic_cast<const CBattery*>(control.get())) {
        control->m_strAccName = LangText(accname::kBattery);
      } else if (dynamic_cast<const CPowerManageButton*>(control.get())) {
        control->m_strAccName = LangText(accname::kPowerSaving);
      } else if (dynamic_cast<const CPollingRateButton*>(control.get())) {
        control->m_strAccName = LangText(accname::kPollingRate);
      } else if (!mouseNamed && id == FixedArea::kMousePicture &&
                 dynamic_cast<const CStaticImage*>(control.get())) {
        // The first picture of the page is the mouse; the others are decoration.
        control->m_strAccName = LangText(accname::kMouse);
        mouseNamed = true;
      }
    }
  }
}
