// The device windows against the simulated mouse on the virtual clock: the firmware window
// running the engine to the end and through cuts, the factory reset with its confirmation
// and progress windows, and pairing through its window.

#include <functional>
#include <memory>

#include "base/Text.h"
#include "device/FactoryReset.h"
#include "device/FirmwareReport.h"
#include "device/FirmwareTestImages.h"
#include "device/sim/SimScript.h"
#include "integration/ProfileDeviceHarness.h"
#include "ui/DialogParts.h"
#include "ui/UiTestSupport.h"
#include "views/FakeViewServices.h"
#include "views/device/CheckFWDlg.h"
#include "views/device/FirmwareResetDlg.h"
#include "views/device/ParingDlg.h"
#include "views/device/SkinnedDeviceWindows.h"

namespace {

using platform::WindowId;
using Outcome = FirmwareUpdater::Outcome;
namespace msg = platform::msg;

// The services of a main window whose device link is the harness's.
class LinkedServices : public FakeViewServices {
 public:
  LinkedServices(CDlgBase& dialog, DeviceLink& link) : FakeViewServices(dialog), m_link(link) {}
  DeviceLink& Link() override { return m_link; }

 private:
  DeviceLink& m_link;
};

// A window whose timer runs `action` once, at a chosen time inside a running update.
class Probe : public platform::WindowHandler {
 public:
  Probe(uint32_t atMs, std::function<void()> action) : m_action(std::move(action)) {
    platform::WindowDesc desc;
    desc.className = u"Probe";
    desc.visible = false;
    m_window = platform::Windows().CreateWindow(desc, this);
    platform::Windows().SetTimer(m_window, 1, atMs);
  }
  ~Probe() override { platform::Windows().DestroyWindow(m_window); }
  platform::LResult OnMessage(WindowId, uint32_t message, platform::WParam, platform::LParam,
                              bool& handled) override {
    handled = true;
    if (message == msg::kTimer) {
      platform::Windows().KillTimer(m_window, 1);
      if (m_action) m_action();
    }
    return 0;
  }

 private:
  WindowId m_window = 0;
  std::function<void()> m_action;
};

platform::Point Centre(const CDlgBase& dialog, uint32_t id) {
  const platform::Rect rc = dialog.GetControl(id)->m_rc;
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

class SystemWindowsTest : public ProfileDeviceHarness {
 protected:
  void SetUp() override {
    ProfileDeviceHarness::SetUp();
    platform.UseInstallation(VANTREL_SOURCE_DIR);
    desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
    g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
    g_hOpenDialogs.fill(0);
    main = std::make_unique<uitest::CTestDlg>(nullptr, 1127, 740);
    ASSERT_TRUE(main->Create());
    services = std::make_unique<LinkedServices>(*main, link);
    g_strLangText[304] = u"Restarting";
    g_strLangText[306] = u"Reconnecting";
  }
  void TearDown() override {
    services.reset();
    main.reset();
    EXPECT_TRUE(failures.empty()) << failures.front();
    g_hOpenDialogs.fill(0);
    ProfileDeviceHarness::TearDown();
  }
  // A mouse on the cable in application mode that allows updates, running older firmware.
  void PrepareUpdate() {
    mouse.Unplug(Wired);
    desktop.RunFor(10);
    mouse.SetVersionNumber(Wired, 0x0200);
    mouse.SetFirmwareBytes(0, 1);
    FirmwareImage carried;
    ASSERT_EQ(carried.LoadFromResources(), FirmwareImage::Check::Ok);
    image = carried;
    mouse.Flash().WriteBase(carried.Base());
    mouse.Flash().InstallApplication(firmware_test::MakeApplication(90000, 0x1234));
    mouse.Plug(Wired);
    desktop.RunFor(10);
    host.ends.clear();  // the unplugging above counts as a removal
  }
  bool RunsImage() const {
    const auto& flash = mouse.Flash().Bytes();
    const auto& app = image.Application();
    return std::equal(app.begin(), app.end(), flash.begin() + FirmwareReport::kAppHeader);
  }
  // Opens the firmware window and lets it run; `whileOpen` runs in its modal loop after
  // `ms` of virtual time (the window is then closed with its close button).
  intptr_t OpenFirmwareWindow(CCheckFWDlg& dialog, uint32_t ms) {
    desktop.ScriptNextModal([&, ms](WindowId w) {
      desktop.RunFor(ms);
      desktop.Click(w, Centre(dialog, CCheckFWDlg::kCloseButton));
    });
    return dialog.DoModal();
  }

  std::vector<std::string> failures;
  std::unique_ptr<uitest::CTestDlg> main;
  std::unique_ptr<LinkedServices> services;
  FirmwareImage image;
};

TEST_F(SystemWindowsTest, TheFirmwareWindowUpdatesToTheEndAndCannotBeClosedMeanwhile) {
  PrepareUpdate();
  CCheckFWDlg dialog(*services);
  SkinnedDeviceWindows windows(*services);
  bool busyDuringUpdate = false;
  bool openAfterCloseAttempts = false;
  // Ten seconds in: the device windows say busy; the close button, Escape and the exit
  // path's WM_CLOSE are all refused for now.
  Probe probe(10000, [&] {
    busyDuringUpdate = windows.DeviceBusy();
    const WindowId w = dialog.GetSafeHwnd();
    desktop.Click(w, Centre(dialog, CCheckFWDlg::kCloseButton));
    desktop.Click(w, Centre(dialog, CCheckFWDlg::kCloseCross));
    desktop.PressKey(w, platform::kVkEscape);
    platform::Windows().SendMessage(w, msg::kClose, 0, 0);
    openAfterCloseAttempts = desktop.IsWindow(w);
  });
  // No script: the window's timer starts the update, and the remembered WM_CLOSE ends the
  // window once the update is over.
  EXPECT_EQ(dialog.DoModal(), CDlgBase::kIdCancel);
  EXPECT_TRUE(busyDuringUpdate);
  EXPECT_TRUE(openAfterCloseAttempts);
  EXPECT_FALSE(windows.DeviceBusy());
  ASSERT_TRUE(dialog.LastOutcome());
  EXPECT_EQ(*dialog.LastOutcome(), Outcome::Updated);
  EXPECT_EQ(dialog.StatusText(), 293);
  EXPECT_EQ(dialog.GetControl(CCheckFWDlg::kPercentLabel)->GetTitle(), u"100.0%");
  EXPECT_TRUE(base::StartsWith(dialog.GetControl(CCheckFWDlg::kImageLine)->GetTitle(), u"CS1:"));
  EXPECT_TRUE(RunsImage());
  EXPECT_EQ(mouse.Restarts(), 1);
  EXPECT_TRUE(host.ends.empty()) << "the restart does not end the program";
  EXPECT_FALSE(link.ExpectedRemoval());
  EXPECT_TRUE(link.IsPresent(Wired)) << "the mouse came back";
}

// The frame's title strip ends at y 29: only the close cross sits in it, every line of the
// window starts below it.
TEST_F(SystemWindowsTest, TheFirmwareWindowKeepsItsLinesBelowTheTitleStrip) {
  CCheckFWDlg dialog(*services);
  std::vector<std::pair<uint32_t, platform::Rect>> placed;
  desktop.ScriptNextModal([&](WindowId w) {
    for (const auto& control : dialog.Layer(0)) placed.emplace_back(control->m_uID, control->m_rc);
    desktop.Click(w, Centre(dialog, CCheckFWDlg::kCloseCross));
  });
  (void)dialog.DoModal();
  ASSERT_FALSE(placed.empty());
  for (const auto& [id, rc] : placed) {
    if (id == CCheckFWDlg::kCloseCross) continue;
    EXPECT_GE(rc.top, ui::kTitleStripBottom) << id;
  }
}

TEST_F(SystemWindowsTest, ARestartRequestThatFailsStillWaitsForTheMouse) {
  PrepareUpdate();
  mouse.FailRestartAnswer();
  CCheckFWDlg dialog(*services);
  EXPECT_EQ(OpenFirmwareWindow(dialog, 80000), CDlgBase::kIdCancel);
  ASSERT_TRUE(dialog.LastOutcome());
  EXPECT_EQ(*dialog.LastOutcome(), Outcome::Updated);
  EXPECT_EQ(dialog.StatusText(), 293);
  EXPECT_TRUE(host.ends.empty()) << "the removal was expected";
  EXPECT_FALSE(link.ExpectedRemoval());
  EXPECT_TRUE(RunsImage());
}

TEST_F(SystemWindowsTest, ACutInEachPhaseFailsInTheWindowAndANewWindowCompletes) {
  // Requests: 1 checksum, 2..33 base window, 34 area look, 35..828 writes, 829..1622
  // read-back, 1623..1628 commit, 1629 restart. The engine's own tests cut at every one;
  // here the window must report each kind of cut and stay closable.
  const struct {
    const char* phase;
    int request;
  } cuts[] = {{"base check", 10}, {"writing", 400}, {"read-back", 1000}, {"commit", 1625}};
  PrepareUpdate();
  for (const auto& cut : cuts) {
    SCOPED_TRACE(cut.phase);
    mouse.UnplugAtReport(cut.request);
    CCheckFWDlg dialog(*services);
    EXPECT_EQ(OpenFirmwareWindow(dialog, 80000), CDlgBase::kIdCancel) << "closable again";
    ASSERT_TRUE(dialog.LastOutcome());
    EXPECT_NE(*dialog.LastOutcome(), Outcome::Updated);
    EXPECT_NE(dialog.StatusText(), 293);
    EXPECT_FALSE(RunsImage());
    mouse.ClearFaults();
    mouse.Plug(Wired);
    desktop.RunFor(10);
  }
  CCheckFWDlg again(*services);
  EXPECT_EQ(OpenFirmwareWindow(again, 80000), CDlgBase::kIdCancel);
  ASSERT_TRUE(again.LastOutcome());
  EXPECT_EQ(*again.LastOutcome(), Outcome::Updated);
  EXPECT_EQ(again.StatusText(), 293);
  EXPECT_TRUE(RunsImage());
}

// What `--simulate` scripts use to show a firmware update through the window.
TEST_F(SystemWindowsTest, AScriptedOlderFirmwareIsBroughtUpToDate) {
  mouse.Unplug(Wired);
  desktop.RunFor(10);
  std::string error;
  auto script = SimScript::Parse("0 oldfirmware\n0 version wired 0x0200\n0 plug wired\n", &error);
  ASSERT_TRUE(script) << error;
  script->RunDue(mouse, 0);
  desktop.RunFor(10);
  FirmwareImage carried;
  (void)carried.LoadFromResources();
  image = carried;
  EXPECT_FALSE(RunsImage());
  struct Quiet : FirmwareProgress {
    void SetImageChecksumLine(const std::u16string&) override {}
    void SetDeviceChecksumLine(const std::u16string&) override {}
    void SetStatus(int, const std::u16string&) override {}
    void SetPercent(const std::u16string&) override {}
    void SetProgress(int, int) override {}
  } quiet;
  FirmwareUpdater updater(link, quiet, carried);
  updater.Open();
  EXPECT_EQ(updater.Run(), Outcome::Updated);
  EXPECT_TRUE(RunsImage());
  EXPECT_EQ(mouse.Flash().SectorErases(), 3) << "the base was already the carried one";
}

TEST_F(SystemWindowsTest, AMouseOutsideApplicationModeGetsText292AndNothingWritten) {
  mouse.Unplug(Wired);
  desktop.RunFor(10);
  mouse.SetVersionNumber(Wired, 0x0100);
  mouse.Plug(Wired);
  desktop.RunFor(10);
  mouse.ClearLog();
  CCheckFWDlg dialog(*services);
  EXPECT_EQ(OpenFirmwareWindow(dialog, 200), CDlgBase::kIdCancel);
  EXPECT_EQ(dialog.StatusText(), 292);
  EXPECT_EQ(dialog.GetControl(CCheckFWDlg::kPercentLabel)->GetTitle(), u"0%");
  EXPECT_TRUE(std::none_of(mouse.Log().begin(), mouse.Log().end(), [](const SimTraffic& t) {
    return t.ReportId() == FirmwareReport::kReportId;
  }));
}

// --- factory reset through its windows ---

class WindowHost : public RecordingHost {
 public:
  DeviceWindows* windows = nullptr;
  bool ConfirmFactoryReset() override { return windows->ConfirmFactoryReset(); }
  void ShowProgress(int text) override {
    RecordingHost::ShowProgress(text);
    windows->ShowProgress(text);
  }
};

TEST_F(SystemWindowsTest, FactoryResetConfirmedAndCancelledThroughItsWindows) {
  WindowHost windowHost;
  SkinnedDeviceWindows windows(*services);
  windowHost.windows = &windows;
  FactoryReset reset(link, writer, windowHost, store, settings);
  Current().PollingRateValue = {5, 0, 0};

  // Cancelled: nothing reaches the mouse and the profile stays.
  mouse.ClearLog();
  desktop.ScriptNextModal([&](WindowId w) { desktop.Click(w, {274, 80}); });
  EXPECT_EQ(reset.Run(), FactoryReset::Result::Cancelled);
  EXPECT_TRUE(mouse.CommandsSent().empty());
  EXPECT_EQ(Current().PollingRateValue[0], 5);

  // Confirmed: command 0x0F, the profile reset, the progress window for half a second.
  desktop.ScriptNextModal([&](WindowId w) { desktop.Click(w, {194, 80}); });
  const uint64_t t0 = desktop.NowMs();
  EXPECT_EQ(reset.Run(), FactoryReset::Result::Done);
  ASSERT_EQ(mouse.CommandsSent().size(), 1u);
  EXPECT_EQ(mouse.CommandsSent()[0].At(1), 0x0F);
  EXPECT_EQ(Current().PollingRateValue[0], 3);
  EXPECT_EQ(windowHost.progress, std::vector<int>{146});
  EXPECT_GE(desktop.NowMs() - t0, 520u) << "the progress window ran";
  EXPECT_EQ(desktop.PendingModalScripts(), 0u);
}

// --- pairing through its window ---

TEST_F(SystemWindowsTest, PairingSucceedsWhenTheMouseLinksAndTimesOutWhenItDoesNot) {
  mouse.Plug(Wireless);
  desktop.RunFor(10);
  // The main window sends the pairing report for message 1174.
  main->react = [&](const uitest::Note& note) {
    if (note.message == CParingDlg::kPairMessage) (void)link.SendPairingReport();
  };
  auto pairingReports = [&] {
    return std::count_if(mouse.Log().begin(), mouse.Log().end(), [](const SimTraffic& t) {
      return t.transfer == SimTraffic::Transfer::SetFeature && t.ReportId() == 0xBC;
    });
  };

  for (bool links : {true, false}) {
    SCOPED_TRACE(links ? "links" : "times out");
    g_bDeviceActive = false;
    mouse.ClearLog();
    CParingDlg pairing(main->GetSafeHwnd());
    uint64_t endedAt = 0;
    desktop.ScriptNextModal([&](WindowId w) {
      const uint64_t t0 = desktop.NowMs();
      desktop.Click(w, Centre(pairing, CParingDlg::kStartButton));
      if (links) {
        desktop.RunFor(3500);
        g_bDeviceActive = true;  // what the receiver's status report makes of the link
      }
      while (desktop.HasTimer(w, CParingDlg::kTimerTick) && desktop.NowMs() - t0 < 60000) {
        desktop.RunFor(100);
      }
      endedAt = desktop.NowMs() - t0;
      desktop.PressKey(w, platform::kVkEscape);
    });
    EXPECT_EQ(pairing.DoModal(), CDlgBase::kIdCancel);
    EXPECT_EQ(pairingReports(), 1);
    EXPECT_EQ(pairing.Session().StatusText(), links ? 282 : 281);
    EXPECT_EQ(endedAt, links ? 4000u : 26000u);
  }
  g_bDeviceActive = true;
}

}  // namespace
