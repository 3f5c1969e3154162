// The update check end to end on the headless adapter: a scripted server, the signature, the
// download dialog, the checksum of the held copy and its start.

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/AppGlobals.h"
#include "base/Sha256.h"
#include "support/Bytes.h"
#include "views/DeviceViewTest.h"
#include "views/TestSigner.h"
#include "views/device/SoftwareUpdate.h"
#include "views/device/UpdateRules.h"

namespace {

using Result = SoftwareUpdate::Result;
using testbytes::Utf16Le;
using testbytes::Utf16LeNoMark;
constexpr platform::Point kStartButton{194, 80};
constexpr platform::Point kCancelButton{274, 80};
const std::string kInstaller = "MZ pretend installer";

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

  SoftwareUpdate Update() { return SoftwareUpdate(*services, signer.PublicKey()); }
  // The text in UTF-16LE with its byte-order mark, and the signature line after it.
  std::string Signed(std::u16string text, bool bom = true) {
    if (!text.empty() && text.back() != u'\n') text.push_back(u'\n');
    return signer.SignedFile(bom ? Utf16Le(text) : Utf16LeNoMark(text));
  }

  TestSigner signer;
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
  bool MainAlive() { return desktop.IsWindow(H()); }
};

TEST_F(SoftwareUpdateTest, QualifyingVersionsDownloadCheckAndStartTheInstaller) {
  for (const char16_t* version : {u"2.1.6", u"2.1.7", u"3.0.0"}) {
    SCOPED_TRACE(base::ToUtf8(version));
    Reopen();
    platform.shell().opened.clear();
    ServeVersionFile(Signed(std::u16string(version) + u"\n" + ShaLine(kInstaller) + u"\n"));
    ServeInstaller(version, kInstaller);
    PressDownload();
    EXPECT_EQ(Update().Run(), Result::Started);
    EXPECT_EQ(services->messages, std::vector<int>{339});
    EXPECT_TRUE(platform.shell().opened.empty()) << "started from the held copy, not by path";
    EXPECT_EQ(platform.files().ReadAll(SoftwareUpdate::InstallerPath()), kInstaller);
    // What ran is the held copy, and it held the checked bytes.
    EXPECT_EQ(platform.shell().startedContents.back(), kInstaller);
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
      {"older", Signed(u"2.1.5\n" + sha + u"\n"), Result::NoUpdate, {333}},
      {"one dot", Signed(u"2.1\n" + sha + u"\n"), Result::NoUpdate, {333}},
      {"garbage", Signed(u"latest\n" + sha + u"\n"), Result::NoUpdate, {333}},
      {"no checksum", Signed(u"2.1.7\n"), Result::Unsigned, {343}},
      {"checksum on the first line only", Signed(sha + u"\n2.1.7\n"), Result::NoUpdate, {333}},
      {"signed, with an empty first line", Signed(u"\n"), Result::NoUpdate, {333}},
      {"only a byte-order mark", Utf16Le(u""), Result::BadSignature, {343}},
  };
  ServeInstaller(u"2.1.7", kInstaller);
  for (const Case& c : cases) {
    services->messages.clear();
    platform.shell().downloaded.clear();
    ServeVersionFile(c.file);
    EXPECT_EQ(Update().Run(), c.result) << c.what;
    EXPECT_EQ(services->messages, c.messages) << c.what;
    EXPECT_EQ(platform.shell().downloaded.size(), 1u) << c.what << ": only the version file";
    EXPECT_TRUE(platform.shell().opened.empty()) << c.what;
    EXPECT_TRUE(MainAlive()) << c.what;
  }
}

TEST_F(SoftwareUpdateTest, AnUnreachableServerSaysSo) {
  EXPECT_EQ(Update().Run(), Result::Unreachable);
  EXPECT_EQ(services->messages, std::vector<int>{332});
  EXPECT_TRUE(platform.shell().downloaded.empty());
}

TEST_F(SoftwareUpdateTest, AMismatchingInstallerIsDeletedAndNeverRun) {
  ServeVersionFile(Signed(u"2.1.7\n" + ShaLine("the installer that was signed")));
  ServeInstaller(u"2.1.7", kInstaller);
  PressDownload();
  EXPECT_EQ(Update().Run(), Result::Mismatch);
  EXPECT_EQ(services->messages, std::vector<int>{344});
  EXPECT_TRUE(platform.shell().startedContents.empty());
  EXPECT_FALSE(platform.files().FileExists(SoftwareUpdate::InstallerPath()));
  for (const auto& copy : platform.shell().heldCopies) {
    EXPECT_FALSE(platform.files().FileExists(copy)) << "the refused copy is gone too";
  }
  EXPECT_TRUE(MainAlive());
}

TEST_F(SoftwareUpdateTest, VersionFilesWithoutTheReleaseKeysSignatureAreRefusedBeforeAnythingElse) {
  const std::u16string text = u"2.1.7\n" + ShaLine(kInstaller) + u"\n";
  const std::string good = Signed(text);
  TestSigner stranger;
  std::string tamperedText = good;
  tamperedText[2] = '3';  // "3.1.7": one character of the signed part
  const std::string utf16 = Utf16Le(text);
  std::string tamperedSignature = good;
  // One base64 digit of the signature, for another digit.
  char& digit = tamperedSignature[utf16.size() + 2 * (10 + 20)];
  digit = digit == 'A' ? 'B' : 'A';
  struct Case {
    const char* what;
    std::string file;
  };
  const Case cases[] = {
      {"unsigned", utf16},
      {"a changed character", tamperedText},
      {"a changed signature", tamperedSignature},
      {"another key", stranger.SignedFile(utf16)},
      {"a line after the signature", good + Utf16LeNoMark(u"SHA256=" + std::u16string(64, u'0'))},
      {"two signature lines", good + good.substr(utf16.size())},
      {"a signature line first", good.substr(0, 2) + good.substr(utf16.size()) + utf16.substr(2)},
      {"a truncated signature", good.substr(0, good.size() - 8) + Utf16LeNoMark(u"\n")},
      {"cut in the middle of a character", good.substr(0, good.size() - 1)},
  };
  ServeInstaller(u"2.1.7", kInstaller);
  for (const Case& c : cases) {
    services->messages.clear();
    platform.shell().downloaded.clear();
    ServeVersionFile(c.file);
    EXPECT_EQ(Update().Run(), Result::BadSignature) << c.what;
    EXPECT_EQ(services->messages, std::vector<int>{343}) << c.what;
    EXPECT_EQ(platform.shell().downloaded.size(), 1u) << c.what << ": no installer fetched";
    EXPECT_TRUE(platform.shell().startedContents.empty()) << c.what;
    EXPECT_TRUE(MainAlive()) << c.what;
  }
  // And the file as signed passes, so the cases above failed for what they changed.
  ServeVersionFile(good);
  PressDownload();
  EXPECT_EQ(Update().Run(), Result::Started);
}

TEST_F(SoftwareUpdateTest, AVersionFileOverItsCapIsRefusedUnread) {
  std::u16string text = u"2.1.7\n" + ShaLine(kInstaller) + u"\n";
  text += std::u16string(UpdateRules::kMaxVersionFileBytes / 2, u' ');
  ServeVersionFile(Signed(text));
  EXPECT_EQ(Update().Run(), Result::Unreachable);
  EXPECT_EQ(services->messages, std::vector<int>{332});
  EXPECT_TRUE(platform.shell().startedContents.empty());
}

TEST_F(SoftwareUpdateTest, RedirectsAreFollowedToHttpsOnly) {
  ::setenv(UpdateRules::kBaseVariable, "http://127.0.0.1:8123/", 1);
  const std::string file = Signed(u"2.1.5\n");
  platform.shell().ServeUrl(u"https://mirror.example.org/VersionInfo.txt", file);
  platform.shell().ServeUrl(u"http://mirror.example.org/VersionInfo.txt", file);
  platform.shell().ServeRedirect(u"http://127.0.0.1:8123/VersionInfo.txt",
                                 u"http://mirror.example.org/VersionInfo.txt");
  EXPECT_EQ(Update().Run(), Result::Unreachable);
  platform.shell().ServeRedirect(u"http://127.0.0.1:8123/VersionInfo.txt",
                                 u"https://mirror.example.org/VersionInfo.txt");
  EXPECT_EQ(Update().Run(), Result::NoUpdate);
}

TEST_F(SoftwareUpdateTest, AnInstallerLargerThanAnyWholeFileReadIsHashedInPieces) {
  // Past the 64 MiB that whole-file reads allow.
  std::string large(65u << 20, '\0');
  for (size_t i = 0; i < large.size(); i += 4096) large[i] = static_cast<char>(i >> 12);
  ServeVersionFile(Signed(u"2.1.7\n" + ShaLine(large)));
  ServeInstaller(u"2.1.7", large);
  PressDownload();
  EXPECT_EQ(Update().Run(), Result::Started);
  ASSERT_EQ(platform.shell().startedContents.size(), 1u);
  EXPECT_TRUE(platform.shell().startedContents[0] == large);
}

TEST_F(SoftwareUpdateTest, ACancelledDownloadRunsNothing) {
  ServeVersionFile(Signed(u"2.1.7\n" + ShaLine(kInstaller)));
  ServeInstaller(u"2.1.7", kInstaller);
  desktop.ScriptNextModal([this](platform::WindowId w) {
    desktop.Click(w, kStartButton);
    desktop.RunFor(500);
    desktop.Click(w, kCancelButton);
  });
  EXPECT_EQ(Update().Run(), Result::NotDownloaded);
  EXPECT_TRUE(services->messages.empty());
  EXPECT_TRUE(platform.shell().opened.empty());
  desktop.RunFor(5000);
  EXPECT_FALSE(platform.files().FileExists(SoftwareUpdate::InstallerPath()));
  EXPECT_TRUE(MainAlive());
}

TEST_F(SoftwareUpdateTest, AVersionFileWithoutByteOrderMarkIsReadWhole) {
  ServeVersionFile(Signed(u"2.1.7\n" + ShaLine(kInstaller), false));
  ServeInstaller(u"2.1.7", kInstaller);
  PressDownload();
  EXPECT_EQ(Update().Run(), Result::Started);
}

TEST_F(SoftwareUpdateTest, TheUpdateFolderIsMadeOnAFreshInstallation) {
  const std::u16string folder = g_strDataDir + u"update";
  ASSERT_FALSE(platform.files().DirectoryExists(folder));
  ServeVersionFile(Signed(u"2.1.5\n"));
  EXPECT_EQ(Update().Run(), Result::NoUpdate);
  EXPECT_TRUE(platform.files().DirectoryExists(folder));
  EXPECT_TRUE(platform.files().FileExists(SoftwareUpdate::VersionFilePath()));
}

TEST_F(SoftwareUpdateTest, TheServerAddressFollowsAnAcceptedOverrideOnly) {
  ::setenv(UpdateRules::kBaseVariable, "http://127.0.0.1:8123/upd", 1);
  platform.shell().ServeUrl(u"http://127.0.0.1:8123/upd/VersionInfo.txt", Signed(u"2.1.5\n"));
  EXPECT_EQ(Update().Run(), Result::NoUpdate);
  EXPECT_EQ(platform.shell().downloaded,
            std::vector<std::u16string>{u"http://127.0.0.1:8123/upd/VersionInfo.txt"});

  ::setenv(UpdateRules::kBaseVariable, "http://updates.example.org/", 1);
  platform.shell().downloaded.clear();
  ServeVersionFile(Signed(u"2.1.5\n"));
  EXPECT_EQ(Update().Run(), Result::NoUpdate);
  EXPECT_EQ(platform.shell().downloaded, std::vector<std::u16string>{Base() + u"VersionInfo.txt"});
}

}  // namespace
