#include "base/Language.h"

#include "base/AppGlobals.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "platform/Platform.h"

LanguageTexts g_strLangText;
std::u16string g_strFontFace = u"宋体";
int g_nFontHeight = 12;
uint8_t g_nFontCharset = 134;

namespace {

// A file the data folder lacks is read from lang\ beside the executable, so a fresh
// installation shows its texts before anything was saved.
bool OpenLanguageFile(CStdioFileEx& file, std::u16string_view name) {
  if (file.Open(g_strDataDir + u"config\\" + std::u16string(name), CStdioFileEx::kReadFlags)) {
    return true;
  }
  return file.Open(g_strExeDir + u"lang\\" + std::u16string(name), CStdioFileEx::kReadFlags);
}

std::u16string ReadLanguageCode() {
  CStdioFileEx file;
  if (!OpenLanguageFile(file, u"LanSetting.ini")) return {};
  std::u16string line;
  if (!file.ReadString(line)) return {};
  if (line != u"[ChangeLanguage]") return line;
  if (!file.ReadString(line)) return {};
  const size_t eq = line.find(u'=');
  if (eq != std::u16string::npos && eq != 0 && eq != line.size() - 1) return line.substr(eq + 1);
  return line;
}

bool ReadTexts(CStdioFileEx& file, LanguageTexts& texts) {
  std::u16string line;
  if (!file.ReadString(line) || line != u"[Setting]") return false;
  while (file.ReadString(line)) {
    const size_t eq = line.find(u'=');
    if (eq == std::u16string::npos || eq == 0 || eq == line.size() - 1) return false;
    const int index = base::ParseDecimal(std::u16string_view(line).substr(0, eq));
    // Indexes outside the table are skipped rather than written past its end.
    if (index >= 0 && index < kLanguageTextCount) {
      texts[static_cast<size_t>(index)] = line.substr(eq + 1);
    }
  }
  return true;
}

}  // namespace

const std::u16string& LangText(int index) {
  static const std::u16string empty;
  if (index < 0 || index >= kLanguageTextCount) return empty;
  return g_strLangText[static_cast<size_t>(index)];
}

void ResetLanguage() {
  for (auto& text : g_strLangText) text.clear();
  g_strFontFace = u"宋体";
  g_nFontHeight = 12;
  g_nFontCharset = 134;
}

namespace {
constexpr uint8_t kChineseCharset = 134;
}  // namespace

bool ReadLanguageFile(std::u16string_view path, LanguageTexts& texts) {
  CStdioFileEx file;
  return file.Open(path, CStdioFileEx::kReadFlags) && ReadTexts(file, texts);
}

bool LoadLanguage() {
  const std::u16string code = ReadLanguageCode();
  CStdioFileEx file;
  if (!OpenLanguageFile(file, code == u"EN" ? u"Lan_EN.txt" : u"Lan.txt")) return false;
  if (!ReadTexts(file, g_strLangText)) return false;
  if (g_strLangText[0] == u"中文") {
    g_strFontFace = u"宋体";
    g_nFontCharset = kChineseCharset;
  } else {
    g_strFontFace = u"Tahoma";
    g_nFontCharset = 1;
  }
  ScaleUiFont();
  return true;
}

void ScaleUiFont() {
  g_nFontHeight = static_cast<int>((g_nFontCharset == kChineseCharset ? 12 : 16) * g_fUiScale);
}
