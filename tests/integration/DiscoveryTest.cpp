// Finding the mouse and following its connection modes on the virtual clock.

#include "integration/DeviceHarness.h"

namespace {

class DiscoveryTest : public DeviceHarness {};

TEST_F(DiscoveryTest, NoDeviceAtAll) {
  StartUp();
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(link.CommandHandle(), nullptr);
  ASSERT_FALSE(host.images.empty());
  EXPECT_EQ(host.images.back(), std::nullopt);
  // Timer 80 as started at start-up: the no-device box, once.
  host.SetTimer(DeviceHost::kTimerLinkState, 2000);
  desktop.RunFor(5000);
  EXPECT_EQ(host.attentions, std::vector<int>{155});
  // A write with nothing to write to (the window was shown without waiting for the device).
  model.pollingIndex = 5;
  Edit(Group::Dpi);
  desktop.RunFor(100);
  EXPECT_TRUE(mouse.Log().empty());
}

TEST_F(DiscoveryTest, HandleChoiceFollowsWiredThenBleThenReceiver) {
  struct Case {
    std::vector<ConnectionMode::Kind> plugged;
    ConnectionMode::Kind expected;
  };
  const Case cases[] = {
      {{Wireless}, Wireless},
      {{Wired, Wireless}, Wired},
      {{BLE, Wireless}, BLE},
      {{Wired, BLE, Wireless}, Wired},
  };
  for (const auto& c : cases) {
    for (auto m : {Wired, Wireless, BLE}) mouse.Unplug(m);
    for (auto m : c.plugged) mouse.Plug(m);
    mouse.ClearLog();
    link.ScanDevices();
    ASSERT_TRUE(link.Connected());
    EXPECT_EQ(host.images.back(), c.expected);
    model.pollingIndex = static_cast<uint8_t>(model.pollingIndex == 3 ? 4 : 3);
    writer.MarkDirty(Group::Dpi);
    EXPECT_TRUE(writer.SendDpiGroup());
    ASSERT_FALSE(Sent().empty());
    for (const auto& t : Sent()) EXPECT_EQ(t.mode, c.expected);
  }
}

TEST_F(DiscoveryTest, EventInterfaceIsNeverTakenAsCommandInterface) {
  // Both interfaces sit on usage page 0x000A; put the event interface first.
  mouse.SetIndexes(Wired, 7, 1);
  // Look-alikes: another vendor's command-like interface and one of our product that is an
  // event interface with the command usage page.
  platform::HidInterfaceInfo other;
  other.vendorId = 0x046D;
  other.productId = 622;
  other.usagePage = 0x000A;
  mouse.AddInterface(0, other);
  mouse.Plug(Wired);
  StartUp();
  EXPECT_EQ(link.Mode(Wired).eventIndex, 1);
  EXPECT_EQ(link.Mode(Wired).commandIndex, 7);
  EXPECT_TRUE(link.IsReaderRunning(Wired));
  EXPECT_NE(link.CommandHandle(), nullptr);
}

TEST_F(DiscoveryTest, OnlyIndexesUpTo149AreSeen) {
  mouse.SetIndexes(Wired, 150, 3);
  mouse.SetIndexes(Wireless, 149, 148);
  mouse.Plug(Wired);
  mouse.Plug(Wireless);
  StartUp();
  EXPECT_FALSE(link.IsPresent(Wired));
  EXPECT_TRUE(link.IsPresent(Wireless));
  EXPECT_EQ(host.images.back(), Wireless);
}

TEST_F(DiscoveryTest, AScanEnumeratesOnceAndKeepsOnlyTheDeviceItOpened) {
  mouse.Plug(Wired);
  mouse.Plug(Wireless);
  const int before = mouse.Enumerations();
  StartUp();
  EXPECT_EQ(mouse.Enumerations() - before, 1) << "one enumeration for the whole scan";
  ASSERT_TRUE(link.HasCommandHandle(Wired));

  // Another vendor's device took the cable's command index after the scan.
  platform::HidInterfaceInfo other;
  other.vendorId = 0x046D;
  other.productId = 622;
  other.usagePage = 0x000A;
  mouse.ReplaceAtNextOpen(2, other);
  link.OpenCommandInterface(Wired);
  EXPECT_FALSE(link.HasCommandHandle(Wired));
  EXPECT_EQ(link.CommandMode(), Wireless);
}

TEST_F(DiscoveryTest, WiredVersionNumberAndFirmwareBytesAreKept) {
  mouse.SetVersionNumber(Wired, 0x0215);
  mouse.SetFirmwareBytes(0x31, 0x07);
  mouse.Plug(Wired);
  StartUp();
  EXPECT_EQ(link.WiredVersionNumber(), 0x0215);
  EXPECT_EQ(link.FirmwareBytes(), (std::array<uint8_t, 2>{0x31, 0x07}));
}

TEST_F(DiscoveryTest, ArrivalWhileAllThreeModesArePresentDoesNothing) {
  for (auto m : {Wired, Wireless, BLE}) mouse.Plug(m);
  StartUp();
  desktop.RunFor(0);
  const int refreshes = host.refreshes;
  const size_t images = host.images.size();
  mouse.ClearLog();
  link.OnDeviceChange(DeviceLink::kDeviceArrival);
  EXPECT_EQ(host.refreshes, refreshes);
  EXPECT_EQ(host.images.size(), images);
  EXPECT_TRUE(mouse.Log().empty());
}

TEST_F(DiscoveryTest, PluggingInLaterScansShowsTheWindowAndRefreshesTwice) {
  host.showWindow = false;  // waiting in the tray for the mouse
  g_bDeviceActive = false;
  StartUp();
  EXPECT_FALSE(link.Connected());
  const int refreshes = host.refreshes;
  mouse.Plug(Wireless);  // the notice reaches the window through the message queue
  desktop.RunFor(0);
  EXPECT_TRUE(link.IsPresent(Wireless));
  EXPECT_EQ(host.refreshes, refreshes + 2) << "first connection, then the usual refresh";
  EXPECT_TRUE(host.showWindow);
  EXPECT_TRUE(host.shownByDevice);
  EXPECT_EQ(host.shows, std::vector{DeviceHost::WindowShow::Normal});
  EXPECT_TRUE(g_bDeviceActive);
}

TEST_F(DiscoveryTest, RemovingTheLastInterfaceEndsTheProgramUnlessExpected) {
  mouse.Plug(Wired);
  mouse.Plug(Wireless);
  StartUp();
  mouse.Unplug(Wired);
  desktop.RunFor(0);
  EXPECT_TRUE(host.ends.empty()) << "the receiver is still there";
  EXPECT_EQ(host.images.back(), Wireless);

  link.SetExpectedRemoval(true);  // a firmware update restarts the mouse
  mouse.Unplug(Wireless);
  desktop.RunFor(0);
  EXPECT_TRUE(host.ends.empty());
  EXPECT_FALSE(link.ExpectedRemoval());
  EXPECT_TRUE(host.showWindow);

  mouse.Plug(Wireless);
  desktop.RunFor(0);
  mouse.Unplug(Wireless);
  desktop.RunFor(0);
  ASSERT_EQ(host.ends.size(), 1u);
  EXPECT_EQ(host.ends[0].how, DeviceHost::ProgramEnd::DeviceRemoved);
  EXPECT_FALSE(host.showWindow);
  EXPECT_TRUE(link.FirstConnection());
}

TEST_F(DiscoveryTest, BluetoothDroppingToTheReceiverRereadsTheDeviceInfo) {
  mouse.Plug(BLE);
  mouse.Plug(Wireless);
  StartUp();
  EXPECT_EQ(host.images.back(), BLE);
  mouse.ClearLog();
  const uint64_t t0 = Now();
  mouse.Unplug(BLE);
  desktop.RunFor(1000);
  std::vector<uint64_t> infoReads;
  for (const auto& t : mouse.Log()) {
    if (t.transfer == SimTraffic::Transfer::GetFeature && t.ReportId() == 0x05) {
      EXPECT_EQ(t.mode, Wireless);
      infoReads.push_back(t.timeMs);
    }
  }
  EXPECT_EQ(infoReads, std::vector<uint64_t>{t0 + 300});
  EXPECT_EQ(host.images.back(), Wireless);
  EXPECT_FALSE(desktop.HasTimer(host.window, DeviceHost::kTimerRescan));
}

TEST_F(DiscoveryTest, ReaderRestartsAfterItsInterfaceCameBack) {
  mouse.Plug(Wired);
  mouse.Plug(Wireless);
  StartUp();
  mouse.Unplug(Wired);
  desktop.RunFor(0);
  EXPECT_FALSE(link.IsReaderRunning(Wired));
  mouse.Plug(Wired);
  desktop.RunFor(0);
  EXPECT_TRUE(link.IsReaderRunning(Wired));
  mouse.PressDpiButton(Wired, 5);
  EXPECT_EQ(model.currentLevel, 5);
}

TEST_F(DiscoveryTest, LinkIndicationForTheReceiverAlone) {
  mouse.Plug(Wireless);
  mouse.SetMouseOn(false);
  StartUp();
  EXPECT_FALSE(g_bDeviceActive) << "the device info says: not linked";
  desktop.RunFor(1000);
  EXPECT_EQ(host.notLinkedLabels, std::vector<bool>{true});
  mouse.FindLink();
  desktop.RunFor(100);
  EXPECT_EQ(host.notLinkedLabels, (std::vector<bool>{true, false}));
  mouse.LoseLink();
  desktop.RunFor(100);
  EXPECT_EQ(host.notLinkedLabels, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(events.BatteryLevel(), 0);
  EXPECT_EQ(host.attentions, std::vector<int>{});
}

}  // namespace

namespace {

class QuickReplugTest : public DeviceHarness {};

TEST_F(QuickReplugTest, HandleThatFailedIsReopenedWhenTheModeIsStillThere) {
  mouse.Plug(Wired);
  StartUp();
  // Out and back in before the window handles either notice.
  mouse.Unplug(Wired);
  mouse.Plug(Wired);
  model.pollingIndex = 1;
  Edit(Group::Dpi);
  desktop.RunFor(1000);  // both notices, then the write on the handle that still works
  EXPECT_TRUE(host.ends.empty());
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x04);

  // Now the write comes first and meets the dead handle: it is reopened at once.
  mouse.Unplug(Wired);
  mouse.Plug(Wired);
  EXPECT_TRUE(link.SendCommand(0x09, 0x01, std::array<uint8_t, 1>{5}));
  desktop.RunFor(0);
  EXPECT_TRUE(host.ends.empty());
}

TEST_F(QuickReplugTest, HandleThatDiesWithoutANoticeIsReopenedAtOnce) {
  mouse.Plug(Wired);
  StartUp();
  mouse.DropHandles(Wired);
  mouse.ClearLog();
  const int before = mouse.Enumerations();
  model.pollingIndex = 1;
  Edit(Group::Dpi);
  desktop.RunFor(1000);
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x04);
  EXPECT_EQ(SentCommands(), (std::vector<std::string>{"04/01", "04/01", "06/01"}))
      << "one try on the dead handle, the next on the reopened one";
  EXPECT_EQ(mouse.Enumerations() - before, 1);
  EXPECT_TRUE(link.IsReaderRunning(Wired)) << "the reader came back with the rescan";
  mouse.PressDpiButton(Wired, 6);
  EXPECT_EQ(model.currentLevel, 6);
  EXPECT_FALSE(writer.IsDirty(Group::Dpi));

  // A handle that keeps failing costs one rescan per packet, not one per try.
  mouse.FailSetFeature(1000);
  const int failing = mouse.Enumerations();
  EXPECT_FALSE(link.SendCommand(0x09, 0x01, std::array<uint8_t, 1>{5}));
  EXPECT_FALSE(link.SendCommand(0x09, 0x01, std::array<uint8_t, 1>{6}));
  EXPECT_EQ(mouse.Enumerations() - failing, 2);
}

}  // namespace

namespace {

class DeviceInfoTest : public DeviceHarness {};

TEST_F(DeviceInfoTest, ShowsTheWaitingWindowThenMinimisesItOnceWhileTheMouseIsOff) {
  host.showWindow = false;
  mouse.SetMouseOn(false);
  mouse.Plug(Wireless);
  StartUp();
  EXPECT_TRUE(host.showWindow);
  EXPECT_FALSE(g_bDeviceActive);
  link.ReadDeviceInfo();  // the tray's open action
  link.ReadDeviceInfo();
  EXPECT_EQ(host.shows,
            (std::vector{DeviceHost::WindowShow::Normal, DeviceHost::WindowShow::Minimize}));
  EXPECT_FALSE(host.shownByDevice);
  // A broken answer changes nothing.
  mouse.FailGetFeature(1);
  mouse.SetMouseOn(true);
  link.ReadDeviceInfo();
  EXPECT_FALSE(g_bDeviceActive);
  link.ReadDeviceInfo();
  EXPECT_TRUE(g_bDeviceActive);
}

}  // namespace
