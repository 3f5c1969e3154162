// The simulated mouse itself: what a test relies on when it asserts on its traffic log.

#include "integration/DeviceHarness.h"

namespace {

class SimMouseTest : public DeviceHarness {};

TEST_F(SimMouseTest, EnumeratesOnlyPluggedModesAndItsLookAlikes) {
  platform::HidInterfaceInfo other;
  other.vendorId = 0x1234;
  mouse.AddInterface(40, other);
  EXPECT_FALSE(mouse.At(2));
  mouse.Plug(Wired);
  const auto command = mouse.At(2);
  const auto event = mouse.At(3);
  ASSERT_TRUE(command && event);
  EXPECT_EQ(command->productId, 622);
  EXPECT_EQ(event->inputReportLength, 32);
  EXPECT_NE(command->inputReportLength, 32);
  EXPECT_NE(command->path, event->path);
  ASSERT_TRUE(mouse.At(40));
  // A look-alike opens but cannot be talked to.
  auto device = mouse.Open(40);
  ASSERT_TRUE(device);
  std::array<uint8_t, 32> buffer{0x05};
  EXPECT_FALSE(device->GetFeature(buffer));
  EXPECT_FALSE(mouse.Open(41));
}

TEST_F(SimMouseTest, EventInterfaceTakesNoFeatureReports) {
  mouse.Plug(BLE);
  auto event = mouse.Open(9);
  ASSERT_TRUE(event);
  const auto frame = CommandReport::Build(0x04, 1, 0x01, std::array<uint8_t, 1>{1});
  EXPECT_FALSE(event->SetFeature(frame.wire()));
  EXPECT_EQ(mouse.AcceptedCount(), 0);
}

TEST_F(SimMouseTest, DeviceInfoCarriesSignatureLinkAndFirmwareBytes) {
  mouse.Plug(Wireless);
  mouse.SetFirmwareBytes(0x44, 0x55);
  auto device = mouse.Open(5);
  std::array<uint8_t, 32> buffer;
  for (bool on : {true, false}) {
    mouse.SetMouseOn(on);
    buffer.fill(0xFF);
    buffer[0] = 0x05;
    ASSERT_TRUE(device->GetFeature(buffer));
    EXPECT_EQ(buffer[1], '1');
    EXPECT_EQ(buffer[4], '0');
    EXPECT_EQ(buffer[5], on ? 1 : 0);
    EXPECT_EQ(buffer[8], 0x44);
    EXPECT_EQ(buffer[9], 0x55);
    EXPECT_EQ(buffer[31], 0);
  }
}

TEST_F(SimMouseTest, UnplugEndsReadersFailsHandlesAndPostsNotices) {
  StartUp();  // registers the window for notices
  mouse.Plug(Wired);
  auto command = mouse.Open(2);
  auto event = mouse.Open(3);
  int ended = 0;
  std::vector<std::vector<uint8_t>> reports;
  event->StartReading([&](std::vector<uint8_t> r, uint64_t) { reports.push_back(std::move(r)); },
                      [&] { ++ended; });
  mouse.PressDpiButton(Wired, 3);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0][2], 3);
  EXPECT_EQ(desktop.PostedCount(), 1u);  // arrival
  mouse.Unplug(Wired);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(desktop.PostedCount(), 2u);  // removal
  std::array<uint8_t, 32> buffer{0x06};
  EXPECT_FALSE(command->GetFeature(buffer));
  mouse.Plug(Wired);
  EXPECT_FALSE(command->GetFeature(buffer)) << "a handle from before the unplug stays dead";
  mouse.PressDpiButton(Wired, 4);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(SimMouseTest, TrafficLogHasDirectionModeAndVirtualTime) {
  mouse.Plug(Wired);
  StartUp();
  mouse.ClearLog();
  desktop.RunFor(250);
  (void)link.SendCommand(0x09, 0x01, std::array<uint8_t, 1>{3});
  mouse.PressDpiButton(Wired, 2);
  const auto& log = mouse.Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].transfer, SimTraffic::Transfer::SetFeature);
  EXPECT_EQ(log[0].timeMs, 250u);
  EXPECT_EQ(log[1].transfer, SimTraffic::Transfer::GetFeature);
  EXPECT_EQ(log[1].timeMs, 310u);
  EXPECT_EQ(log[2].transfer, SimTraffic::Transfer::Input);
  EXPECT_EQ(log[2].At(2), 2);
  for (const auto& t : log) EXPECT_EQ(t.mode, Wired);
}

}  // namespace
