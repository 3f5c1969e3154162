#include "profiles/PollingRate.h"

#include <gtest/gtest.h>

#include <set>

#include "base/Text.h"

namespace {

TEST(PollingRateTest, CodesAndIndicesRoundTrip) {
  std::set<uint8_t> codes;
  for (uint8_t index = 0; index <= PollingRate::kHighestIndex; ++index) {
    const uint8_t code = PollingRate::Code(index);
    EXPECT_TRUE(codes.insert(code).second) << "code used twice: " << int(code);
    EXPECT_EQ(PollingRate::IndexOfCode(code), index);
    if (index > 0) {
      EXPECT_EQ(PollingRate::Hertz(index), 2 * PollingRate::Hertz(index - 1));
    }
  }
  EXPECT_EQ(PollingRate::Hertz(0), 125);
  EXPECT_EQ(PollingRate::Code(0), 0x08);
  EXPECT_EQ(PollingRate::Code(PollingRate::kDefaultIndex), 0x01);
  EXPECT_EQ(PollingRate::Hertz(PollingRate::kDefaultIndex), 1000);
}

TEST(PollingRateTest, EverythingPastTheTableIsTheHighestRate) {
  for (uint8_t index : {6, 7, 200, 255}) {
    EXPECT_EQ(PollingRate::Code(index), 0x14) << int(index);
    EXPECT_EQ(PollingRate::Label(index), u"8000Hz");
  }
  for (uint8_t code : {0x00, 0x03, 0x13, 0x14, 0xFF}) {
    EXPECT_EQ(PollingRate::IndexOfCode(code), 6) << int(code);
  }
}

TEST(PollingRateTest, NamesAndLabelsSpellTheRate) {
  for (uint8_t index = 0; index <= PollingRate::kHighestIndex; ++index) {
    const std::u16string hertz = base::FromUtf8(std::to_string(PollingRate::Hertz(index)));
    EXPECT_EQ(PollingRate::Name(index), hertz + u"HZ");
    EXPECT_EQ(PollingRate::Label(index), hertz + u"Hz");
  }
}

TEST(PollingRateTest, ClassLimitsGrowWithTheClass) {
  EXPECT_EQ(PollingRate::Hertz(PollingRate::HighestIndexForClass(8)), 8000);
  EXPECT_EQ(PollingRate::Hertz(PollingRate::HighestIndexForClass(4)), 4000);
  EXPECT_EQ(PollingRate::Hertz(PollingRate::HighestIndexForClass(2)), 2000);
  for (int cls : {1, 0, 3, 0x30, 0x31}) {
    EXPECT_EQ(PollingRate::Hertz(PollingRate::HighestIndexForClass(cls)), 1000) << cls;
  }
}

}  // namespace
