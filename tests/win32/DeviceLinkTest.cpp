// The device link on the Windows adapter: Wine's real setupapi and hid.dll, and the simulated
// mouse with its notices arriving as real WM_DEVICECHANGE messages.

#include <gtest/gtest.h>

#include <vector>

#include "Win32TestSupport.h"
#include "adapters/win32/HidLibrary.h"
#include "adapters/win32/Win32HidBus.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/QuietDeviceHost.h"
#include "device/sim/SimMouse.h"

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowId;
using platform::WParam;
using win32test::PumpUntil;
using win32test::TestPlatform;

// A main window that only records what the link asks of it.
class QuietHost : public QuietDeviceHost, public platform::WindowHandler {
 public:
  WindowId window = 0;
  std::vector<WParam> deviceChanges;
  std::vector<int> attentions;

  QuietHost() {
    TestPlatform();
    platform::WindowDesc desc;
    desc.className = u"VantrelDeviceLinkTest";
    desc.kind = platform::WindowKind::Main;
    desc.visible = false;
    window = platform::Windows().CreateWindow(desc, this);
  }
  ~QuietHost() override { platform::Windows().DestroyWindow(window); }

  void ShowAttention(int text) override { attentions.push_back(text); }

  LResult OnMessage(WindowId, uint32_t message, WParam wParam, LParam, bool& handled) override {
    if (message == platform::msg::kDeviceChange) deviceChanges.push_back(wParam);
    handled = false;
    return 0;
  }
};

// Puts a bus in the platform's place for one test.
class BusSwap {
 public:
  explicit BusSwap(platform::HidBus* bus) : m_saved(platform::Current()) {
    platform::Services services = m_saved;
    services.hid = bus;
    platform::Install(services);
  }
  ~BusSwap() { platform::Install(m_saved); }

 private:
  platform::Services m_saved;
};

TEST(DeviceLinkOnWine, ScanOverTheRealHidClassFindsNoMouse) {
  QuietHost host;
  DeviceLink link(host);
  link.RegisterForDeviceNotifications(host.window);
  link.ScanDevices();
  EXPECT_FALSE(link.Connected());
  for (auto mode : {ConnectionMode::Wired, ConnectionMode::Wireless, ConnectionMode::BLE}) {
    EXPECT_FALSE(link.IsPresent(mode)) << mode;
    EXPECT_FALSE(link.HasCommandHandle(mode)) << mode;
  }
  EXPECT_EQ(link.CommandHandle(), nullptr);
}

// setupapi's class list, counted: every scan costs one.
HDEVINFO(WINAPI* g_realGetClassDevs)(const GUID*, PCWSTR, HWND, DWORD) = nullptr;
int g_classLists = 0;
HDEVINFO WINAPI CountingGetClassDevs(const GUID* guid, PCWSTR enumerator, HWND window,
                                     DWORD flags) {
  ++g_classLists;
  return g_realGetClassDevs(guid, enumerator, window, flags);
}

TEST(DeviceLinkOnWine, AScanListsTheHidClassOnce) {
  QuietHost host;
  platform::win32::FailureLog failures;
  auto library = std::make_unique<platform::win32::HidLibrary>(failures);
  ASSERT_TRUE(library->Loaded()) << failures.Last();
  g_realGetClassDevs = library->GetClassDevs;
  library->GetClassDevs = CountingGetClassDevs;
  platform::win32::Win32HidBus bus(failures, std::move(library));
  BusSwap swap(&bus);
  DeviceLink link(host);
  link.RegisterForDeviceNotifications(host.window);
  g_classLists = 0;
  link.ScanDevices();
  EXPECT_EQ(g_classLists, 1);
  link.ScanDevices();
  EXPECT_EQ(g_classLists, 2);
}

TEST(DeviceLinkOnWine, SimulatedMouseIsFoundAndItsNoticesArriveAsDeviceChanges) {
  QuietHost host;
  SimMouse mouse;
  BusSwap swap(&mouse);
  {
    DeviceLink link(host);
    link.RegisterForDeviceNotifications(host.window);
    mouse.Plug(ConnectionMode::Wired);
    ASSERT_TRUE(PumpUntil([&] { return !host.deviceChanges.empty(); }));
    EXPECT_EQ(host.deviceChanges[0], 0x8000u);

    link.ScanDevices();
    EXPECT_TRUE(link.Connected());
    EXPECT_TRUE(link.IsPresent(ConnectionMode::Wired));
    EXPECT_TRUE(link.HasCommandHandle(ConnectionMode::Wired));
    EXPECT_TRUE(link.IsReaderRunning(ConnectionMode::Wired));

    host.deviceChanges.clear();
    mouse.Unplug(ConnectionMode::Wired);
    ASSERT_TRUE(PumpUntil([&] { return !host.deviceChanges.empty(); }));
    EXPECT_EQ(host.deviceChanges[0], 0x8004u);
    link.ScanDevices();
    EXPECT_FALSE(link.Connected());
    EXPECT_FALSE(link.IsReaderRunning(ConnectionMode::Wired));
  }
}

}  // namespace
