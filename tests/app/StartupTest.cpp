#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "app/VantrelApp.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/StdioFileEx.h"
#include "profiles/GlobalSettings.h"
#include "views/main/FixedArea.h"

namespace {

using platform::WindowId;

class StartupTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  std::vector<std::string> failures;
  const std::u16string dataDir = u"C:\\Users\\player\\AppData\\Roaming\\GamingMouseData20250627A\\";

  void SetUp() override {
    ResetLanguage();
    desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
    // These tests look at the window itself, so it may show without a mouse.
    AllowWindowWithoutMouse(true);
  }
  void AllowWindowWithoutMouse(bool allow) {
    platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1));
    platform.files().CreateDirectory(dataDir + u"config");
    g_strDataDir = dataDir;
    GlobalSettings settings;
    settings.ResetToDefaults(dataDir);
    settings.SetValueAt(GlobalSettings::kNeedPassword, allow ? u"0" : u"1");
    ASSERT_TRUE(SaveGlobalSettings(settings));
  }
  void TearDown() override {
    ResetLanguage();
    g_hOpenDialogs.fill(0);
    CStdioFileEx::ForgetUnreadableFiles();
    EXPECT_TRUE(failures.empty()) << failures.front();
  }
  WindowId MainWindow() { return desktop.FindWindowByClass(u"GamingMouse_QVR"); }
};

TEST_F(StartupTest, FreshAccountGetsFoldersACentredWindowAndATrayIcon) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  const WindowId w = dlg.Handle();
  EXPECT_EQ(g_strExeDir, u"C:\\Program Files\\Vantrel\\");
  EXPECT_EQ(g_strDataDir, dataDir);
  EXPECT_TRUE(platform.files().DirectoryExists(dataDir + u"config"));
  const auto* info = desktop.Info(w);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->desc.title, u"Gaming Mouse");
  EXPECT_TRUE(info->visible);
  // 1920 x 1017 full-screen area: centred.
  EXPECT_EQ(info->rect, (platform::Rect{(1920 - 1127) / 2, (1017 - 740) / 2,
                                        (1920 - 1127) / 2 + 1127, (1017 - 740) / 2 + 740}));
  ASSERT_EQ(platform.tray().icons.size(), 1u);
  EXPECT_EQ(platform.tray().icons[0].id, 128u);
  EXPECT_EQ(platform.tray().icons[0].callbackMessage, 1056u);
  EXPECT_EQ(platform.tray().icons[0].tip, u"Gaming Mouse");
  dlg.Destroy();
  EXPECT_TRUE(platform.tray().icons.empty());
}

TEST_F(StartupTest, AFileThatCannotBeReadIsToldOnceAndLeftAlone) {
  const std::u16string config = dataDir + u"config\\config.ini";
  const std::string before = platform.files().ReadAll(config).value_or("");
  platform.files().FailReadsContaining(u"config.ini");
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  EXPECT_NE(g_hOpenDialogs[0], 0u) << "the notice, before any timer";
  EXPECT_EQ(g_hOpenDialogs[1], 0u) << "one notice";
  dlg.Destroy();
  platform.files().FailReadsContaining(u"");
  EXPECT_TRUE(platform.files().ReadAll(config) == before);
}

TEST_F(StartupTest, WithAPasswordSettingTheWindowStaysHiddenUntilTheMouseAllowsIt) {
  AllowWindowWithoutMouse(false);
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  EXPECT_TRUE(desktop.IsMinimized(dlg.Handle()));
  desktop.RunFor(100);
  EXPECT_FALSE(desktop.IsVisible(dlg.Handle()));
  EXPECT_FALSE(g_bDeviceActive);
  // A show request without a mouse changes nothing.
  desktop.SendMessage(dlg.Handle(), CVantrelDlg::kShowRequestMessage, 0, 0);
  desktop.RunFor(500);
  EXPECT_FALSE(desktop.IsVisible(dlg.Handle()));
  EXPECT_EQ(platform.tray().icons.size(), 1u);  // the tray icon is there all the same
}

TEST_F(StartupTest, SmallScreenNeverGivesANegativePosition) {
  desktop.SetScreen({1024, 700}, {0, 0, 1024, 700}, 1.0f);
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  EXPECT_EQ(desktop.WindowRect(dlg.Handle()), (platform::Rect{0, 0, 1127, 740}));
}

TEST_F(StartupTest, PaintsATextFromTheLanguageFile) {
  platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1));
  platform.files().CreateDirectory(dataDir + u"config");
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(dataDir + u"config\\Lan.txt", CStdioFileEx::kWriteFlags));
  file.WriteString(u"[Setting]\n0=English\n3=Version\n155=No mouse found\n");
  ASSERT_TRUE(file.Close());
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunUntilIdle();
  const auto* paint = desktop.LastPaint(dlg.Handle());
  ASSERT_NE(paint, nullptr);
  // The version label is drawn with the text from the file, in the face the language chose.
  bool versionDrawn = false;
  for (const auto& op : paint->Ops()) {
    if (op.text != u"Version:2.1.6") continue;
    versionDrawn = true;
    EXPECT_EQ(op.font.face, u"Tahoma");
  }
  EXPECT_TRUE(versionDrawn);
}

TEST_F(StartupTest, CloseAndMinimiseButtonsOfThePage) {
  CVantrelDlg dlg;
  desktop.ScriptNextModal([&](WindowId w) {
    const platform::Rect min = dlg.GetControl(FixedArea::kMinimizeButton)->m_rc;
    desktop.Click(w, {min.left + 5, min.top + 5});
    EXPECT_FALSE(desktop.IsVisible(w));
    EXPECT_EQ(platform.tray().icons.size(), 1u);  // the tray icon stays
    desktop.SendMessage(w, CVantrelDlg::kShowRequestMessage, 0, 0);
    EXPECT_TRUE(desktop.IsVisible(w));
    const platform::Rect close = dlg.GetControl(FixedArea::kCloseButton)->m_rc;
    desktop.Click(w, {close.left + 5, close.top + 5});
  });
  EXPECT_EQ(dlg.DoModal(), CVantrelDlg::kResultOk);
  EXPECT_TRUE(platform.tray().icons.empty());
}

TEST_F(StartupTest, EnterAndEscapeDoNotCloseAndTrayExitEndsTheModalLoop) {
  CVantrelDlg dlg;
  desktop.ScriptNextModal([&](WindowId w) {
    desktop.PressKey(w, platform::kVkReturn);
    desktop.PressKey(w, platform::kVkEscape);
    desktop.RunFor(500);
    EXPECT_TRUE(desktop.IsWindow(w));
    EXPECT_TRUE(desktop.IsVisible(w));
    // Right click on the tray icon, then "exit".
    platform.tray().ScriptMenuChoice(CVantrelDlg::kCmdTrayExit);
    desktop.SendMessage(w, 1056, 128, platform::msg::kRButtonUp);
  });
  EXPECT_EQ(dlg.DoModal(), CVantrelDlg::kResultOk);
  ASSERT_EQ(platform.tray().menusShown.size(), 1u);
  const auto& menu = platform.tray().menusShown[0];
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(menu[0].command, 2075u);
  EXPECT_EQ(menu[1].command, 2077u);  // start with Windows
  EXPECT_EQ(menu[2].command, 0u);     // separator
  EXPECT_EQ(menu[3].command, 2076u);
  EXPECT_FALSE(desktop.IsWindow(dlg.Handle()));  // the window is gone once the loop ends
}

TEST_F(StartupTest, ExitClosesOpenDialogsFirst) {
  CVantrelDlg dlg;
  struct Closer : platform::WindowHandler {
    int closes = 0;
    platform::LResult OnMessage(WindowId, uint32_t m, platform::WParam, platform::LParam,
                                bool& handled) override {
      if (m == platform::msg::kClose) ++closes;
      handled = true;
      return 0;
    }
  } other;
  desktop.ScriptNextModal([&](WindowId w) {
    platform::WindowDesc desc;
    desc.className = u"Dialog";
    g_hOpenDialogs[3] = desktop.CreateWindow(desc, &other);
    desktop.SendMessage(w, FixedArea::kCloseButton, 0, 2);
  });
  EXPECT_EQ(dlg.DoModal(), CVantrelDlg::kResultOk);
  EXPECT_EQ(other.closes, 1);
  g_hOpenDialogs.fill(0);
}

TEST_F(StartupTest, SecondInstanceSendsTheShowRequestAndEnds) {
  CVantrelDlg first;
  ASSERT_TRUE(first.Create());
  desktop.SendMessage(first.Handle(), FixedArea::kMinimizeButton, 0, 2);
  EXPECT_FALSE(desktop.IsVisible(first.Handle()));
  platform.system().HoldMutexElsewhere(u"20241115 Mouse 33XX");
  CVantrelApp second;
  EXPECT_FALSE(second.InitInstance());  // returns at once, no second window
  EXPECT_EQ(desktop.AllWindows().size(), 1u);
  EXPECT_TRUE(desktop.IsVisible(first.Handle()));
  EXPECT_EQ(desktop.ActiveWindow(), first.Handle());
}

TEST_F(StartupTest, TimerKeepsTheWindowHiddenWhileItMayNotShow) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  dlg.m_bShowWindow = false;
  desktop.RunFor(100);
  EXPECT_FALSE(desktop.IsVisible(dlg.Handle()));
  dlg.m_bShowWindow = true;
  desktop.SendMessage(dlg.Handle(), CVantrelDlg::kShowRequestMessage, 0, 0);
  desktop.RunFor(1000);
  EXPECT_TRUE(desktop.IsVisible(dlg.Handle()));
}

}  // namespace
