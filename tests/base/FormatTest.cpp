#include "base/Format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "base/Text.h"

namespace {

template <typename T>
std::string CFormat(const char* fmt, T value) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, fmt, value);
  return buffer;
}

std::string Ours(const char* fmt, base::FormatArg arg) {
  const base::FormatArg args[] = {arg};
  return base::ToUtf8(base::FormatArgs(base::FromUtf8(fmt), args));
}

TEST(Format, IntegersMatchTheCLibrary) {
  const char* formats[] = {"%d",  "%i",   "%u",     "%X",   "%x",    "%.2X", "%.4X",
                           "%4X", "%02X", "0x%.4X", "%5d",  "%-5d|", "%+d",  "%05d",
                           "%o",  "% d",  "%#x",    "%.0d", "%8.3d"};
  const int values[] = {0,    1,    -1,    7,     15,     16,      255,    256,
                        1000, 4095, 65535, 65536, -32768, INT_MAX, INT_MIN};
  for (const char* f : formats) {
    for (int v : values) {
      EXPECT_EQ(Ours(f, v), CFormat(f, v)) << f << " with " << v;
    }
  }
}

TEST(Format, UnsignedAndWideIntegers) {
  EXPECT_EQ(Ours("%u", 4294967295u), CFormat("%u", 4294967295u));
  EXPECT_EQ(Ours("%X", 0xDEADBEEFu), "DEADBEEF");
  EXPECT_EQ(Ours("%llu", 18446744073709551615ull), CFormat("%llu", 18446744073709551615ull));
  EXPECT_EQ(Ours("%lld", -9000000000ll), CFormat("%lld", -9000000000ll));
  // Bytes are passed as small unsigned integers.
  EXPECT_EQ(Ours("%.2X", static_cast<unsigned char>(0xAB)), "AB");
  EXPECT_EQ(Ours("%hX", 0x12345), "2345");
}

TEST(Format, RealsMatchTheCLibrary) {
  const char* formats[] = {"%.1f", "%f", "%.2f", "%6.1f", "%-8.3f|", "%e", "%g", "%.0f"};
  const double values[] = {0.0, 0.05, 0.25, 1.0, 2.5, -3.75, 123456.789, 1e-7, 99.95};
  for (const char* f : formats) {
    for (double v : values) {
      EXPECT_EQ(Ours(f, v), CFormat(f, v)) << f << " with " << v;
    }
  }
}

TEST(Format, TextsPercentAndMixedArguments) {
  EXPECT_EQ(base::Format(u"DPI-%d", 3), u"DPI-3");
  EXPECT_EQ(base::Format(u"%s=%s\n", u"Key", std::u16string(u"值")), u"Key=值\n");
  EXPECT_EQ(base::Format(u"[%5s][%-5s][%.2s]", u"ab", u"cd", u"xyz"), u"[   ab][cd   ][xy]");
  EXPECT_EQ(base::Format(u"100%%"), u"100%");
  EXPECT_EQ(base::Format(u"%c%c", u'O', 75), u"OK");
  EXPECT_EQ(base::Format(u"%*d|%-*d|", 4, 7, 3, 8), u"   7|8  |");
  EXPECT_EQ(base::Format(u"XYSetting%dValueX=%.4X\n", 2, 0x1F4), u"XYSetting2ValueX=01F4\n");
}

TEST(Format, MissingOrMismatchedArgumentsNeverCrash) {
  EXPECT_EQ(base::Format(u"%d and %s"), u"0 and ");
  EXPECT_EQ(base::Format(u"%s", 5), u"");
  EXPECT_EQ(base::Format(u"%d", u"text"), u"0");
  EXPECT_EQ(base::Format(u"50%"), u"50%");
  EXPECT_EQ(base::Format(u"%q"), u"%q");
  EXPECT_EQ(base::Format(u"%99999d", 1).size(), 4096u);  // width is capped
}

}  // namespace
