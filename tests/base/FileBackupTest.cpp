#include "base/FileBackup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"

namespace {

const std::u16string kFolder = u"C:\\Users\\player\\AppData\\Roaming\\";
const std::u16string kFile = kFolder + u"config.ini";

class FileBackupTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  void Put(const std::u16string& path, std::string_view bytes) {
    ASSERT_TRUE(platform.files().WriteAll(path, bytes));
  }
  std::vector<std::string> Contents() {
    std::vector<std::string> out;
    for (const auto& path : base::BackupsOf(kFile)) {
      out.push_back(platform.files().ReadAll(path).value_or("<missing>"));
    }
    return out;
  }
};

TEST_F(FileBackupTest, EachDistinctContentIsKeptOnceUnderTheTimeItWasKept) {
  EXPECT_TRUE(base::KeepBackup(kFile)) << "nothing to keep";
  EXPECT_TRUE(base::BackupsOf(kFile).empty());

  Put(kFile, "first");
  platform.desktop().RunFor(3723000);  // 01:02:03 on the headless calendar
  ASSERT_TRUE(base::KeepBackup(kFile));
  EXPECT_EQ(base::BackupsOf(kFile),
            std::vector<std::u16string>{kFolder + u"config.ini.20250101-010203.bak"});
  ASSERT_TRUE(base::KeepBackup(kFile));
  EXPECT_EQ(Contents(), std::vector<std::string>{"first"}) << "the same content is not kept twice";

  // A second damaged content in the same second keeps the first beside it.
  Put(kFile, "second");
  ASSERT_TRUE(base::KeepBackup(kFile));
  EXPECT_EQ(base::BackupsOf(kFile),
            (std::vector<std::u16string>{kFolder + u"config.ini.20250101-010203.bak",
                                         kFolder + u"config.ini.20250101-010203-2.bak"}));
  Put(kFile, "first");
  ASSERT_TRUE(base::KeepBackup(kFile));
  EXPECT_EQ(Contents(), (std::vector<std::string>{"first", "second"}));
}

TEST_F(FileBackupTest, FiveGenerationsAtMostTheOldestGoesFirst) {
  Put(kFile + u".bak", "from an earlier version");
  Put(kFolder + u"config.ini.tmp~", "not a backup");
  Put(kFolder + u"config.ini.2025-bad.bak", "not ours either");
  std::vector<std::string> expected{"from an earlier version"};
  for (int day = 1; day <= 6; ++day) {
    const std::string content = "damaged " + std::to_string(day);
    Put(kFile, content);
    platform.desktop().RunFor(86400000);
    ASSERT_TRUE(base::KeepBackup(kFile));
    expected.push_back(content);
    if (expected.size() > base::kBackupGenerations) expected.erase(expected.begin());
    EXPECT_EQ(Contents(), expected) << day;
  }
  EXPECT_EQ(base::BackupsOf(kFile).back(), kFolder + u"config.ini.20250107-000000.bak");
  EXPECT_TRUE(platform.files().FileExists(kFolder + u"config.ini.tmp~"));
  EXPECT_TRUE(platform.files().FileExists(kFolder + u"config.ini.2025-bad.bak"));
}

TEST_F(FileBackupTest, AFileThatCannotBeCopiedIsReportedSoTheCallerKeepsIt) {
  Put(kFile, "damaged");
  platform.files().FailWritesContaining(u".bak");
  EXPECT_FALSE(base::KeepBackup(kFile));
  EXPECT_TRUE(base::BackupsOf(kFile).empty());
}

}  // namespace
