// The mouse's own reports reaching the profile, the window and the timers.

#include "base/Language.h"
#include "integration/DeviceHarness.h"

namespace {

class StatusEventsTest : public DeviceHarness {
 protected:
  void SetUp() override {
    mouse.Plug(Wired);
    StartUp();
    writer.MarkDirty(Group::Dpi);
    writer.WriteChanges();
    mouse.ClearLog();
    host.refreshes = 0;
  }
  void TearDown() override { ResetLanguage(); }
};

TEST_F(StatusEventsTest, DpiButtonChangesTheLevelOnceAndNothingIsWrittenBack) {
  mouse.PressDpiButton(Wired, 4);
  EXPECT_EQ(model.currentLevel, 4);
  EXPECT_EQ(host.osdPosted, 1);
  EXPECT_EQ(host.savePending, 2) << "one from the write in SetUp, one from the report";
  EXPECT_GE(host.refreshes, 1);
  mouse.PressDpiButton(Wired, 4);
  EXPECT_EQ(host.osdPosted, 1) << "the same level again changes nothing";
  desktop.RunFor(100);
  EXPECT_EQ(host.osdDelivered, 1);

  // The snapshot made the new level count as sent: an unrelated DPI-group edit sends only
  // its own packet.
  model.pollingIndex = 2;
  Edit(Group::Dpi);
  desktop.RunFor(1000);
  EXPECT_EQ(SentCommands(), (std::vector<std::string>{"04/01", "06/01"}));
}

TEST_F(StatusEventsTest, ReportWhileTheDpiGroupIsDirtyIsIgnored) {
  model.currentLevel = 2;
  model.pollingIndex = 4;
  writer.MarkDirty(Group::Dpi);
  mouse.PressDpiButton(Wired, 6);
  mouse.ChangePolling(Wired, 0x08, 8);
  mouse.RequestLeave(Wired);  // over the cable the leave test comes after the DPI test
  EXPECT_EQ(model.currentLevel, 2);
  EXPECT_EQ(model.pollingIndex, 4);
  EXPECT_EQ(host.osdPosted, 0);
  desktop.RunFor(500);
  EXPECT_TRUE(host.ends.empty());
}

TEST_F(StatusEventsTest, ReportTheMouseSentBeforeItTookAWriteDoesNotRevertTheEdit) {
  mouse.SetQueuedInput(true);  // reports wait for the UI thread, as on Windows
  // The mouse reports its old 1000 Hz and lighting 0 just before it takes the new rate.
  model.pollingIndex = 1;
  model.lightingMode = 3;
  mouse.ReportBeforeCommand(0x04);
  Edit(Group::Dpi);
  desktop.RunFor(1000);
  EXPECT_EQ(model.pollingIndex, 1);
  EXPECT_EQ(model.lightingMode, 3);
  EXPECT_EQ(host.osdPosted, 0);
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x04);
  mouse.ClearLog();
  Edit(Group::Dpi);
  desktop.RunFor(1000);
  EXPECT_EQ(SentCommands(), std::vector<std::string>{})
      << "the edit counts as sent, not the report";

  // What the mouse reports after the write is taken as before.
  mouse.ChangePolling(Wired, 0x02, 8);
  desktop.RunFor(10);
  EXPECT_EQ(model.pollingIndex, 2);
  EXPECT_EQ(host.osdPosted, 1);
}

TEST_F(StatusEventsTest, PollingReportsAreLimitedByModeAndClass) {
  struct Case {
    ConnectionMode::Kind mode;
    uint8_t code, cls;
    uint8_t index;
    const char16_t* name;
  };
  const Case cases[] = {
      {Wired, 0x12, 4, 5, u"4000Hz"},    {Wired, 0x14, 4, 5, u"4000Hz"},
      {Wired, 0x11, 2, 4, u"2000Hz"},    {Wired, 0x14, 8, 6, u"8000Hz"},
      {Wired, 0x14, 0x31, 6, u"8000Hz"},  // an unknown class keeps the old one (8)
      {BLE, 0x11, 0x31, 3, u"1000Hz"},   {BLE, 0x08, 0x31, 0, u"125Hz"},
      {Wireless, 0x14, 1, 6, u"8000Hz"}, {Wireless, 0x99, 4, 6, u"8000Hz"},
  };
  mouse.Plug(BLE);
  mouse.Plug(Wireless);
  desktop.RunFor(0);
  for (const auto& c : cases) {
    model.pollingIndex = 3;
    model.pollingName = u"1000HZ";
    mouse.ChangePolling(c.mode, c.code, c.cls);
    EXPECT_EQ(model.pollingIndex, c.index) << c.mode << " " << int(c.code) << " " << int(c.cls);
    if (c.index != 3) {
      EXPECT_EQ(model.pollingName, c.name);
    }
  }
  mouse.ChangePolling(BLE, 0x01, 0x31);
  EXPECT_EQ(link.MaxPollingClass(), 0x31);
  mouse.ChangePolling(BLE, 0x01, 0x07);
  EXPECT_EQ(link.MaxPollingClass(), 0x30);
}

TEST_F(StatusEventsTest, ClassChangeRefreshesThePage) {
  mouse.SendStatus(Wired);  // the first report differs from the remembered level (2)
  host.refreshes = 0;
  host.osdPosted = 0;
  mouse.ChangePolling(Wired, 0x01, 4);
  EXPECT_EQ(link.MaxPollingClass(), 4);
  EXPECT_EQ(host.refreshes, 1) << "the class changed, nothing else";
  EXPECT_EQ(host.osdPosted, 0);
}

TEST_F(StatusEventsTest, LaunchRequestsStartOncePerPress) {
  model.urls[1] = u"C:\\Games\\game.exe";
  model.urls[5] = u"https://example.org/";
  for (uint8_t b : {2, 2, 0, 2}) mouse.RequestLaunch(Wired, b);
  EXPECT_EQ(host.opened,
            (std::vector<std::u16string>{u"C:\\Games\\game.exe", u"C:\\Games\\game.exe"}));
  host.opened.clear();
  for (uint8_t b : {7, 0, 9, 200, 6, 1}) mouse.RequestLaunch(Wired, b);
  // Buttons beyond six start nothing; button 1 has nothing bound to open.
  EXPECT_EQ(host.opened, std::vector<std::u16string>{u"https://example.org/"});
}

TEST_F(StatusEventsTest, LightingModeReportSetsModeAndName) {
  g_strLangText[101] = u"Breathing";
  g_strLangText[109] = u"Custom";
  mouse.ChangeLighting(Wired, 2);
  EXPECT_EQ(model.lightingMode, 2);
  EXPECT_EQ(model.lightingName, u"Breathing");
  mouse.ChangeLighting(Wired, 7);
  EXPECT_EQ(model.lightingName, u"Custom");
  mouse.ChangeLighting(Wired, 10);  // no such effect: not stored
  EXPECT_EQ(model.lightingMode, 7);
  EXPECT_EQ(host.osdPosted, 2);
}

TEST_F(StatusEventsTest, OutOfRangeBytesNeverReachTheProfile) {
  std::vector<uint8_t> report(32, 0xFF);
  report[0] = 0x04;
  report[10] = 1;
  mouse.SendInput(Wired, report);
  EXPECT_EQ(model.currentLevel, 1);
  EXPECT_EQ(model.lightingMode, 0);
  EXPECT_EQ(model.pollingIndex, 3) << "unknown code, unknown class: the start-up class 1 limits";
  EXPECT_EQ(link.MaxPollingClass(), 1);
  EXPECT_EQ(events.BatteryLevel(), 255);
  desktop.RunFor(1000);
  ASSERT_FALSE(host.batteries.empty());
  EXPECT_EQ(host.batteries.back().level, 0) << "a level above 100 shows as 0";
  // Short reports and other ids are skipped; the reader keeps reading.
  mouse.SendInput(Wired, {0x04, 1, 5});
  mouse.SendInput(Wired, {0x03, 1, 5, 1, 1, 1, 1, 1, 1, 1, 1});
  EXPECT_TRUE(link.IsReaderRunning(Wired));
  mouse.PressDpiButton(Wired, 0);
  EXPECT_EQ(model.currentLevel, 0);
}

TEST_F(StatusEventsTest, SensorReports) {
  // Same sensor: nothing.
  mouse.ReportSensor(Wired, 0x50);
  EXPECT_EQ(model.globalSaves, 0);
  // Another sensor: stored, written, profiles brought to its defaults and saved.
  mouse.ReportSensor(Wired, 0x95);
  EXPECT_EQ(model.sensor, 0x3395);
  EXPECT_EQ(model.sensorText, u"0x3395");
  EXPECT_EQ(model.preStText, u"0xCC6A");
  EXPECT_EQ(model.globalSaves, 1);
  EXPECT_EQ(model.defaultsApplied, 1);
  EXPECT_EQ(model.profileSaves, 1);
  EXPECT_EQ(model.tableRebuilds, 1);
  EXPECT_EQ(host.sensorTableChanges, 1);
  mouse.ReportSensor(Wired, 0x95);
  EXPECT_EQ(model.globalSaves, 1);
  // An unknown code reloads for the current sensor once, not on every following report.
  mouse.ReportSensor(Wired, 0x77);
  mouse.SendStatus(Wired);
  mouse.SendStatus(Wired);
  EXPECT_EQ(model.sensor, 0x3395);
  EXPECT_EQ(model.globalSaves, 2);
  EXPECT_EQ(model.sensorText, u"0x3395");
  // A sensor with a word below 0x1000 keeps four digits; PreST pads with spaces only when
  // the complement is short, which it never is for these words.
  mouse.ReportSensor(Wired, 0x70);
  EXPECT_EQ(model.sensorText, u"0x0070");
  EXPECT_EQ(model.preStText, u"0xFF8F");
}

TEST_F(StatusEventsTest, BatteryAndChargeShowEverySecondWhileTheWindowIsShown) {
  mouse.ReportBattery(Wired, 57, 1);
  desktop.RunFor(1000);
  ASSERT_FALSE(host.batteries.empty());
  EXPECT_EQ(host.batteries.back().level, 57);
  EXPECT_EQ(host.batteries.back().charge, StatusEvents::kCharging);
  mouse.ReportBattery(Wired, 40, 2);
  desktop.RunFor(1000);
  EXPECT_EQ(host.batteries.back().level, 100) << "fully charged shows 100 %";
  std::vector<int> animation;
  host.batteries.clear();
  desktop.RunFor(5000);
  for (const auto& b : host.batteries) animation.push_back(b.animation);
  EXPECT_EQ(animation.size(), 5u);
  for (int a : animation) EXPECT_TRUE(a == 25 || a == 50 || a == 75 || a == 100) << a;
  host.showWindow = false;
  host.batteries.clear();
  desktop.RunFor(3000);
  EXPECT_TRUE(host.batteries.empty());
}

TEST_F(StatusEventsTest, LeaveRequestEndsTheProgram100MsLater) {
  const uint64_t t0 = Now();
  mouse.RequestLeave(Wired);
  EXPECT_FALSE(link.IsReaderRunning(Wired));
  desktop.RunFor(99);
  EXPECT_TRUE(host.ends.empty());
  desktop.RunFor(1);
  ASSERT_EQ(host.ends.size(), 1u);
  EXPECT_EQ(host.ends[0].how, DeviceHost::ProgramEnd::LeaveRequest);
  EXPECT_EQ(host.ends[0].atMs, t0 + 100);
  desktop.RunFor(1000);
  EXPECT_EQ(host.ends.size(), 1u) << "timer 130 is one shot";
}

TEST_F(StatusEventsTest, ReceiverLeaveRequestIsTestedBeforeTheDpiGroup) {
  mouse.Unplug(Wired);
  mouse.Plug(Wireless);
  desktop.RunFor(0);
  writer.MarkDirty(Group::Dpi);
  mouse.RequestLeave(Wireless);
  desktop.RunFor(100);
  ASSERT_EQ(host.ends.size(), 1u);
  EXPECT_EQ(host.ends[0].how, DeviceHost::ProgramEnd::LeaveRequest);
}

TEST_F(StatusEventsTest, ReceiverReportsFollowTheLink) {
  mouse.Plug(Wireless);
  mouse.Unplug(Wired);
  desktop.RunFor(2000);
  ASSERT_TRUE(host.ends.empty());
  mouse.LoseLink();
  EXPECT_FALSE(g_bDeviceActive);
  EXPECT_EQ(events.BatteryLevel(), 0);
  mouse.PressDpiButton(Wireless, 3);  // the receiver says: not linked; nothing applies
  EXPECT_EQ(model.currentLevel, 1);
  mouse.FindLink();
  EXPECT_TRUE(g_bDeviceActive);
  mouse.PressDpiButton(Wireless, 3);
  EXPECT_EQ(model.currentLevel, 3);
}

}  // namespace
