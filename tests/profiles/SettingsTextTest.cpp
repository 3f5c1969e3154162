#include "profiles/SettingsText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "base/Text.h"

namespace {

using settings_text::HexField;
using settings_text::ParseLong;

TEST(SettingsTextTest, ParseLongReadsLikeTheCLibrary) {
  const char* inputs[] = {
      "",
      "0",
      "12",
      "-12",
      "+7",
      "  42x",
      "\t-0x1F",
      "0x",
      "0xg",
      "0X1a",
      "ff",
      "FFFF",
      "x12",
      "- 1",
      "0x0x5",
      "1e3",
      "00012",
      "-",
      " +0x",
      "7fffffff",
      "80000000",
      "ffffffffffffffff",
      "99999999999999999999",
      "-99999999999999999999",
  };
  for (const char* input : inputs) {
    for (int base : {10, 16}) {
      const long long expected = std::strtoll(input, nullptr, base);
      EXPECT_EQ(ParseLong(base::FromUtf8(input), base), expected) << input << " base " << base;
    }
  }
}

TEST(SettingsTextTest, HexFieldsAtFixedOffsets) {
  const std::u16string line = u"\tKey0Value=10A4zz";
  const size_t value = line.find(u'=') + 1;
  EXPECT_EQ(HexField(line, value, 2), 0x10u);
  EXPECT_EQ(HexField(line, value + 2, 2), 0xA4u);
  EXPECT_EQ(HexField(line, value + 4, 2), 0u);  // not hex
  EXPECT_EQ(HexField(line, value + 5, 2), 0u);  // one character left
  EXPECT_EQ(HexField(line, value + 6, 2), 0u);  // past the end
  EXPECT_EQ(HexField(line, std::u16string::npos, 2), 0u);
  EXPECT_EQ(HexField(u"=F", 1, 2), 0xFu);      // a short field
  EXPECT_EQ(HexField(u"=0x1F", 1, 4), 0x1Fu);  // "0x" is a prefix, as for wcstol
}

TEST(SettingsTextTest, HexOutputIsPaddedButNeverCut) {
  const struct {
    uint32_t value;
    const char16_t* two;
    const char16_t* four;
  } cases[] = {{0, u"00", u"0000"},
               {0xA, u"0A", u"000A"},
               {0xFF, u"FF", u"00FF"},
               {0x123, u"123", u"0123"},
               {0xFFFF, u"FFFF", u"FFFF"},
               {0x12345, u"12345", u"12345"},
               {0xDEADBEEF, u"DEADBEEF", u"DEADBEEF"}};
  for (const auto& c : cases) {
    std::u16string two, four;
    settings_text::AppendHex2(two, c.value);
    settings_text::AppendHex4(four, c.value);
    EXPECT_EQ(two, c.two) << c.value;
    EXPECT_EQ(four, c.four) << c.value;
  }
}

}  // namespace
