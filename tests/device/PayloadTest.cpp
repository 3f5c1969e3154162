#include <gtest/gtest.h>

#include "device/FakeDeviceModel.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "profiles/SensorDpiTable.h"

namespace {

using W = SettingsWriter;

TEST(PayloadTest, KeyTableSwapsButtonsFourAndFiveAndEndsWithNineFF) {
  FakeDeviceModel model;
  for (int i = 0; i < 6; ++i) model.buttons[i] = {static_cast<uint8_t>(0xA0 + i), 0x11, 0x22};
  const auto p = W::BuildKeyTable(model);
  const uint8_t firstBytes[] = {0xA0, 0xA1, 0xA2, 0xA4, 0xA3, 0xA5};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(p[3 * i], firstBytes[i]) << "wire position " << i;
    EXPECT_EQ(p[3 * i + 1], 0x11);
    EXPECT_EQ(p[3 * i + 2], 0x22);
  }
  for (int i = 18; i < 27; ++i) EXPECT_EQ(p[i], 0xFF);
}

TEST(PayloadTest, LiftAndDebounceCodes) {
  const std::pair<const char16_t*, uint8_t> lift[] = {{u"1", 1}, {u"2", 2},  {u"3", 2}, {u"abc", 2},
                                                      {u"", 2},  {u" 1", 1}, {u"10", 2}};
  for (auto [text, code] : lift) EXPECT_EQ(W::LiftOffCode(text), code);

  const std::pair<const char16_t*, uint8_t> debounce[] = {
      {u"12", 12}, {u"0", 0}, {u"abc", 0}, {u"300", 44}, {u"30ms", 30}};
  for (auto [text, code] : debounce) EXPECT_EQ(W::DebounceCode(text), code);
}

TEST(PayloadTest, DpiCodesFromTheSensorTableOnlyForTheFirstSixLevels) {
  FakeDeviceModel model;
  model.deviceValues.assign(600, 0);
  for (size_t i = 0; i < 600; ++i) model.deviceValues[i] = static_cast<uint16_t>(0x1000 + i);
  model.x = {0, 1, 2, 3, 4, 599, 5, 6};
  model.y = {10, 11, 12, 13, 700, 15, 16, 17};  // 700 is beyond the table
  model.currentLevel = 4;
  model.mask = 0xBF;
  const auto dpi = W::BuildDpi(model);
  const auto xs = W::DpiPacket(dpi, false);
  const auto ys = W::DpiPacket(dpi, true);
  EXPECT_EQ(xs[0], 4);
  EXPECT_EQ(xs[1], 0xBF);
  EXPECT_EQ(ys[0], 4);
  EXPECT_EQ(ys[1], 0xBF);
  auto code = [](const std::array<uint8_t, 18>& p, int level) {
    return p[2 + 2 * level] | p[3 + 2 * level] << 8;
  };
  EXPECT_EQ(code(xs, 0), 0x1000);
  EXPECT_EQ(code(xs, 5), 0x1000 + 599);
  EXPECT_EQ(code(ys, 3), 0x1000 + 13);
  EXPECT_EQ(code(ys, 4), 0) << "an index outside the table";
  for (int level : {6, 7}) {
    EXPECT_EQ(code(xs, level), 0);
    EXPECT_EQ(code(ys, level), 0);
  }
}

TEST(PayloadTest, ColoursGoOutAsRedGreenBlue) {
  FakeDeviceModel model;
  model.colours[0] = platform::Rgb(0x12, 0x34, 0x56);
  model.colours[7] = platform::Rgb(0xAB, 0xCD, 0xEF);
  const auto p = W::BuildColours(model);
  EXPECT_EQ(p[0], 0x12);
  EXPECT_EQ(p[1], 0x34);
  EXPECT_EQ(p[2], 0x56);
  EXPECT_EQ(p[21], 0xAB);
  EXPECT_EQ(p[22], 0xCD);
  EXPECT_EQ(p[23], 0xEF);
}

TEST(PayloadTest, LightingPacksBrightnessAndSpeedOfTheModeAndDirectionOfEffectOne) {
  FakeDeviceModel model;
  model.lightingMode = 6;
  model.brightness[6] = 2;
  model.speed[6] = 4;
  model.direction = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  auto p = W::BuildLighting(model);
  EXPECT_EQ(p[0], 0x00);
  EXPECT_EQ(p[1], 6);
  EXPECT_EQ(p[2], 0x35);
  EXPECT_EQ(p[3], 1);
  for (size_t i = 4; i < p.size(); ++i) EXPECT_EQ(p[i], 0);

  model.speed[6] = 15;  // speed + 1 keeps only its low nibble
  EXPECT_EQ(W::BuildLighting(model)[2], 0x30);
  model.lightingMode = 12;  // no parameter set for it
  p = W::BuildLighting(model);
  EXPECT_EQ(p[1], 12);
  EXPECT_EQ(p[2], 0x11);
}

TEST(PayloadTest, PowerAndSensorOptionsAreLowBytesOfTheirTexts) {
  FakeDeviceModel model;
  model.pairs[DeviceModel::PowerDownTime] = u"8";
  model.pairs[DeviceModel::MotionWakeup] = u"1";
  model.pairs[DeviceModel::MoveLightingOnOffMode] = u"x";
  model.pairs[DeviceModel::AngleSnap] = u"1";
  model.pairs[DeviceModel::MotionSync] = u"0";
  model.pairs[DeviceModel::RippleControl] = u"257";
  EXPECT_EQ(W::BuildPower(model), (W::TriplePayload{8, 1, 0}));
  EXPECT_EQ(W::BuildSensorOptions(model), (W::TriplePayload{1, 0, 1}));
}

TEST(StatusMappingTest, PollingIndexIsLimitedByModeAndClass) {
  struct Case {
    ConnectionMode::Kind mode;
    int cls;
    uint8_t code;
    uint8_t index;
  };
  const Case cases[] = {
      {ConnectionMode::Wired, 8, 0x14, 6},    {ConnectionMode::Wired, 8, 0x08, 0},
      {ConnectionMode::Wired, 4, 0x12, 5},    {ConnectionMode::Wired, 4, 0x14, 5},
      {ConnectionMode::Wired, 2, 0x11, 4},    {ConnectionMode::Wired, 2, 0x12, 4},
      {ConnectionMode::Wired, 1, 0x11, 3},    {ConnectionMode::Wired, 0x31, 0x02, 2},
      {ConnectionMode::BLE, 0x31, 0x11, 3},   {ConnectionMode::BLE, 0x30, 0x04, 1},
      {ConnectionMode::Wireless, 1, 0x14, 6}, {ConnectionMode::Wireless, 1, 0x77, 6},
      {ConnectionMode::Wireless, 4, 0x01, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StatusEvents::PollingIndexFor(c.mode, c.code, c.cls), c.index)
        << "mode " << c.mode << " class " << c.cls << " code " << int(c.code);
  }
}

TEST(StatusMappingTest, SensorCodesAndTheirWords) {
  EXPECT_EQ(StatusEvents::SensorWordFor(0x95), 0x3395);
  EXPECT_EQ(StatusEvents::SensorWordFor(0x50), 0x3950);
  EXPECT_EQ(StatusEvents::SensorWordFor(0x06), 0x0205);
  EXPECT_EQ(StatusEvents::SensorWordFor(0x70), 0x0070);
  EXPECT_FALSE(StatusEvents::SensorWordFor(0x00));
  EXPECT_FALSE(StatusEvents::SensorWordFor(0x51));
  EXPECT_FALSE(StatusEvents::SensorWordFor(0xFF));
  // Every sensor the mouse can report has a DPI table and default levels.
  int known = 0;
  for (int code = 0; code < 256; ++code) {
    const auto word = StatusEvents::SensorWordFor(static_cast<uint8_t>(code));
    if (!word) continue;
    ++known;
    SensorDpiTable table;
    BuildSensorDpiTable(table, *word);
    EXPECT_GT(table.count, 0) << std::hex << *word;
    EXPECT_NE(SensorDpiDefaults(*word), nullptr) << std::hex << *word;
  }
  EXPECT_EQ(known, 15);
}

}  // namespace
