#include "base/StdioFileEx.h"

#include <gtest/gtest.h>

#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "support/Bytes.h"

namespace {

using platform::headless::HeadlessPlatform;
using testbytes::Utf16Le;
using testbytes::Utf16LeNoMark;

const std::u16string kFile = u"C:\\Users\\player\\AppData\\Roaming\\test.txt";
const std::u16string kTemp = kFile + std::u16string(CStdioFileEx::kTempSuffix);

std::vector<std::u16string> ReadLines(std::u16string_view path) {
  CStdioFileEx file;
  std::vector<std::u16string> lines;
  if (!file.Open(path, CStdioFileEx::kReadFlags)) return lines;
  std::u16string line;
  while (file.ReadString(line)) lines.push_back(line);
  return lines;
}

class StdioFileExTest : public ::testing::Test {
 protected:
  HeadlessPlatform platform;
  void Put(std::string_view bytes) { ASSERT_TRUE(platform.files().WriteAll(kFile, bytes)); }
  std::string Get() { return platform.files().ReadAll(kFile).value_or("<missing>"); }
};

TEST_F(StdioFileExTest, WritesBomAndLinesExactlyAndReadsThemBack) {
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(kFile, CStdioFileEx::kWriteFlags));
  EXPECT_TRUE(file.m_bIsUnicodeText);
  file.WriteString(u"[Setting]\n");
  file.WriteString(u"0=中文\n");
  file.WriteString(u"last");
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(Get(), Utf16Le(u"[Setting]\n0=中文\nlast"));
  EXPECT_EQ(ReadLines(kFile), (std::vector<std::u16string>{u"[Setting]", u"0=中文", u"last"}));
}

TEST_F(StdioFileExTest, LineEndQuirksOfTheFormat) {
  // A lone LF line comes back as LF so reading goes on; CR stays part of the line.
  Put(Utf16Le(u"a\n\nb\r\nc"));
  EXPECT_EQ(ReadLines(kFile), (std::vector<std::u16string>{u"a", u"\n", u"b\r", u"c"}));
}

TEST_F(StdioFileExTest, LongLinesComeBackWhole) {
  const std::u16string longLine(1472, u'7');
  Put(Utf16Le(longLine + u"\n" + std::u16string(128, u'x') + u"\n" + std::u16string(129, u'y')));
  const auto lines = ReadLines(kFile);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1].size(), 128u);
  EXPECT_EQ(lines[2].size(), 129u);
}

TEST_F(StdioFileExTest, OnlyARealByteOrderMarkIsSkipped) {
  Put(Utf16LeNoMark(u"[Setting]\nx"));
  EXPECT_EQ(ReadLines(kFile), (std::vector<std::u16string>{u"[Setting]", u"x"}));
  Put(
      Utf16LeNoMark(u"\xFFFE"
                    u"ab"));  // bytes FE FF are text, not a mark
  EXPECT_EQ(ReadLines(kFile).at(0).size(), 3u);
}

TEST_F(StdioFileExTest, EmptyOddAndMissingFiles) {
  Put("");
  EXPECT_TRUE(ReadLines(kFile).empty());
  Put(Utf16Le(u"ab") + "\x41");  // a stray odd byte is ignored
  EXPECT_EQ(ReadLines(kFile), (std::vector<std::u16string>{u"ab"}));
  CStdioFileEx file;
  EXPECT_FALSE(file.Open(u"C:\\nowhere\\missing.txt", CStdioFileEx::kReadFlags));
  std::u16string line = u"stale";
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_TRUE(line.empty());
}

TEST_F(StdioFileExTest, AnInterruptedWriteLeavesTheOldFileIntact) {
  Put(Utf16Le(u"old\n"));
  {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(kFile, CStdioFileEx::kWriteFlags));
    file.WriteString(u"new, half");
    file.Abort();  // what a crash before Close amounts to
  }
  EXPECT_EQ(Get(), Utf16Le(u"old\n"));
  EXPECT_FALSE(platform.files().FileExists(kTemp));

  platform.files().FailReplaceContaining(u"test.txt");
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(kFile, CStdioFileEx::kWriteFlags));
  file.WriteString(u"new\n");
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(Get(), Utf16Le(u"old\n"));
}

TEST_F(StdioFileExTest, ReadingRemovesATemporaryFileAKilledWriterLeft) {
  const std::u16string savedDataDir = g_strDataDir;
  g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\";
  Put(Utf16Le(u"whole\n"));
  ASSERT_TRUE(platform.files().WriteAll(kTemp, Utf16Le(u"half")));
  EXPECT_EQ(ReadLines(kFile), std::vector<std::u16string>{u"whole"});
  EXPECT_FALSE(platform.files().FileExists(kTemp));
  // Also when the killed writer was making the file for the first time.
  ASSERT_TRUE(platform.files().Remove(kFile));
  ASSERT_TRUE(platform.files().WriteAll(kTemp, Utf16Le(u"half")));
  EXPECT_TRUE(ReadLines(kFile).empty());
  EXPECT_FALSE(platform.files().FileExists(kTemp));
  // A user's own file of the old temporary name stays, and so does everything beside a file
  // outside the data folder (an import from Documents).
  Put(Utf16Le(u"whole\n"));
  ASSERT_TRUE(platform.files().WriteAll(kFile + u".tmp~", Utf16Le(u"mine")));
  EXPECT_EQ(ReadLines(kFile), std::vector<std::u16string>{u"whole"});
  EXPECT_TRUE(platform.files().FileExists(kFile + u".tmp~"));
  g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";
  ASSERT_TRUE(platform.files().WriteAll(kTemp, Utf16Le(u"mine")));
  EXPECT_EQ(ReadLines(kFile), std::vector<std::u16string>{u"whole"});
  EXPECT_TRUE(platform.files().FileExists(kTemp));
  g_strDataDir = savedDataDir;
}

TEST_F(StdioFileExTest, WritingIntoAMissingFolderFailsAtOpen) {
  CStdioFileEx file;
  EXPECT_FALSE(file.Open(u"C:\\nowhere\\out.txt", CStdioFileEx::kWriteFlags));
  EXPECT_FALSE(file.WriteString(u"x"));
}

TEST_F(StdioFileExTest, OnlyCloseCommitsAWriter) {
  Put(Utf16Le(u"old\n"));
  {
    // An early return: the writer goes out of scope without Close.
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(kFile, CStdioFileEx::kWriteFlags));
    file.WriteString(u"half\n");
  }
  EXPECT_EQ(Get(), Utf16Le(u"old\n"));
  EXPECT_FALSE(platform.files().FileExists(kTemp));

  // Opening again drops what the first opening wrote.
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(kFile, CStdioFileEx::kWriteFlags));
  file.WriteString(u"dropped\n");
  ASSERT_TRUE(file.Open(kFile, CStdioFileEx::kWriteFlags));
  file.WriteString(u"kept\n");
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadLines(kFile), (std::vector<std::u16string>{u"kept"}));
}

}  // namespace
