#include "views/main/PollingRules.h"

#include <gtest/gtest.h>

#include "profiles/ProfileSettings.h"

namespace {

TEST(PollingRules, EveryClassOffersItsDial) {
  struct Case {
    int pollingClass;
    uint32_t dial;
    int areas;
  } cases[] = {{1, 3042, 4}, {2, 3043, 5}, {4, 3044, 6}, {8, 3045, 7},  {49, 3041, 2},
               {48, 0, 0},   {0, 3042, 4}, {3, 3042, 4}, {16, 3042, 4}, {-1, 3042, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pollingClass);
    const PollingDial dial = PollingRules::DialFor(c.pollingClass);
    EXPECT_EQ(dial.id, c.dial);
    EXPECT_EQ(dial.areas, c.areas);
    const std::vector<int> offered = PollingRules::OfferedIndices(c.pollingClass);
    ASSERT_EQ(static_cast<int>(offered.size()), c.areas);
    for (int i = 0; i < c.areas; ++i) EXPECT_EQ(offered[static_cast<size_t>(i)], i);
  }
}

TEST(PollingRules, AnAreaChoosesItsRateUpToTheDialsHighest) {
  struct Case {
    int pollingClass;
    int area;
    int index;
  } cases[] = {{49, 0, 0}, {49, 1, 1}, {49, 5, 1}, {1, 3, 3},   {1, 6, 3},  {2, 4, 4},
               {4, 5, 5},  {8, 6, 6},  {8, 9, 6},  {48, 0, -1}, {1, -1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pollingClass << "/" << c.area);
    EXPECT_EQ(PollingRules::IndexForArea(c.pollingClass, c.area), c.index);
  }
}

TEST(PollingRules, StoringARateSetsTheNameAndTheValueTogether) {
  ProfileSettings p;
  ResetProfileToDefaults(p, 0, 0x3950);
  EXPECT_FALSE(PollingRules::StoreRate(p, 3));  // the default 1000 Hz
  EXPECT_TRUE(PollingRules::StoreRate(p, 1));
  EXPECT_EQ(p.PollingRateName, u"250HZ");
  EXPECT_EQ(p.PollingRateValue, (std::array<uint8_t, 3>{1, 0, 0}));
  const char16_t* names[] = {u"125HZ",  u"250HZ",  u"500HZ", u"1000HZ",
                             u"2000HZ", u"4000HZ", u"8000HZ"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(PollingRules::StoreRate(p, i));
    EXPECT_EQ(p.PollingRateName, names[i]);
    EXPECT_EQ(PollingRules::StoredIndex(p), i);
  }
  // A name that disagrees with the value is put right by storing the same index.
  p.PollingRateName = u"junk";
  EXPECT_TRUE(PollingRules::StoreRate(p, 6));
  EXPECT_EQ(p.PollingRateName, u"8000HZ");
  EXPECT_FALSE(PollingRules::StoreRate(p, 7));
  EXPECT_FALSE(PollingRules::StoreRate(p, -1));
  EXPECT_EQ(PollingRules::RateName(200), u"8000HZ");
  EXPECT_EQ(PollingRules::ReceiverChoices(8), 7);
  EXPECT_EQ(PollingRules::ReceiverChoices(4), 6);
  EXPECT_EQ(PollingRules::ReceiverChoices(2), 5);
}

}  // namespace
