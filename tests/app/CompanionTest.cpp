// The companion in the tray on the virtual clock: profiles that follow the program in front
// (against the simulated mouse), battery notices, the tray's tip and its start entry.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "app/UiDump.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/sim/SimMouse.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "ui/ControlBase.h"
#include "ui/StaticText.h"
#include "views/companion/BatteryNoticeDlg.h"
#include "views/companion/CompanionPart.h"
#include "views/companion/GamesDlg.h"
#include "views/device/OSDDialog.h"
#include "views/main/SystemPart.h"

namespace {

using platform::WindowId;

constexpr const char16_t* kArena = u"C:\\Games\\Arena\\arena.exe";
constexpr const char16_t* kNotepad = u"C:\\windows\\system32\\notepad.exe";
constexpr uint32_t kArenaProcess = 4100;
constexpr uint32_t kNotepadProcess = 4200;
constexpr uint64_t kSendWaitMs = 60;  // each command waits this long for its answer

class CompanionTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  platform::headless::HeadlessPrograms& programs = platform.programs();
  SimMouse mouse;
  std::vector<std::string> failures;
  CVantrelDlg dlg;

  CompanionTest() {
    ResetLanguage();
    platform.UseInstallation(VANTREL_SOURCE_DIR);
    desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
    platform.SetHidBus(&mouse);
    for (auto m : {ConnectionMode::Wireless, ConnectionMode::BLE}) mouse.Unplug(m);
    mouse.Plug(ConnectionMode::Wired);
  }
  ~CompanionTest() override {
    dlg.Destroy();
    g_hOpenDialogs.fill(0);
    platform.SetHidBus(nullptr);
    ResetLanguage();
    EXPECT_TRUE(failures.empty()) << failures.front();
  }

  void Start() {
    ASSERT_TRUE(dlg.Create());
    desktop.RunFor(200);
    ASSERT_NE(dlg.Companion(), nullptr);
  }
  // Slot `slot` brings itself in for `program` (as the games dialog stores it).
  void NameProgram(int slot, std::u16string program, int field = 0) {
    g_ProfileStore.profiles[static_cast<size_t>(slot)].SetPairValue(1 + field, program);
    dlg.RefreshPage();
  }
  int Current() const { return g_GlobalSettings.CurrentProfileIndex(); }
  // The commands sent, without their sequence number and checksum.
  std::vector<std::vector<uint8_t>> Frames() const {
    std::vector<std::vector<uint8_t>> frames;
    for (const SimTraffic& t : mouse.CommandsSent()) {
      std::vector<uint8_t> frame = t.bytes;
      if (frame.size() > 4) frame[2] = frame[4] = 0;
      frames.push_back(frame);
    }
    return frames;
  }
  void Send(uint32_t message, platform::WParam wParam, platform::LParam lParam) {
    desktop.SendMessage(dlg.Handle(), message, wParam, lParam);
  }
  static std::u16string Title(const CDlgBase& window, uint32_t id) {
    const CControlBase* control = window.GetControl(id);
    return control ? control->GetTitle() : u"(missing)";
  }
  std::u16string SlotFile(int slot) {
    const auto bytes = platform.files().ReadAll(g_GlobalSettings.ProfileSlotPath(slot));
    if (!bytes) return u"";
    return std::u16string(reinterpret_cast<const char16_t*>(bytes->data()), bytes->size() / 2);
  }
  CompanionPart& Companion() { return *dlg.Companion(); }
  const OsdTexts* Osd() {
    for (const auto& part : dlg.Parts()) {
      if (auto* system = dynamic_cast<SystemPart*>(part.get())) {
        const COSDDialog* display = system->Osd().Display();
        return display ? &display->Texts() : nullptr;
      }
    }
    return nullptr;
  }
  const std::u16string& Tip() { return platform.tray().icons.at(0).tip; }
};

TEST_F(CompanionTest, AGameInFrontSwitchesItsProfileToTheMouseLikeAClick) {
  Start();
  // The second profile on another DPI level, so that the switches have something to send.
  g_ProfileStore.profiles[1].CurrentDPILevelValue = 4;
  // The first write of a run also sends what it sends once; that is out of the way first.
  Send(CompanionPart::kFirstSlotTab + 2, 0, Notify::kClicked);
  desktop.RunFor(2000);
  Send(CompanionPart::kFirstSlotTab, 0, Notify::kClicked);
  desktop.RunFor(2000);
  NameProgram(1, u"ARENA.EXE");
  ASSERT_EQ(Current(), 0);
  mouse.ClearLog();

  const uint64_t changedAt = desktop.NowMs();
  programs.BringToFront(kArena, kArenaProcess);
  desktop.RunFor(100);
  EXPECT_EQ(Current(), 1);
  const std::vector<SimTraffic> sent = mouse.CommandsSent();
  ASSERT_FALSE(sent.empty());
  // The write starts within 100 ms of the change; each command then takes its answer's wait.
  EXPECT_LE(sent.front().timeMs, changedAt + 100);
  desktop.RunFor(static_cast<uint32_t>(kSendWaitMs * (sent.size() + 1)));
  const std::vector<SimTraffic> all = mouse.CommandsSent();
  EXPECT_LE(all.back().timeMs, changedAt + 100 + kSendWaitMs * all.size());
  const auto switchedIn = Frames();
  EXPECT_EQ(programs.HeldProcess(), kArenaProcess);
  // The display names the profile that came in.
  ASSERT_NE(Osd(), nullptr);
  EXPECT_EQ(Osd()->kind, OsdKind::Profile);
  EXPECT_EQ(Osd()->value, g_ProfileStore.profiles[1].ProfileName());

  // Another program in front: the user's profile comes back.
  mouse.ClearLog();
  programs.BringToFront(kNotepad, kNotepadProcess);
  desktop.RunFor(1000);
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(programs.HeldProcess(), 0u);
  EXPECT_FALSE(Frames().empty());

  // The same frames as a click on the profile's tab.
  mouse.ClearLog();
  g_ProfileStore.profiles[1].SetPairValue(1, u"");
  dlg.RefreshPage();
  Send(CompanionPart::kFirstSlotTab + 1, 0, Notify::kClicked);
  desktop.RunFor(1000);
  EXPECT_EQ(Frames(), switchedIn);
}

TEST_F(CompanionTest, WithoutChangeReportsTheForegroundIsAskedOnceASecondAndOnlyWhenNeeded) {
  programs.SetReportsChanges(false);
  Start();
  desktop.RunFor(10000);
  // No profile names a program: nothing at all.
  EXPECT_FALSE(programs.Watching());
  EXPECT_EQ(programs.ForegroundQueries(), 0);

  NameProgram(2, kArena);
  EXPECT_TRUE(programs.Watching());
  const int before = programs.ForegroundQueries();
  desktop.RunFor(10000);
  EXPECT_EQ(programs.ForegroundQueries() - before, 10);

  programs.BringToFront(kArena, kArenaProcess);
  EXPECT_EQ(Current(), 0);
  desktop.RunFor(1000);
  EXPECT_EQ(Current(), 2);
  // Our own window in front (the user looks at the game's profile) takes nothing away.
  programs.BringOursToFront();
  desktop.RunFor(3000);
  EXPECT_EQ(Current(), 2);
  // The program ends: its held process tells at once.
  programs.EndProcess(kArenaProcess);
  desktop.RunFor(50);
  EXPECT_EQ(Current(), 0);

  // The last name removed: the watch stops.
  NameProgram(2, u"");
  EXPECT_FALSE(programs.Watching());
  const int after = programs.ForegroundQueries();
  desktop.RunFor(5000);
  EXPECT_EQ(programs.ForegroundQueries(), after);
}

TEST_F(CompanionTest, AModalDialogHoldsTheSwitchUntilItCloses) {
  Start();
  NameProgram(1, u"arena.exe");
  desktop.ScriptNextModal([&](WindowId box) {
    programs.BringToFront(kArena, kArenaProcess);
    desktop.RunFor(2000);
    EXPECT_EQ(Current(), 0);
    desktop.SendMessage(box, platform::msg::kClose, 0, 0);
  });
  (void)dlg.ShowMessage(150, ViewServices::Box::Modal);
  desktop.RunFor(CompanionPart::kSwitchWaitingMs + 20);
  EXPECT_EQ(Current(), 1);
}

// The program runs its main window modally for its whole life; only other dialogs hold a switch.
TEST_F(CompanionTest, TheMainWindowsOwnModalLoopHoldsNothing) {
  desktop.ScriptNextModal([&](WindowId main) {
    desktop.RunFor(200);
    NameProgram(1, u"arena.exe");
    programs.BringToFront(kArena, kArenaProcess);
    desktop.RunFor(100);
    EXPECT_EQ(Current(), 1);
    desktop.SendMessage(main, platform::msg::kClose, 0, 0);
  });
  (void)dlg.DoModal();
  EXPECT_EQ(Current(), 1);
}

TEST_F(CompanionTest, BatteryNoticesOncePerDischargeAndTheTip) {
  Start();
  EXPECT_EQ(Tip(), u"Gaming Mouse\n" + g_ProfileStore.profiles[0].ProfileName());
  auto report = [&](uint8_t level, uint8_t charge) {
    mouse.ReportBattery(ConnectionMode::Wired, level, charge);
    desktop.RunFor(50);
  };
  auto levelShown = [&]() -> std::u16string {
    CBatteryNoticeDlg* notice = Companion().Notice();
    if (!notice) return u"none";
    return Title(*notice, CBatteryNoticeDlg::kLevelLabel);
  };
  report(40, 0);
  EXPECT_EQ(levelShown(), u"none");
  EXPECT_NE(Tip().find(u"40%"), std::u16string::npos);
  report(19, 0);
  ASSERT_EQ(levelShown(), u"19%");
  CBatteryNoticeDlg* notice = Companion().Notice();
  EXPECT_TRUE(desktop.Info(notice->GetSafeHwnd())->topMost);
  EXPECT_NE(desktop.ActiveWindow(), notice->GetSafeHwnd());
  EXPECT_EQ(Title(*notice, CBatteryNoticeDlg::kAdviceLabel), LangText(480));
  const platform::Rect work = desktop.WorkArea();
  EXPECT_EQ(desktop.WindowRect(notice->GetSafeHwnd()).right, work.right);
  EXPECT_EQ(desktop.WindowRect(notice->GetSafeHwnd()).bottom, work.bottom);
  EXPECT_NE(UiDump::Format().find("text=19%"), std::string::npos);

  // Closed by the user, it does not come back in the same discharge above 5 %.
  desktop.SendMessage(notice->GetSafeHwnd(), CBatteryNoticeDlg::kCloseButton, 0, Notify::kClicked);
  report(12, 0);
  EXPECT_EQ(levelShown(), u"none");
  report(4, 0);
  EXPECT_EQ(levelShown(), u"4%");
  EXPECT_EQ(Title(*Companion().Notice(), CBatteryNoticeDlg::kAdviceLabel), LangText(481));
  report(3, 0);
  EXPECT_EQ(levelShown(), u"3%");  // the open notice follows the level
  // Charging closes it and arms both notices again.
  report(3, 1);
  EXPECT_EQ(levelShown(), u"none");
  EXPECT_NE(Tip().find(LangText(483).substr(0, 6)), std::u16string::npos);
  report(18, 0);
  EXPECT_EQ(levelShown(), u"18%");
}

TEST_F(CompanionTest, StartWithWindowsIsACheckItemOfTheTrayMenu) {
  Start();
  auto& tray = platform.tray();
  auto openMenu = [&](uint32_t choice) {
    tray.ScriptMenuChoice(choice);
    Send(CVantrelDlg::kTrayCallbackMessage, CVantrelDlg::kTrayIconId, platform::msg::kRButtonUp);
    desktop.RunFor(50);
    return tray.menusShown.back();
  };
  auto menu = openMenu(CompanionPart::kCmdStartWithWindows);
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(menu[0].command, CVantrelDlg::kCmdTrayShow);
  EXPECT_EQ(menu[1].command, CompanionPart::kCmdStartWithWindows);
  EXPECT_FALSE(menu[1].checked);
  EXPECT_EQ(menu[2].command, 0u);
  EXPECT_EQ(menu[3].command, CVantrelDlg::kCmdTrayExit);
  ASSERT_TRUE(platform.autoStart().entry.has_value());
  EXPECT_EQ(*platform.autoStart().entry, u"\"" + platform.files().ExecutablePath() + u"\"");

  menu = openMenu(CompanionPart::kCmdStartWithWindows);
  EXPECT_TRUE(menu[1].checked);
  EXPECT_FALSE(platform.autoStart().entry.has_value());

  // A registry that refuses says so.
  platform.autoStart().refuseWrites = true;
  bool told = false;
  desktop.ScriptNextModal([&](WindowId box) {
    told = true;
    desktop.SendMessage(box, platform::msg::kClose, 0, 0);
  });
  (void)openMenu(CompanionPart::kCmdStartWithWindows);
  EXPECT_TRUE(told);
  EXPECT_FALSE(platform.autoStart().entry.has_value());
}

TEST_F(CompanionTest, TheGamesDialogStoresThePrograms) {
  Start();
  programs.SetIcon(kArena);
  // The file dialog offers programs that exist.
  auto& files = platform.files();
  for (const char16_t* folder : {u"C:\\Games", u"C:\\Games\\Arena"}) {
    ASSERT_TRUE(files.DirectoryExists(folder) || files.CreateDirectory(folder));
  }
  ASSERT_TRUE(files.WriteAll(kArena, "MZ"));
  ASSERT_TRUE(files.WriteAll(u"C:\\Games\\racer.exe", "MZ"));
  CGamesDlg games(dlg, 1);
  desktop.ScriptNextModal([&](WindowId window) {
    platform.shell().ScriptFileDialog(std::u16string(kArena));
    desktop.SendMessage(window, CGamesDlg::kAddButton, 0, Notify::kClicked);
    platform.shell().ScriptFileDialog(u"C:\\Games\\racer.exe");
    desktop.SendMessage(window, CGamesDlg::kAddButton, 0, Notify::kClicked);
    // The same program twice is listed once.
    platform.shell().ScriptFileDialog(u"c:\\games\\arena\\ARENA.exe");
    desktop.SendMessage(window, CGamesDlg::kAddButton, 0, Notify::kClicked);
    EXPECT_EQ(games.Programs().size(), 2u);
    EXPECT_EQ(Title(games, CGamesDlg::kFirstNameLabel), u"arena.exe");
    EXPECT_TRUE(games.GetControl(CGamesDlg::kFirstRemoveButton + 1)->IsDrawable());
    EXPECT_FALSE(games.GetControl(CGamesDlg::kFirstRemoveButton + 2)->IsDrawable());
    // Saved at once, and the watch follows.
    EXPECT_TRUE(programs.Watching());
    const std::u16string saved = SlotFile(1);
    EXPECT_NE(saved.find(u"GameFile0=C:\\Games\\Arena\\arena.exe\n"), std::u16string::npos);
    EXPECT_NE(saved.find(u"GameFile1=C:\\Games\\racer.exe\n"), std::u16string::npos);
    desktop.SendMessage(window, CGamesDlg::kFirstRemoveButton, 0, Notify::kClicked);
    EXPECT_EQ(games.Programs(), std::vector<std::u16string>{u"C:\\Games\\racer.exe"});
    desktop.SendMessage(window, CGamesDlg::kOkButton, 0, Notify::kClicked);
  });
  EXPECT_EQ(games.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(g_ProfileStore.profiles[1].PairValue(1), u"C:\\Games\\racer.exe");
  EXPECT_EQ(g_ProfileStore.profiles[1].PairValue(2), u"");
  const std::u16string text = SlotFile(1);
  EXPECT_NE(text.find(u"GameFile0=C:\\Games\\racer.exe\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"GameFile1=\n"), std::u16string::npos);
}

}  // namespace
