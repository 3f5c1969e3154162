#include "base/Language.h"

#include <gtest/gtest.h>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;

  void SetUp() override {
    ResetLanguage();
    g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\Data\\";
    g_strExeDir = u"C:\\Program Files\\Vantrel\\";
    g_fUiScale = 1.0f;
    ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Users\\player\\AppData\\Roaming\\Data"));
    ASSERT_TRUE(platform.files().CreateDirectory(g_strDataDir + u"config"));
    ASSERT_TRUE(platform.files().CreateDirectory(g_strExeDir + u"lang"));
  }
  void TearDown() override { ResetLanguage(); }

  void Write(const std::u16string& path, std::u16string_view text) {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::kWriteFlags));
    file.WriteString(text);
    ASSERT_TRUE(file.Close());
  }
  void Config(std::u16string_view name, std::u16string_view text) {
    Write(g_strDataDir + u"config\\" + std::u16string(name), text);
  }
};

TEST_F(LanguageTest, SettingSelectsTheFile) {
  Config(u"Lan.txt", u"[Setting]\n0=中文\n1=默认\n");
  Config(u"Lan_EN.txt", u"[Setting]\n0=English\n1=Default\n");
  struct Case {
    std::u16string setting;
    std::u16string text1;
  } cases[] = {
      {u"[ChangeLanguage]\nLanguage=EN\n", u"Default"},
      {u"EN\n", u"Default"},                              // no header: the first line is the code
      {u"[ChangeLanguage]\nLanguage=EN \n", u"默认"},     // a trailing blank is not "EN"
      {u"[ChangeLanguage]\nLanguage=en\n", u"默认"},      // case-sensitive
      {u"[ChangeLanguage]\n", u"默认"},                   // no second line
      {u"[ChangeLanguage]\r\nLanguage=EN\r\n", u"默认"},  // CR LF: header fails, code is the line
  };
  for (const auto& c : cases) {
    ResetLanguage();
    Config(u"LanSetting.ini", c.setting);
    EXPECT_TRUE(LoadLanguage());
    EXPECT_EQ(LangText(1), c.text1) << base::ToUtf8(c.setting);
  }
}

TEST_F(LanguageTest, FontFollowsTextZero) {
  Config(u"Lan.txt", u"[Setting]\n0=中文\n");
  ASSERT_TRUE(LoadLanguage());
  EXPECT_EQ(g_strFontFace, u"宋体");
  EXPECT_EQ(g_nFontHeight, 12);
  EXPECT_EQ(g_nFontCharset, 134);

  ResetLanguage();
  Config(u"Lan.txt", u"[Setting]\n0=Deutsch\n");
  ASSERT_TRUE(LoadLanguage());
  EXPECT_EQ(g_strFontFace, u"Tahoma");
  EXPECT_EQ(g_nFontHeight, 16);
  EXPECT_EQ(g_nFontCharset, 1);
}

TEST_F(LanguageTest, StopRules) {
  struct Case {
    std::u16string file;
    bool result;
    std::u16string text2;
    std::u16string text3;
  } cases[] = {
      {u"[Setting]\n2=two\n3=three\n", true, u"two", u"three"},
      {u"[Setting]\n2=two\n3=\n4=four\n", false, u"two", u""},          // empty text stops
      {u"[Setting]\n2=two\n\n3=three\n", false, u"two", u""},           // blank line stops
      {u"[Setting]\n2=two\n=x\n3=three\n", false, u"two", u""},         // "=" first stops
      {u"[Setting]\n2=a=b\n 3x=three\n", true, u"a=b", u"three"},       // first "=", atoi index
      {u"[Setting]\n2=old\n2=new\n", true, u"new", u""},                // later duplicate wins
      {u"[Setting]\n600=far\n-1=neg\n3=three\n", true, u"", u"three"},  // outside 0..499 skipped
      {u"[Setting]\r\n2=two\r\n", false, u"", u""},                     // CR LF header fails
      {u"[Settings]\n2=two\n", false, u"", u""},
  };
  for (const auto& c : cases) {
    ResetLanguage();
    Config(u"Lan.txt", c.file);
    EXPECT_EQ(LoadLanguage(), c.result) << base::ToUtf8(c.file);
    EXPECT_EQ(LangText(2), c.text2) << base::ToUtf8(c.file);
    EXPECT_EQ(LangText(3), c.text3) << base::ToUtf8(c.file);
    if (!c.result) {
      EXPECT_EQ(g_strFontFace, u"宋体");
    }
  }
  EXPECT_EQ(LangText(500), u"");
  EXPECT_EQ(LangText(-1), u"");
}

TEST_F(LanguageTest, MissingFilesFallBackToTheBundledFolder) {
  EXPECT_FALSE(LoadLanguage());  // nothing anywhere
  Write(g_strExeDir + u"lang\\LanSetting.ini", u"[ChangeLanguage]\nLanguage=EN\n");
  Write(g_strExeDir + u"lang\\Lan_EN.txt", u"[Setting]\n0=English\n5=bundled\n");
  ASSERT_TRUE(LoadLanguage());
  EXPECT_EQ(LangText(5), u"bundled");
  // The data folder's own file wins over the bundled one.
  Config(u"Lan_EN.txt", u"[Setting]\n0=English\n5=user\n");
  ASSERT_TRUE(LoadLanguage());
  EXPECT_EQ(LangText(5), u"user");
}

}  // namespace
