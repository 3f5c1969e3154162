// The main window with the device link, on the virtual clock against the simulated mouse.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/sim/SimMouse.h"
#include "ui/ControlBase.h"
#include "views/main/DpiPagePart.h"

namespace {

using platform::WindowId;

class MainWindowDeviceTest : public MainWindowFixture {
 protected:
  MainWindowDeviceTest() : MainWindowFixture(/*plugged=*/false) {}
  bool Shown(CVantrelDlg& dlg, uint32_t id) {
    const CControlBase* control = dlg.GetControl(id);
    return control && control->IsDrawable();
  }
  int DeviceInfoReads() const {
    return static_cast<int>(
        std::count_if(mouse.Log().begin(), mouse.Log().end(), [](const SimTraffic& t) {
          return t.transfer == SimTraffic::Transfer::GetFeature && t.ReportId() == 5;
        }));
  }
};

TEST_F(MainWindowDeviceTest, CableMouseIsFoundAtStartAndShownByItsStatusImage) {
  mouse.Plug(ConnectionMode::Wired);
  mouse.ClearLog();
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  EXPECT_TRUE(dlg.Link().Connected());
  EXPECT_TRUE(dlg.Link().HasCommandHandle(ConnectionMode::Wired));
  EXPECT_GE(DeviceInfoReads(), 1);
  // A fresh account asks the mouse before the window shows; the mouse on the cable allows it.
  EXPECT_TRUE(dlg.m_bShownByDevice);
  desktop.RunFor(200);
  EXPECT_TRUE(desktop.IsVisible(dlg.Handle()));
  EXPECT_FALSE(desktop.IsMinimized(dlg.Handle()));
  EXPECT_TRUE(Shown(dlg, CVantrelDlg::kStatusWired));
  EXPECT_FALSE(Shown(dlg, CVantrelDlg::kStatusWireless));
  // Start-up loaded (and, on a fresh account, created) the settings and profile files.
  EXPECT_TRUE(platform.files().FileExists(configDir + u"config.ini"));
  // Nothing is written to the mouse at start: the snapshot marks the profile as sent.
  EXPECT_TRUE(mouse.CommandsSent().empty());
  desktop.RunFor(2500);  // timer 80: a cable is open, so no attention box
  EXPECT_EQ(g_hOpenDialogs[0], 0u);
}

// The profile slots and page tabs switch the whole page, so their release repaints it all.
TEST_F(MainWindowDeviceTest, ReleasesThatRepaintTheWholeWindow) {
  struct CExposed : CVantrelDlg {
    using CVantrelDlg::RepaintsWholeWindowOnRelease;
  } dlg;
  for (uint32_t id : {2040u, 2049u, 2053u, 3001u, 3004u, 3007u, 3009u}) {
    EXPECT_TRUE(dlg.RepaintsWholeWindowOnRelease(id)) << id;
  }
  for (uint32_t id : {2001u, 2048u, 2054u, 3000u, 3005u, 3006u, 3010u}) {
    EXPECT_FALSE(dlg.RepaintsWholeWindowOnRelease(id)) << id;
  }
}

TEST_F(MainWindowDeviceTest, NoMouseShowsTheAttentionBoxAfterTwoSeconds) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  EXPECT_FALSE(dlg.Link().Connected());
  EXPECT_FALSE(Shown(dlg, CVantrelDlg::kStatusWired));
  desktop.RunFor(1900);
  EXPECT_FALSE(desktop.IsVisible(dlg.Handle()));  // only the tray icon, until a mouse allows it
  EXPECT_EQ(g_hOpenDialogs[0], 0u);
  desktop.RunFor(200);
  EXPECT_NE(g_hOpenDialogs[0], 0u);
  EXPECT_TRUE(desktop.IsVisible(g_hOpenDialogs[0]));
  EXPECT_TRUE(desktop.Info(g_hOpenDialogs[0])->topMost);
}

TEST_F(MainWindowDeviceTest, PluggingInLaterIsNoticedAndUnpluggingTheLastEndsTheProgram) {
  CVantrelDlg dlg;
  desktop.ScriptNextModal([&](WindowId) {
    mouse.Plug(ConnectionMode::Wired);
    desktop.RunFor(100);
    EXPECT_TRUE(dlg.Link().Connected());
    EXPECT_TRUE(Shown(dlg, CVantrelDlg::kStatusWired));
    mouse.Unplug(ConnectionMode::Wired);
    desktop.RunFor(100);
  });
  EXPECT_EQ(dlg.DoModal(), CVantrelDlg::kResultOk);
  EXPECT_FALSE(dlg.m_bShowWindow);
}

// A report from the mouse repaints the controls it changed, not the whole window; a report
// that changes nothing repaints nothing.
TEST_F(MainWindowDeviceTest, AReportFromTheMouseRepaintsOnlyWhatItChanged) {
  mouse.Plug(ConnectionMode::Wired);
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(3000);
  const platform::Rect client = desktop.ClientRect(dlg.Handle());
  const auto area = [](const std::vector<platform::Rect>& rects) {
    long long sum = 0;
    for (const platform::Rect& rc : rects) sum += 1LL * rc.Width() * rc.Height();
    return sum;
  };
  const auto covers = [](const std::vector<platform::Rect>& rects, const platform::Rect& rc) {
    return std::any_of(rects.begin(), rects.end(),
                       [&](const platform::Rect& r) { return r.Intersect(rc) == rc; });
  };

  const uint32_t before = DpiPagePart::kFirstLevel + dlg.CurrentProfile().CurrentDPILevelValue;
  const uint32_t after = before == DpiPagePart::kFirstLevel ? before + 1 : before - 1;
  (void)desktop.TakeInvalidated(dlg.Handle());
  mouse.PressDpiButton(ConnectionMode::Wired,
                       static_cast<uint8_t>(after - DpiPagePart::kFirstLevel));
  desktop.RunFor(100);
  const std::vector<platform::Rect> changed = desktop.TakeInvalidated(dlg.Handle());
  ASSERT_EQ(dlg.CurrentProfile().CurrentDPILevelValue, after - DpiPagePart::kFirstLevel);
  ASSERT_FALSE(changed.empty());
  EXPECT_FALSE(covers(changed, client));
  EXPECT_LT(area(changed) * 10, 1LL * client.Width() * client.Height());
  EXPECT_TRUE(covers(changed, dlg.GetControl(before)->m_rc));
  EXPECT_TRUE(covers(changed, dlg.GetControl(after)->m_rc));

  mouse.SendStatus(ConnectionMode::Wired);
  desktop.RunFor(100);
  EXPECT_TRUE(desktop.TakeInvalidated(dlg.Handle()).empty());
}

TEST_F(MainWindowDeviceTest, MouseAskingToLeaveEndsTheProgramAfterATenthOfASecond) {
  mouse.Plug(ConnectionMode::Wired);
  CVantrelDlg dlg;
  uint64_t askedAt = 0;
  desktop.ScriptNextModal([&](WindowId) {
    askedAt = desktop.NowMs();
    mouse.RequestLeave(ConnectionMode::Wired);
  });
  EXPECT_EQ(dlg.DoModal(), CVantrelDlg::kResultOk);
  EXPECT_GE(desktop.NowMs(), askedAt + 100);
}

}  // namespace
