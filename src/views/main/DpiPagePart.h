#pragma once
// Page 1 (tab 3001): the eight DPI levels. Per level n: enable box 3260 + n, colour button
// 3270 + n, slider 3280 + n (X index), level button 3290 + n (shows the X DPI, makes the level
// active) and value field 3300 + n (opens the value dialog). Every change marks the DPI group.

#include <array>
#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CCheckButton;
class CColorSelectButton;
class CDPIRadioButton;
class CDPIValueShowControl;
class CVerticalSliderControl;

class DpiPagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kDpiTab;
  static constexpr int kHeight = 158;
  static constexpr uint32_t kFirstCheck = 3260;
  static constexpr uint32_t kFirstColour = 3270;
  static constexpr uint32_t kFirstSlider = 3280;
  static constexpr uint32_t kFirstLevel = 3290;
  static constexpr uint32_t kFirstValue = 3300;
  static constexpr uint32_t kLastValue = 3307;

  DpiPagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
  bool OnDrag(platform::Point pt) override;
  void OnSensorTableChanged() override;

  int ActiveLevel() const { return m_nActiveLevel; }

 private:
  struct LevelControls {
    CDPIRadioButton* level = nullptr;
    CCheckButton* check = nullptr;
    CColorSelectButton* colour = nullptr;
    CVerticalSliderControl* slider = nullptr;
    CDPIValueShowControl* value = nullptr;
  };

  void ShowLevel(int n);
  void Changed();
  void OnCheck(int n);
  void OnLevel(int n);
  void OnSlider(int n, platform::LParam code, int value);
  void OnColour(int n);
  void OnValue(int n);

  std::array<LevelControls, 8> m_levels{};
  int m_nActiveLevel = 0;
};
