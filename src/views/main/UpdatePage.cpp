#include "views/main/UpdatePage.h"

#include <memory>

#include "base/Language.h"
#include "device/DeviceLink.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "views/ViewServices.h"
#include "views/device/CheckFWDlg.h"
#include "views/device/DeviceTexts.h"
#include "views/device/SoftwareUpdate.h"

namespace {
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 24;
constexpr int kMargin = 12;
constexpr int kGap = 12;

CImageButton* AddPageButton(CDlgBase& dialog, uint32_t id, int text) {
  auto* button = dialog.AddControl(
      UpdatePage::kLayer,
      std::make_unique<CImageButton>(dialog.GetSafeHwnd(), id, platform::Rect{}, LangText(text),
                                     ControlOptions{.visible = false}));
  button->SetImageNormal(ui::SkinPath(u"button4_nr.png"));
  button->SetImageHover(ui::SkinPath(u"button4_ov.png"));
  return button;
}
}  // namespace

void UpdatePage::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_services = &registry.Services();
  m_pSoftware = AddPageButton(dialog, kSoftwareButton, device_text::kSoftwareButton);
  m_pFirmware = AddPageButton(dialog, kFirmwareButton, device_text::kFirmwareButton);
  registry.RouteMessage(kFirmwareButton, *this);
  registry.RouteMessage(kSoftwareButton, *this);
}

int UpdatePage::Layout(platform::Point origin) {
  const int left = origin.x + ui::Scaled((265 - kButtonWidth) / 2);
  int top = origin.y + ui::Scaled(kMargin);
  for (CImageButton* button : {m_pSoftware, m_pFirmware}) {
    button->SetRect(left, top, left + ui::Scaled(kButtonWidth), top + ui::Scaled(kButtonHeight));
    top += ui::Scaled(kButtonHeight + kGap);
  }
  return ui::Scaled(2 * kButtonHeight + kGap + 2 * kMargin);
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
