#include "base/Text.h"

#include <gtest/gtest.h>

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

TEST(Text, ParseHexStopsAtTheFirstNonDigit) {
  EXPECT_EQ(base::ParseHex(u"1F4"), 0x1F4u);
  EXPECT_EQ(base::ParseHex(u"ff0000"), 0xFF0000u);
  EXPECT_EQ(base::ParseHex(u"0A G"), 0x0Au);
  EXPECT_EQ(base::ParseHex(u"xyz"), 0u);
  EXPECT_EQ(base::ParseHex(u"123456789"), 0x23456789u);
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
