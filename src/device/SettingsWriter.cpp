#include "device/SettingsWriter.h"

#include <algorithm>

#include "base/Text.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/DeviceModel.h"
#include "device/MacroSync.h"
#include "profiles/PollingRate.h"

namespace {

// Buttons 4 and 5 trade places on the wire.
constexpr int kWireButtonOrder[DeviceModel::kButtons] = {0, 1, 2, 4, 3, 5};
// Levels 7 and 8 always go out as 0x0000.
constexpr int kLevelsWithCodes = 6;
constexpr int kSaveDelayMs = 10000;
constexpr int kNoDeviceText = 156;
constexpr int kProgressText = 146;

uint8_t Low8(std::u16string_view text) {
  return static_cast<uint8_t>(base::ParseDecimal(text));
}

template <size_t N, size_t M>
bool Differs(std::array<uint8_t, N>& copy, const std::array<uint8_t, M>& now) {
  static_assert(N <= M);
  const bool differs = !std::equal(copy.begin(), copy.end(), now.begin());
  std::copy_n(now.begin(), N, copy.begin());
  return differs;
}

bool Differs(uint8_t& copy, uint8_t now) {
  const bool differs = copy != now;
  copy = now;
  return differs;
}

}  // namespace

SettingsWriter::SettingsWriter(DeviceLink& link, DeviceModel& model, DeviceHost& host)
    : m_link(link), m_model(model), m_host(host) {}

// --- payloads ---

SettingsWriter::KeyPayload SettingsWriter::BuildKeyTable(const DeviceModel& model) {
  KeyPayload payload;
  payload.fill(0xFF);
  for (int i = 0; i < DeviceModel::kButtons; ++i) {
    const auto code = model.ButtonCode(kWireButtonOrder[i]);
    std::copy(code.begin(), code.end(), payload.begin() + 3 * i);
  }
  return payload;
}

SettingsWriter::DpiCopy SettingsWriter::BuildDpi(const DeviceModel& model) {
  DpiCopy dpi{};
  dpi[0] = model.CurrentDpiLevel();
  dpi[1] = model.DpiLevelMask();
  for (int level = 0; level < kLevelsWithCodes; ++level) {
    // An index the sensor's table does not hold goes out as 0x0000.
    const uint16_t x = model.DpiDeviceValue(model.DpiIndexX(level)).value_or(0);
    const uint16_t y = model.DpiDeviceValue(model.DpiIndexY(level)).value_or(0);
    dpi[2 + 2 * level] = static_cast<uint8_t>(x & 0xFF);
    dpi[3 + 2 * level] = static_cast<uint8_t>(x >> 8);
    dpi[18 + 2 * level] = static_cast<uint8_t>(y & 0xFF);
    dpi[19 + 2 * level] = static_cast<uint8_t>(y >> 8);
  }
  return dpi;
}

std::array<uint8_t, 18> SettingsWriter::DpiPacket(const DpiCopy& dpi, bool yAxis) {
  std::array<uint8_t, 18> packet{};
  packet[0] = dpi[0];
  packet[1] = dpi[1];
  const auto codes = dpi.begin() + (yAxis ? 18 : 2);
  std::copy(codes, codes + 16, packet.begin() + 2);
  return packet;
}

SettingsWriter::ColourPayload SettingsWriter::BuildColours(const DeviceModel& model) {
  ColourPayload payload{};
  for (int level = 0; level < DeviceModel::kDpiLevels; ++level) {
    const platform::Colour c = model.DpiLevelColour(level);
    payload[3 * level] = platform::RedOf(c);
    payload[3 * level + 1] = platform::GreenOf(c);
    payload[3 * level + 2] = platform::BlueOf(c);
  }
  return payload;
}

uint8_t SettingsWriter::LiftOffCode(std::u16string_view liftDetectionHeight) {
  return base::ParseDecimal(liftDetectionHeight) == 1 ? 1 : 2;
}

uint8_t SettingsWriter::DebounceCode(std::u16string_view keyDebounce) {
  return Low8(keyDebounce);
}

SettingsWriter::LightingPayload SettingsWriter::BuildLighting(const DeviceModel& model) {
  LightingPayload payload{};
  const uint8_t mode = model.LightingMode();
  // A mode without a parameter set (only from an edited file) sends the lowest settings.
  const bool known = mode < DeviceModel::kEffects;
  const unsigned brightness = known ? model.LightingBrightness(mode) : 0;
  const unsigned speed = known ? model.LightingSpeed(mode) : 0;
  payload[0] = 0x00;
  payload[1] = mode;
  payload[2] = static_cast<uint8_t>(((brightness + 1) << 4) | ((speed + 1) & 0x0F));
  payload[3] = model.LightingDirection(1);
  return payload;
}

SettingsWriter::TriplePayload SettingsWriter::BuildPower(const DeviceModel& model) {
  return {Low8(model.PairValue(DeviceModel::PowerDownTime)),
          Low8(model.PairValue(DeviceModel::MotionWakeup)),
          Low8(model.PairValue(DeviceModel::MoveLightingOnOffMode))};
}

SettingsWriter::TriplePayload SettingsWriter::BuildSensorOptions(const DeviceModel& model) {
  return {Low8(model.PairValue(DeviceModel::AngleSnap)),
          Low8(model.PairValue(DeviceModel::MotionSync)),
          Low8(model.PairValue(DeviceModel::RippleControl))};
}

// --- writing ---

bool SettingsWriter::CanSend() const {
  return m_link.HasAnyCommandHandle();
}

void SettingsWriter::WriteChanges() {
  m_link.ClearSomethingSent();
  // Waiting in the tray for the device: the changes wait as well.
  if (!m_host.ShowWindowFlag()) return;
  if (!m_link.CanReachMouse()) {
    m_host.ShowAttention(kNoDeviceText);
    return;
  }
  if (m_macros) m_macros->AssignMacroSlots();
  if (IsDirty(Group::Keys)) SendKeyTable();
  if (IsDirty(Group::Dpi)) SendDpiGroup();
  if (IsDirty(Group::Power)) SendPowerGroup();
  if (IsDirty(Group::Sensor)) SendSensorGroup();
  m_dirty.fill(false);
  if (m_macros) m_macros->SendMacros(true);
  if (m_link.SomethingSent()) m_host.ShowProgress(kProgressText);
  m_host.SetTimer(DeviceHost::kTimerSave, kSaveDelayMs);
  m_host.MarkSavePending();
  m_host.RefreshPage();
}

void SettingsWriter::SendKeyTable() {
  if (!CanSend()) return;
  const KeyPayload payload = BuildKeyTable(m_model);
  if (Differs(m_keysSent, payload)) m_link.SendCommand(kKeyTable, kSinglePacket, payload);
}

void SettingsWriter::SendDpiGroup() {
  if (!CanSend()) return;
  // Compare everything first (each comparison refreshes its copy), then send what differed.
  const uint8_t polling = PollingRate::Code(m_model.PollingIndex());
  const uint8_t lift = LiftOffCode(m_model.PairValue(DeviceModel::LiftDetectionHeight));
  const uint8_t debounce = DebounceCode(m_model.PairValue(DeviceModel::KeyDebounce));
  const DpiCopy dpi = BuildDpi(m_model);
  const ColourPayload colours = BuildColours(m_model);
  const LightingPayload lighting = BuildLighting(m_model);

  const bool sendPolling = Differs(m_pollingSent, polling);
  const bool sendLift = Differs(m_liftSent, lift);
  const bool sendDebounce = Differs(m_debounceSent, debounce);
  const bool sendDpi = Differs(m_dpiSent, dpi);
  const bool sendColours = Differs(m_coloursSent, colours);
  const bool sendLighting = Differs(m_lightingSent, lighting) || !m_lightingSentValid;
  m_lightingSentValid = true;

  if (sendDpi) {
    m_link.SendCommand(kDpiLevels, kDpiPacketX, DpiPacket(dpi, false));
    m_link.SendCommand(kDpiLevels, kDpiPacketY, DpiPacket(dpi, true));
  }
  if (sendColours) m_link.SendCommand(kDpiColours, kSinglePacket, colours);
  if (sendPolling) m_link.SendCommand(kPolling, kSinglePacket, std::array{polling});
  if (sendLift) m_link.SendCommand(kLiftOff, kSinglePacket, std::array{lift});
  if (sendDebounce) m_link.SendCommand(kDebounce, kSinglePacket, std::array{debounce});
  if (sendLighting) {
    m_link.SendCommand(kLighting, kSinglePacket, lighting, DeviceLink::kSettleMs,
                       kLightingSendLength);
  }
}

void SettingsWriter::SendPowerGroup() {
  if (!CanSend()) return;
  const TriplePayload payload = BuildPower(m_model);
  if (Differs(m_powerSent, payload)) m_link.SendCommand(kPower, kSinglePacket, payload);
}

void SettingsWriter::SendSensorGroup() {
  if (!CanSend()) return;
  const TriplePayload payload = BuildSensorOptions(m_model);
  if (Differs(m_sensorSent, payload)) m_link.SendCommand(kSensorOptions, kSinglePacket, payload);
}

void SettingsWriter::SnapshotSentState() {
  const KeyPayload keys = BuildKeyTable(m_model);
  std::copy_n(keys.begin(), m_keysSent.size(), m_keysSent.begin());
  m_pollingSent = PollingRate::Code(m_model.PollingIndex());
  m_liftSent = LiftOffCode(m_model.PairValue(DeviceModel::LiftDetectionHeight));
  m_debounceSent = DebounceCode(m_model.PairValue(DeviceModel::KeyDebounce));
  m_dpiSent = BuildDpi(m_model);
  m_coloursSent = BuildColours(m_model);
  m_powerSent = BuildPower(m_model);
  m_sensorSent = BuildSensorOptions(m_model);
  m_lightingSentValid = false;
  if (m_macros) {
    m_macros->AssignMacroSlots();
    m_macros->SendMacros(false);
  }
}
