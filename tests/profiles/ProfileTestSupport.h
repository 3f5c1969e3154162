#pragma once
// Shared pieces of the profile tests: a headless data folder, known language texts, UTF-16
// file bytes built from lines, and the profile files spelled out line by line.

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/FileBackup.h"
#include "base/Language.h"
#include "base/Text.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "support/Bytes.h"

namespace profile_test {

inline const std::u16string kDataDir =
    u"C:\\Users\\player\\AppData\\Roaming\\GamingMouseData20250627A\\";

// The language texts the profile defaults take their names from.
inline void SetTestLanguage() {
  ResetLanguage();
  const std::pair<int, const char16_t*> texts[] = {
      {20, u"左键"},    {21, u"右键"},    {22, u"中键"},  {23, u"前进"},
      {24, u"后退"},    {36, u"DPI锁定"}, {40, u"DPI+"},  {41, u"DPI-"},
      {42, u"DPI循环"}, {85, u"配置1"},   {86, u"配置2"}, {87, u"配置3"},
      {88, u"配置4"},   {89, u"配置5"},   {100, u"常亮"}, {109, u"幻彩"},
  };
  for (const auto& [n, text] : texts) g_strLangText[n] = text;
}

// printf into a UTF-16 text with the C library (independent of the program's formatter).
inline std::u16string F(const char* format, ...) {
  char buffer[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return base::FromUtf8(buffer);
}

inline std::u16string U(const char* utf8) {
  return base::FromUtf8(utf8);
}

// File bytes: byte-order mark, then each line followed by `lineEnd`.
inline std::string FileBytes(const std::vector<std::u16string>& lines,
                             std::u16string_view lineEnd = u"\n", bool bom = true) {
  std::u16string text;
  for (const auto& line : lines) text += line + std::u16string(lineEnd);
  return bom ? testbytes::Utf16Le(text) : testbytes::Utf16LeNoMark(text);
}

// The lines of a file as written (byte-order mark and final LF expected).
inline std::vector<std::u16string> FileLines(const std::string& bytes) {
  auto lines = base::Split(testbytes::FromUtf16Le(bytes), u'\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// The golden files committed beside the tests.
inline std::string GoldenPath(const char* name) {
  return std::string(VANTREL_SOURCE_DIR) + "/tests/profiles/golden/" + name;
}
std::string ReadGolden(const char* name);
// With VANTREL_UPDATE_GOLDEN=1 in the environment a golden comparison rewrites the file.
void ExpectMatchesGolden(const char* name, const std::string& bytes);

// The 110 lines of a default profile of `slot` with sensor 0x3950, as documented.
std::vector<std::u16string> DefaultProfileLines(int slot);

// A profile in which every field differs from its default, and its 110 lines.
ProfileSettings EveryFieldProfile();
std::vector<std::u16string> EveryFieldProfileLines();

// The 18 lines of the default config.ini in kDataDir.
std::vector<std::u16string> DefaultConfigLines();

// A headless data folder with the config folder, the test language and fresh settings.
class ProfileFilesTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  GlobalSettings settings;
  ProfileStore store;

  void SetUp() override;
  void TearDown() override;

  std::u16string SlotPath(int slot) const { return settings.ProfileSlotPath(slot); }
  std::u16string Config() const { return kDataDir + u"config\\config.ini"; }
  void Put(const std::u16string& path, const std::string& bytes) {
    ASSERT_TRUE(platform.files().WriteAll(path, bytes));
  }
  std::string Get(const std::u16string& path) {
    return platform.files().ReadAll(path).value_or("<missing>");
  }
  bool Exists(const std::u16string& path) { return platform.files().FileExists(path); }
  // The contents of the dated backups of `path`, oldest first.
  std::vector<std::string> Backups(const std::u16string& path) {
    std::vector<std::string> contents;
    for (const auto& backup : base::BackupsOf(path)) contents.push_back(Get(backup));
    return contents;
  }
};

}  // namespace profile_test
