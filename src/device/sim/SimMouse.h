#pragma once
// The simulated mouse: the firmware side of the protocol behind a HID bus. Three connection
// modes, each a command interface and an event interface at enumeration indexes the test
// chooses, plugged and unplugged at will with device-change notices to the registered window;
// report 6 commands acknowledged only with a correct checksum; report 5 device info; input
// report 4 status reports; fault injection; a traffic log of every report with its virtual
// time.
//
// Needs an installed platform (clock and windows). Must outlive every device it opened.

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/ConnectionMode.h"
#include "device/sim/SimFlash.h"
#include "device/sim/SimTraffic.h"
#include "platform/HidBus.h"
#include "platform/WindowSystem.h"

class SimHidDevice;

class SimMouse : public platform::HidBus {
 public:
  // What the mouse puts in its next status report.
  struct Status {
    uint8_t link = 1;
    uint8_t dpiLevel = 1;
    uint8_t pollingCode = 0x01;
    uint8_t battery = 80;
    uint8_t chargeState = 0;
    uint8_t lightingMode = 0;
    uint8_t launch = 0;
    uint8_t pollingClass = 8;
    uint8_t sensorCode = 0x50;
    uint8_t status = 1;
  };

  SimMouse();
  ~SimMouse() override;
  SimMouse(const SimMouse&) = delete;
  SimMouse& operator=(const SimMouse&) = delete;

  // --- the bus ---
  // Defaults: Wired 2/3, Wireless 5/6, BLE 8/9 (command/event). Takes effect at the next
  // enumeration; change them while the mode is unplugged.
  void SetIndexes(ConnectionMode::Kind mode, int commandIndex, int eventIndex);
  // Any other interface at `index` (another vendor's device, a look-alike); it cannot be
  // talked to.
  void AddInterface(int index, const platform::HidInterfaceInfo& info);
  // The next Open of `index` gets this other device: it took the index after the last
  // enumeration.
  void ReplaceAtNextOpen(int index, const platform::HidInterfaceInfo& info) {
    m_replaceAtOpen = {index, info};
  }
  void SetVersionNumber(ConnectionMode::Kind mode, uint16_t version);
  void Plug(ConnectionMode::Kind mode);
  void Unplug(ConnectionMode::Kind mode);
  // Every open handle of the mode goes dead, with no device notice (its driver restarted):
  // transfers on them fail and their readers end; the interfaces stay.
  void DropHandles(ConnectionMode::Kind mode);
  bool IsPlugged(ConnectionMode::Kind mode) const { return m_modes[mode].plugged; }

  // --- the mouse ---
  // A switched-off mouse leaves only its receiver: no acknowledgements, link byte 0.
  void SetMouseOn(bool on) { m_mouseOn = on; }
  bool MouseOn() const { return m_mouseOn; }
  void SetFirmwareBytes(uint8_t byte8, uint8_t byte9) { m_firmware = {byte8, byte9}; }
  // The carried base region and an application older than the carried one, application mode
  // on the cable and updates allowed: a mouse that a firmware update brings up to date. False
  // when the program's firmware resources cannot be read.
  bool InstallOlderFirmware();
  Status& State() { return m_status; }
  // The flash behind report 0xBF (cable only). A restart (operation 2) unplugs the cable
  // interface at once and plugs it again after RestartMs.
  SimFlash& Flash() { return m_flash; }
  const SimFlash& Flash() const { return m_flash; }
  void SetRestartMs(uint32_t ms) { m_restartMs = ms; }
  uint32_t RestartMs() const { return m_restartMs; }
  int Restarts() const { return m_restarts; }

  // Status reports on the event interface of `mode`, each from the current state with one
  // field changed.
  void SendStatus(ConnectionMode::Kind mode);
  void PressDpiButton(ConnectionMode::Kind mode, uint8_t level);
  void ChangePolling(ConnectionMode::Kind mode, uint8_t code, uint8_t pollingClass);
  void ReportBattery(ConnectionMode::Kind mode, uint8_t level, uint8_t chargeState);
  void ChangeLighting(ConnectionMode::Kind mode, uint8_t lightingMode);
  // Launch byte for one report; the following reports carry 0 again unless set.
  void RequestLaunch(ConnectionMode::Kind mode, uint8_t button);
  void ReportSensor(ConnectionMode::Kind mode, uint8_t code);
  void RequestLeave(ConnectionMode::Kind mode);
  // The receiver loses and finds the mouse (switch off / on).
  void LoseLink();
  void FindLink();
  // Any bytes as an input report.
  void SendInput(ConnectionMode::Kind mode, std::vector<uint8_t> report);
  // Input reports wait in the user-interface thread's message queue until it dispatches
  // them, as the Windows adapter's reader threads hand them over, instead of arriving at
  // once; each keeps the time it was sent. Off by default.
  void SetQueuedInput(bool queued) { m_queuedInput = queued; }

  // --- fault injection ---
  void RefuseAcks(int packets) { m_refuseAcks = packets; }
  // The next restart request restarts the mouse but reports a failed transfer, as a mouse
  // that resets before it answers does.
  void FailRestartAnswer() { m_failRestartAnswer = true; }
  void FailSetFeature(int calls) { m_failSet = calls; }
  void FailGetFeature(int calls) { m_failGet = calls; }
  // The mode that receives the k-th report sent from now on is unplugged as it arrives.
  void UnplugAtReport(int k) { m_unplugAt = m_reportsSeen + k; }
  // The k-th report sent from now on and the `count - 1` after it fail (the mouse stays).
  void FailReports(int k, int count) {
    m_failFrom = m_reportsSeen + k;
    m_failTo = m_failFrom + count;
  }
  // When the next command with this code arrives, the mouse first sends a status report of
  // its state: a report that was on its way before the command was taken.
  void ReportBeforeCommand(uint8_t command) { m_reportBefore = command; }
  // Every pending fault is dropped.
  void ClearFaults() {
    m_reportBefore.reset();
    m_refuseAcks = m_failSet = m_failGet = 0;
    m_unplugAt = m_failFrom = m_failTo = -1;
  }
  // Reports (of any id) handed to SetFeature so far, failed ones included.
  int ReportsSeen() const { return m_reportsSeen; }

  // --- what happened ---
  const std::vector<SimTraffic>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }
  // Report-6 frames the host sent, in order.
  std::vector<SimTraffic> CommandsSent() const;
  // The payload of the last accepted (acknowledged) command with that code and packet field.
  std::optional<std::array<uint8_t, 27>> Applied(uint8_t command, uint8_t packetField) const;
  int AcceptedCount() const { return m_accepted; }
  // The log as text for `--sim-log`, one report a line:
  // "<ms> <set|get|input> <wired|wireless|ble> <ok|fail> <bytes in hex>".
  std::string FormatLog() const;

  // --- HidBus ---
  std::optional<platform::HidInterfaceInfo> At(int index) override;
  std::vector<std::optional<platform::HidInterfaceInfo>> Enumerate(int limit) override;
  std::unique_ptr<platform::HidDevice> Open(int index) override;
  // Enumerations of the class so far (Enumerate and At each count one).
  int Enumerations() const { return m_enumerations; }
  bool RegisterForNotifications(platform::WindowId window) override;

 private:
  // Every handle of the mode goes stale and its readers see their read fail.
  void EndHandles(ConnectionMode::Kind mode);
  friend class SimHidDevice;
  struct ModeState {
    bool plugged = false;
    int commandIndex = 0;
    int eventIndex = 0;
    uint16_t version = 0x0100;
    uint32_t generation = 0;
    std::optional<std::array<uint8_t, 32>> ack;  // answer to the next report-6 read
  };
  struct Found {
    ConnectionMode::Kind mode;
    bool event;
  };

  std::optional<Found> FindInterface(int index) const;
  std::optional<platform::HidInterfaceInfo> Query(int index) const;
  platform::HidInterfaceInfo InfoOf(ConnectionMode::Kind mode, bool event) const;
  bool IsLive(const SimHidDevice& device) const;
  bool OnSetFeature(SimHidDevice& device, std::span<const uint8_t> report);
  bool OnGetFeature(SimHidDevice& device, std::span<uint8_t> report);
  void OnStartReading(SimHidDevice& device);
  void Detach(SimHidDevice* device);
  void Notify(uint32_t eventCode);
  void Record(SimTraffic::Transfer transfer, ConnectionMode::Kind mode, bool ok,
              std::span<const uint8_t> bytes);
  void Restart();
  void OnRestartTimer();
  platform::WindowId OwnWindow();
  void Deliver(ConnectionMode::Kind mode, const std::vector<uint8_t>& report, uint64_t arrivedMs);
  void DeliverQueuedInput();
  class RestartTimer;
  struct QueuedInput {
    ConnectionMode::Kind mode;
    std::vector<uint8_t> report;
    uint64_t arrivedMs;
  };

  std::array<ModeState, ConnectionMode::kCount> m_modes;
  std::map<int, platform::HidInterfaceInfo> m_others;
  std::vector<SimHidDevice*> m_devices;
  platform::WindowId m_window = 0;
  bool m_mouseOn = true;
  std::array<uint8_t, 2> m_firmware{0x01, 0x02};
  Status m_status;
  int m_refuseAcks = 0;
  bool m_failRestartAnswer = false;
  int m_failSet = 0;
  int m_failGet = 0;
  int m_reportsSeen = 0;
  int m_unplugAt = -1;
  int m_failFrom = -1;
  int m_failTo = -1;
  SimFlash m_flash;
  uint32_t m_restartMs = 2000;
  int m_restarts = 0;
  std::unique_ptr<platform::WindowHandler> m_restartHandler;
  platform::WindowId m_restartWindow = 0;
  int m_enumerations = 0;
  std::optional<std::pair<int, platform::HidInterfaceInfo>> m_replaceAtOpen;
  bool m_queuedInput = false;
  std::deque<QueuedInput> m_inputQueue;
  std::optional<uint8_t> m_reportBefore;
  int m_accepted = 0;
  std::map<uint16_t, std::array<uint8_t, 27>> m_applied;
  std::vector<SimTraffic> m_log;
};
