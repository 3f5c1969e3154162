#pragma once
// Finding the mouse's HID interfaces, tracking the three connection modes, and the framed
// feature-report transport. Owned by the main window; everything runs on the UI thread.
//
// Start-up order (the main window): RefreshPage, RegisterForDeviceNotifications, the sent-state
// snapshot, ScanDevices; then, if Connected() and TakeFirstConnection(), RefreshPage again.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/CommandReport.h"
#include "device/ConnectionMode.h"
#include "device/DeviceHost.h"
#include "platform/Types.h"

class StatusEvents;

class DeviceLink {
 public:
  static constexpr int kScanLimit = 150;  // enumeration indexes 0..149
  static constexpr int kTries = 4;
  static constexpr uint32_t kSettleMs = 60;
  static constexpr uint32_t kMacroSettleMs = 120;
  static constexpr uint32_t kRetryWaitMs = 60;
  static constexpr uint32_t kRescanDelayMs = 300;
  static constexpr uint32_t kDeviceArrival = 0x8000;
  static constexpr uint32_t kDeviceRemoveComplete = 0x8004;

  explicit DeviceLink(DeviceHost& host);
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Status reports and their timers go here once set.
  void SetStatusEvents(StatusEvents* events) { m_events = events; }

  // --- discovery and connection tracking ---
  void RegisterForDeviceNotifications(platform::WindowId window);
  // Stops every event reader and closes every handle (the window is going away).
  void CloseAll();
  // One interface of the scan's enumeration.
  void ProbeInterface(int index, const platform::HidInterfaceInfo& info);
  // Opens the mode's command interface at its index and keeps it only when the opened handle
  // itself is the mode's product.
  void OpenCommandInterface(ConnectionMode::Kind mode);
  // One enumeration of the HID class; then readers, command handles and the status image.
  void ScanDevices();
  // WM_DEVICECHANGE with the event code in wParam.
  void OnDeviceChange(uint32_t eventCode);
  // Timer 120; false for a timer that is not the link's.
  bool OnTimer(uintptr_t id);

  // Wired, else BLE, else Wireless; nullptr when none is open. Taken anew at every send.
  platform::HidDevice* CommandHandle();
  std::optional<ConnectionMode::Kind> CommandMode() const;
  bool HasCommandHandle(ConnectionMode::Kind mode) const;
  bool HasAnyCommandHandle() const;
  bool IsPresent(ConnectionMode::Kind mode) const { return m_modes[mode].present; }
  bool Connected() const { return m_connected; }
  // g_bDeviceActive: the mouse answers, or is linked to its receiver, as last reported.
  bool DeviceActive() const;
  void SetDeviceActive(bool active);
  // A write can reach the mouse: it is active, or a cable or Bluetooth command handle is open.
  bool CanReachMouse() const;
  const ConnectionMode& Mode(ConnectionMode::Kind mode) const { return m_modes[mode]; }
  bool IsReaderRunning(ConnectionMode::Kind mode) const;

  // Cleared on the first refresh after a device was found, set again when the last one left.
  bool FirstConnection() const { return m_firstConnection; }
  // Clears the first-connection flag and says whether it was set.
  bool TakeFirstConnection();
  // Set by the firmware updater before the mouse restarts: the next removal of the last
  // interface does not end the program.
  void SetExpectedRemoval(bool expected) { m_expectedRemoval = expected; }
  bool ExpectedRemoval() const { return m_expectedRemoval; }
  uint16_t WiredVersionNumber() const { return m_wiredVersion; }
  // Bytes 8 and 9 of the last device-info report read over the cable.
  std::array<uint8_t, 2> FirmwareBytes() const { return m_firmwareBytes; }

  // 8, 4, 2, 1 (Wired, Wireless) or 0x30, 0x31 (BLE); 1 at start-up.
  int MaxPollingClass() const { return m_maxPollingClass; }
  void SetMaxPollingClass(int cls) { m_maxPollingClass = cls; }

  // --- transport ---
  // One packet: frame, send, settle, read back, up to four tries with a fresh sequence number
  // each. True when acknowledged. `sendLength` is 32, or 33 for the lighting command.
  [[nodiscard]] bool SendCommand(uint8_t command, uint8_t packetField,
                                 std::span<const uint8_t> payload, uint32_t settleMs = kSettleMs,
                                 size_t sendLength = CommandReport::kLength);
  // Macro data packets: a retry resends a copy of `first` with only bytes 2 and 4 renewed.
  // `first` gets its sequence number here.
  [[nodiscard]] bool SendFrame(CommandReport first, uint32_t settleMs = kMacroSettleMs);
  uint8_t NextSequenceValue() const { return m_sequence; }
  // Packets given up unacknowledged after every try, since the link was made.
  uint32_t DroppedPackets() const { return m_dropped; }
  void SetSequenceForTest(uint8_t value) { m_sequence = value; }

  // Set whenever a packet is built for sending; a write clears it first.
  bool SomethingSent() const { return m_somethingSent; }
  void ClearSomethingSent() { m_somethingSent = false; }

  // Report 0xBC (03) on the Wireless command handle only, unacknowledged; nothing when that
  // handle is not open. True when the report was handed over.
  bool SendPairingReport();

  // The command handle of one mode, for the firmware transfers (always Wired); nullptr when
  // it is not open. A transfer that fails on it is reported with MarkHandleFailed.
  platform::HidDevice* HandleOf(ConnectionMode::Kind mode) {
    return m_modes[mode].commandHandle.get();
  }
  void MarkHandleFailed(ConnectionMode::Kind mode) { m_modes[mode].reopenCommand = true; }

  // Reads report 5 on the first open handle (Wired, BLE, Wireless) and applies it.
  void ReadDeviceInfo();

 private:
  bool Transfer(CommandReport& frame, bool rebuild, uint8_t command, uint8_t packetField,
                std::span<const uint8_t> payload, uint32_t settleMs, size_t sendLength);
  uint8_t TakeSequence() { return m_sequence++; }
  void StartEventReader(ConnectionMode::Kind mode);
  // After a failed transfer: one enumeration; each failed command handle is opened again
  // where its interface is now (with the mode's reader, if that ended too), or closed when
  // the interface is gone, so the next try goes to the next mode. Presence and the window
  // are left to the scan that the device notice starts.
  void ReopenFailedHandles();
  void OnReaderReport(ConnectionMode::Kind mode, uint32_t serial, std::vector<uint8_t> report,
                      uint64_t arrivedMs);
  void OnReaderEnded(ConnectionMode::Kind mode, uint32_t serial);

  DeviceHost& m_host;
  StatusEvents* m_events = nullptr;
  std::array<ConnectionMode, ConnectionMode::kCount> m_modes;
  bool m_connected = false;
  bool m_firstConnection = true;
  bool m_expectedRemoval = false;
  uint16_t m_wiredVersion = 0;
  std::array<uint8_t, 2> m_firmwareBytes{};
  int m_maxPollingClass = 1;
  uint8_t m_sequence = 1;
  uint32_t m_dropped = 0;
  bool m_somethingSent = false;
};
