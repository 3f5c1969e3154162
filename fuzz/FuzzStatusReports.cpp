// Feeds arbitrary input reports, device-info answers and device changes to the device link:
// whatever the mouse sends, nothing may index out of bounds or crash.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/DeviceModel.h"
#include "device/QuietDeviceHost.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "device/sim/SimMouse.h"

namespace {

// Bounds-checked storage: an index outside the profile's tables aborts the run.
class CheckedModel : public DeviceModel {
 public:
  std::array<uint8_t, 8> levels{};
  uint8_t level = 1, polling = 3, lighting = 0;
  uint16_t sensor = 0x3950;
  std::u16string PairValue(TextSetting s) const override { return pairs.at(s); }
  std::array<uint8_t, 3> ButtonCode(int slot) const override { return buttons.at(slot); }
  std::u16string ButtonUrl(int slot) const override { return urls.at(slot); }
  uint8_t CurrentDpiLevel() const override { return level; }
  void SetCurrentDpiLevel(uint8_t l) override { level = levels.at(l); }
  uint8_t DpiLevelMask() const override { return 0x3F; }
  uint16_t DpiIndexX(int l) const override { return levels.at(l); }
  uint16_t DpiIndexY(int l) const override { return levels.at(l); }
  platform::Colour DpiLevelColour(int l) const override { return levels.at(l); }
  uint8_t PollingIndex() const override { return polling; }
  void SetPollingRate(uint8_t index, const std::u16string&) override {
    polling = static_cast<uint8_t>(names.at(index));
  }
  uint8_t LightingMode() const override { return lighting; }
  void SetLightingMode(uint8_t mode, const std::u16string&) override {
    lighting = static_cast<uint8_t>(effects.at(mode));
  }
  uint8_t LightingBrightness(int e) const override { return static_cast<uint8_t>(effects.at(e)); }
  uint8_t LightingSpeed(int e) const override { return static_cast<uint8_t>(effects.at(e)); }
  uint8_t LightingDirection(int e) const override { return static_cast<uint8_t>(effects.at(e)); }
  std::optional<uint16_t> DpiDeviceValue(uint16_t index) const override {
    if (index >= 600) return std::nullopt;
    return index;
  }
  uint16_t CurrentSensor() const override { return sensor; }
  void SetCurrentSensor(uint16_t s) override { sensor = s; }
  void SetSensorTexts(const std::u16string&, const std::u16string&) override {}
  bool SaveGlobalSettings() override { return true; }
  void ApplySensorDefaultsToAllProfiles() override {}
  void SaveAllProfiles() override {}
  void RebuildSensorDpiTable() override {}

 private:
  std::array<std::u16string, 23> pairs{};
  std::array<std::array<uint8_t, 3>, 6> buttons{};
  std::array<std::u16string, 6> urls{u"a", u"b", u"c", u"d", u"e", u"f"};
  std::array<int, 7> names{0, 1, 2, 3, 4, 5, 6};
  std::array<int, 10> effects{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
};

using QuietHost = QuietDeviceHost;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* platform = new platform::headless::HeadlessPlatform();
  SimMouse mouse;
  platform->SetHidBus(&mouse);
  CheckedModel model;
  QuietHost host;
  DeviceLink link(host);
  SettingsWriter writer(link, model, host);
  StatusEvents events(link, writer, model, host);
  link.SetStatusEvents(&events);
  for (auto mode : {ConnectionMode::Wired, ConnectionMode::Wireless, ConnectionMode::BLE}) {
    mouse.Plug(mode);
  }
  link.ScanDevices();
  // Each chunk: one control byte, then up to 32 report bytes.
  size_t at = 0;
  while (at < size) {
    const uint8_t control = data[at++];
    const size_t length = std::min<size_t>(control >> 3, size - at);
    std::vector<uint8_t> report(data + at, data + at + length);
    at += length;
    const auto mode = static_cast<ConnectionMode::Kind>((control & 3) % 3);
    switch ((control >> 2) & 1) {
      case 0:
        mouse.SendInput(mode, report);
        break;
      default:
        if (mouse.IsPlugged(mode))
          mouse.Unplug(mode);
        else
          mouse.Plug(mode);
        link.ScanDevices();
        writer.MarkDirty(SettingsWriter::Group::Dpi);
        writer.WriteChanges();
        break;
    }
    (void)events.OnTimer(DeviceHost::kTimerBattery);
    (void)events.OnTimer(DeviceHost::kTimerLinkState);
  }
  link.SetStatusEvents(nullptr);
  return 0;
}
