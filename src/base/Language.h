#pragma once
// The program's texts and UI font. Every visible wording is one entry of g_strLangText,
// loaded from the language file chosen by config\LanSetting.ini.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

constexpr int kLanguageTextCount = 500;
using LanguageTexts = std::array<std::u16string, kLanguageTextCount>;
extern LanguageTexts g_strLangText;

// UI font of every control; set by LoadLanguage from text 0.
extern std::u16string g_strFontFace;  // starts as "宋体"
extern int g_nFontHeight;             // starts as 12
extern uint8_t g_nFontCharset;        // starts as 134

// Text n, or an empty text for an index outside the table.
const std::u16string& LangText(int index);

// Reads the language (data folder first, then lang\ beside the executable for a file the
// data folder lacks) and chooses the font. True when the whole file was read.
bool LoadLanguage();
// The UI font height for the language's face at g_fUiScale (12 for the Chinese face, 16 for
// the other, times the scale); LoadLanguage calls it, and so does a change of scale.
void ScaleUiFont();

// Reads one language file into `texts` (entries it lacks keep what they held). True when the
// whole file was read; a damaged line ends the reading there.
bool ReadLanguageFile(std::u16string_view path, LanguageTexts& texts);

// Back to the initial state: all texts empty, font "宋体" 12 / 134.
void ResetLanguage();
