// The device link bound to the real profile model: what the mouse reports lands in the current
// profile and the global settings, and the DPI codes come from the sensor's table.

#include <gtest/gtest.h>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/DeviceLink.h"
#include "device/ProfileDeviceModel.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "device/sim/SimMouse.h"
#include "integration/DeviceHarness.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"

namespace {

class ProfileModelBindingTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  SimMouse mouse;
  GlobalSettings settings;
  ProfileStore store;
  SensorDpiTable table;
  ProfileDeviceModel model{settings, store, table};
  RecordingHost host;
  DeviceLink link{host};
  SettingsWriter writer{link, model, host};
  StatusEvents events{link, writer, model, host};
  const std::u16string dataDir = u"C:\\Data\\";

  void SetUp() override {
    platform.SetHidBus(&mouse);
    link.SetStatusEvents(&events);
    g_strDataDir = dataDir;
    ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Data"));
    ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Data\\config"));
    settings.ResetToDefaults(dataDir);
    for (int slot = 0; slot < 5; ++slot) ResetProfileToDefaults(store.profiles[slot], slot, 0x3950);
    BuildSensorDpiTable(table, 0x3950);
    g_bDeviceActive = true;
    mouse.Plug(ConnectionMode::Wired);
    link.RegisterForDeviceNotifications(host.window);
    writer.SnapshotSentState();
    link.ScanDevices();
  }
  void TearDown() override {
    platform.SetHidBus(nullptr);
    ResetLanguage();
  }
};

TEST_F(ProfileModelBindingTest, ReportsLandInTheCurrentProfile) {
  settings.SetCurrentProfile(2);
  mouse.PressDpiButton(ConnectionMode::Wired, 4);
  mouse.ChangePolling(ConnectionMode::Wired, 0x12, 8);
  EXPECT_EQ(store.profiles[2].CurrentDPILevelValue, 4);
  EXPECT_EQ(store.profiles[0].CurrentDPILevelValue, 1);
  EXPECT_EQ(store.profiles[2].PollingRateValue, (std::array<uint8_t, 3>{5, 0, 0}));
  EXPECT_EQ(store.profiles[2].PollingRateName, u"4000Hz");

  settings.SetValueAt(GlobalSettings::kCurrentProfile, u"x");  // reads as slot 0
  mouse.PressDpiButton(ConnectionMode::Wired, 0);
  EXPECT_EQ(store.profiles[0].CurrentDPILevelValue, 0);
}

TEST_F(ProfileModelBindingTest, NewSensorRewritesSettingsProfilesAndTable) {
  mouse.ReportSensor(ConnectionMode::Wired, 0x95);
  EXPECT_EQ(settings.SensorId(), 0x3395);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kSensor), u"0x3395");
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kPreST), u"0xCC6A");
  EXPECT_EQ(table.count, 520);
  for (const auto& profile : store.profiles) {
    EXPECT_EQ(profile.XYSettingValueX, (std::array<uint16_t, 8>{7, 15, 23, 31, 63, 519, 519, 519}));
  }
  EXPECT_TRUE(platform.files().FileExists(dataDir + u"config\\config.ini"));
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_TRUE(platform.files().FileExists(settings.ProfileSlotPath(slot))) << slot;
  }
}

TEST_F(ProfileModelBindingTest, DpiCodesComeFromTheSensorTable) {
  settings.SetSensorId(0x3335);
  BuildSensorDpiTable(table, 0x3335);
  store.profiles[0].XYSettingValueX[0] = 7;  // 800 DPI on this sensor
  store.profiles[0].XYSettingValueY[0] = 7;
  writer.MarkDirty(SettingsWriter::Group::Dpi);
  writer.WriteChanges();
  const auto x = mouse.Applied(0x02, 0x02);
  ASSERT_TRUE(x);
  EXPECT_EQ((*x)[2] | (*x)[3] << 8, 9);
}

}  // namespace
