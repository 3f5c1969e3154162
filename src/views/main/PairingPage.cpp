#include "views/main/PairingPage.h"

#include "device/DeviceLink.h"
#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/device/DeviceTexts.h"
#include "views/device/ParingDlg.h"

void PairingPage::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_services = &registry.Services();
  AddButton(dialog, kPairButton, device_text::kPairButton);
  registry.RouteMessage(kPairButton, *this);
  registry.RouteMessage(kPairMessage, *this);
}

platform::LResult PairingPage::OnMessage(uint32_t message, platform::WParam,
                                         platform::LParam lParam) {
  if (!m_services) return 0;
  if (message == kPairMessage) {
    // Only the receiver takes it; without one nothing is sent.
    (void)m_services->Link().SendPairingReport();
  } else if (message == kPairButton && lParam == Notify::kClicked) {
    CParingDlg pairing(m_services->MainDialog().GetSafeHwnd());
    (void)pairing.DoModal();
  }
  return 0;
}
