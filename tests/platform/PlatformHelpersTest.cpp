#include <gtest/gtest.h>

#include <string>

#include "platform/FileDialogFilter.h"
#include "platform/KeyEventParam.h"

namespace {

using platform::FileDialogFilterList;

TEST(KeyEventParam, TimeInTheLow31BitsAndReleaseInBit31) {
  struct Case {
    uint32_t time;
    bool release;
    uint32_t bits;
  };
  const Case cases[] = {
      {0, false, 0x00000000u},           {1234, false, 1234u},
      {1234, true, 0x80000000u | 1234u}, {0x7FFFFFFFu, false, 0x7FFFFFFFu},
      {0xFFFFFFFFu, false, 0x7FFFFFFFu},  // a system time past 2^31 loses its top bit
      {0x80000005u, true, 0x80000005u},
  };
  for (const Case& c : cases) {
    const platform::LParam lParam = platform::MakeKeyEventParam(c.time, c.release);
    EXPECT_EQ(static_cast<uint32_t>(lParam), c.bits) << c.time;
    EXPECT_GE(lParam, 0) << "64-bit lParam must carry bit 31 as a plain bit";
    EXPECT_EQ(platform::IsKeyRelease(lParam), c.release) << c.time;
    EXPECT_EQ(platform::KeyEventTime(lParam), c.time & 0x7FFFFFFFu) << c.time;
  }
}

TEST(KeyEventParam, IntervalsAcrossTheWrapAndRegardlessOfRelease) {
  using platform::KeyEventInterval;
  using platform::MakeKeyEventParam;
  EXPECT_EQ(KeyEventInterval(MakeKeyEventParam(100, false), MakeKeyEventParam(350, true)), 250u);
  EXPECT_EQ(KeyEventInterval(MakeKeyEventParam(0x7FFFFFF0u, true), MakeKeyEventParam(0x10, false)),
            0x20u);
  EXPECT_EQ(KeyEventInterval(MakeKeyEventParam(500, false), MakeKeyEventParam(500, true)), 0u);
}

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
  using namespace std::string_literals;
  struct Case {
    std::u16string filter;
    std::u16string list;
  };
  const Case cases[] = {
      {u"psf file(*.psf)|*.psf||", u"psf file(*.psf)\0*.psf\0\0"s},
      {u"mkf file(*.mkf)|*.mkf|", u"mkf file(*.mkf)\0*.mkf\0\0"s},
      {u"exe file(*.exe)|*.exe", u"exe file(*.exe)\0*.exe\0\0"s},
      {u"a|*.a|b|*.b||||", u"a\0*.a\0b\0*.b\0\0"s},
      {u"", u"\0\0"s},
      {u"||", u"\0\0"s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileDialogFilterList(c.filter), c.list)
        << std::string(c.filter.begin(), c.filter.end());
  }
}

}  // namespace
