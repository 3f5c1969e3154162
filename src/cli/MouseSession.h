#pragma once
// The mouse as one vantrelctl command talks to it: the program's own device stack (link,
// status events, settings payloads) and macro download, bound to the data folder's active profile,
// behind a message-only window of the platform (its timers and device-change notices). It is
// the device host too: nothing is shown, the end requests are kept for the command to read.
//
// Everything runs on the loop's thread; reports reach the link while the command waits in
// Pump, never in the middle of a write.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "cli/ReportTap.h"
#include "device/DeviceStack.h"
#include "device/MacroDownload.h"
#include "device/ProfileDeviceModel.h"
#include "device/QuietDeviceHost.h"
#include "platform/WindowSystem.h"

class CtlEnvironment;
struct DataFolder;

class MouseSession : public QuietDeviceHost, public platform::WindowHandler {
 public:
  MouseSession(DataFolder& data, CtlEnvironment& environment);
  ~MouseSession() override;
  MouseSession(const MouseSession&) = delete;
  MouseSession& operator=(const MouseSession&) = delete;

  // As the program starts its device side: notices, the sent-state snapshot, the scan.
  void Connect();

  bool AnyPresent() const;
  // A command interface is open.
  bool CanSend() const { return m_stack.link.HasAnyCommandHandle(); }
  // The mouse takes commands: by cable or Bluetooth, or linked to its receiver.
  bool Answers() const;
  // The bus still lists a command interface of the mouse: after a failed write, whether it
  // went away or did not answer.
  bool StillConnected() const;

  // Runs the loop for up to `ms`, stopping early when `done` says so or the user interrupts;
  // true when `done` said so.
  bool PumpUntil(uint32_t ms, const std::function<bool()>& done);
  // Status reports applied since Connect.
  int StatusReports() const { return m_statusReports; }
  // Why the program would end now: the mouse asked, or its last interface went away.
  std::optional<ProgramEnd> EndRequest() const { return m_end; }
  void ClearEndRequest() { m_end.reset(); }

  // Packets sent with every try and never acknowledged, since Connect.
  uint32_t Dropped() const { return m_stack.link.DroppedPackets(); }

  // Called after each input report was applied, and after each device change was handled.
  std::function<void(ConnectionMode::Kind, const std::vector<uint8_t>&)> onReport;
  std::function<void(uint32_t eventCode)> onDeviceChange;

  DeviceLink& Link() { return m_stack.link; }
  StatusEvents& Events() { return m_stack.events; }
  ProfileDeviceModel& Model() { return m_model; }
  MacroDownload& Macros() { return m_macros; }
  SettingsWriter& Writer() { return m_stack.writer; }

  // --- DeviceHost ---
  void SetTimer(uintptr_t id, uint32_t ms) override;
  void KillTimer(uintptr_t id) override;
  void EndProgram(ProgramEnd how) override { m_end = how; }

  // --- WindowHandler ---
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 private:
  void OnTappedReport(uint16_t productId, const std::vector<uint8_t>& report);

  CtlEnvironment& m_environment;
  // The tap must outlive every device the link opens through it.
  platform::HidBus* m_bus = nullptr;
  std::unique_ptr<ReportTap> m_tap;
  platform::WindowId m_window = 0;
  ProfileDeviceModel m_model;
  DeviceStack m_stack;
  MacroDownload m_macros;
  int m_statusReports = 0;
  std::optional<ProgramEnd> m_end;
};
