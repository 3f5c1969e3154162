// The bundled language files: the format the loader accepts, and a text for every index the
// program shows, in both languages.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"

namespace {

namespace fs = std::filesystem;
const fs::path kRepo = VANTREL_SOURCE_DIR;
const std::u16string kExeDir = u"C:\\Program Files\\Vantrel\\";

// Every text index the program uses, grouped by where it appears.
const std::vector<std::pair<const char*, std::vector<int>>> kUsedTexts = {
    {"main page and tray", {0,   1,   2,   3,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,
                            17,  18,  19,  211, 260, 261, 262, 263, 264, 265, 266, 267, 268, 270,
                            271, 272, 274, 275, 276, 285, 286, 287, 288, 290, 330, 331}},
    {"lighting", {100, 101, 102, 103, 109, 120, 121, 122, 123, 153, 154}},
    {"function menu", {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 36, 39}},
    {"DPI menu", {40, 41, 42}},
    {"multimedia menu", {45, 46, 47, 48, 49, 50, 51, 52, 53, 54}},
    {"office menu", {60, 61, 62, 63, 64, 65, 66, 67, 68}},
    {"window menu", {75, 76, 77, 78, 79, 80}},
    {"profiles", {85, 86, 87, 88, 89, 90, 91, 92, 93, 142, 143, 145, 147, 152, 200, 340, 345}},
    {"pointer page", {130, 131, 132, 133, 134, 135}},
    {"messages", {4, 5, 146, 150, 151, 155, 156, 341, 350, 351, 352}},
    {"reset and pairing", {140, 277, 278, 279, 280, 281, 282, 283, 342, 440}},
    {"editors", {170, 171, 172, 173, 174, 175, 176, 180, 289, 360, 361}},
    {"macro manager",
     {189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 201, 202, 205, 206, 207, 208, 209,
      210, 220, 221, 222, 223, 224, 225, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242,
      243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 259}},
    {"shooting actions", {212, 213, 214, 215, 216, 217, 218, 219}},
    {"firmware",
     {291, 292, 293, 295, 296, 297, 298, 299, 300, 301, 302, 303, 304, 305, 306, 307, 308}},
    {"software update", {332, 333, 334, 335, 336, 337, 338, 339, 343, 344}},
    {"companion", {471, 472, 473, 474, 475, 476, 477, 478, 479, 480, 481, 482, 483, 484, 485, 486}},
};

struct LanguageFile {
  std::string bytes;
  std::vector<std::u16string> lines;
};

LanguageFile Load(const std::string& name) {
  LanguageFile out;
  std::ifstream in(kRepo / "lang" / name, std::ios::binary);
  out.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  platform::headless::HeadlessPlatform platform;
  platform.files().Mount(kExeDir, kRepo);
  CStdioFileEx file;
  if (!file.Open(kExeDir + u"lang\\" + base::FromUtf8(name), CStdioFileEx::kReadFlags)) return out;
  std::u16string line;
  while (file.ReadString(line)) out.lines.push_back(line);
  return out;
}

// The texts by index, read by the loader's rules; a line the loader would stop at fails.
std::map<int, std::u16string> Texts(const std::string& name) {
  const LanguageFile file = Load(name);
  std::map<int, std::u16string> texts;
  EXPECT_FALSE(file.lines.empty()) << name;
  if (file.lines.empty()) return texts;
  EXPECT_EQ(file.lines[0], u"[Setting]") << name;
  for (size_t i = 1; i < file.lines.size(); ++i) {
    const std::u16string& line = file.lines[i];
    const size_t eq = line.find(u'=');
    EXPECT_TRUE(eq != std::u16string::npos && eq != 0 && eq + 1 != line.size())
        << name << " line " << i + 1 << " would stop the loader: " << base::ToUtf8(line);
    if (eq == std::u16string::npos || eq == 0) continue;
    int index = 0;
    for (size_t k = 0; k < eq; ++k) {
      const char16_t c = line[k];
      EXPECT_TRUE(c >= u'0' && c <= u'9') << name << " line " << i + 1;
      index = index * 10 + (c - u'0');
      if (index > 100000) break;
    }
    EXPECT_TRUE(index >= 0 && index < 500) << name << " index " << index;
    EXPECT_FALSE(texts.count(index)) << name << " index " << index << " twice";
    texts[index] = line.substr(eq + 1);
  }
  return texts;
}

// The printf conversions of a text, in order ("%d", "%s", "%.1f", "%%" ...).
std::vector<std::u16string> Placeholders(const std::u16string& text) {
  std::vector<std::u16string> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    size_t j = i + 1;
    while (j < text.size() &&
           std::u16string_view(u"-+ #0123456789.").find(text[j]) != std::u16string_view::npos)
      ++j;
    if (j < text.size()) found.push_back(text.substr(i, j - i + 1));
    i = j;
  }
  return found;
}

TEST(LanguageFiles, AreUtf16WithByteOrderMarkAndLfOnly) {
  for (const char* name : {"Lan_EN.txt", "Lan.txt", "LanSetting.ini"}) {
    SCOPED_TRACE(name);
    const LanguageFile file = Load(name);
    ASSERT_GE(file.bytes.size(), 4u);
    EXPECT_EQ(file.bytes.substr(0, 2), std::string("\xFF\xFE"));
    EXPECT_EQ(file.bytes.size() % 2, 0u);
    for (size_t i = 2; i + 1 < file.bytes.size(); i += 2)
      ASSERT_FALSE(file.bytes[i] == '\r' && file.bytes[i + 1] == 0) << "CR at byte " << i;
    EXPECT_EQ(file.bytes.substr(file.bytes.size() - 2), std::string("\n\0", 2))
        << "last line without LF";
  }
}

TEST(LanguageFiles, SettingSelectsEnglish) {
  const LanguageFile file = Load("LanSetting.ini");
  ASSERT_EQ(file.lines.size(), 2u);
  EXPECT_EQ(file.lines[0], u"[ChangeLanguage]");
  const size_t eq = file.lines[1].find(u'=');
  ASSERT_NE(eq, std::u16string::npos);
  ASSERT_NE(eq, 0u);
  EXPECT_EQ(file.lines[1].substr(eq + 1), u"EN");
}

TEST(LanguageFiles, EveryUsedTextIsPresentInBothLanguages) {
  const auto english = Texts("Lan_EN.txt");
  const auto chinese = Texts("Lan.txt");
  for (const auto& [where, indexes] : kUsedTexts) {
    for (int index : indexes) {
      EXPECT_FALSE(english.count(index) == 0 || english.at(index).empty())
          << where << ": English " << index;
      EXPECT_FALSE(chinese.count(index) == 0 || chinese.at(index).empty())
          << where << ": Chinese " << index;
    }
  }
  EXPECT_EQ(english.at(0), u"English");  // any text but "中文" selects Tahoma
  EXPECT_EQ(chinese.at(0), u"中文");
}

// The program's own loader on a fresh installation: no data folder files, so the bundled
// setting picks English; a user setting naming another language picks Chinese.
TEST(LanguageFiles, ProgramLoadsEitherBundledFileWhole) {
  platform::headless::HeadlessPlatform platform;
  platform.UseInstallation(kRepo);
  g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
  g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\Data\\";
  g_fUiScale = 1.0f;
  struct Case {
    const char16_t* userSetting;  // nullptr: none in the data folder
    const char16_t* text0;
    const char16_t* face;
    int height;
    uint8_t charset;
  };
  for (const Case& c : {Case{nullptr, u"English", u"Tahoma", 16, 1},
                        Case{u"[ChangeLanguage]\nLanguage=CN\n", u"中文", u"宋体", 12, 134}}) {
    SCOPED_TRACE(base::ToUtf8(c.text0));
    if (c.userSetting) {
      ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Users\\player\\AppData\\Roaming\\Data"));
      ASSERT_TRUE(platform.files().CreateDirectory(g_strDataDir + u"config"));
      CStdioFileEx file;
      ASSERT_TRUE(file.Open(g_strDataDir + u"config\\LanSetting.ini", CStdioFileEx::kWriteFlags));
      file.WriteString(c.userSetting);
      ASSERT_TRUE(file.Close());
    }
    ResetLanguage();
    EXPECT_TRUE(LoadLanguage());
    EXPECT_EQ(LangText(0), c.text0);
    EXPECT_EQ(g_strFontFace, c.face);
    EXPECT_EQ(g_nFontHeight, c.height);
    EXPECT_EQ(g_nFontCharset, c.charset);
    for (const auto& [where, indexes] : kUsedTexts)
      for (int index : indexes) EXPECT_FALSE(LangText(index).empty()) << where << " " << index;
  }
  ResetLanguage();
}

TEST(LanguageFiles, BothLanguagesHaveTheSameIndexesAndPlaceholders) {
  const auto english = Texts("Lan_EN.txt");
  const auto chinese = Texts("Lan.txt");
  for (const auto& [index, text] : english) {
    ASSERT_TRUE(chinese.count(index)) << "Chinese lacks " << index;
    EXPECT_EQ(Placeholders(text), Placeholders(chinese.at(index))) << index;
  }
  for (const auto& [index, text] : chinese)
    EXPECT_TRUE(english.count(index)) << "English lacks " << index;
}

TEST(LanguageFiles, ButtonCaptionsFitTheirButtons) {
  // Captions on the 69-pixel buttons: about nine Tahoma characters, or five 12-pixel glyphs.
  const auto english = Texts("Lan_EN.txt");
  const auto chinese = Texts("Lan.txt");
  for (int index : {1, 4, 5, 6, 7, 276, 277, 335}) {
    EXPECT_LE(english.at(index).size(), 9u) << index;
    EXPECT_LE(chinese.at(index).size(), 5u) << index;
  }
  // Page tabs and section headings on the header bars.
  for (int index : {9, 10, 11, 12, 13, 14, 15, 19, 265, 272, 275, 285, 290}) {
    EXPECT_LE(english.at(index).size(), 22u) << index;
    EXPECT_LE(chinese.at(index).size(), 12u) << index;
  }
}

TEST(LanguageFiles, MessagesFitTheMessageBox) {
  // The message label is 319 x 40: two lines of about 40 Tahoma characters, or of 26 glyphs at
  // 12 pixels.
  const auto english = Texts("Lan_EN.txt");
  const auto chinese = Texts("Lan.txt");
  for (int index : {140, 145, 147, 151, 152, 153, 154, 155, 156, 174, 175, 176, 232, 233, 234, 235,
                    236, 237, 241, 242, 257, 281, 291, 292, 293, 307, 308, 332, 333, 334, 339}) {
    EXPECT_LE(english.at(index).size(), 76u) << index;
    EXPECT_LE(chinese.at(index).size(), 44u) << index;
  }
}

TEST(LanguageFiles, MatchTheirEditableSources) {
  for (auto [source, target] :
       {std::pair{"en.utf8.txt", "Lan_EN.txt"}, std::pair{"zh.utf8.txt", "Lan.txt"},
        std::pair{"LanSetting.utf8.ini", "LanSetting.ini"}}) {
    std::ifstream in(kRepo / "skins-src" / "lang" / source, std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string joined;
    for (const auto& line : Load(target).lines) joined += line + u"\n";
    EXPECT_EQ(base::ToUtf8(joined), utf8) << target << " is stale: run skins-src/render.sh";
  }
}

}  // namespace
