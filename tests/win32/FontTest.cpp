#include "adapters/win32/Win32Font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "Win32TestSupport.h"
#include "base/Text.h"

namespace {

using win32test::TestPlatform;

struct Metrics {
  TEXTMETRICW tm{};
  std::u16string face;
};

// What GDI made of the description: the metrics and the face it actually chose.
Metrics Measure(const platform::FontDesc& desc) {
  TestPlatform();
  Metrics m;
  std::unique_ptr<platform::Font> font = platform::Gfx().CreateFont(desc);
  auto* win32Font = dynamic_cast<platform::win32::Win32Font*>(font.get());
  if (win32Font == nullptr || win32Font->Handle() == nullptr) return m;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, static_cast<HFONT>(win32Font->Handle()));
  ::GetTextMetricsW(dc, &m.tm);
  wchar_t face[LF_FACESIZE] = {};
  ::GetTextFaceW(dc, LF_FACESIZE, face);
  m.face = platform::win32::FromWide(face);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return m;
}

// The UI fonts of both languages get the cell height they ask for (printed with what the
// same number as a character height gave, and the face GDI chose: a prefix without the
// fonts falls back to other faces). A face that stands in for the one asked for may round
// its ascent and descent down by a pixel.
TEST(Win32Font, UiFontsGetTheCellHeightTheyAskFor) {
  struct Case {
    const char16_t* face;
    int height;
    uint8_t charset;
    uint8_t chosenCharset;  // DEFAULT_CHARSET becomes the system's ANSI set
    int slack;
  };
  for (const Case& c : {Case{u"Tahoma", 16, 1, 0, 0}, Case{u"宋体", 12, 134, 134, 1}}) {
    SCOPED_TRACE(c.height);
    const Metrics m = Measure({.face = c.face, .height = c.height, .charset = c.charset});
    const Metrics character = Measure({.face = c.face, .height = -c.height, .charset = c.charset});
    std::printf(
        "UI font %d: cell %ld (ascent %ld, descent %ld, leading %ld); as a character "
        "height: cell %ld; face %s\n",
        c.height, static_cast<long>(m.tm.tmHeight), static_cast<long>(m.tm.tmAscent),
        static_cast<long>(m.tm.tmDescent), static_cast<long>(m.tm.tmInternalLeading),
        static_cast<long>(character.tm.tmHeight), base::ToUtf8(m.face).c_str());
    EXPECT_LE(m.tm.tmHeight, c.height);
    EXPECT_GE(m.tm.tmHeight, c.height - c.slack);
    EXPECT_GT(character.tm.tmHeight, c.height);
    EXPECT_EQ(m.tm.tmCharSet, c.chosenCharset);
  }
  // The Latin face must be the one asked for: a fallback face draws wider and overlaps.
  EXPECT_EQ(Measure({.face = u"Tahoma", .height = 16}).face, u"Tahoma");
}

// A negative height is a character height: the cell grows by the internal leading.
TEST(Win32Font, NegativeHeightAsksForTheCharacterHeight) {
  const Metrics m = Measure({.face = u"Tahoma", .height = -13, .weight = 600});
  EXPECT_EQ(m.tm.tmHeight - m.tm.tmInternalLeading, 13);
  EXPECT_GT(m.tm.tmHeight, 13);
  EXPECT_GE(m.tm.tmWeight, 600) << "a bold face";
}

// The on-screen display's fonts give a width as well as a height.
TEST(Win32Font, WidthIsTheAverageCharacterWidth) {
  // The last one is half as wide as the face's own proportions.
  for (const auto& [height, width] : {std::pair{24, 12}, std::pair{48, 24}, std::pair{48, 12}}) {
    const Metrics m = Measure({.face = u"Tahoma", .height = height, .width = width});
    EXPECT_EQ(m.tm.tmHeight, height);
    EXPECT_EQ(m.tm.tmAveCharWidth, width);
  }
}

}  // namespace
