#pragma once
// Page 9 (tab 3015): the software-update button (2056) runs the update check; the firmware
// button (2055) opens the firmware window when the mouse is on the cable (text 291 else).

#include "views/main/ButtonPage.h"

class UpdatePage : public ButtonPage {
 public:
  static constexpr uint32_t kTab = page::kUpdateTab;
  static constexpr int kLayer = page::LayerOf(kTab);
  static constexpr uint32_t kSoftwareButton = 2056;
  static constexpr uint32_t kFirmwareButton = 2055;

  UpdatePage() : ButtonPage(kTab) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;

 private:
  void OpenFirmwareWindow();
};
