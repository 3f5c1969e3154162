#pragma once
// Writing the current profile to the mouse: four dirty groups, every command payload, the
// last-sent copies that keep a write down to the commands that changed, and the snapshot
// that makes the current state count as sent.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "device/CommandReport.h"

class DeviceHost;
class DeviceLink;
class DeviceModel;
class MacroSync;

class SettingsWriter {
 public:
  enum class Group { Keys, Dpi, Power, Sensor };

  enum Command : uint8_t {
    kKeyTable = 0x01,
    kDpiLevels = 0x02,
    kDpiColours = 0x03,
    kPolling = 0x04,
    kLiftOff = 0x05,
    kLighting = 0x06,
    kPower = 0x07,
    kSensorOptions = 0x08,
    kDebounce = 0x09,
  };
  static constexpr uint8_t kDpiPacketX = 0x02;
  static constexpr uint8_t kDpiPacketY = 0x12;
  static constexpr uint8_t kSinglePacket = 0x01;
  static constexpr size_t kLightingSendLength = 33;

  using KeyPayload = std::array<uint8_t, 27>;
  using DpiCopy = std::array<uint8_t, 34>;  // level, mask, 16 bytes X codes, 16 bytes Y codes
  using ColourPayload = std::array<uint8_t, 24>;
  using LightingPayload = std::array<uint8_t, 25>;
  using TriplePayload = std::array<uint8_t, 3>;

  SettingsWriter(DeviceLink& link, DeviceModel& model, DeviceHost& host);

  void SetMacroSync(MacroSync* macros) { m_macros = macros; }

  void MarkDirty(Group group);
  bool IsDirty(Group group) const { return m_dirty[Index(group)]; }
  // Whether the group was marked or being written at `timeMs` (platform clock): a report the
  // mouse sent then may describe the state from before the change and is handled too late to
  // be caught by the mark itself.
  bool PendingAt(Group group, uint64_t timeMs) const;

  // The whole write (timer 30, the apply control, after the macro managers). A group whose
  // packets the mouse did not all acknowledge stays marked and goes out again with the next
  // write; the first such write since the mouse last answered shows text 350.
  void WriteChanges();
  // One per group; each returns at once when no command handle is open. A last-sent copy
  // takes the new payload only when the mouse acknowledged it. True when nothing of the
  // group is left unsent.
  [[nodiscard]] bool SendKeyTable();
  [[nodiscard]] bool SendDpiGroup();
  [[nodiscard]] bool SendPowerGroup();
  [[nodiscard]] bool SendSensorGroup();
  // Fills the copies from the current profile without sending. The lighting packet does not
  // count as sent: the next DPI-group write sends it whatever it holds. A marked group keeps
  // its copies: its change has not reached the mouse yet.
  void SnapshotSentState();

  // --- payloads, as the mouse receives them ---
  static KeyPayload BuildKeyTable(const DeviceModel& model);
  static DpiCopy BuildDpi(const DeviceModel& model);
  // The 18-byte payload of one of the two 0x02 packets, from the copy.
  static std::array<uint8_t, 18> DpiPacket(const DpiCopy& dpi, bool yAxis);
  static ColourPayload BuildColours(const DeviceModel& model);
  static uint8_t LiftOffCode(std::u16string_view liftDetectionHeight);
  static uint8_t DebounceCode(std::u16string_view keyDebounce);
  static LightingPayload BuildLighting(const DeviceModel& model);
  static TriplePayload BuildPower(const DeviceModel& model);
  static TriplePayload BuildSensorOptions(const DeviceModel& model);

 private:
  static constexpr size_t Index(Group g) { return static_cast<size_t>(g); }
  bool CanSend() const;
  // SendCommand that remembers an unacknowledged packet for the notice.
  bool Send(uint8_t command, uint8_t packetField, std::span<const uint8_t> payload,
            size_t sendLength = CommandReport::kLength);

  DeviceLink& m_link;
  DeviceModel& m_model;
  DeviceHost& m_host;
  MacroSync* m_macros = nullptr;
  std::vector<int> m_refusedShown;  // the too-long macros last told about

  std::array<bool, 4> m_dirty{};
  std::array<uint64_t, 4> m_markedAtMs{};
  // From the mark to the end of the write that sent the group, for the last few writes.
  struct Span {
    Group group;
    uint64_t fromMs, toMs;
  };
  std::array<Span, 8> m_pendingSpans{};
  size_t m_nextSpan = 0;
  std::array<uint8_t, 18> m_keysSent{};
  DpiCopy m_dpiSent{};
  ColourPayload m_coloursSent{};
  uint8_t m_pollingSent = 0;
  uint8_t m_liftSent = 0;
  uint8_t m_debounceSent = 0;
  std::array<uint8_t, 4> m_lightingSent{};
  bool m_lightingSentValid = false;
  TriplePayload m_powerSent{};
  TriplePayload m_sensorSent{};
  // A packet of the current write went unacknowledged; the notice was shown for it.
  bool m_unanswered = false;
  bool m_unansweredShown = false;
};
