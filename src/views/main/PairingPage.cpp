#include "views/main/PairingPage.h"

#include <memory>

#include "base/Language.h"
#include "device/DeviceLink.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "views/ViewServices.h"
#include "views/device/DeviceTexts.h"
#include "views/device/ParingDlg.h"

namespace {
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 24;
constexpr int kMargin = 12;
}  // namespace

void PairingPage::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_services = &registry.Services();
  m_pButton = dialog.AddControl(
      kLayer, std::make_unique<CImageButton>(dialog.GetSafeHwnd(), kPairButton, platform::Rect{},
                                             LangText(device_text::kPairButton),
                                             ControlOptions{.visible = false}));
  m_pButton->SetImageNormal(ui::SkinPath(u"button4_nr.png"));
  m_pButton->SetImageHover(ui::SkinPath(u"button4_ov.png"));
  registry.RouteMessage(kPairButton, *this);
  registry.RouteMessage(kPairMessage, *this);
}

int PairingPage::Layout(platform::Point origin) {
  const int left = origin.x + ui::Scaled((265 - kButtonWidth) / 2);
  const int top = origin.y + ui::Scaled(kMargin);
  m_pButton->SetRect(left, top, left + ui::Scaled(kButtonWidth), top + ui::Scaled(kButtonHeight));
  return ui::Scaled(kButtonHeight + 2 * kMargin);
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
