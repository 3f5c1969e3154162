#include "views/companion/CompanionPart.h"

#include "base/Format.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "ui/ControlBase.h"
#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/companion/BatteryNoticeDlg.h"
#include "views/companion/CompanionTexts.h"
#include "views/device/OsdPresenter.h"

namespace {

constexpr uint32_t kTrayIconId = 128;
constexpr const char16_t* kTipTitle = u"Gaming Mouse";

platform::Programs* SystemPrograms() {
  return platform::Current().programs;
}

}  // namespace

CompanionPart::CompanionPart() = default;

CompanionPart::~CompanionPart() {
  if (m_watching && SystemPrograms()) SystemPrograms()->Watch(nullptr);
}

void CompanionPart::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_dialog = &dialog;
  m_services = &registry.Services();
  (void)registry.RouteTimer(kTimerForeground, *this);
  (void)registry.RouteTimer(kTimerSwitchWaiting, *this);
}

void CompanionPart::Refresh() {
  if (!m_services) return;
  m_rules.SetProfiles(
      GameProfileRules::ShownProfiles(m_services->Settings(), m_services->Profiles()));
  platform::Programs* programs = SystemPrograms();
  const platform::WindowId window = m_dialog->GetSafeHwnd();
  const bool watch = programs != nullptr && window != 0 && m_rules.Watching();
  if (watch && !m_watching) {
    m_watching = true;
    programs->Watch(this);
    // Systems that never report a change (Wine) are asked once a second.
    platform::Windows().SetTimer(window, kTimerForeground, kForegroundPollMs);
    LookAtForeground();
  } else if (!watch && m_watching) {
    // No profile names a program: no hook, no timer, no held process.
    m_watching = false;
    m_heldProcess = 0;
    programs->Watch(nullptr);
    platform::Windows().KillTimer(window, kTimerForeground);
    platform::Windows().KillTimer(window, kTimerSwitchWaiting);
  }
  UpdateTip();
}

platform::LResult CompanionPart::OnMessage(uint32_t, platform::WParam, platform::LParam) {
  return 0;
}

void CompanionPart::OnTimer(uintptr_t id) {
  if (id == kTimerForeground) {
    LookAtForeground();
  } else if (id == kTimerSwitchWaiting) {
    Carry(m_rules.Poll(CurrentSlot(), SwitchBlocked()), {});
  }
}

void CompanionPart::OnForegroundChanged() {
  if (m_watching) LookAtForeground();
}

void CompanionPart::OnHeldProcessExited() {
  m_heldProcess = 0;
  if (m_watching) Carry(m_rules.OnProgramExited(CurrentSlot(), SwitchBlocked()), {});
}

void CompanionPart::LookAtForeground() {
  platform::Programs* programs = SystemPrograms();
  if (!programs || !m_services) return;
  platform::ForegroundProgram front = programs->Foreground();
  // Our own windows count as no window in front: the progress window of a switch, or the
  // user looking at the game's profile, would otherwise take the profile away again.
  if (front.ours) front = {};
  Carry(m_rules.OnForeground(front.path, CurrentSlot(), SwitchBlocked()), front);
}

void CompanionPart::Carry(std::optional<int> slot, const platform::ForegroundProgram& front) {
  platform::Programs* programs = SystemPrograms();
  const platform::WindowId window = m_dialog->GetSafeHwnd();
  // The program that brought its profile in is held, so that its end is heard at once even
  // when no other window comes to the front.
  const std::optional<int> game = m_rules.GameSlot();
  if (game && front.processId != 0 && front.processId != m_heldProcess &&
      m_rules.MatchingSlot(front.path) == game) {
    m_heldProcess = programs->HoldProcess(front.processId) ? front.processId : 0;
  } else if (!game && m_heldProcess != 0) {
    m_heldProcess = 0;
    programs->ReleaseProcess();
  }
  if (slot) {
    // Exactly what a click on the profile's tab does: only what differs reaches the mouse.
    platform::Windows().SendMessage(window, kFirstSlotTab + static_cast<uint32_t>(*slot), 0,
                                    Notify::kClicked);
    (void)platform::Windows().PostMessage(window, OsdPresenter::kOsdMessage,
                                          OsdPresenter::kProfileShown, 0);
  }
  if (m_rules.SwitchWaiting()) {
    platform::Windows().SetTimer(window, kTimerSwitchWaiting, kSwitchWaitingMs);
  } else {
    platform::Windows().KillTimer(window, kTimerSwitchWaiting);
  }
}

bool CompanionPart::SwitchBlocked() const {
  // A modal dialog, a manager or the firmware window: a switch under them would change the
  // profile they work on.
  return CDlgBase::ModalCount() > 0;
}

int CompanionPart::CurrentSlot() const {
  return m_services->Settings().CurrentProfileIndex();
}

void CompanionPart::OnBatteryReport(int level, int chargeState) {
  m_batteryKnown = true;
  m_battery = level;
  m_charge = chargeState;
  if (const std::optional<int> due = m_alerts.OnReport(level, chargeState)) {
    m_noticeThreshold = *due;
    if (m_notice && m_notice->IsOpen()) {
      m_notice->Update(level, *due);
    } else {
      m_notice = std::make_unique<CBatteryNoticeDlg>(level, *due);
      if (!m_notice->Create()) m_notice.reset();
    }
  } else if (m_notice && m_notice->IsOpen()) {
    if (chargeState != 0) {
      m_notice->Close();
    } else if (level >= 0 && level <= 100) {
      m_notice->Update(level, m_noticeThreshold);
    }
  }
  UpdateTip();
}

CBatteryNoticeDlg* CompanionPart::Notice() const {
  return m_notice && m_notice->IsOpen() ? m_notice.get() : nullptr;
}

std::u16string CompanionPart::TipText() const {
  std::u16string tip = kTipTitle;
  if (m_services && !m_services->CurrentProfile().ProfileName().empty()) {
    tip += u'\n';
    tip += m_services->CurrentProfile().ProfileName();
  }
  if (m_batteryKnown && m_battery >= 0 && m_battery <= 100) {
    const int text = m_charge == 1   ? companion_text::kTipCharging
                     : m_charge == 2 ? companion_text::kTipCharged
                                     : companion_text::kTipBattery;
    tip += u'\n';
    tip += base::Format(LangText(text), m_battery);
  }
  return tip;
}

void CompanionPart::UpdateTip() {
  if (!m_dialog || m_dialog->GetSafeHwnd() == 0) return;
  const std::u16string tip = TipText();
  if (tip == m_tipShown) return;
  if (platform::TrayIcon().SetTip(m_dialog->GetSafeHwnd(), kTrayIconId, tip)) m_tipShown = tip;
}

std::vector<platform::TrayMenuItem> CompanionPart::TrayItems() const {
  std::vector<platform::TrayMenuItem> items;
  if (platform::AutoStart* autoStart = platform::Current().autoStart) {
    items.push_back({kCmdStartWithWindows, LangText(companion_text::kStartWithWindows),
                     autoStart->Entry().has_value()});
  }
  return items;
}

bool CompanionPart::OnTrayCommand(uint32_t command) {
  platform::AutoStart* autoStart = platform::Current().autoStart;
  if (command != kCmdStartWithWindows || !autoStart) return false;
  const bool done = autoStart->Entry() ? autoStart->Disable() : autoStart->Enable();
  if (!done && m_services) {
    (void)m_services->ShowMessage(companion_text::kAutoStartFailed, ViewServices::Box::Modal);
  }
  return true;
}

void CompanionPart::Stop() {
  if (m_watching) {
    m_watching = false;
    m_heldProcess = 0;
    if (SystemPrograms()) SystemPrograms()->Watch(nullptr);
    platform::Windows().KillTimer(m_dialog->GetSafeHwnd(), kTimerForeground);
    platform::Windows().KillTimer(m_dialog->GetSafeHwnd(), kTimerSwitchWaiting);
  }
  if (m_notice) m_notice->Close();
  m_notice.reset();
}
