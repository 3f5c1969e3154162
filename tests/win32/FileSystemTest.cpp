#include "adapters/win32/Win32FileSystem.h"

#include <gtest/gtest.h>

#include "Win32TestSupport.h"

namespace {

using win32test::TempFolder;
using win32test::TestPlatform;

TEST(Win32FileSystem, WriteReadRoundTripKeepsEveryByteAndTruncates) {
  TempFolder folder;
  platform::FileSystem& files = platform::Files();
  const std::u16string path = folder / u"data 中文.bin";
  const std::string bytes(
      "\xFF\xFE"
      "a\0b\r\n\x80",
      8);

  ASSERT_TRUE(files.WriteAll(path, bytes));
  EXPECT_EQ(files.ReadAll(path), bytes);

  ASSERT_TRUE(files.WriteAll(path, "xy"));  // shorter: nothing of the old content stays
  EXPECT_EQ(files.ReadAll(path), std::string("xy"));

  ASSERT_TRUE(files.WriteAll(path, ""));
  EXPECT_EQ(files.ReadAll(path), std::string());

  // A file bigger than one read chunk.
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(files.WriteAll(path, big));
  EXPECT_EQ(files.ReadAll(path), big);
}

TEST(Win32FileSystem, ReplaceMovesOverAnExistingFile) {
  TempFolder folder;
  platform::FileSystem& files = platform::Files();
  const std::u16string target = folder / u"config.ini";
  const std::u16string temporary = folder / u"config.ini.tmp";
  ASSERT_TRUE(files.WriteAll(target, "old"));
  ASSERT_TRUE(files.WriteAll(temporary, "new"));

  ASSERT_TRUE(files.Replace(temporary, target));
  EXPECT_EQ(files.ReadAll(target), std::string("new"));
  EXPECT_FALSE(files.FileExists(temporary));

  // Into a place that does not exist yet.
  ASSERT_TRUE(files.WriteAll(temporary, "again"));
  ASSERT_TRUE(files.Replace(temporary, folder / u"fresh.ini"));
  EXPECT_EQ(files.ReadAll(folder / u"fresh.ini"), std::string("again"));
}

TEST(Win32FileSystem, FailuresAreReportedAndRecorded) {
  TempFolder folder;
  platform::FileSystem& files = platform::Files();
  TestPlatform().Failures().Clear();

  EXPECT_EQ(files.ReadAll(folder / u"missing.txt"), std::nullopt);
  EXPECT_NE(TestPlatform().LastFailure().find("CreateFileW"), std::string::npos);
  EXPECT_NE(TestPlatform().LastFailure().find("error 2"), std::string::npos);

  EXPECT_FALSE(files.Replace(folder / u"missing.txt", folder / u"other.txt"));
  EXPECT_NE(TestPlatform().LastFailure().find("MoveFileExW"), std::string::npos);

  EXPECT_FALSE(files.Remove(folder / u"missing.txt"));
  EXPECT_NE(TestPlatform().LastFailure().find("DeleteFileW"), std::string::npos);

  EXPECT_FALSE(files.WriteAll(folder / u"no such folder\\x.txt", "x"));
  EXPECT_FALSE(files.ReadAll(folder.path()).has_value());  // a folder is not a file
}

TEST(Win32FileSystem, FoldersAndExistence) {
  TempFolder folder;
  platform::FileSystem& files = platform::Files();
  const std::u16string sub = folder / u"config";

  EXPECT_FALSE(files.DirectoryExists(sub));
  EXPECT_TRUE(files.CreateDirectory(sub));
  EXPECT_TRUE(files.CreateDirectory(sub));  // already there still counts
  EXPECT_TRUE(files.DirectoryExists(sub));
  EXPECT_FALSE(files.FileExists(sub));

  ASSERT_TRUE(files.WriteAll(sub + u"\\a.txt", "a"));
  EXPECT_TRUE(files.FileExists(sub + u"\\a.txt"));
  EXPECT_FALSE(files.DirectoryExists(sub + u"\\a.txt"));
  EXPECT_FALSE(files.CreateDirectory(sub + u"\\a.txt"));  // a file is in the way
  EXPECT_FALSE(files.CreateDirectory(folder / u"x\\y"));  // one level only
  EXPECT_TRUE(files.Remove(sub + u"\\a.txt"));
  EXPECT_FALSE(files.FileExists(sub + u"\\a.txt"));
}

TEST(Win32FileSystem, ExecutableAndAppDataFolders) {
  platform::FileSystem& files = platform::Files();
  const std::u16string exe = files.ExecutablePath();
  ASSERT_GT(exe.size(), 4u);
  EXPECT_EQ(exe.substr(exe.size() - 4), u".exe");
  EXPECT_TRUE(files.FileExists(exe));

  const std::u16string appData = files.AppDataFolder();
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), u'\\');
  EXPECT_TRUE(files.DirectoryExists(appData));
}

}  // namespace
