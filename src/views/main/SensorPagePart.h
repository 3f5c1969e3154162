#pragma once
// Page 8 (tab 3014): the sensor switches angle snapping 3540, motion sync 3541 and ripple
// control 3542 with their labels 3543..3545. A change marks the sensor group.

#include <array>
#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CCheckButton;

class SensorPagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kSensorTab;
  static constexpr int kHeight = 84;

  SensorPagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

 private:
  std::array<CCheckButton*, 3> m_checks{};
};
