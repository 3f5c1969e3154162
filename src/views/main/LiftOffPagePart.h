#pragma once
// Page 5 (tab 3011): the lift-off distance, radios 3510 (low, 1) and 3511 (high, 2). The tab
// is enabled only for sensors whose DPI table carries the lift-off flag, and the page is not
// painted without it. A change marks the DPI group.

#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CRadioButton;
class CStaticText;

class LiftOffPagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kLiftOffTab;
  static constexpr int kHeight = 40;

  LiftOffPagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  int Layout(platform::Point origin) override;
  void DrawDecorations(platform::Canvas& canvas, const platform::Rect& update) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
  void OnSensorTableChanged() override;

 private:
  bool Offered() const;
  void FollowSensor();

  CRadioButton* m_low = nullptr;
  CRadioButton* m_high = nullptr;
  CStaticText* m_lowLabel = nullptr;
  CStaticText* m_highLabel = nullptr;
};
