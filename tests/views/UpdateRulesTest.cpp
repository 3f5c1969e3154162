// The update check's rules: which versions qualify, what the version file says, and which
// addresses may replace the update server's.

#include <gtest/gtest.h>

#include "base/Text.h"
#include "views/device/UpdateRules.h"

namespace {

TEST(UpdateRulesTest, ServerVersionsAgainstTheProgramsVersion) {
  struct Case {
    const char16_t* server;
    bool qualifies;
  };
  const Case cases[] = {
      {u"2.1.6", true},  // the same version still qualifies
      {u"2.1.7", true},
      {u"2.2.0", true},
      {u"3.0.0", true},  // newer by its major number, whatever the minor says
      {u"10.0.0", true},
      {u"2.1.5", false},
      {u"2.0.9", false},
      {u"1.9.9", false},
      {u"2.1", false},  // one dot
      {u"2", false},
      {u"", false},
      {u"2.1.6.1", false},
      {u"2.x.7", false},
      {u"2..7", false},
      {u"-2.1.7", false},
      {u"v2.1.7", false},
      {u" 2.1.7\r", true},  // blanks and a CR line end around it
      {u"999999999.0.0", true},
      {u"9999999999.0.0", false},  // no overflow
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpdateRules::IsUpdateAvailable(UpdateRules::kProgramVersion, c.server), c.qualifies)
        << base::ToUtf8(c.server);
  }
  // The program's own version is compared without its leading ":".
  EXPECT_TRUE(UpdateRules::IsUpdateAvailable(u":2.1.6", u"2.1.6"));
  EXPECT_FALSE(UpdateRules::IsUpdateAvailable(u":2.1", u"2.1.6"));
}

TEST(UpdateRulesTest, VersionFileLines) {
  const std::u16string digest = u"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";
  struct Case {
    std::vector<std::u16string> lines;
    bool hasSha;
  };
  const Case cases[] = {
      {{u"2.1.7", u"SHA256=" + digest}, true},
      {{u"2.1.7", u"note", u"SHA256=" + digest + u"\r"}, true},
      {{u"2.1.7",
        u"SHA256=" +
            base::FromUtf8("9F86D081884C7D659A2FEAA0C55AD015A3BF4F1B2B0B822CD15D6C15B0F00A08")},
       true},
      {{u"SHA256=" + digest}, false},  // only after the first line
      {{u"2.1.7"}, false},
      {{u"2.1.7", u"SHA256=" + digest.substr(1)}, false},  // 63 digits
      {{u"2.1.7", u"SHA256=" + digest + u"00"}, false},
      {{u"2.1.7", u"SHA256=zz" + digest.substr(2)}, false},
      {{u"2.1.7", u"sha256=" + digest}, false},
  };
  for (const Case& c : cases) {
    const auto file = UpdateRules::ParseVersionFile(c.lines);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->firstLine, c.lines[0]);
    EXPECT_EQ(file->sha256.has_value(), c.hasSha) << base::ToUtf8(c.lines.back());
    if (file->sha256) {
      EXPECT_EQ(base::Sha256::Hex(*file->sha256), digest);
    }
  }
  EXPECT_FALSE(UpdateRules::ParseVersionFile({}));
}

TEST(UpdateRulesTest, OverridesOfTheServerAddress) {
  struct Case {
    const char16_t* address;
    const char16_t* base;  // nullptr: refused
  };
  const Case cases[] = {
      {u"https://updates.example.org/mouse/", u"https://updates.example.org/mouse/"},
      {u"https://updates.example.org/mouse", u"https://updates.example.org/mouse/"},
      {u"https://updates.example.org", u"https://updates.example.org/"},
      {u"https://updates.example.org:8443/m/", u"https://updates.example.org:8443/m/"},
      {u"http://127.0.0.1:8000/", u"http://127.0.0.1:8000/"},
      {u"http://127.0.0.1/u/", u"http://127.0.0.1/u/"},
      {u"http://localhost:8000/u", u"http://localhost:8000/u/"},
      {u"http://[::1]:8000/", u"http://[::1]:8000/"},
      {u"http://example.org/", nullptr},            // plain http off this machine
      {u"http://127.0.0.1@example.org/", nullptr},  // the host would be example.org
      {u"http://127.0.0.1.example.org/", nullptr},
      {u"http://localhost.example.org:80/", nullptr},
      {u"http://10.0.0.1/", nullptr},
      {u"http://127.0.0.1:0/", nullptr},
      {u"http://127.0.0.1:99999/", nullptr},
      {u"http://127.0.0.1:80x/", nullptr},
      {u"http://[::1/", nullptr},
      {u"ftp://127.0.0.1/", nullptr},
      {u"file:///C:/update/", nullptr},
      {u"https:///path", nullptr},
      {u"https://host/a b/", nullptr},
      {u"https://host/a?b=c", nullptr},
      {u"https://host\\share/", nullptr},
      {u"", nullptr},
  };
  for (const Case& c : cases) {
    const auto base = UpdateRules::CheckOverride(c.address);
    if (c.base) {
      ASSERT_TRUE(base) << base::ToUtf8(c.address);
      EXPECT_EQ(*base, c.base);
    } else {
      EXPECT_FALSE(base) << base::ToUtf8(c.address);
    }
  }
  // A refused or missing override leaves the https default.
  EXPECT_EQ(UpdateRules::BaseAddress(nullptr), UpdateRules::kDefaultBase);
  EXPECT_EQ(UpdateRules::BaseAddress("http://example.org/"), UpdateRules::kDefaultBase);
  EXPECT_EQ(UpdateRules::BaseAddress("http://127.0.0.1:8000"), u"http://127.0.0.1:8000/");
  EXPECT_TRUE(base::StartsWith(UpdateRules::kDefaultBase, u"https://"));
}

TEST(UpdateRulesTest, AddressesAreBuiltFromTheParsedVersion) {
  const std::u16string base = u"https://h/u/";
  EXPECT_EQ(UpdateRules::VersionFileUrl(base), u"https://h/u/VersionInfo.txt");
  const auto version = UpdateRules::ParseVersion(u" 02.1.7\r");
  ASSERT_TRUE(version);
  EXPECT_EQ(UpdateRules::InstallerUrl(base, *version), u"https://h/u/installer_V2.1.7.exe");
}

}  // namespace
