// The hidraw bus on a fixture sysfs tree shaped like a real one: the mouse on its cable (two
// USB interfaces, the second with the command and the event collection), its receiver, the
// mouse over Bluetooth LE (uhid, no USB release number), a node of the mouse without a report
// descriptor, a keyboard of another vendor and a node whose uevent is unusable.

#include "adapters/posix/HidrawBus.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "adapters/posix/PosixLoop.h"
#include "adapters/posix/SysfsHidraw.h"
#include "base/Text.h"
#include "device/ConnectionMode.h"
#include "device/DeviceLink.h"
#include "device/QuietDeviceHost.h"
#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;
using platform::posix::HidrawBus;
using platform::posix::PosixLoop;
using platform::posix::SysfsHidraw;

const fs::path kClassDir =
    fs::path(VANTREL_SOURCE_DIR) / "tests/adapters/posix/fixtures/sysfs/class/hidraw";

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "vantrel-dev-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

TEST(SysfsHidrawTest, ReadsEveryUsableNodeInNumberOrder) {
  const auto nodes = SysfsHidraw(kClassDir, "/dev").Enumerate();
  std::vector<int> numbers;
  for (const auto& n : nodes) numbers.push_back(n.number);
  // hidraw10 after hidraw7, not after hidraw1; hidraw12 has no HID_ID.
  EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3, 4, 7, 10}));

  const auto& wired = nodes[1];
  EXPECT_EQ(wired.devicePath, "/dev/hidraw1");
  EXPECT_EQ(wired.id.bus, 0x0003);
  EXPECT_EQ(wired.id.vendor, 0x04F3);
  EXPECT_EQ(wired.id.product, 0x026E);
  EXPECT_EQ(wired.version, 0x0201);  // bcdDevice of the USB device
  EXPECT_EQ(wired.name, "Gaming Mouse");
  ASSERT_TRUE(wired.hasDescriptor);
  EXPECT_EQ(wired.descriptor.collections.size(), 2u);

  EXPECT_EQ(nodes[3].version, 0x0105);  // the receiver
  EXPECT_EQ(nodes[4].id.bus, 0x0005);   // Bluetooth through uhid: no release number
  EXPECT_EQ(nodes[4].version, 0);
  EXPECT_FALSE(nodes[5].hasDescriptor);
  EXPECT_EQ(nodes[6].id.vendor, 0x046D);
}

TEST(SysfsHidrawTest, HidIdLines) {
  const struct {
    const char* uevent;
    bool ok;
    uint16_t bus, vendor, product;
  } cases[] = {
      {"DRIVER=hid-generic\nHID_ID=0003:000004F3:0000026E\n", true, 3, 0x04F3, 0x026E},
      {"HID_ID=0005:000004f3:0000026d", true, 5, 0x04F3, 0x026D},
      {"HID_NAME=x\n", false, 0, 0, 0},
      {"HID_ID=0003:000004F3\n", false, 0, 0, 0},
      {"HID_ID=0003:0001004F3:0000026E\n", false, 0, 0, 0},  // more than 16 bits
      {"HID_ID=0003:zz:0000026E\n", false, 0, 0, 0},
      {"XHID_ID=0003:000004F3:0000026E\n", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const auto id = SysfsHidraw::ParseHidId(c.uevent);
    ASSERT_EQ(id.has_value(), c.ok) << c.uevent;
    if (!id) continue;
    EXPECT_EQ(id->bus, c.bus) << c.uevent;
    EXPECT_EQ(id->vendor, c.vendor) << c.uevent;
    EXPECT_EQ(id->product, c.product) << c.uevent;
  }
}

class HidrawBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The device nodes are empty files: they open, and every transfer on them fails.
    for (int n : {0, 1, 2, 3, 4, 7, 10}) {
      std::ofstream(dev.path() / ("hidraw" + std::to_string(n)));
    }
    platform::Services services;
    services.clock = &loop;
    services.windows = &loop;
    services.hid = &bus;
    platform::Install(services);
  }
  void TearDown() override { platform::Install({}); }

  TempDir dev;
  PosixLoop loop;
  HidrawBus bus{loop, SysfsHidraw(kClassDir, dev.path())};
};

TEST_F(HidrawBusTest, OneIndexPerTopLevelCollection) {
  struct Expected {
    uint16_t product, page, input, feature;
  };
  const Expected expected[] = {
      {0x026E, 0x0001, 5, 0}, {0x026E, 0x000A, 0, 136}, {0x026E, 0x000A, 32, 0},
      {0x026F, 0x0001, 5, 0}, {0x026F, 0x000A, 0, 136}, {0x026F, 0x000A, 32, 0},
      {0x026D, 0x0001, 5, 0}, {0x026D, 0x000A, 0, 136}, {0x026D, 0x000A, 32, 0},
      {0x026E, 0x0000, 0, 0},  // no descriptor: listed, but nothing the mouse has
      {0xC31C, 0x0001, 9, 0},
  };
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    const auto info = bus.At(i);
    ASSERT_TRUE(info) << i;
    EXPECT_EQ(info->productId, expected[i].product) << i;
    EXPECT_EQ(info->usagePage, expected[i].page) << i;
    EXPECT_EQ(info->inputReportLength, expected[i].input) << i;
    EXPECT_EQ(info->featureReportLength, expected[i].feature) << i;
  }
  EXPECT_FALSE(bus.At(static_cast<int>(std::size(expected))));
  EXPECT_FALSE(bus.At(-1));
  EXPECT_EQ(base::ToUtf8(bus.At(1)->path), (dev.path() / "hidraw1").string());
}

TEST_F(HidrawBusTest, TheDeviceLinkFindsAllThreeModes) {
  QuietDeviceHost host;
  DeviceLink link(host);
  link.RegisterForDeviceNotifications(0);
  link.ScanDevices();
  ASSERT_TRUE(link.Connected());
  const struct {
    ConnectionMode::Kind kind;
    int command, event;
  } modes[] = {
      {ConnectionMode::Wired, 1, 2}, {ConnectionMode::Wireless, 4, 5}, {ConnectionMode::BLE, 7, 8}};
  for (const auto& m : modes) {
    EXPECT_TRUE(link.IsPresent(m.kind)) << m.kind;
    EXPECT_EQ(link.Mode(m.kind).commandIndex, m.command) << m.kind;
    EXPECT_EQ(link.Mode(m.kind).eventIndex, m.event) << m.kind;
    EXPECT_TRUE(link.HasCommandHandle(m.kind)) << m.kind;
  }
  EXPECT_EQ(link.WiredVersionNumber(), 0x0201);
  // Commands go by cable; on a node that is no device they are not acknowledged.
  EXPECT_FALSE(link.SendCommand(0x04, 0x01, std::array<uint8_t, 1>{0x01}, 0));
}

TEST_F(HidrawBusTest, EveryFailedOpenIsRememberedWithItsReason) {
  fs::remove(dev.path() / "hidraw1");
  ::chmod(dev.path().c_str(), 0755);
  ::chmod((dev.path() / "hidraw4").c_str(), 0);
  // The Bluetooth node may not be opened; the cable's is gone, and fails after it.
  auto check = [&] {
    const bool refused = bus.Open(7) == nullptr && bus.Open(1) == nullptr;
    const auto& failures = bus.OpenFailures();
    return refused && failures.size() == 2 && failures[0].error == EACCES &&
           failures[1].path == (dev.path() / "hidraw1").string() && failures[1].error == ENOENT &&
           bus.PermissionDeniedPath() == (dev.path() / "hidraw4").string();
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  // Root opens any file: the permission error shows for another user only.
  EXPECT_EXIT(
      {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(2);
        std::_Exit(check() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(HidrawBusTest, ANewNodeReachesTheWindowAsAnArrival) {
  struct Window : platform::WindowHandler {
    std::vector<platform::WParam> changes;
    platform::LResult OnMessage(platform::WindowId, uint32_t message, platform::WParam wParam,
                                platform::LParam, bool&) override {
      if (message == platform::msg::kDeviceChange) changes.push_back(wParam);
      return 0;
    }
  } handler;
  const platform::WindowId window = loop.CreateWindow({}, &handler);
  ASSERT_TRUE(bus.RegisterForNotifications(window));
  std::ofstream(dev.path() / "hidraw11");
  std::ofstream(dev.path() / "not-a-hidraw-node");
  // Bounded wait for the watcher; nothing here depends on how long it takes.
  for (int i = 0; i < 200 && handler.changes.empty(); ++i) loop.PumpDelay(25);
  ASSERT_EQ(handler.changes.size(), 1u);
  EXPECT_EQ(handler.changes[0], DeviceLink::kDeviceArrival);

  fs::remove(dev.path() / "hidraw11");
  for (int i = 0; i < 200 && handler.changes.size() < 2; ++i) loop.PumpDelay(25);
  ASSERT_EQ(handler.changes.size(), 2u);
  EXPECT_EQ(handler.changes[1], DeviceLink::kDeviceRemoveComplete);
  loop.DestroyWindow(window);
}

}  // namespace
