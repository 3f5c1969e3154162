// The update check end to end on the headless adapter: a scripted server, the download
// dialog, the checksum and the installer start.

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/AppGlobals.h"
#include "base/Sha256.h"
#include "views/DeviceViewTest.h"
#include "views/device/SoftwareUpdate.h"
#include "views/device/UpdateRules.h"

namespace {

using Result = SoftwareUpdate::Result;
constexpr platform::Point kStartButton{194, 80};
constexpr platform::Point kCancelButton{274, 80};
const std::string kInstaller = "MZ pretend installer";

std::string Utf16(const std::u16string& text, bool bom = true) {
  std::string bytes = bom ? std::string("\xFF\xFE", 2) : std::string();
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::u16string ShaLine(const std::string& data) {
  return u"SHA256=" + base::Sha256::Hex(base::Sha256::Of(data));
}

class SoftwareUpdateTest : public DeviceViewTest {
 protected:
  void SetUp() override {
    ::unsetenv(UpdateRules::kBaseVariable);
    g_strDataDir = platform.files().AppDataFolder() + u"\\Data\\";
    ASSERT_TRUE(platform.files().CreateDirectory(g_strDataDir.substr(0, g_strDataDir.size() - 1)));
  }
  void TearDown() override { ::unsetenv(UpdateRules::kBaseVariable); }

  std::u16string Base() const { return std::u16string(UpdateRules::kDefaultBase); }
  void ServeVersionFile(const std::string& bytes) {
    platform.shell().ServeUrl(Base() + u"VersionInfo.txt", bytes);
  }
  void ServeInstaller(const std::u16string& version, const std::string& bytes) {
    platform.shell().ServeUrl(Base() + u"installer_V" + version + u".exe", bytes, 1500);
  }
  // The user presses Download in the download dialog.
  void PressDownload() {
    desktop.ScriptNextModal([this](platform::WindowId w) { desktop.Click(w, kStartButton); });
  }
  bool MainAlive() { return desktop.IsWindow(main->GetSafeHwnd()); }
};

TEST_F(SoftwareUpdateTest, QualifyingVersionsDownloadCheckAndStartTheInstaller) {
  for (const char16_t* version : {u"2.1.6", u"2.1.7", u"3.0.0"}) {
    SCOPED_TRACE(base::ToUtf8(version));
    main = std::make_unique<uitest::CTestDlg>(nullptr, 1127, 740);
    ASSERT_TRUE(main->Create());
    services = std::make_unique<FakeViewServices>(*main);
    platform.shell().opened.clear();
    ServeVersionFile(Utf16(std::u16string(version) + u"\n" + ShaLine(kInstaller) + u"\n"));
    ServeInstaller(version, kInstaller);
    PressDownload();
    EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::Started);
    EXPECT_EQ(services->messages, std::vector<int>{339});
    EXPECT_EQ(platform.shell().opened,
              std::vector<std::u16string>{SoftwareUpdate::InstallerPath()});
    EXPECT_EQ(platform.files().ReadAll(SoftwareUpdate::InstallerPath()), kInstaller);
    EXPECT_FALSE(MainAlive()) << "the program ends so that the installer can replace it";
  }
}

TEST_F(SoftwareUpdateTest, VersionsThatDoNotQualifyAndUnusableFilesStopEarly) {
  const std::u16string sha = ShaLine(kInstaller);
  struct Case {
    const char* what;
    std::string file;
    Result result;
    std::vector<int> messages;
  };
  const Case cases[] = {
      {"older", Utf16(u"2.1.5\n" + sha), Result::NoUpdate, {333}},
      {"one dot", Utf16(u"2.1\n" + sha), Result::NoUpdate, {333}},
      {"garbage", Utf16(u"latest\n" + sha), Result::NoUpdate, {333}},
      {"no checksum", Utf16(u"2.1.7\n"), Result::Unsigned, {343}},
      {"checksum on the first line only", Utf16(sha + u"\n2.1.7"), Result::NoUpdate, {333}},
      {"only a byte-order mark", Utf16(u""), Result::Unreachable, {332}},
  };
  ServeInstaller(u"2.1.7", kInstaller);
  for (const Case& c : cases) {
    services->messages.clear();
    platform.shell().downloaded.clear();
    ServeVersionFile(c.file);
    EXPECT_EQ(SoftwareUpdate(*services).Run(), c.result) << c.what;
    EXPECT_EQ(services->messages, c.messages) << c.what;
    EXPECT_EQ(platform.shell().downloaded.size(), 1u) << c.what << ": only the version file";
    EXPECT_TRUE(platform.shell().opened.empty()) << c.what;
    EXPECT_TRUE(MainAlive()) << c.what;
  }
}

TEST_F(SoftwareUpdateTest, AnUnreachableServerSaysSo) {
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::Unreachable);
  EXPECT_EQ(services->messages, std::vector<int>{332});
  EXPECT_TRUE(platform.shell().downloaded.empty());
}

TEST_F(SoftwareUpdateTest, AMismatchingInstallerIsDeletedAndNeverRun) {
  ServeVersionFile(Utf16(u"2.1.7\n" + ShaLine("the installer that was signed")));
  ServeInstaller(u"2.1.7", kInstaller);
  PressDownload();
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::Mismatch);
  EXPECT_EQ(services->messages, std::vector<int>{344});
  EXPECT_TRUE(platform.shell().opened.empty());
  EXPECT_FALSE(platform.files().FileExists(SoftwareUpdate::InstallerPath()));
  EXPECT_TRUE(MainAlive());
}

TEST_F(SoftwareUpdateTest, ACancelledDownloadRunsNothing) {
  ServeVersionFile(Utf16(u"2.1.7\n" + ShaLine(kInstaller)));
  ServeInstaller(u"2.1.7", kInstaller);
  desktop.ScriptNextModal([this](platform::WindowId w) {
    desktop.Click(w, kStartButton);
    desktop.RunFor(500);
    desktop.Click(w, kCancelButton);
  });
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::NotDownloaded);
  EXPECT_TRUE(services->messages.empty());
  EXPECT_TRUE(platform.shell().opened.empty());
  desktop.RunFor(5000);
  EXPECT_FALSE(platform.files().FileExists(SoftwareUpdate::InstallerPath()));
  EXPECT_TRUE(MainAlive());
}

TEST_F(SoftwareUpdateTest, AVersionFileWithoutByteOrderMarkIsReadWhole) {
  ServeVersionFile(Utf16(u"2.1.7\n" + ShaLine(kInstaller), false));
  ServeInstaller(u"2.1.7", kInstaller);
  PressDownload();
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::Started);
}

TEST_F(SoftwareUpdateTest, TheUpdateFolderIsMadeOnAFreshInstallation) {
  const std::u16string folder = g_strDataDir + u"update";
  ASSERT_FALSE(platform.files().DirectoryExists(folder));
  ServeVersionFile(Utf16(u"2.1.5\n"));
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::NoUpdate);
  EXPECT_TRUE(platform.files().DirectoryExists(folder));
  EXPECT_TRUE(platform.files().FileExists(SoftwareUpdate::VersionFilePath()));
}

TEST_F(SoftwareUpdateTest, TheServerAddressFollowsAnAcceptedOverrideOnly) {
  ::setenv(UpdateRules::kBaseVariable, "http://127.0.0.1:8123/upd", 1);
  platform.shell().ServeUrl(u"http://127.0.0.1:8123/upd/VersionInfo.txt", Utf16(u"2.1.5\n"));
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::NoUpdate);
  EXPECT_EQ(platform.shell().downloaded,
            std::vector<std::u16string>{u"http://127.0.0.1:8123/upd/VersionInfo.txt"});

  ::setenv(UpdateRules::kBaseVariable, "http://updates.example.org/", 1);
  platform.shell().downloaded.clear();
  ServeVersionFile(Utf16(u"2.1.5\n"));
  EXPECT_EQ(SoftwareUpdate(*services).Run(), Result::NoUpdate);
  EXPECT_EQ(platform.shell().downloaded, std::vector<std::u16string>{Base() + u"VersionInfo.txt"});
}

}  // namespace
