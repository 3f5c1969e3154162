#pragma once
// Page 7 (tab 3013): the pairing button (2054) opens the pairing window; the window's
// message 1174 sends the pairing report to the receiver.

#include "views/main/ButtonPage.h"

class PairingPage : public ButtonPage {
 public:
  static constexpr uint32_t kTab = page::kPairingTab;
  static constexpr int kLayer = page::LayerOf(kTab);
  static constexpr uint32_t kPairButton = 2054;
  static constexpr uint32_t kPairMessage = 1174;

  PairingPage() : ButtonPage(kTab) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;
};
