#pragma once
// The fixed area's power controls: the power-saving dial 3500 (PowerDownTime 1..8) with its
// caption 3407, and the option boxes 3501 (lights off while moving) and 3504 (wake on motion)
// with their labels. A change marks the power group.

#include <cstdint>

#include "views/main/SettingsPagePart.h"

class CCheckButton;
class CPowerManageButton;
class CStaticText;

class PowerOptionsPart : public SettingsPagePart {
 public:
  static constexpr uint32_t kCaption = 3407;
  static constexpr uint32_t kOptionLabel = 3402;

  PowerOptionsPart() : SettingsPagePart(0, 0) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

 private:
  void ShowCaption();

  CPowerManageButton* m_dial = nullptr;
  CStaticText* m_caption = nullptr;
  CCheckButton* m_lightsOff = nullptr;
  CCheckButton* m_wake = nullptr;
};
