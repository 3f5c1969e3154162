#include "views/main/UpdatePage.h"

#include "device/DeviceLink.h"
#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/device/CheckFWDlg.h"
#include "views/device/DeviceTexts.h"
#include "views/device/SoftwareUpdate.h"

void UpdatePage::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_services = &registry.Services();
  AddButton(dialog, kSoftwareButton, device_text::kSoftwareButton);
  AddButton(dialog, kFirmwareButton, device_text::kFirmwareButton);
  registry.RouteMessage(kFirmwareButton, *this);
  registry.RouteMessage(kSoftwareButton, *this);
}

void UpdatePage::OpenFirmwareWindow() {
  if (!m_services->Link().IsPresent(ConnectionMode::Wired)) {
    (void)m_services->ShowMessage(device_text::kNoCable, ViewServices::Box::Modal);
    return;
  }
  CCheckFWDlg firmware(*m_services);
  (void)firmware.DoModal();
}

platform::LResult UpdatePage::OnMessage(uint32_t message, platform::WParam,
                                        platform::LParam lParam) {
  if (!m_services || lParam != Notify::kClicked) return 0;
  if (message == kFirmwareButton) {
    OpenFirmwareWindow();
  } else if (message == kSoftwareButton) {
    (void)SoftwareUpdate(*m_services).Run();
  }
  return 0;
}
