#pragma once
// Page 7 (tab 3013): the pairing button (2054) opens the pairing window; the window's
// message 1174 sends the pairing report to the receiver.

#include "views/main/PagePart.h"
#include "views/main/PageTabs.h"

class CImageButton;

class PairingPage : public PagePart {
 public:
  static constexpr uint32_t kTab = page::kPairingTab;
  static constexpr int kLayer = page::LayerOf(kTab);
  static constexpr uint32_t kPairButton = 2054;
  static constexpr uint32_t kPairMessage = 1174;

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  uint32_t Tab() const override { return kTab; }
  int Layout(platform::Point origin) override;
  void Refresh() override {}
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;

 private:
  ViewServices* m_services = nullptr;
  CImageButton* m_pButton = nullptr;
};
