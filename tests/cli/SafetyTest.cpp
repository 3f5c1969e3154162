// vantrelctl on any data folder and in scripts: folders written by the Windows program,
// damaged and unreadable profiles, read-only folders, the lock, output that cannot be
// written, interrupts, refused options, JSON errors, a mouse that goes away.

#include <fstream>
#include <iterator>

#include "base/FileBackup.h"
#include "cli/CtlTestSupport.h"
#include "cli/Help.h"
#include "profiles/ProfileFile.h"
#include "profiles/SensorDpiTable.h"
#include "support/Bytes.h"

namespace {

constexpr char16_t kConfigIni[] = u"C:\\Data\\config\\config.ini";
constexpr char16_t kProfile0[] = u"C:\\Data\\config\\default0.psf";

// A bus that lists the mouse but may not open it, as hidraw without the udev rule.
class RefusingBus : public platform::HidBus {
 public:
  explicit RefusingBus(platform::HidBus& inner) : m_inner(inner) {}
  std::optional<platform::HidInterfaceInfo> At(int index) override { return m_inner.At(index); }
  std::vector<std::optional<platform::HidInterfaceInfo>> Enumerate(int limit) override {
    return m_inner.Enumerate(limit);
  }
  std::unique_ptr<platform::HidDevice> Open(int) override { return nullptr; }
  bool RegisterForNotifications(platform::WindowId window) override {
    return m_inner.RegisterForNotifications(window);
  }

 private:
  platform::HidBus& m_inner;
};

// The file system of the test, telling each replacement of a file to an observer.
class ObservedFiles : public platform::FileSystem {
 public:
  ObservedFiles(platform::FileSystem& inner, std::function<void(std::u16string_view)> onReplace)
      : m_inner(inner), m_onReplace(std::move(onReplace)) {}
  std::optional<std::string> ReadAll(std::u16string_view p) override { return m_inner.ReadAll(p); }
  bool WriteAll(std::u16string_view p, std::string_view b) override {
    return m_inner.WriteAll(p, b);
  }
  bool Replace(std::u16string_view from, std::u16string_view to) override {
    m_onReplace(to);
    return m_inner.Replace(from, to);
  }
  bool Remove(std::u16string_view p) override { return m_inner.Remove(p); }
  bool FileExists(std::u16string_view p) override { return m_inner.FileExists(p); }
  std::vector<std::u16string> FileNames(std::u16string_view f) override {
    return m_inner.FileNames(f);
  }
  bool DirectoryExists(std::u16string_view p) override { return m_inner.DirectoryExists(p); }
  bool CreateDirectory(std::u16string_view p) override { return m_inner.CreateDirectory(p); }
  std::u16string ExecutablePath() override { return m_inner.ExecutablePath(); }
  std::u16string AppDataFolder() override { return m_inner.AppDataFolder(); }

 private:
  platform::FileSystem& m_inner;
  std::function<void(std::u16string_view)> m_onReplace;
};

int DpiOfLevel(const DataFolder& data, int level) {
  return DpiOf(data.table, data.store.profiles[0].XYSettingValueX[static_cast<size_t>(level)]);
}

TEST_F(CtlTest, SlotPathsOfTheWindowsProgramResolveInsideTheFolderInUse) {
  mouse.Plug(Wired);
  const std::u16string windowsFolder =
      u"C:\\users\\me\\AppData\\Roaming\\GamingMouseData20250627A\\config\\";
  Prepare([&](DataFolder& d) {
    for (int slot = 0; slot < 5; ++slot) {
      d.settings.SetValueAt(
          GlobalSettings::kProfileSlot0URL + slot,
          windowsFolder + u"default" + base::FromUtf8(std::to_string(slot)) + u".psf");
    }
    d.Current().XYSettingValueX[1] = d.Current().XYSettingValueY[1] = 31;  // 1600
  });
  ASSERT_EQ(Run({"set", "dpi", "3", "1250"}), ExitCode::Ok) << env.err;
  const auto stored = Stored();
  EXPECT_EQ(DpiOfLevel(*stored, 1), 1600);  // read from the folder, not reset to 800
  EXPECT_EQ(DpiOfLevel(*stored, 2), 1250);
  // The levels that were not changed reached the mouse as they were stored.
  const auto sent = mouse.Applied(SettingsWriter::kDpiLevels, SettingsWriter::kDpiPacketX);
  ASSERT_TRUE(sent);
  ProfileDeviceModel model(stored->settings, stored->store, stored->table);
  const auto expected = SettingsWriter::DpiPacket(SettingsWriter::BuildDpi(model), false);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sent->begin()));
  // config.ini keeps the lines of the program that wrote it.
  const auto config = platform.files().ReadAll(kConfigIni);
  ASSERT_TRUE(config);
  EXPECT_NE(config->find(testbytes::Utf16LeNoMark(windowsFolder + u"default0.psf")),
            std::string::npos);
}

TEST_F(CtlTest, AProfileThatCouldNotBeReadIsNeverSent) {
  mouse.Plug(Wired);
  Prepare([](DataFolder& d) { d.Current().PollingRateValue = {1, 0, 0}; });
  ASSERT_TRUE(platform.files().WriteAll(kProfile0, "damaged"));
  for (const char* setting : {"polling", "buttons"}) {
    SCOPED_TRACE(setting);
    ASSERT_TRUE(platform.files().WriteAll(kProfile0, "damaged"));
    env.err.clear();
    const ExitCode code = std::string(setting) == "polling" ? Run({"set", "polling", "500"})
                                                            : Run({"button", "2", "Copy"});
    EXPECT_EQ(code, ExitCode::BadFile);
    EXPECT_NE(env.err.find("profile 1 could not be read from C:\\Data\\config\\default0.psf"),
              std::string::npos)
        << env.err;
    EXPECT_NE(env.err.find("nothing was sent"), std::string::npos) << env.err;
  }
  EXPECT_TRUE(mouse.CommandsSent().empty());
  // The damaged file is kept; the next run starts from the defaults in its place.
  const auto backups = base::BackupsOf(kProfile0);
  ASSERT_FALSE(backups.empty());
  EXPECT_EQ(platform.files().ReadAll(backups.back()), "damaged");
  EXPECT_EQ(Run({"set", "polling", "500"}), ExitCode::Ok) << env.err;
}

TEST_F(CtlTest, GetReportsADamagedProfileAndKeepsTheFile) {
  Prepare();
  ASSERT_TRUE(platform.files().WriteAll(kProfile0, "damaged"));
  EXPECT_EQ(Run({"get", "polling"}), ExitCode::BadFile);
  EXPECT_EQ(env.out, "polling: 1000 Hz\n");
  EXPECT_NE(env.err.find("the file was kept as C:\\Data\\config\\default0.psf."), std::string::npos)
      << env.err;
  EXPECT_NE(env.err.find("the values shown are its defaults"), std::string::npos) << env.err;
  ASSERT_FALSE(base::BackupsOf(kProfile0).empty());
  env.err.clear();
  EXPECT_EQ(Run({"get", "polling"}), ExitCode::Ok);
  EXPECT_TRUE(env.err.empty()) << env.err;
}

TEST_F(CtlTest, AMistypedDataFolderIsNotMade) {
  EXPECT_EQ(Run({"get", "--data=C:\\Dta"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("there is no data folder C:\\Dta"), std::string::npos) << env.err;
  EXPECT_FALSE(platform.files().DirectoryExists(u"C:\\Dta"));
  // An empty folder that exists is a new data folder.
  ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Fresh"));
  EXPECT_EQ(Run({"get", "polling", "--data=C:\\Fresh"}), ExitCode::Ok) << env.err;
  EXPECT_TRUE(platform.files().FileExists(u"C:\\Fresh\\config\\config.ini"));
}

TEST_F(CtlTest, AFolderThatCannotBeWrittenLeavesTheMouseAlone) {
  mouse.Plug(Wired);
  Prepare();
  platform.files().FailWritesContaining(u"C:\\Data\\config");
  const std::vector<std::vector<std::string>> changes = {{"set", "polling", "500"},
                                                         {"button", "2", "Copy"},
                                                         {"reset", "--yes"},
                                                         {"profile", "switch", "2"}};
  for (const auto& words : changes) {
    SCOPED_TRACE(words[0]);
    env.err.clear();
    EXPECT_EQ(Run(words), ExitCode::Failed);
    EXPECT_NE(env.err.find("cannot be written; nothing was sent"), std::string::npos) << env.err;
  }
  EXPECT_TRUE(mouse.CommandsSent().empty());
}

TEST_F(CtlTest, ChangesHoldTheFolderLockFromLoadToSave) {
  mouse.Plug(Wired);
  Prepare();
  int heldAtSave = -1;
  ObservedFiles files(platform.files(), [&](std::u16string_view path) {
    if (path == kProfile0) heldAtSave = env.locks;
  });
  platform::Services services = platform::Current();
  services.files = &files;
  platform::Install(services);
  ASSERT_EQ(Run({"set", "polling", "500"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(heldAtSave, 1);
  EXPECT_EQ(env.locks, 0);
  EXPECT_EQ(env.lockedFolders, (std::vector<std::u16string>{u"C:\\Data"}));
  // A command that only reads lets go once it has loaded.
  heldAtSave = -1;
  ASSERT_EQ(Run({"get"}), ExitCode::Ok);
  EXPECT_EQ(env.locks, 0);
  // Ctrl+C while waiting for another run: nothing is done.
  env.lockResult = CtlEnvironment::Lock::Interrupted;
  mouse.ClearLog();
  EXPECT_EQ(Run({"set", "polling", "250"}), ExitCode::Interrupted);
  EXPECT_TRUE(mouse.CommandsSent().empty());
  services.files = &platform.files();
  platform::Install(services);
}

TEST_F(CtlTest, OutputThatCannotBeWrittenEndsTheRun) {
  Play("0 plug wired\n10 dpi wired 3\n20 battery wired 50 1\n30 polling wired 0x02 8\n");
  env.writesUntilOutputFails = 1;
  const uint64_t before = platform.desktop().NowMs();
  EXPECT_EQ(Run({"watch", "--seconds=60"}), ExitCode::Failed);
  EXPECT_EQ(env.out, "dpi: level 4 (1600 DPI)\n");
  EXPECT_LT(platform.desktop().NowMs() - before, 60000u);  // virtual time

  StopScript();
  env.out.clear();
  env.writesUntilOutputFails = 0;
  EXPECT_EQ(Run({"get"}), ExitCode::Failed);
  EXPECT_EQ(Run({"--version"}), ExitCode::Failed);
}

TEST_F(CtlTest, AnInterruptEndsEveryCommandWithItsOwnCode) {
  Prepare();
  env.interrupted = true;
  Play("0 plug wired\n0 plug wireless\n");
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"info"}, {"watch"}, {"set", "polling", "2000"}, {"pair"}}) {
    SCOPED_TRACE(words[0]);
    env.err.clear();
    EXPECT_EQ(Run(words), ExitCode::Interrupted);
    const std::string told = "vantrelctl: interrupted.\n";
    EXPECT_EQ(env.err.rfind(told), env.err.size() - told.size()) << env.err;
  }
  EXPECT_TRUE(runner->Mouse().CommandsSent().empty());
  EXPECT_NE(cli_help::Overview().find("130  interrupted"), std::string::npos);
}

TEST_F(CtlTest, AnOptionTheCommandDoesNotTakeIsRefused) {
  mouse.Plug(Wired);
  Prepare();
  const std::vector<std::vector<std::string>> cases = {{"set", "dpi", "2", "1700", "--slot=3"},
                                                       {"info", "--yes"},
                                                       {"list", "--count=2"},
                                                       {"get", "--all"},
                                                       {"profile", "list", "--slot=2"},
                                                       {"watch", "--yes"}};
  for (const auto& words : cases) {
    SCOPED_TRACE(words[0]);
    env.err.clear();
    EXPECT_EQ(Run(words), ExitCode::Usage);
    EXPECT_NE(env.err.find("does not take --"), std::string::npos) << env.err;
  }
  EXPECT_TRUE(mouse.CommandsSent().empty());
  EXPECT_EQ(Stored()->CurrentSlot(), 0);
}

TEST_F(CtlTest, ListTellsWhyTheMouseCannotBeOpened) {
  mouse.Plug(Wired);
  RefusingBus refusing(mouse);
  platform.SetHidBus(&refusing);
  env.deniedPath = "/dev/hidraw2";
  EXPECT_EQ(Run({"list"}), ExitCode::PermissionDenied);
  EXPECT_NE(env.out.find("2      wired      commands 000A    0001   0    32    no"),
            std::string::npos)
      << env.out;
  EXPECT_NE(env.err.find("permission denied opening /dev/hidraw2"), std::string::npos);
  platform.SetHidBus(&mouse);
}

TEST_F(CtlTest, InfoOnAMouseThatDoesNotAnswerFails) {
  mouse.Plug(Wired);
  Prepare();
  mouse.FailGetFeature(1000);
  EXPECT_EQ(Run({"info", "--json", "--wait=0"}), ExitCode::NotAcknowledged);
  EXPECT_NE(env.out.find("\"answers\":false"), std::string::npos) << env.out;
  EXPECT_NE(env.out.find("\"firmware\":null"), std::string::npos) << env.out;
  EXPECT_NE(env.out.find("{\"error\":{\"code\":5,\"name\":\"not_acknowledged\""), std::string::npos)
      << env.out;
}

TEST_F(CtlTest, AMouseUnpluggedDuringAWriteIsNoMouse) {
  mouse.Plug(Wired);
  Prepare();
  mouse.UnplugAtReport(2);  // the second packet of the DPI levels
  EXPECT_EQ(Run({"set", "dpi", "1", "800"}), ExitCode::NoMouse);
  EXPECT_NE(env.err.find("the mouse went away"), std::string::npos) << env.err;
}

TEST_F(CtlTest, EveryFailureWritesAnErrorObjectWithJson) {
  Prepare();
  const struct {
    std::vector<std::string> words;
    const char* json;
  } cases[] = {
      {{"set", "polling", "300", "--json"},
       "{\"error\":{\"code\":2,\"name\":\"usage\",\"message\":\"polling: must be 125, 250, 500, "
       "1000, 2000, 4000 or 8000 Hz (set polling <125|250|500|1000|2000|4000|8000>).\"}}\n"},
      {{"info", "--json"},
       "{\"error\":{\"code\":3,\"name\":\"no_mouse\",\"message\":\"no mouse found: connect it by "
       "cable, receiver or Bluetooth.\"}}\n"},
      {{"nonsense", "--json"}, "{\"error\":{\"code\":2,\"name\":\"usage\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words[0]);
    env.out.clear();
    EXPECT_NE(Run(c.words), ExitCode::Ok);
    EXPECT_EQ(env.out.rfind(c.json, 0), 0u) << env.out;
  }
  // One prefix per message.
  EXPECT_EQ(env.err.find("polling: polling"), std::string::npos) << env.err;
}

TEST_F(CtlTest, HelpFitsEightyColumnsAndHasShortOptions) {
  std::vector<std::string> texts = {cli_help::Overview()};
  for (const char* c :
       {"list", "info", "get", "set", "button", "profile", "pair", "reset", "firmware", "watch"}) {
    texts.push_back(cli_help::Command(c));
    EXPECT_FALSE(texts.back().empty()) << c;
  }
  for (const auto& text : texts) {
    for (const auto& line : base::Split(base::FromUtf8(text), u'\n')) {
      EXPECT_LE(line.size(), 80u) << base::ToUtf8(line);
    }
  }
  std::string error;
  EXPECT_TRUE(CtlArgs::Parse({"-h"}, &error)->help);
  EXPECT_TRUE(CtlArgs::Parse({"-V"}, &error)->version);
  EXPECT_EQ(Run({"-V"}), ExitCode::Ok);
  EXPECT_EQ(env.out, "vantrelctl 2.1.6\n");
}

TEST_F(CtlTest, TheManPageAndCompletionsNameEveryCommandAndSetting) {
  auto read = [](const char* name) {
    std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/dist/linux/" + name);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const std::string man = read("vantrelctl.1");
  const std::string bash = read("vantrelctl.bash");
  const std::string zsh = read("_vantrelctl");
  for (const auto& entry : SettingCatalog::Entries()) {
    const std::string name(entry.name);
    EXPECT_NE(man.find(name), std::string::npos) << name;
    EXPECT_NE(bash.find(name), std::string::npos) << name;
    EXPECT_NE(zsh.find(name), std::string::npos) << name;
    EXPECT_NE(man.find("\"" + SettingCatalog::JsonKey(entry) + "\""), std::string::npos) << name;
  }
  for (const char* command :
       {"list", "info", "get", "set", "button", "profile", "pair", "reset", "firmware", "watch"}) {
    EXPECT_NE(man.find(std::string(".B ") + command), std::string::npos) << command;
    EXPECT_NE(bash.find(command), std::string::npos) << command;
    EXPECT_NE(zsh.find(std::string("'") + command + ":"), std::string::npos) << command;
  }
  for (ExitCode code :
       {ExitCode::Failed, ExitCode::Usage, ExitCode::NoMouse, ExitCode::PermissionDenied,
        ExitCode::NotAcknowledged, ExitCode::BadFile, ExitCode::Interrupted}) {
    EXPECT_NE(man.find(std::string("(\"") + CtlApp::ExitCodeName(code) + "\")"), std::string::npos)
        << CtlApp::ExitCodeName(code);
  }
}

TEST_F(CtlTest, ProfilesAreListedSwitchedAndExported) {
  mouse.Plug(Wired);
  Prepare([](DataFolder& d) { d.store.profiles[1].SetProfileName(u"Zwei"); });
  ASSERT_EQ(Run({"profile", "list"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(env.out, "* 1  Profile 1\n  2  Zwei\n  3  Profile 3\n");

  ASSERT_EQ(Run({"profile", "switch", "2"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(Stored()->CurrentSlot(), 1);
  const auto sent = mouse.CommandsSent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0].At(1), SettingsWriter::kKeyTable);
  EXPECT_TRUE(mouse.Applied(SettingsWriter::kDpiLevels, SettingsWriter::kDpiPacketX));

  ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Out"));
  env.out.clear();
  ASSERT_EQ(Run({"profile", "export", "2", "C:\\Out\\zwei.psf", "--json"}), ExitCode::Ok);
  EXPECT_EQ(env.out, "{\"exported\":\"C:\\\\Out\\\\zwei.psf\",\"slot\":2}\n");
  ProfileSettings exported;
  ASSERT_EQ(ParseProfileFile(u"C:\\Out\\zwei.psf", exported), ProfileReadResult::Ok);
  EXPECT_EQ(exported, Stored()->store.profiles[1]);

  mouse.ClearLog();
  EXPECT_EQ(Run({"profile", "switch", "4"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("slots in use: 1, 2, 3"), std::string::npos) << env.err;
  EXPECT_TRUE(mouse.CommandsSent().empty());
}

}  // namespace
