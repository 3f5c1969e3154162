#include "views/device/OsdPresenter.h"

#include "platform/Platform.h"
#include "views/device/OSDDialog.h"

OsdPresenter::OsdPresenter(platform::WindowId owner) : m_owner(owner) {}

OsdPresenter::~OsdPresenter() {
  if (m_pOSD && m_owner) platform::Windows().KillTimer(m_owner, kTimerOsd);
}

void OsdPresenter::ShowOSD(const OsdTexts& texts) {
  if (m_pOSD) {
    // The timer keeps its phase; only the count starts again.
    m_nOSDTicks = OsdRules::kTicks;
    m_pOSD->SetTexts(texts);
    return;
  }
  auto display = std::make_unique<COSDDialog>();
  if (!display->Create()) return;
  m_pOSD = std::move(display);
  m_pOSD->SetTexts(texts);
  platform::Windows().SetTimer(m_owner, kTimerOsd, OsdRules::kTickMs);
  m_nOSDTicks = OsdRules::kTicks;
}

void OsdPresenter::OnTimer() {
  if (m_nOSDTicks > 0) {
    --m_nOSDTicks;
    return;
  }
  platform::Windows().KillTimer(m_owner, kTimerOsd);
  m_pOSD.reset();
}
