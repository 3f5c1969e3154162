#pragma once
// Page 6 (tab 3012): the button debounce time, slider 3530 with 31 stops (0..30 ms) on its bar
// 3531 and value 3532 ("%dms"). A change marks the DPI group; the write waits for the release.

#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CSliderControl;
class CStaticText;

class DebouncePagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kDebounceTab;
  static constexpr int kHeight = 40;
  static constexpr uint32_t kBar = 3531;
  static constexpr uint32_t kValue = 3532;

  DebouncePagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

 private:
  CSliderControl* m_slider = nullptr;
  CStaticText* m_value = nullptr;
};
