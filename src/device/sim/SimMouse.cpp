#include "device/sim/SimMouse.h"

#include "device/FirmwareImage.h"

#include <algorithm>
#include <functional>

#include "base/Text.h"
#include "device/CommandReport.h"
#include "device/FirmwareReport.h"
#include "platform/Platform.h"

// An opened interface of the simulated bus.
class SimHidDevice : public platform::HidDevice {
 public:
  SimHidDevice(SimMouse& sim, int index, std::optional<ConnectionMode::Kind> mode, bool event,
               uint32_t generation, platform::HidInterfaceInfo info)
      : m_sim(sim),
        m_index(index),
        m_mode(mode),
        m_event(event),
        m_generation(generation),
        m_info(std::move(info)) {}
  ~SimHidDevice() override { m_sim.Detach(this); }

  bool SetFeature(std::span<const uint8_t> report) override {
    return m_sim.OnSetFeature(*this, report);
  }
  bool GetFeature(std::span<uint8_t> report) override { return m_sim.OnGetFeature(*this, report); }
  platform::HidInterfaceInfo Info() const override { return m_info; }
  void StartReading(ReportCallback onReport, std::function<void()> onEnded) override {
    m_onReport = std::move(onReport);
    m_onEnded = std::move(onEnded);
    m_sim.OnStartReading(*this);
  }

  SimMouse& m_sim;
  int m_index;
  std::optional<ConnectionMode::Kind> m_mode;  // nothing for another vendor's interface
  bool m_event;
  uint32_t m_generation;
  platform::HidInterfaceInfo m_info;
  bool m_reading = false;
  ReportCallback m_onReport;
  std::function<void()> m_onEnded;
};

namespace {

constexpr ConnectionMode::Kind kModes[] = {ConnectionMode::Wired, ConnectionMode::Wireless,
                                           ConnectionMode::BLE};
constexpr uint32_t kDeviceArrival = 0x8000;
constexpr uint32_t kDeviceRemoveComplete = 0x8004;

std::u16string PathOf(ConnectionMode::Kind mode, bool event) {
  const char16_t* product = mode == ConnectionMode::Wired      ? u"026e"
                            : mode == ConnectionMode::Wireless ? u"026f"
                                                               : u"026d";
  return std::u16string(u"\\\\?\\hid#vid_04f3&pid_") + product + (event ? u"&mi_01" : u"&mi_00") +
         u"#sim#{4d1e55b2-f16f-11cf-88cb-001111000030}";
}

}  // namespace

bool SimMouse::InstallOlderFirmware() {
  FirmwareImage carried;
  (void)carried.LoadFromResources();
  if (!carried.HasApplication() || !carried.HasBase()) return false;
  m_flash.WriteBase(carried.Base());
  std::vector<uint8_t> older = carried.Application();
  older[0] ^= 0xFF;  // another checksum in its header: the program sees other firmware
  m_flash.InstallApplication(older);
  SetVersionNumber(ConnectionMode::Wired, 0x0200);
  SetFirmwareBytes(0, 1);
  return true;
}

SimMouse::SimMouse() {
  SetIndexes(ConnectionMode::Wired, 2, 3);
  SetIndexes(ConnectionMode::Wireless, 5, 6);
  SetIndexes(ConnectionMode::BLE, 8, 9);
}

// Plugs the cable interface back in after a restart, on the virtual clock, and hands queued
// input reports over.
class SimMouse::RestartTimer : public platform::WindowHandler {
 public:
  static constexpr uint32_t kInputMessage = 0x0400 + 77;
  explicit RestartTimer(SimMouse& sim) : m_sim(sim) {}
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam, bool& handled) override {
    handled = true;
    if (message == platform::msg::kTimer && wParam == 1) {
      platform::Windows().KillTimer(window, 1);
      m_sim.OnRestartTimer();
    } else if (message == kInputMessage) {
      m_sim.DeliverQueuedInput();
    }
    return 0;
  }

 private:
  SimMouse& m_sim;
};

SimMouse::~SimMouse() {
  for (auto* device : m_devices) device->m_reading = false;
  if (m_restartWindow != 0 && platform::Current().windows != nullptr) {
    platform::Windows().DestroyWindow(m_restartWindow);
  }
}

platform::WindowId SimMouse::OwnWindow() {
  if (m_restartWindow == 0) {
    m_restartHandler = std::make_unique<RestartTimer>(*this);
    platform::WindowDesc desc;
    desc.className = u"SimMouseRestart";
    desc.kind = platform::WindowKind::Main;
    desc.visible = false;
    m_restartWindow = platform::Windows().CreateWindow(desc, m_restartHandler.get());
  }
  return m_restartWindow;
}

void SimMouse::Restart() {
  ++m_restarts;
  (void)m_flash.Boot();
  Unplug(ConnectionMode::Wired);
  platform::Windows().SetTimer(OwnWindow(), 1, m_restartMs);
}

void SimMouse::OnRestartTimer() {
  Plug(ConnectionMode::Wired);
}

void SimMouse::SetIndexes(ConnectionMode::Kind mode, int commandIndex, int eventIndex) {
  m_modes[mode].commandIndex = commandIndex;
  m_modes[mode].eventIndex = eventIndex;
}

void SimMouse::AddInterface(int index, const platform::HidInterfaceInfo& info) {
  m_others[index] = info;
}

void SimMouse::SetVersionNumber(ConnectionMode::Kind mode, uint16_t version) {
  m_modes[mode].version = version;
}

void SimMouse::Plug(ConnectionMode::Kind mode) {
  ModeState& state = m_modes[mode];
  if (state.plugged) return;
  state.plugged = true;
  ++state.generation;
  state.ack.reset();
  Notify(kDeviceArrival);
}

void SimMouse::Unplug(ConnectionMode::Kind mode) {
  ModeState& state = m_modes[mode];
  if (!state.plugged) return;
  state.plugged = false;
  EndHandles(mode);
  Notify(kDeviceRemoveComplete);
}

void SimMouse::DropHandles(ConnectionMode::Kind mode) {
  if (m_modes[mode].plugged) EndHandles(mode);
}

void SimMouse::EndHandles(ConnectionMode::Kind mode) {
  ModeState& state = m_modes[mode];
  ++state.generation;
  state.ack.reset();
  // Readers of the mode see their read fail.
  const std::vector<SimHidDevice*> devices = m_devices;
  for (auto* device : devices) {
    if (device->m_mode != mode || !device->m_reading) continue;
    device->m_reading = false;
    if (device->m_onEnded) device->m_onEnded();
  }
}

void SimMouse::Notify(uint32_t eventCode) {
  if (m_window == 0 || platform::Current().windows == nullptr) return;
  (void)platform::Windows().PostMessage(m_window, platform::msg::kDeviceChange, eventCode, 0);
}

bool SimMouse::RegisterForNotifications(platform::WindowId window) {
  m_window = window;
  return true;
}

std::optional<SimMouse::Found> SimMouse::FindInterface(int index) const {
  for (auto mode : kModes) {
    const ModeState& state = m_modes[mode];
    if (!state.plugged) continue;
    if (state.commandIndex == index) return Found{mode, false};
    if (state.eventIndex == index) return Found{mode, true};
  }
  return std::nullopt;
}

platform::HidInterfaceInfo SimMouse::InfoOf(ConnectionMode::Kind mode, bool event) const {
  platform::HidInterfaceInfo info;
  info.path = PathOf(mode, event);
  info.vendorId = ConnectionMode::kVendorId;
  info.productId = ConnectionMode::ProductIdOf(mode);
  info.versionNumber = m_modes[mode].version;
  // Both interfaces sit on usage page 0x000A; only the report length tells them apart.
  info.usagePage = ConnectionMode::kCommandUsagePage;
  info.usage = event ? 0x0002 : 0x0001;
  info.inputReportLength = event ? ConnectionMode::kEventReportLength : 0;
  info.featureReportLength = event ? 0 : CommandReport::kLength;
  return info;
}

std::vector<std::optional<platform::HidInterfaceInfo>> SimMouse::Enumerate(int limit) {
  ++m_enumerations;
  std::vector<std::optional<platform::HidInterfaceInfo>> list;
  for (int index = 0; index < limit; ++index) list.push_back(Query(index));
  return list;
}

std::optional<platform::HidInterfaceInfo> SimMouse::At(int index) {
  ++m_enumerations;
  return Query(index);
}

std::optional<platform::HidInterfaceInfo> SimMouse::Query(int index) const {
  if (const auto found = FindInterface(index)) return InfoOf(found->mode, found->event);
  const auto other = m_others.find(index);
  if (other != m_others.end()) return other->second;
  return std::nullopt;
}

std::unique_ptr<platform::HidDevice> SimMouse::Open(int index) {
  std::unique_ptr<SimHidDevice> device;
  if (m_replaceAtOpen && m_replaceAtOpen->first == index) {
    device = std::make_unique<SimHidDevice>(*this, index, std::nullopt, false, 0,
                                            m_replaceAtOpen->second);
    m_replaceAtOpen.reset();
  } else if (const auto found = FindInterface(index)) {
    device = std::make_unique<SimHidDevice>(*this, index, found->mode, found->event,
                                            m_modes[found->mode].generation,
                                            InfoOf(found->mode, found->event));
  } else if (m_others.count(index)) {
    device =
        std::make_unique<SimHidDevice>(*this, index, std::nullopt, false, 0, m_others.at(index));
  } else {
    return nullptr;
  }
  m_devices.push_back(device.get());
  return device;
}

void SimMouse::Detach(SimHidDevice* device) {
  std::erase(m_devices, device);
}

bool SimMouse::IsLive(const SimHidDevice& device) const {
  if (!device.m_mode) return false;
  const ModeState& state = m_modes[*device.m_mode];
  return state.plugged && state.generation == device.m_generation;
}

void SimMouse::Record(SimTraffic::Transfer transfer, ConnectionMode::Kind mode, bool ok,
                      std::span<const uint8_t> bytes) {
  SimTraffic entry;
  entry.timeMs = platform::Time().NowMs();
  entry.transfer = transfer;
  entry.mode = mode;
  entry.ok = ok;
  entry.bytes.assign(bytes.begin(), bytes.end());
  m_log.push_back(std::move(entry));
}

bool SimMouse::OnSetFeature(SimHidDevice& device, std::span<const uint8_t> report) {
  const ConnectionMode::Kind mode = device.m_mode.value_or(ConnectionMode::Wired);
  ++m_reportsSeen;
  if (m_reportsSeen == m_unplugAt && device.m_mode) {
    Record(SimTraffic::Transfer::SetFeature, mode, false, report);
    Unplug(mode);
    return false;
  }
  bool ok = IsLive(device) && !device.m_event && !report.empty();
  if (ok && m_failSet > 0) {
    --m_failSet;
    ok = false;
  }
  if (ok && m_reportsSeen >= m_failFrom && m_reportsSeen < m_failTo) ok = false;
  // Firmware transfers: the cable interface only.
  const bool firmware = ok && report[0] == FirmwareReport::kReportId;
  if (firmware) ok = mode == ConnectionMode::Wired && m_flash.OnRequest(report);
  Record(SimTraffic::Transfer::SetFeature, mode, ok, report);
  if (!ok) return false;
  if (firmware) {
    if (!m_flash.TakeRestart()) return true;
    const size_t request = m_log.size() - 1;
    Restart();
    if (!m_failRestartAnswer) return true;
    m_failRestartAnswer = false;
    m_log[request].ok = false;
    return false;
  }

  ModeState& state = m_modes[mode];
  if (report[0] != CommandReport::kReportId) return true;
  if (m_reportBefore && report.size() > 1 && report[1] == *m_reportBefore) {
    m_reportBefore.reset();
    SendStatus(mode);
  }
  state.ack.reset();
  if (!CommandReport::HasValidChecksum(report)) return true;
  // Through the receiver, only a switched-on mouse answers.
  if (mode == ConnectionMode::Wireless && !m_mouseOn) return true;
  if (m_refuseAcks > 0) {
    --m_refuseAcks;
    return true;
  }
  std::array<uint8_t, 27> payload{};
  std::copy_n(report.begin() + CommandReport::kPayloadOffset, payload.size(), payload.begin());
  m_applied[static_cast<uint16_t>(report[1] << 8 | report[3])] = payload;
  ++m_accepted;
  std::array<uint8_t, 32> ack{};
  std::copy_n(report.begin(), ack.size(), ack.begin());
  // The answer echoes the frame; a non-zero byte 1 is the acknowledgement.
  if (ack[1] == 0) ack[1] = 0xFF;
  state.ack = ack;
  return true;
}

bool SimMouse::OnGetFeature(SimHidDevice& device, std::span<uint8_t> report) {
  const ConnectionMode::Kind mode = device.m_mode.value_or(ConnectionMode::Wired);
  bool ok = IsLive(device) && !device.m_event && !report.empty();
  if (ok && m_failGet > 0) {
    --m_failGet;
    ok = false;
  }
  if (ok) {
    const uint8_t id = report[0];
    if (id == CommandReport::kReportId) {
      std::fill(report.begin() + 1, report.end(), 0);
      // An acknowledgement is answered once; a later read finds none.
      auto& ack = m_modes[mode].ack;
      if (ack) std::copy_n(ack->begin(), std::min(report.size(), ack->size()), report.begin());
      ack.reset();
    } else if (id == FirmwareReport::kReportId && mode == ConnectionMode::Wired) {
      m_flash.Answer(report);
    } else if (id == 0x05) {
      std::fill(report.begin() + 1, report.end(), 0);
      const uint8_t info[] = {0x05,
                              '1',
                              '0',
                              '1',
                              '0',
                              static_cast<uint8_t>(mode != ConnectionMode::Wireless || m_mouseOn),
                              0,
                              0,
                              m_firmware[0],
                              m_firmware[1]};
      std::copy_n(info, std::min(report.size(), sizeof info), report.begin());
    } else {
      ok = false;
    }
  }
  Record(SimTraffic::Transfer::GetFeature, mode, ok, report);
  return ok;
}

void SimMouse::OnStartReading(SimHidDevice& device) {
  device.m_reading = IsLive(device) && device.m_event;
  // An interface that cannot be read ends its reader at once.
  if (!device.m_reading && device.m_onEnded) device.m_onEnded();
}

void SimMouse::SendInput(ConnectionMode::Kind mode, std::vector<uint8_t> report) {
  if (!m_modes[mode].plugged) return;
  Record(SimTraffic::Transfer::Input, mode, true, report);
  const uint64_t now = platform::Time().NowMs();
  if (m_queuedInput) {
    m_inputQueue.push_back({mode, std::move(report), now});
    (void)platform::Windows().PostMessage(OwnWindow(), RestartTimer::kInputMessage, 0, 0);
    return;
  }
  Deliver(mode, report, now);
}

void SimMouse::Deliver(ConnectionMode::Kind mode, const std::vector<uint8_t>& report,
                       uint64_t arrivedMs) {
  const std::vector<SimHidDevice*> devices = m_devices;
  for (auto* device : devices) {
    if (device->m_mode != mode || !device->m_reading || !IsLive(*device)) continue;
    if (device->m_onReport) device->m_onReport(report, arrivedMs);
  }
}

void SimMouse::DeliverQueuedInput() {
  if (m_inputQueue.empty()) return;
  QueuedInput input = std::move(m_inputQueue.front());
  m_inputQueue.pop_front();
  Deliver(input.mode, input.report, input.arrivedMs);
}

void SimMouse::SendStatus(ConnectionMode::Kind mode) {
  const Status& s = m_status;
  std::vector<uint8_t> report(32, 0);
  const uint8_t head[] = {0x04,           s.link,        s.dpiLevel,     s.pollingCode,
                          s.battery,      s.chargeState, s.lightingMode, s.launch,
                          s.pollingClass, s.sensorCode,  s.status};
  std::copy(std::begin(head), std::end(head), report.begin());
  SendInput(mode, std::move(report));
  m_status.launch = 0;
}

void SimMouse::PressDpiButton(ConnectionMode::Kind mode, uint8_t level) {
  m_status.dpiLevel = level;
  SendStatus(mode);
}

void SimMouse::ChangePolling(ConnectionMode::Kind mode, uint8_t code, uint8_t pollingClass) {
  m_status.pollingCode = code;
  m_status.pollingClass = pollingClass;
  SendStatus(mode);
}

void SimMouse::ReportBattery(ConnectionMode::Kind mode, uint8_t level, uint8_t chargeState) {
  m_status.battery = level;
  m_status.chargeState = chargeState;
  SendStatus(mode);
}

void SimMouse::ChangeLighting(ConnectionMode::Kind mode, uint8_t lightingMode) {
  m_status.lightingMode = lightingMode;
  SendStatus(mode);
}

void SimMouse::RequestLaunch(ConnectionMode::Kind mode, uint8_t button) {
  m_status.launch = button;
  SendStatus(mode);
}

void SimMouse::ReportSensor(ConnectionMode::Kind mode, uint8_t code) {
  m_status.sensorCode = code;
  SendStatus(mode);
}

void SimMouse::RequestLeave(ConnectionMode::Kind mode) {
  m_status.status = 0;
  SendStatus(mode);
  m_status.status = 1;
}

void SimMouse::LoseLink() {
  m_mouseOn = false;
  m_status.link = 0;
  SendStatus(ConnectionMode::Wireless);
}

void SimMouse::FindLink() {
  m_mouseOn = true;
  m_status.link = 1;
  SendStatus(ConnectionMode::Wireless);
}

std::vector<SimTraffic> SimMouse::CommandsSent() const {
  std::vector<SimTraffic> sent;
  for (const auto& entry : m_log) {
    if (entry.transfer == SimTraffic::Transfer::SetFeature &&
        entry.ReportId() == CommandReport::kReportId) {
      sent.push_back(entry);
    }
  }
  return sent;
}

std::optional<std::array<uint8_t, 27>> SimMouse::Applied(uint8_t command,
                                                         uint8_t packetField) const {
  const auto it = m_applied.find(static_cast<uint16_t>(command << 8 | packetField));
  if (it == m_applied.end()) return std::nullopt;
  return it->second;
}

std::string SimMouse::FormatLog() const {
  std::string text;
  for (const auto& t : m_log) {
    text += std::to_string(t.timeMs);
    text += t.transfer == SimTraffic::Transfer::SetFeature   ? " set "
            : t.transfer == SimTraffic::Transfer::GetFeature ? " get "
                                                             : " input ";
    text += t.mode == ConnectionMode::Wired      ? "wired"
            : t.mode == ConnectionMode::Wireless ? "wireless"
                                                 : "ble";
    text += t.ok ? " ok" : " fail";
    for (uint8_t b : t.bytes) {
      text += ' ';
      text += static_cast<char>(base::HexDigit(b >> 4));
      text += static_cast<char>(base::HexDigit(b));
    }
    text += '\n';
  }
  return text;
}
