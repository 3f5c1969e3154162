#pragma once
// Page 4 (tab 3004): the polling rate. Five dials 3045..3041 of which the mouse's polling
// class enables one (only that one is shown); drop-down 3110 (1134 open, 1135 result, 1136
// closed), created disabled, showing the profile's rate name; the receiver's alternative
// radio buttons 3030..3033 and 3034..3040, which the page keeps disabled and out of sight.
// A rate change marks the DPI group.

#include <array>
#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CComboButton;
class CPollingRateButton;
class CRadioButton;

class PollingPagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kPollingTab;
  static constexpr int kHeight = 128;
  static constexpr uint32_t kFirstRadio = 3030;   // 3030..3033: 125..1000 Hz
  static constexpr uint32_t kFirstRadio2 = 3034;  // 3034..3040: 125..8000 Hz
  static constexpr uint32_t kFirstDial = 3041;
  static constexpr uint32_t kLastDial = 3045;
  static constexpr uint32_t kRateBox = 3110;
  static constexpr uint32_t kRateBoxMessage = 1134;
  static constexpr uint32_t kRateChosen = 1135;
  static constexpr uint32_t kRateMenuClosed = 1136;
  static constexpr int kRateMenuKind = 8;
  static constexpr int kRateMenuSlot = 8;

  PollingPagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
  void OnPollingChoices(int connectionKind, int maxPollingClass) override;

 private:
  CPollingRateButton* Dial(uint32_t id) const;
  int PollingClass() const;
  void ShowDials(int pollingClass);
  void StoreRate(int index);
  void OpenRateMenu();

  std::array<CPollingRateButton*, 5> m_dials{};  // by id - 3041
  CComboButton* m_rateBox = nullptr;
  std::array<CRadioButton*, 11> m_radios{};  // 3030..3040
};
