#pragma once
// Writing the current profile to the mouse: four dirty groups, every command payload, the
// last-sent copies that keep a write down to the commands that changed, and the snapshot
// that makes the current state count as sent.

#include <array>
#include <cstdint>
#include <string_view>

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

  void MarkDirty(Group group) { m_dirty[Index(group)] = true; }
  bool IsDirty(Group group) const { return m_dirty[Index(group)]; }

  // The whole write (timer 30, the apply control, after the macro managers).
  void WriteChanges();
  // One per group; each returns at once when no command handle is open.
  void SendKeyTable();
  void SendDpiGroup();
  void SendPowerGroup();
  void SendSensorGroup();
  // Fills the copies from the current profile without sending. The lighting packet does not
  // count as sent: the next DPI-group write sends it whatever it holds.
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

  DeviceLink& m_link;
  DeviceModel& m_model;
  DeviceHost& m_host;
  MacroSync* m_macros = nullptr;

  std::array<bool, 4> m_dirty{};
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
};
