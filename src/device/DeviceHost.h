#pragma once
// What the device link needs from the window side. The main window implements it; tests use
// a recording fake. Every call comes on the user-interface thread.

#include <cstdint>
#include <optional>
#include <string_view>

#include "device/ConnectionMode.h"

class DeviceHost {
 public:
  // Timers of the main window the device link starts and handles itself.
  static constexpr uintptr_t kTimerLinkState = 80;  // one shot
  static constexpr uintptr_t kTimerBattery = 110;   // every 1000 ms
  static constexpr uintptr_t kTimerRescan = 120;    // one shot, 300 ms
  static constexpr uintptr_t kTimerLeave = 130;     // one shot, 100 ms
  // Started by a write; its expiry (the main window's) saves config.ini and the profiles.
  static constexpr uintptr_t kTimerSave = 70;
  static constexpr uint32_t kSaveDelayMs = 10000;
  static constexpr uint32_t kOsdMessage = 1067;  // WM_USER + 43, wParam 1

  enum class ProgramEnd {
    LeaveRequest,   // the mouse asked: end the modal loop as with OK
    DeviceRemoved,  // the last interface went away: hide, close every dialog, post WM_QUIT
  };
  enum class WindowShow { Normal, Minimize };

  virtual ~DeviceHost() = default;

  virtual void SetTimer(uintptr_t id, uint32_t ms) = 0;
  virtual void KillTimer(uintptr_t id) = 0;
  virtual void RefreshPage() = 0;
  // A modeless, top-most attention box with caption text 150 and message text `textNumber`.
  virtual void ShowAttention(int textNumber) = 0;
  // The progress window, modal, with message text `textNumber` (about half a second).
  virtual void ShowProgress(int textNumber) = 0;
  // Posts kOsdMessage (wParam 1, lParam 0) to the main window.
  virtual void PostOsdMessage() = 0;
  // ShellExecuteW "open", no window, SW_SHOWNORMAL; failures are ignored.
  virtual void ShellOpen(std::u16string_view target) = 0;
  virtual void EndProgram(ProgramEnd how) = 0;

  // m_bShowWindow and m_bShownByDevice of the main window.
  virtual bool ShowWindowFlag() const = 0;
  virtual void SetShowWindowFlag(bool show) = 0;
  virtual bool ShownByDevice() const = 0;
  virtual void SetShownByDevice(bool shown) = 0;
  // Brings the main window to the foreground and shows it normally, or minimises it.
  virtual void ShowMainWindow(WindowShow how) = 0;

  // Shows the status image of `mode` (3409 Wired, 3410 Wireless, 3408 BLE) and hides the
  // other two; nothing hides all three. Either way the Wired image's rectangle is invalidated.
  virtual void ShowStatusImage(std::optional<ConnectionMode::Kind> mode) = 0;
  // The polling controls after a scan: in Wireless mode the choices the class allows; in
  // Wired and Wireless mode the further control tied to the class.
  virtual void UpdatePollingChoices(ConnectionMode::Kind mode, int maxPollingClass) = 0;
  // The mouse-not-linked label 3024.
  virtual void ShowNotLinkedLabel(bool show) = 0;
  // Battery indicator 3406 (level, charge state 0/1/2, animation level) and text 3405.
  virtual void ShowBattery(int level, int chargeState, int animation) = 0;
  // Each battery report as it is applied (charge state 0/1/2), for notices and the tray.
  virtual void OnBatteryReport(int level, int chargeState) {
    (void)level;
    (void)chargeState;
  }
  // The settings are waiting to be saved (saved when timer 70 fires or at exit).
  virtual void MarkSavePending() = 0;
  // After a sensor reload: the sensor-dependent DPI control and the eight slider ranges.
  virtual void OnSensorTableChanged() = 0;
  // The factory-reset confirmation (text 140, confirm text 4, cancel text 5), modal; true
  // only when confirmed.
  virtual bool ConfirmFactoryReset() = 0;
};
