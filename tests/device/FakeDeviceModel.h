#pragma once
// The fields of one current profile and the sensor settings, with the program's defaults, for
// tests of the device link. Counts every save so tests can assert on them.

#include <array>
#include <string>
#include <vector>

#include "device/DeviceModel.h"

class FakeDeviceModel : public DeviceModel {
 public:
  std::array<std::u16string, 23> pairs{};
  std::array<std::array<uint8_t, 3>, 6> buttons{{{0x10, 0x01, 0x00},
                                                 {0x10, 0x02, 0x00},
                                                 {0x10, 0x04, 0x00},
                                                 {0x10, 0x10, 0x00},
                                                 {0x10, 0x08, 0x00},
                                                 {0x40, 0x01, 0x00}}};
  std::array<std::u16string, 6> urls{};
  uint8_t currentLevel = 1;
  uint8_t mask = 0x3F;
  std::array<uint16_t, 8> x{7, 15, 23, 31, 63, 599, 599, 599};
  std::array<uint16_t, 8> y{7, 15, 23, 31, 63, 599, 599, 599};
  std::array<platform::Colour, 8> colours{0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF,
                                          0xFFFF00, 0xFF00FF, 0xFFFFFF, 0xFFFFFF};
  uint8_t pollingIndex = 3;
  std::u16string pollingName = u"1000HZ";
  uint8_t lightingMode = 0;
  std::u16string lightingName;
  std::array<uint8_t, 10> brightness{3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
  std::array<uint8_t, 10> speed{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  std::array<uint8_t, 10> direction{0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  // Wire value of each DPI index of the current sensor (0x3950: 600 indexes, value = index).
  std::vector<uint16_t> deviceValues;
  uint16_t sensor = 0x3950;
  std::u16string sensorText = u"0x3950";
  std::u16string preStText = u"0xC6AF";
  int globalSaves = 0;
  int defaultsApplied = 0;
  int profileSaves = 0;
  int tableRebuilds = 0;

  FakeDeviceModel() {
    pairs[15] = u"0";
    pairs[16] = u"1";
    pairs[17] = u"2";
    pairs[18] = u"2";
    pairs[19] = u"1";
    pairs[20] = u"0";
    pairs[21] = u"1";
    pairs[22] = u"0";
    for (uint16_t i = 0; i < 600; ++i) deviceValues.push_back(i);
  }

  std::u16string PairValue(TextSetting s) const override { return pairs[static_cast<size_t>(s)]; }
  std::array<uint8_t, 3> ButtonCode(int slot) const override { return buttons.at(slot); }
  std::u16string ButtonUrl(int slot) const override { return urls.at(slot); }
  uint8_t CurrentDpiLevel() const override { return currentLevel; }
  void SetCurrentDpiLevel(uint8_t level) override { currentLevel = level; }
  uint8_t DpiLevelMask() const override { return mask; }
  uint16_t DpiIndexX(int level) const override { return x.at(level); }
  uint16_t DpiIndexY(int level) const override { return y.at(level); }
  platform::Colour DpiLevelColour(int level) const override { return colours.at(level); }
  uint8_t PollingIndex() const override { return pollingIndex; }
  void SetPollingRate(uint8_t index, const std::u16string& name) override {
    pollingIndex = index;
    pollingName = name;
  }
  uint8_t LightingMode() const override { return lightingMode; }
  void SetLightingMode(uint8_t mode, const std::u16string& name) override {
    lightingMode = mode;
    lightingName = name;
  }
  uint8_t LightingBrightness(int e) const override { return brightness.at(e); }
  uint8_t LightingSpeed(int e) const override { return speed.at(e); }
  uint8_t LightingDirection(int e) const override { return direction.at(e); }
  std::optional<uint16_t> DpiDeviceValue(uint16_t index) const override {
    if (index >= deviceValues.size()) return std::nullopt;
    return deviceValues[index];
  }
  uint16_t CurrentSensor() const override { return sensor; }
  void SetCurrentSensor(uint16_t s) override { sensor = s; }
  void SetSensorTexts(const std::u16string& s, const std::u16string& p) override {
    sensorText = s;
    preStText = p;
  }
  bool SaveGlobalSettings() override {
    ++globalSaves;
    return true;
  }
  void ApplySensorDefaultsToAllProfiles() override { ++defaultsApplied; }
  void SaveAllProfiles() override { ++profileSaves; }
  void RebuildSensorDpiTable() override { ++tableRebuilds; }
};
