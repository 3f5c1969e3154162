#include "base/Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "base/Crc32.h"

namespace {

TEST(Text, Utf8RoundTripIncludingSurrogatesAndBadInput) {
  const std::u16string text = u"Maus 中文 \U0001F5B1 end";
  EXPECT_EQ(base::FromUtf8(base::ToUtf8(text)), text);
  EXPECT_EQ(base::ToUtf8(u"宋体"), "\xE5\xAE\x8B\xE4\xBD\x93");
  EXPECT_EQ(base::FromUtf8("a\xFF"
                           "b"),
            u"a\xFFFD"
            u"b");
  EXPECT_EQ(base::FromUtf8("\xE5\xAE"), u"\xFFFD\xFFFD");                 // truncated sequence
  EXPECT_EQ(base::ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
  // Overlong forms are refused: none may pass for '/', '.' or NUL.
  EXPECT_EQ(base::FromUtf8("\xC0\xAF"), u"\xFFFD\xFFFD");
  EXPECT_EQ(base::FromUtf8("\xE0\x80\xAE"), u"\xFFFD\xFFFD\xFFFD");
  EXPECT_EQ(base::FromUtf8("\xF0\x80\x80\x80"), u"\xFFFD\xFFFD\xFFFD\xFFFD");
  EXPECT_EQ(base::FromUtf8("\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80"),
            u"\x0080\x0800\U00010000");  // the smallest of each length still decodes
}

TEST(Text, ParseDecimalLikeTheCRuntime) {
  struct Case {
    std::u16string_view text;
    int value;
  } cases[] = {{u"42", 42},
               {u"  17abc", 17},
               {u"-5", -5},
               {u"+8", 8},
               {u"", 0},
               {u"abc", 0},
               {u"0012", 12},
               {u"1 2", 1},
               {u"\t3", 3},
               {u"99999999999", 2147483647},
               {u"-99999999999", -2147483647 - 1}};
  for (const auto& c : cases)
    EXPECT_EQ(base::ParseDecimal(c.text), c.value) << base::ToUtf8(c.text);
}

TEST(Text, ParseLongReadsLikeTheCLibrary) {
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
      EXPECT_EQ(base::ParseLong(base::FromUtf8(input), base), expected)
          << input << " base " << base;
    }
  }
}

TEST(Text, HexOutputMatchesTheCLibrary) {
  for (uint32_t value : {0u, 0xAu, 0xFFu, 0x123u, 0xFFFFu, 0x12345u, 0xDEADBEEFu}) {
    for (int digits : {2, 4}) {
      char expected[16];
      std::snprintf(expected, sizeof expected, "%.*X", digits, value);
      std::u16string out = u"=";
      base::AppendHex(out, value, digits);
      EXPECT_EQ(out, u"=" + base::FromUtf8(expected)) << value << " " << digits;
    }
  }
  for (unsigned v = 0; v < 16; ++v) {
    EXPECT_EQ(base::HexDigitValue(base::HexDigit(v)), static_cast<int>(v));
  }
  EXPECT_EQ(base::HexDigitValue(u'f'), 15);
  EXPECT_EQ(base::HexDigitValue(u'g'), -1);
  EXPECT_EQ(base::HexDigitValue(u'\uFF10'), -1);  // a full-width digit is not one
}

TEST(Text, SplitAndFolders) {
  EXPECT_EQ(base::Split(u"a=b=c", u'='), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  EXPECT_EQ(base::Split(u"", u'='), (std::vector<std::u16string>{u""}));
  EXPECT_EQ(base::FolderOf(u"C:\\Program Files\\Vantrel\\Vantrel.exe"),
            u"C:\\Program Files\\Vantrel\\");
  EXPECT_EQ(base::FolderOf(u"Vantrel.exe"), u"");
  EXPECT_EQ(base::WithTrailingBackslash(u"C:\\x"), u"C:\\x\\");
  EXPECT_EQ(base::WithTrailingBackslash(u"C:\\x\\"), u"C:\\x\\");
}

// CRC-32 without final inversion: the complement of the well-known zip values.
TEST(Crc32, KnownVectors) {
  const std::string check = "123456789";
  const auto* bytes = reinterpret_cast<const uint8_t*>(check.data());
  EXPECT_EQ(base::Crc32({bytes, check.size()}), ~0xCBF43926u);
  EXPECT_EQ(base::Crc32({}), 0xFFFFFFFFu);
  const uint8_t zeros[32] = {};
  EXPECT_EQ(base::Crc32(zeros), ~0x190A55ADu);
  // Feeding in pieces gives the same value as feeding at once.
  const uint32_t first = base::Crc32({bytes, 4});
  EXPECT_EQ(base::Crc32({bytes + 4, check.size() - 4}, first), ~0xCBF43926u);
}

}  // namespace
