#include "views/macros/ManagerButtonsPart.h"

#include "base/Language.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "views/macros/MacroWindows.h"
#include "views/main/PageLayout.h"

namespace {

platform::Rect Scaled(const platform::Rect& rc) {
  return {ui::Scaled(rc.left), ui::Scaled(rc.top), ui::Scaled(rc.right), ui::Scaled(rc.bottom)};
}

}  // namespace

void ManagerButtonsPart::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_services = &registry.Services();
  const platform::WindowId w = dialog.GetSafeHwnd();
  for (auto [id, rc, text] : {std::tuple{kMacroButton, page::kMacroButton, kMacroText},
                              std::tuple{kShootingButton, page::kShootingButton, kShootingText}}) {
    auto* button =
        dialog.AddControl(0, std::make_unique<CImageButton>(w, id, Scaled(rc), LangText(text)));
    button->SetImageNormal(ui::SkinPath(u"button1_nr.png"));
    button->SetImageHover(ui::SkinPath(u"button1_ov.png"));
  }
  registry.RouteMessages(kMacroButton, kShootingButton, *this);
}

platform::LResult ManagerButtonsPart::OnMessage(uint32_t message, platform::WParam,
                                                platform::LParam lParam) {
  if (lParam != Notify::kClicked || !m_services) return 0;
  if (message == kMacroButton) {
    RunMacroManager(*m_services);
  } else if (message == kShootingButton && m_openShooting) {
    m_openShooting(*m_services);
  }
  return 0;
}
