#include "views/main/SystemPart.h"

#include "base/Language.h"
#include "profiles/ProfileSettings.h"
#include "ui/ControlBase.h"
#include "ui/DialogParts.h"
#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/device/DeviceTexts.h"
#include "views/device/OsdRules.h"
#include "views/main/PageLayout.h"

void SystemPart::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_services = &registry.Services();
  const platform::Rect& rc = page::kResetButton;
  ui::AddPushButton(dialog, kResetButton, ui::ScaledRect(rc.left, rc.top, rc.right, rc.bottom),
                    LangText(device_text::kFactoryResetButton));
  registry.RouteMessage(kResetButton, *this);
  registry.RouteMessage(OsdPresenter::kOsdMessage, *this);
  registry.RouteTimer(OsdPresenter::kTimerOsd, *this);
  m_osd.SetOwner(dialog.GetSafeHwnd());
  m_windows = std::make_unique<SkinnedDeviceWindows>(*m_services);
  registry.ProvideDeviceWindows(*m_windows);
}

platform::LResult SystemPart::OnMessage(uint32_t message, platform::WParam wParam,
                                        platform::LParam lParam) {
  if (!m_services) return 0;
  if (message == kResetButton && lParam == Notify::kClicked) {
    (void)m_services->RunFactoryReset();
  } else if (message == OsdPresenter::kOsdMessage && wParam == 1) {
    m_osd.ShowOSD(OsdRules::Texts(m_services->CurrentProfile(), m_services->SensorTable()));
  } else if (message == OsdPresenter::kOsdMessage && wParam == OsdPresenter::kProfileShown) {
    m_osd.ShowOSD(OsdRules::ProfileTexts(m_services->CurrentProfile().ProfileName(),
                                         OsdPresenter::kProfileCaption));
  }
  return 0;
}

void SystemPart::OnTimer(uintptr_t id) {
  if (id == OsdPresenter::kTimerOsd) m_osd.OnTimer();
}
