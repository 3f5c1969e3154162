#pragma once
// The companion in the tray: profiles that follow the game in front, battery notices, the
// tray icon's tip and its start-with-Windows entry. A part of the main window without
// controls of its own; the main window hands it battery reports and tray commands.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Programs.h"
#include "platform/Tray.h"
#include "profiles/GameProfileRules.h"
#include "views/companion/BatteryAlerts.h"
#include "views/main/PagePart.h"

class CBatteryNoticeDlg;

class CompanionPart : public PagePart, private platform::ProgramObserver {
 public:
  static constexpr uintptr_t kTimerForeground = 150;  // every 1000 ms while watching
  static constexpr uint32_t kForegroundPollMs = 1000;
  static constexpr uintptr_t kTimerSwitchWaiting = 151;  // every 250 ms while a switch waits
  static constexpr uint32_t kSwitchWaitingMs = 250;
  static constexpr uint32_t kCmdStartWithWindows = 2077;
  static constexpr uint32_t kFirstSlotTab = 2049;  // a click on it switches the profile

  CompanionPart();
  ~CompanionPart() override;

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  // The profiles or their programs may have changed: watch the foreground exactly while a
  // shown profile names a program; the tip follows the active profile.
  void Refresh() override;
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;
  void OnTimer(uintptr_t id) override;

  // A battery report from the mouse (charge state 0 discharging, 1 charging, 2 full).
  void OnBatteryReport(int level, int chargeState);
  // The entries the tray menu shows after "show"; the command of one was chosen.
  std::vector<platform::TrayMenuItem> TrayItems() const;
  bool OnTrayCommand(uint32_t command);
  // Before the main window goes: stops watching and closes the notice.
  void Stop();

  // The tip for the active profile and the last battery report.
  std::u16string TipText() const;
  const GameProfileRules& Rules() const { return m_rules; }
  bool WatchingForeground() const { return m_watching; }
  CBatteryNoticeDlg* Notice() const;

 private:
  void OnForegroundChanged() override;
  void OnHeldProcessExited() override;
  // Asks which program is in front and applies the rules.
  void LookAtForeground();
  void Carry(std::optional<int> slot, const platform::ForegroundProgram& front);
  bool SwitchBlocked() const;
  int CurrentSlot() const;
  void UpdateTip();

  CDlgBase* m_dialog = nullptr;
  ViewServices* m_services = nullptr;
  GameProfileRules m_rules;
  bool m_watching = false;
  uint32_t m_heldProcess = 0;
  BatteryAlerts m_alerts;
  bool m_batteryKnown = false;
  int m_battery = 0;
  int m_charge = 0;
  int m_noticeThreshold = 0;
  std::unique_ptr<CBatteryNoticeDlg> m_notice;
  std::u16string m_tipShown;
};
