#include "device/SettingsWriter.h"

#include <algorithm>

#include "base/Text.h"
#include "base/TextNumbers.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/DeviceModel.h"
#include "device/MacroSync.h"
#include "platform/Platform.h"
#include "profiles/PollingRate.h"

namespace {

// Buttons 4 and 5 trade places on the wire.
constexpr int kWireButtonOrder[DeviceModel::kButtons] = {0, 1, 2, 4, 3, 5};
// Levels 7 and 8 always go out as 0x0000.
constexpr int kLevelsWithCodes = 6;
constexpr int kNoDeviceText = common_text::kNotLinked;
constexpr int kProgressText = common_text::kSaving;
constexpr int kNotAnsweringText = 350;
constexpr int kMacroTooLongText = 352;

uint8_t Low8(std::u16string_view text) {
  return static_cast<uint8_t>(base::ParseDecimal(text));
}

template <size_t N, size_t M>
bool Differs(const std::array<uint8_t, N>& copy, const std::array<uint8_t, M>& now) {
  static_assert(N <= M);
  return !std::equal(copy.begin(), copy.end(), now.begin());
}

template <size_t N, size_t M>
void Store(std::array<uint8_t, N>& copy, const std::array<uint8_t, M>& now) {
  static_assert(N <= M);
  std::copy_n(now.begin(), N, copy.begin());
}

}  // namespace

SettingsWriter::SettingsWriter(DeviceLink& link, DeviceModel& model, DeviceHost& host)
    : m_link(link), m_model(model), m_host(host) {
  // Empty spans until the first write.
  for (Span& span : m_pendingSpans) span = {Group::Keys, 1, 0};
}

void SettingsWriter::MarkDirty(Group group) {
  if (!IsDirty(group)) m_markedAtMs[Index(group)] = platform::Time().NowMs();
  m_dirty[Index(group)] = true;
}

bool SettingsWriter::PendingAt(Group group, uint64_t timeMs) const {
  return std::any_of(m_pendingSpans.begin(), m_pendingSpans.end(), [&](const Span& span) {
    // A report the mouse sent before it took the write's last packet is read at least one
    // settle wait before the write ends; one read at its end came after.
    return span.group == group && span.fromMs <= timeMs && timeMs < span.toMs;
  });
}

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
  m_unanswered = false;
  const std::array<bool, 4> wasDirty = m_dirty;
  // A group the mouse did not take stays marked, so the next write sends it again.
  if (IsDirty(Group::Keys) && SendKeyTable()) m_dirty[Index(Group::Keys)] = false;
  if (IsDirty(Group::Dpi) && SendDpiGroup()) m_dirty[Index(Group::Dpi)] = false;
  if (IsDirty(Group::Power) && SendPowerGroup()) m_dirty[Index(Group::Power)] = false;
  if (IsDirty(Group::Sensor) && SendSensorGroup()) m_dirty[Index(Group::Sensor)] = false;
  if (m_macros) {
    m_macros->SendMacros(true);
    // The button keeps its macro on the PC while the mouse has none for it: say so once for
    // each set of such buttons, not at every write.
    const std::vector<int>& refused = m_macros->RefusedButtons();
    if (!refused.empty() && refused != m_refusedShown) m_host.ShowAttention(kMacroTooLongText);
    m_refusedShown = refused;
  }
  // Reports that arrived up to now are handed over only after this write.
  const uint64_t now = platform::Time().NowMs();
  for (Group group : {Group::Keys, Group::Dpi, Group::Power, Group::Sensor}) {
    if (!wasDirty[Index(group)]) continue;
    m_pendingSpans[m_nextSpan] = {group, m_markedAtMs[Index(group)], now};
    m_nextSpan = (m_nextSpan + 1) % m_pendingSpans.size();
  }
  if (m_link.SomethingSent()) m_host.ShowProgress(kProgressText);
  // One notice while the mouse does not answer, not one per packet or per write.
  if (m_unanswered && !m_unansweredShown) {
    m_unansweredShown = true;
    m_host.ShowAttention(kNotAnsweringText);
  } else if (!m_unanswered && m_link.SomethingSent()) {
    m_unansweredShown = false;
  }
  m_host.SetTimer(DeviceHost::kTimerSave, DeviceHost::kSaveDelayMs);
  m_host.MarkSavePending();
  m_host.RefreshPage();
}

bool SettingsWriter::Send(uint8_t command, uint8_t packetField, std::span<const uint8_t> payload,
                          size_t sendLength) {
  const bool acknowledged =
      m_link.SendCommand(command, packetField, payload, DeviceLink::kSettleMs, sendLength);
  if (!acknowledged) m_unanswered = true;
  return acknowledged;
}

bool SettingsWriter::SendKeyTable() {
  if (!CanSend()) return false;
  const KeyPayload payload = BuildKeyTable(m_model);
  if (!Differs(m_keysSent, payload)) return true;
  if (!Send(kKeyTable, kSinglePacket, payload)) return false;
  Store(m_keysSent, payload);
  return true;
}

bool SettingsWriter::SendDpiGroup() {
  if (!CanSend()) return false;
  const uint8_t polling = PollingRate::Code(m_model.PollingIndex());
  const uint8_t lift = LiftOffCode(m_model.PairValue(DeviceModel::LiftDetectionHeight));
  const uint8_t debounce = DebounceCode(m_model.PairValue(DeviceModel::KeyDebounce));
  const DpiCopy dpi = BuildDpi(m_model);
  const ColourPayload colours = BuildColours(m_model);
  const LightingPayload lighting = BuildLighting(m_model);

  // Every packet is tried; each copy follows only what the mouse acknowledged.
  bool complete = true;
  if (Differs(m_dpiSent, dpi)) {
    const bool x = Send(kDpiLevels, kDpiPacketX, DpiPacket(dpi, false));
    const bool y = Send(kDpiLevels, kDpiPacketY, DpiPacket(dpi, true));
    if (x && y) {
      m_dpiSent = dpi;
    } else {
      complete = false;
    }
  }
  if (Differs(m_coloursSent, colours)) {
    if (Send(kDpiColours, kSinglePacket, colours)) {
      m_coloursSent = colours;
    } else {
      complete = false;
    }
  }
  const struct {
    uint8_t command;
    uint8_t value;
    uint8_t& copy;
  } singles[] = {{kPolling, polling, m_pollingSent},
                 {kLiftOff, lift, m_liftSent},
                 {kDebounce, debounce, m_debounceSent}};
  for (const auto& single : singles) {
    if (single.copy == single.value) continue;
    if (Send(single.command, kSinglePacket, std::array{single.value})) {
      single.copy = single.value;
    } else {
      complete = false;
    }
  }
  if (Differs(m_lightingSent, lighting) || !m_lightingSentValid) {
    if (Send(kLighting, kSinglePacket, lighting, kLightingSendLength)) {
      Store(m_lightingSent, lighting);
      m_lightingSentValid = true;
    } else {
      complete = false;
    }
  }
  return complete;
}

bool SettingsWriter::SendPowerGroup() {
  if (!CanSend()) return false;
  const TriplePayload payload = BuildPower(m_model);
  if (!Differs(m_powerSent, payload)) return true;
  if (!Send(kPower, kSinglePacket, payload)) return false;
  m_powerSent = payload;
  return true;
}

bool SettingsWriter::SendSensorGroup() {
  if (!CanSend()) return false;
  const TriplePayload payload = BuildSensorOptions(m_model);
  if (!Differs(m_sensorSent, payload)) return true;
  if (!Send(kSensorOptions, kSinglePacket, payload)) return false;
  m_sensorSent = payload;
  return true;
}

void SettingsWriter::SnapshotSentState() {
  // A marked group's copies still describe what the mouse holds; its change is not sent yet.
  if (!IsDirty(Group::Keys)) Store(m_keysSent, BuildKeyTable(m_model));
  if (!IsDirty(Group::Dpi)) {
    m_pollingSent = PollingRate::Code(m_model.PollingIndex());
    m_liftSent = LiftOffCode(m_model.PairValue(DeviceModel::LiftDetectionHeight));
    m_debounceSent = DebounceCode(m_model.PairValue(DeviceModel::KeyDebounce));
    m_dpiSent = BuildDpi(m_model);
    m_coloursSent = BuildColours(m_model);
    m_lightingSentValid = false;
  }
  if (!IsDirty(Group::Power)) m_powerSent = BuildPower(m_model);
  if (!IsDirty(Group::Sensor)) m_sensorSent = BuildSensorOptions(m_model);
  if (m_macros) {
    m_macros->AssignMacroSlots();
    m_macros->SendMacros(false);
  }
}
