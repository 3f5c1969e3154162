#include "device/sim/SimRunner.h"

#include <gtest/gtest.h>

#include "adapters/headless/HeadlessPlatform.h"

namespace {

class SimRunnerTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;

  static SimScript Script(std::string_view text) {
    std::string error;
    std::optional<SimScript> script = SimScript::Parse(text, &error);
    EXPECT_TRUE(script) << error;
    return script ? *script : SimScript();
  }
  std::optional<std::string> Read(std::u16string_view path) {
    return platform::Files().ReadAll(path);
  }
};

TEST_F(SimRunnerTest, WithoutAScriptTheCableIsPluggedAtStart) {
  SimRunner runner(std::nullopt, u"");
  EXPECT_FALSE(runner.Mouse().IsPlugged(ConnectionMode::Wired));
  runner.Start();
  EXPECT_TRUE(runner.Mouse().IsPlugged(ConnectionMode::Wired));
  EXPECT_FALSE(runner.Mouse().IsPlugged(ConnectionMode::Wireless));
  EXPECT_TRUE(runner.Mouse().At(2).has_value());  // the cable's command interface
}

TEST_F(SimRunnerTest, PlaysTheScriptOnTheClockAndKeepsTheLogFileCurrent) {
  const std::u16string log = u"C:\\sim\\traffic.txt";
  ASSERT_TRUE(platform::Files().CreateDirectory(u"C:\\sim"));
  {
    SimRunner runner(Script("0 plug wireless\n300 plug ble\n1000 status ble\n"), log);
    runner.Start();
    EXPECT_TRUE(runner.Mouse().IsPlugged(ConnectionMode::Wireless));
    EXPECT_FALSE(runner.Mouse().IsPlugged(ConnectionMode::BLE));
    platform.desktop().RunFor(299);
    EXPECT_FALSE(runner.Mouse().IsPlugged(ConnectionMode::BLE));
    platform.desktop().RunFor(1);
    EXPECT_TRUE(runner.Mouse().IsPlugged(ConnectionMode::BLE));

    // A reader on the BLE event interface sees the scripted status report.
    std::unique_ptr<platform::HidDevice> events = runner.Mouse().Open(9);
    ASSERT_NE(events, nullptr);
    int reports = 0;
    events->StartReading([&](std::vector<uint8_t>, uint64_t) { ++reports; }, [] {});
    platform.desktop().RunFor(700);
    EXPECT_EQ(reports, 1);
    platform.desktop().RunFor(300);  // a flush tick
    std::optional<std::string> written = Read(log);
    ASSERT_TRUE(written);
    EXPECT_NE(written->find("input ble"), std::string::npos) << *written;
    EXPECT_FALSE(platform::Files().FileExists(log + u".tmp"));
  }
  std::optional<std::string> last = Read(log);  // written once more as the runner ends
  ASSERT_TRUE(last);
  EXPECT_NE(last->find("input ble"), std::string::npos);
}

TEST_F(SimRunnerTest, LogIsWrittenAtTheEndEvenWithoutATick) {
  const std::u16string log = u"C:\\traffic.txt";
  {
    SimRunner runner(std::nullopt, log);
    runner.Start();
    runner.Mouse().SendStatus(ConnectionMode::Wired);
  }
  std::optional<std::string> written = Read(log);
  ASSERT_TRUE(written);
  EXPECT_NE(written->find("input wired"), std::string::npos) << *written;
}

}  // namespace
