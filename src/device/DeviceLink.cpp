#include "device/DeviceLink.h"

#include <algorithm>
#include <utility>

#include "base/AppGlobals.h"
#include "device/DeviceInfoReport.h"
#include "device/StatusEvents.h"
#include "platform/Platform.h"

namespace {

constexpr ConnectionMode::Kind kScanOrder[] = {ConnectionMode::Wired, ConnectionMode::Wireless,
                                               ConnectionMode::BLE};
// The order every sender picks its handle in.
constexpr ConnectionMode::Kind kSendOrder[] = {ConnectionMode::Wired, ConnectionMode::BLE,
                                               ConnectionMode::Wireless};

std::optional<ConnectionMode::Kind> ModeOfProduct(uint16_t vendor, uint16_t product) {
  if (vendor != ConnectionMode::kVendorId) return std::nullopt;
  for (auto kind : kScanOrder) {
    if (ConnectionMode::ProductIdOf(kind) == product) return kind;
  }
  return std::nullopt;
}

bool IsProductOf(const platform::HidInterfaceInfo& info, ConnectionMode::Kind kind) {
  return info.vendorId == ConnectionMode::kVendorId &&
         info.productId == ConnectionMode::ProductIdOf(kind);
}

}  // namespace

DeviceLink::DeviceLink(DeviceHost& host) : m_host(host) {}

void DeviceLink::CloseAll() {
  for (auto& mode : m_modes) {
    mode.reader.reset();
    mode.readerRunning = false;
    mode.commandHandle.reset();
  }
}

void DeviceLink::RegisterForDeviceNotifications(platform::WindowId window) {
  CloseAll();
  m_firstConnection = true;
  (void)platform::Hid().RegisterForNotifications(window);
}

void DeviceLink::ProbeInterface(int index, const platform::HidInterfaceInfo& info) {
  const auto kind = ModeOfProduct(info.vendorId, info.productId);
  if (!kind) return;
  ConnectionMode& mode = m_modes[*kind];
  // The event test comes first: an interface that passes it is never the command interface.
  if (info.inputReportLength == ConnectionMode::kEventReportLength) {
    mode.eventIndex = index;
    mode.eventPath = info.path;
  } else if (info.usagePage == ConnectionMode::kCommandUsagePage) {
    mode.present = true;
    mode.commandIndex = index;
    mode.commandPath = info.path;
    if (*kind == ConnectionMode::Wired) m_wiredVersion = info.versionNumber;
  }
}

void DeviceLink::OpenCommandInterface(ConnectionMode::Kind kind) {
  ConnectionMode& mode = m_modes[kind];
  if (mode.commandIndex < 0) return;
  mode.commandHandle.reset();
  mode.reopenCommand = false;
  auto handle = platform::Hid().Open(mode.commandIndex);
  // Another device may have taken the index since the scan: closed at once.
  if (!handle || !IsProductOf(handle->Info(), kind)) return;
  mode.commandHandle = std::move(handle);
}

void DeviceLink::ScanDevices() {
  m_connected = false;
  for (auto& mode : m_modes) {
    mode.present = false;
    // An event interface from an older scan may be gone; only this scan's count.
    mode.eventIndex = -1;
  }
  // One enumeration for the whole scan; each interface is queried once.
  const auto interfaces = platform::Hid().Enumerate(kScanLimit);
  for (size_t i = 0; i < interfaces.size() && i < size_t{kScanLimit}; ++i) {
    if (interfaces[i]) ProbeInterface(static_cast<int>(i), *interfaces[i]);
  }
  m_connected = std::any_of(m_modes.begin(), m_modes.end(),
                            [](const ConnectionMode& m) { return m.present; });

  for (auto kind : kScanOrder) {
    ConnectionMode& mode = m_modes[kind];
    if (mode.present) {
      StartEventReader(kind);
      if (!mode.commandHandle || mode.reopenCommand) OpenCommandInterface(kind);
    } else {
      mode.commandHandle.reset();
      mode.commandPath.clear();
    }
  }

  if (m_connected) {
    m_host.SetTimer(DeviceHost::kTimerBattery, 1000);
    const ConnectionMode::Kind shown =
        m_modes[ConnectionMode::Wired].present ? ConnectionMode::Wired
        : m_modes[ConnectionMode::BLE].present ? ConnectionMode::BLE
                                               : ConnectionMode::Wireless;
    m_host.ShowStatusImage(shown);
    if (!m_modes[shown].previousPresent) ReadDeviceInfo();
    m_host.UpdatePollingChoices(shown, m_maxPollingClass);
    m_host.SetTimer(DeviceHost::kTimerLinkState, 1000);
  } else {
    m_host.ShowStatusImage(std::nullopt);
  }

  ConnectionMode& ble = m_modes[ConnectionMode::BLE];
  if (ble.present != ble.previousPresent) {
    ble.previousPresent = ble.present;
    // Bluetooth went away: the mouse may have dropped to its receiver, which must then count
    // as newly present so that its device info is read again.
    if (!ble.present) m_host.SetTimer(DeviceHost::kTimerRescan, kRescanDelayMs);
  }
  for (auto kind : {ConnectionMode::Wireless, ConnectionMode::Wired}) {
    m_modes[kind].previousPresent = m_modes[kind].present;
  }
}

void DeviceLink::ReopenFailedHandles() {
  const auto interfaces = platform::Hid().Enumerate(kScanLimit);
  for (auto kind : kScanOrder) {
    ConnectionMode& mode = m_modes[kind];
    if (!mode.reopenCommand || !mode.commandHandle) continue;
    mode.commandHandle.reset();
    int commandIndex = -1;
    int eventIndex = -1;
    for (size_t i = 0; i < interfaces.size() && i < size_t{kScanLimit}; ++i) {
      const auto& info = interfaces[i];
      if (!info || !IsProductOf(*info, kind)) continue;
      if (info->inputReportLength == ConnectionMode::kEventReportLength) {
        eventIndex = static_cast<int>(i);
      } else if (info->usagePage == ConnectionMode::kCommandUsagePage) {
        commandIndex = static_cast<int>(i);
      }
    }
    // Gone: no handle until a scan finds the mode again (its removal notice is on its way).
    if (commandIndex < 0) continue;
    mode.commandIndex = commandIndex;
    OpenCommandInterface(kind);
    if (eventIndex >= 0 && !IsReaderRunning(kind)) {
      mode.eventIndex = eventIndex;
      StartEventReader(kind);
    }
  }
}

void DeviceLink::OnDeviceChange(uint32_t eventCode) {
  const bool anyAbsent = std::any_of(m_modes.begin(), m_modes.end(),
                                     [](const ConnectionMode& m) { return !m.present; });
  const bool anyPresent = std::any_of(m_modes.begin(), m_modes.end(),
                                      [](const ConnectionMode& m) { return m.present; });
  if (eventCode == kDeviceArrival) {
    if (!anyAbsent) return;
    ScanDevices();
    if (m_connected && TakeFirstConnection()) m_host.RefreshPage();
    m_host.RefreshPage();
  } else if (eventCode == kDeviceRemoveComplete) {
    if (!anyPresent) return;
    for (auto& mode : m_modes) mode.reopenCommand = true;
    ScanDevices();
    if (m_connected) return;
    if (!m_expectedRemoval) {
      m_firstConnection = true;
      m_host.SetShowWindowFlag(false);
      m_host.EndProgram(DeviceHost::ProgramEnd::DeviceRemoved);
    }
    m_expectedRemoval = false;
  }
}

bool DeviceLink::OnTimer(uintptr_t id) {
  if (id != DeviceHost::kTimerRescan) return false;
  m_host.KillTimer(id);
  m_modes[ConnectionMode::Wireless].previousPresent = false;
  ScanDevices();
  return true;
}

bool DeviceLink::TakeFirstConnection() {
  const bool was = m_firstConnection;
  m_firstConnection = false;
  return was;
}

platform::HidDevice* DeviceLink::CommandHandle() {
  const auto mode = CommandMode();
  return mode ? m_modes[*mode].commandHandle.get() : nullptr;
}

std::optional<ConnectionMode::Kind> DeviceLink::CommandMode() const {
  for (auto kind : kSendOrder) {
    if (m_modes[kind].commandHandle) return kind;
  }
  return std::nullopt;
}

bool DeviceLink::HasCommandHandle(ConnectionMode::Kind mode) const {
  return m_modes[mode].commandHandle != nullptr;
}

bool DeviceLink::HasAnyCommandHandle() const {
  return std::any_of(m_modes.begin(), m_modes.end(),
                     [](const ConnectionMode& m) { return m.commandHandle != nullptr; });
}

bool DeviceLink::IsReaderRunning(ConnectionMode::Kind mode) const {
  return m_modes[mode].reader && m_modes[mode].readerRunning;
}

// --- event readers ---

void DeviceLink::StartEventReader(ConnectionMode::Kind kind) {
  ConnectionMode& mode = m_modes[kind];
  if (IsReaderRunning(kind)) return;  // the reader of this mode is still in its loop
  mode.reader.reset();
  mode.readerRunning = false;
  if (mode.eventIndex < 0) return;
  auto device = platform::Hid().Open(mode.eventIndex);
  if (!device) return;
  const platform::HidInterfaceInfo info = device->Info();
  if (!IsProductOf(info, kind)) return;
  const uint32_t serial = ++mode.readerSerial;
  mode.readerRunning = true;
  mode.eventPath = info.path;
  platform::HidDevice* raw = device.get();
  mode.reader = std::move(device);
  raw->StartReading(
      [this, kind, serial](std::vector<uint8_t> report, uint64_t arrivedMs) {
        OnReaderReport(kind, serial, std::move(report), arrivedMs);
      },
      [this, kind, serial] { OnReaderEnded(kind, serial); });
}

void DeviceLink::OnReaderReport(ConnectionMode::Kind kind, uint32_t serial,
                                std::vector<uint8_t> report, uint64_t arrivedMs) {
  ConnectionMode& mode = m_modes[kind];
  if (serial != mode.readerSerial || !mode.readerRunning) return;
  if (!m_events) return;
  if (!m_events->OnStatusReport(kind, report, arrivedMs)) {
    // The mouse asked the program to end: this reader leaves its loop. The device object is
    // released by the next scan, not from inside its own callback.
    mode.readerRunning = false;
    mode.eventPath.clear();
  }
}

void DeviceLink::OnReaderEnded(ConnectionMode::Kind kind, uint32_t serial) {
  ConnectionMode& mode = m_modes[kind];
  if (serial != mode.readerSerial) return;
  mode.readerRunning = false;
  mode.eventPath.clear();
}

// --- transport ---

bool DeviceLink::SendCommand(uint8_t command, uint8_t packetField, std::span<const uint8_t> payload,
                             uint32_t settleMs, size_t sendLength) {
  CommandReport frame;
  return Transfer(frame, true, command, packetField, payload, settleMs, sendLength);
}

bool DeviceLink::SendFrame(CommandReport first, uint32_t settleMs) {
  return Transfer(first, false, 0, 0, {}, settleMs, CommandReport::kLength);
}

bool DeviceLink::Transfer(CommandReport& frame, bool rebuild, uint8_t command, uint8_t packetField,
                          std::span<const uint8_t> payload, uint32_t settleMs, size_t sendLength) {
  auto& clock = platform::Time();
  const CommandReport kept = frame;
  sendLength = std::clamp<size_t>(sendLength, 1, frame.bytes.size());
  bool rescanned = false;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (rebuild) {
      frame = CommandReport::Build(command, TakeSequence(), packetField, payload);
    } else {
      frame = kept;
      frame.Resequence(TakeSequence());
    }
    m_somethingSent = true;
    if (const auto mode = CommandMode()) {
      ConnectionMode& m = m_modes[*mode];
      if (!m.commandHandle->SetFeature(std::span<const uint8_t>(frame.bytes.data(), sendLength))) {
        m.reopenCommand = true;
      }
    }
    clock.Sleep(settleMs);

    std::array<uint8_t, CommandReport::kLength> answer{};
    answer[0] = CommandReport::kReportId;
    bool read = false;
    if (const auto mode = CommandMode()) {
      ConnectionMode& m = m_modes[*mode];
      read = m.commandHandle->GetFeature(answer);
      if (!read) m.reopenCommand = true;
    }
    // A failed read counts as no acknowledgement, whatever it left in the buffer.
    if (read && answer[1] != 0x00) return true;
    // A handle that failed may be dead without Windows saying so (the device went away and
    // came back, its driver restarted): the remaining tries go to a reopened handle, or to
    // the next mode. One rescan per packet, so a mouse that is gone costs little more.
    if (!rescanned && std::any_of(m_modes.begin(), m_modes.end(), [](const ConnectionMode& m) {
          return m.reopenCommand && m.commandHandle;
        })) {
      rescanned = true;
      ReopenFailedHandles();
    }
    clock.Sleep(kRetryWaitMs);
  }
  ++m_dropped;
  return false;
}

bool DeviceLink::DeviceActive() const {
  return g_bDeviceActive;
}

void DeviceLink::SetDeviceActive(bool active) {
  g_bDeviceActive = active;
}

bool DeviceLink::CanReachMouse() const {
  return DeviceActive() || HasCommandHandle(ConnectionMode::Wired) ||
         HasCommandHandle(ConnectionMode::BLE);
}

bool DeviceLink::SendPairingReport() {
  ConnectionMode& wireless = m_modes[ConnectionMode::Wireless];
  if (!wireless.commandHandle) return false;
  const std::array<uint8_t, 8> report{0xBC, 0x03, 0, 0, 0, 0, 0, 0};
  if (wireless.commandHandle->SetFeature(report)) return true;
  wireless.reopenCommand = true;
  return false;
}

void DeviceLink::ReadDeviceInfo() {
  std::optional<ConnectionMode::Kind> from;
  for (auto kind : kSendOrder) {
    if (m_modes[kind].commandHandle) {
      from = kind;
      break;
    }
  }
  if (!from) return;
  std::array<uint8_t, DeviceInfoReport::kLength> buffer;
  buffer.fill(0xFF);
  buffer[0] = DeviceInfoReport::kReportId;
  if (!m_modes[*from].commandHandle->GetFeature(buffer)) return;
  const auto info = DeviceInfoReport::Parse(buffer);
  if (!info) return;

  if (*from == ConnectionMode::Wired) m_firmwareBytes = {info->firmware8, info->firmware9};
  SetDeviceActive(info->linked);
  if (!m_host.ShowWindowFlag()) {
    m_host.SetShowWindowFlag(true);
    m_host.SetShownByDevice(true);
    m_host.ShowMainWindow(DeviceHost::WindowShow::Normal);
  } else if (!info->linked && m_host.ShownByDevice()) {
    m_host.SetShownByDevice(false);
    m_host.ShowMainWindow(DeviceHost::WindowShow::Minimize);
  }
}
