// The device windows alone on the headless adapter: progress, reset confirmation, pairing,
// the installer download and the on-screen display.

#include <gtest/gtest.h>

#include "base/AppGlobals.h"
#include "views/DeviceViewTest.h"
#include "views/device/DownloadDlg.h"
#include "views/device/FirmwareResetDlg.h"
#include "views/device/OSDDialog.h"
#include "views/device/OsdPresenter.h"
#include "views/device/ParingDlg.h"
#include "views/device/ProgressDlg.h"
#include "views/device/SkinnedDeviceWindows.h"

namespace {

using platform::WindowId;
namespace msg = platform::msg;
constexpr intptr_t kOk = CDlgBase::kIdOk;
constexpr intptr_t kCancel = CDlgBase::kIdCancel;

class DeviceDialogsTest : public DeviceViewTest {};

TEST_F(DeviceDialogsTest, ProgressWindowFillsInStepsOfTwoAndClosesItself) {
  CProgressDlg progress(146, H());
  std::vector<int> seen;
  const uint64_t t0 = desktop.NowMs();
  desktop.ScriptNextModal([&](WindowId) {
    EXPECT_EQ(TitleOf(progress, CProgressDlg::kMessageLabel), u"T146");
    for (int i = 0; i < 3; ++i) {
      desktop.RunFor(10);
      seen.push_back(progress.Position());
    }
  });
  EXPECT_EQ(progress.DoModal(), kOk);
  EXPECT_EQ(seen, (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(progress.Position(), 100);
  EXPECT_EQ(desktop.NowMs() - t0, 50u * 10 + 20) << "50 steps of 10 ms, then 20 ms";
  EXPECT_FALSE(desktop.IsWindow(progress.GetSafeHwnd()));
}

TEST_F(DeviceDialogsTest, ResetConfirmationAnswers) {
  struct Case {
    const char* what;
    std::function<void(CFirmwareResetDlg&)> act;
    intptr_t result;
  };
  const Case cases[] = {
      {"confirm", [&](CFirmwareResetDlg& d) { ClickControl(d, CFirmwareResetDlg::kConfirmButton); },
       kOk},
      {"cancel", [&](CFirmwareResetDlg& d) { ClickControl(d, CFirmwareResetDlg::kCancelButton); },
       kCancel},
      {"escape",
       [&](CFirmwareResetDlg& d) { desktop.PressKey(d.GetSafeHwnd(), platform::kVkEscape); },
       kCancel},
  };
  for (const Case& c : cases) {
    CFirmwareResetDlg dialog(H());
    desktop.ScriptNextModal([&](WindowId) {
      EXPECT_EQ(TitleOf(dialog, CFirmwareResetDlg::kMessageLabel), u"T140");
      EXPECT_EQ(TitleOf(dialog, CFirmwareResetDlg::kConfirmButton), u"T4");
      desktop.PressKey(dialog.GetSafeHwnd(), platform::kVkReturn);  // does not confirm
      c.act(dialog);
    });
    EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
  }

  // Through the device windows the main window asks.
  SkinnedDeviceWindows windows(*services);
  desktop.ScriptNextModal([&](WindowId w) { desktop.PressKey(w, platform::kVkEscape); });
  EXPECT_FALSE(windows.ConfirmFactoryReset());
  EXPECT_FALSE(windows.DeviceBusy());
}

class PairingDialogTest : public DeviceDialogsTest {
 protected:
  void SetUp() override { g_bDeviceActive = false; }
  void TearDown() override { g_bDeviceActive = false; }
  int PairReports() const {
    int n = 0;
    for (uint32_t message : m_host->unrouted) n += message == CParingDlg::kPairMessage;
    return n;
  }
};

TEST_F(PairingDialogTest, AnAlreadyLinkedMouseIsPairedAfterOneSecond) {
  g_bDeviceActive = true;
  CParingDlg pairing(H());
  desktop.ScriptNextModal([&](WindowId w) {
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kStatusLabel), u"T440");  // what to do, not blank
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kTitleLabel), u"T283");
    ClickControl(pairing, CParingDlg::kStartButton);
    EXPECT_EQ(PairReports(), 1);
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kStatusLabel), u"T278");
    desktop.RunFor(1000);
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kStatusLabel), u"T282");
    EXPECT_FALSE(desktop.HasTimer(w, CParingDlg::kTimerTick));
    // Paired: no Start any more, and the other button reads OK instead of Cancel.
    EXPECT_FALSE(pairing.GetControl(CParingDlg::kStartButton)->IsDrawable());
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kCloseButton), u"T4");
    desktop.PressKey(w, CParingDlg::kVkSpace);  // nothing more
    EXPECT_EQ(PairReports(), 1);
    ClickControl(pairing, CParingDlg::kCloseButton);
  });
  EXPECT_EQ(pairing.DoModal(), kCancel);
}

TEST_F(PairingDialogTest, GivesUpOnTheTwentySixthSecondAndRestartsWithoutASecondReport) {
  CParingDlg pairing(H());
  std::vector<std::u16string> texts;
  desktop.ScriptNextModal([&](WindowId w) {
    desktop.PressKey(w, CParingDlg::kVkSpace);
    EXPECT_EQ(PairReports(), 1);
    for (int s = 1; s <= 26; ++s) {
      desktop.RunFor(1000);
      texts.push_back(TitleOf(pairing, CParingDlg::kStatusLabel));
    }
    EXPECT_FALSE(desktop.HasTimer(w, CParingDlg::kTimerTick));
    ClickControl(pairing, CParingDlg::kStartButton);
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kStatusLabel), u"T278");
    EXPECT_EQ(PairReports(), 1) << "the report goes out once per window";
    g_bDeviceActive = true;  // the mouse links meanwhile
    desktop.RunFor(1000);
    EXPECT_EQ(TitleOf(pairing, CParingDlg::kStatusLabel), u"T282");
    desktop.PressKey(w, platform::kVkReturn);  // swallowed
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.PressKey(w, platform::kVkEscape);
  });
  EXPECT_EQ(pairing.DoModal(), kCancel);
  ASSERT_EQ(texts.size(), 26u);
  EXPECT_EQ(texts[0], u"T279");
  EXPECT_EQ(texts[1], u"T280");
  EXPECT_EQ(texts[2], u"T278");
  EXPECT_EQ(texts[24], u"T279") << "second 25 still waits";
  EXPECT_EQ(texts[25], u"T281");
}

class DownloadDialogTest : public DeviceDialogsTest {
 protected:
  const std::u16string url = u"https://h/u/installer_V2.1.7.exe";
  std::u16string Destination() const { return g_strDataDir + u"update.exe"; }
  void SetUp() override { g_strDataDir = platform.files().AppDataFolder() + u"\\"; }
};

TEST_F(DownloadDialogTest, CountsTheSecondsAndEndsWithOkWhenTheFileIsThere) {
  platform.shell().ServeUrl(url, "installer bytes", 2500);
  CDownloadDlg download(u"caption", u"status", Destination(), url, H());
  std::vector<std::u16string> texts;
  const uint64_t t0 = desktop.NowMs();
  desktop.ScriptNextModal([&](WindowId) {
    EXPECT_EQ(TitleOf(download, CDownloadDlg::kTitleLabel), u"") << "the caption is not shown";
    EXPECT_EQ(TitleOf(download, CDownloadDlg::kStatusLabel), u"status");
    ClickControl(download, CDownloadDlg::kStartButton);
    ClickControl(download, CDownloadDlg::kStartButton);  // a second start does nothing
    for (int s = 0; s < 2; ++s) {
      desktop.RunFor(1000);
      texts.push_back(TitleOf(download, CDownloadDlg::kStatusLabel));
    }
  });
  EXPECT_EQ(download.DoModal(), kOk);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"T337", u"T338"}));
  EXPECT_EQ(desktop.NowMs() - t0, 2500u + 100u);
  EXPECT_EQ(platform.files().ReadAll(Destination()), "installer bytes");
  EXPECT_EQ(platform.shell().downloaded, std::vector<std::u16string>{url});
}

TEST_F(DownloadDialogTest, FailureCancelAndABusyWorkerEndWithCancel) {
  // Nothing served: the download fails.
  {
    CDownloadDlg download(u"", u"", Destination(), url, H());
    desktop.ScriptNextModal([&](WindowId) { ClickControl(download, CDownloadDlg::kStartButton); });
    EXPECT_EQ(download.DoModal(), kCancel);
    EXPECT_FALSE(platform.files().FileExists(Destination()));
  }
  // Closed while it runs: cancelled, nothing arrives later.
  platform.shell().ServeUrl(url, "installer bytes", 5000);
  for (uint32_t closer : {CDownloadDlg::kCancelButton, CDownloadDlg::kCloseCross}) {
    CDownloadDlg download(u"", u"", Destination(), url, H());
    desktop.ScriptNextModal([&](WindowId) {
      ClickControl(download, CDownloadDlg::kStartButton);
      desktop.RunFor(1500);
      EXPECT_TRUE(download.Downloading());
      ClickControl(download, closer);
    });
    EXPECT_EQ(download.DoModal(), kCancel);
    EXPECT_EQ(platform.shell().RunningDownloads(), 0u);
    desktop.RunFor(10000);
    EXPECT_FALSE(platform.files().FileExists(Destination())) << closer;
  }
  // Another download still running in the process: Start does nothing.
  struct Quiet : platform::DownloadObserver {
    void OnDownloadProgress(uint64_t, uint64_t) override {}
    void OnDownloadFinished(bool) override {}
  } quiet;
  auto other = platform.shell().StartDownload(url, g_strDataDir + u"other", quiet);
  ASSERT_TRUE(other);
  CDownloadDlg download(u"", u"", Destination(), url, H());
  desktop.ScriptNextModal([&](WindowId w) {
    ClickControl(download, CDownloadDlg::kStartButton);
    EXPECT_FALSE(download.Downloading());
    EXPECT_FALSE(desktop.HasTimer(w, CDownloadDlg::kTimerTick));
    ClickControl(download, CDownloadDlg::kCancelButton);
  });
  EXPECT_EQ(download.DoModal(), kCancel);
}

class OsdTest : public DeviceDialogsTest {
 protected:
  void SetUp() override {
    desktop.SetScreen({1920, 1017}, {0, 0, 1920, 1040}, 1.0f);
    g_strFontFace = u"Tahoma";
  }
  size_t Displays() { return WindowsOfClass(COSDDialog::kClassName).size(); }
  OsdPresenter osd{H()};
};

TEST_F(OsdTest, TwoChangesASecondApartMakeOneWindowThatGoes1800MsAfterTheSecond) {
  struct Router : platform::WindowHandler {
    OsdPresenter* osd;
    platform::LResult OnMessage(WindowId, uint32_t m, platform::WParam w, platform::LParam,
                                bool& handled) override {
      handled = true;
      if (m == msg::kTimer && w == OsdPresenter::kTimerOsd) osd->OnTimer();
      return 0;
    }
  } router;
  router.osd = &osd;
  platform::WindowDesc desc;
  desc.className = u"OsdOwner";
  desc.visible = false;
  const WindowId owner = desktop.CreateWindow(desc, &router);
  osd.SetOwner(owner);

  osd.ShowOSD({u"DPI-1", u"800", u"1000Hz"});
  ASSERT_EQ(Displays(), 1u);
  const WindowId w = osd.Display()->GetSafeHwnd();
  const auto* info = desktop.Info(w);
  EXPECT_EQ(info->desc.kind, platform::WindowKind::Overlay);
  EXPECT_EQ(info->alpha, 128);
  EXPECT_TRUE(info->visible);
  EXPECT_EQ(desktop.WindowRect(w), (platform::Rect{1740, 900, 1920, 1040}));
  EXPECT_NE(desktop.ActiveWindow(), w) << "it never takes the focus";

  desktop.RunFor(1000);
  osd.ShowOSD({u"DPI-2", u"26000", u"8000Hz"});
  EXPECT_EQ(Displays(), 1u);
  EXPECT_EQ(osd.Display()->GetSafeHwnd(), w);
  EXPECT_EQ(osd.Display()->Texts().level, u"DPI-2");
  const uint64_t second = desktop.NowMs();

  // Painted: background, the three lines at their places in their fonts.
  const auto& paint = Paint(w);
  using Kind = platform::headless::DrawOp::Kind;
  std::vector<platform::headless::DrawOp> texts;
  bool filled = false;
  for (const auto& op : paint.Ops()) {
    if (op.kind == Kind::Text) texts.push_back(op);
    if (op.kind == Kind::Fill && op.colour == 0xA449A4) filled = true;
  }
  EXPECT_TRUE(filled);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"DPI-2");
  EXPECT_EQ((platform::Point{texts[0].rect.left, texts[0].rect.top}), (platform::Point{58, 20}));
  EXPECT_EQ(texts[0].font.height, 24);
  EXPECT_EQ(texts[0].font.weight, 700);
  EXPECT_EQ(texts[0].font.charset, 0);
  EXPECT_EQ(texts[1].text, u"26000");
  EXPECT_EQ((platform::Point{texts[1].rect.left, texts[1].rect.top}), (platform::Point{16, 44}));
  EXPECT_EQ(texts[1].font.height, 48);
  EXPECT_EQ(texts[1].font.weight, 400);
  EXPECT_EQ(texts[2].text, u"8000Hz");
  EXPECT_EQ((platform::Point{texts[2].rect.left, texts[2].rect.top}), (platform::Point{50, 92}));
  EXPECT_EQ(texts[0].colour, 0xFFFFFFu);

  // Gone on the sixth tick after the second change. The timer keeps the phase it started
  // with (ticks at 300 ms steps from the first change), so that is 1.7 s after it here.
  while (Displays() == 1u && desktop.NowMs() - second < 5000) desktop.RunFor(1);
  EXPECT_EQ(desktop.NowMs() - second, 1700u);
  EXPECT_EQ(osd.Display(), nullptr);
  EXPECT_FALSE(desktop.HasTimer(owner, OsdPresenter::kTimerOsd));
  desktop.DestroyWindow(owner);
}

}  // namespace
