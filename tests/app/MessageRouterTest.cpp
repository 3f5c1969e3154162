// The main window's routing table.

#include "app/MessageRouter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/ViewServices.h"

namespace {

class NullPart : public PagePart {
 public:
  void Build(CDlgBase&, PartRegistry&) override {}
  void Refresh() override {}
  platform::LResult OnMessage(uint32_t, platform::WParam, platform::LParam) override { return 0; }
};

TEST(MessageRouterTest, RangesFindTheirPartAndRefuseOverlaps) {
  MessageRouter router(nullptr);
  NullPart dpi, polling, single;
  EXPECT_TRUE(router.RouteMessages(3260, 3307, dpi));
  EXPECT_TRUE(router.RouteMessages(3030, 3045, polling));
  EXPECT_TRUE(router.RouteMessage(1134, polling));
  EXPECT_TRUE(router.RouteMessage(3308, single));
  // Overlapping either end, or inside, of an owned range is refused and changes nothing.
  EXPECT_FALSE(router.RouteMessages(3300, 3310, single));
  EXPECT_FALSE(router.RouteMessages(3000, 3030, single));
  EXPECT_FALSE(router.RouteMessage(3290, single));
  EXPECT_FALSE(router.RouteMessages(10, 5, single));
  EXPECT_EQ(router.Refused(),
            (std::vector<std::string>{"messages 3300..3310", "messages 3000..3030",
                                      "messages 3290..3290", "messages 10..5"}));

  const struct {
    uint32_t message;
    PagePart* part;
  } cases[] = {{3259, nullptr},  {3260, &dpi},    {3307, &dpi},     {3308, &single},
               {3309, nullptr},  {3029, nullptr}, {3030, &polling}, {3045, &polling},
               {1134, &polling}, {1133, nullptr}, {0, nullptr},     {0xFFFFFFFF, nullptr}};
  for (const auto& c : cases) EXPECT_EQ(router.PartForMessage(c.message), c.part) << c.message;
}

TEST(MessageRouterTest, EachTimerHasOneOwner) {
  MessageRouter router(nullptr);
  NullPart lighting, other;
  for (uintptr_t id = 1; id <= 8; ++id) EXPECT_TRUE(router.RouteTimer(id, lighting));
  EXPECT_FALSE(router.RouteTimer(3, other));
  EXPECT_EQ(router.Refused(), std::vector<std::string>{"timer 3"});
  EXPECT_EQ(router.PartForTimer(3), &lighting);
  EXPECT_EQ(router.PartForTimer(9), nullptr);
}

// Two parts built on one router that both claim the button field message: the second claim
// is refused and listed, and the message stays with the first part.
class ClaimingPart : public NullPart {
 public:
  void Build(CDlgBase&, PartRegistry& registry) override { Claim(registry); }
  void Claim(PartRegistry& registry) { registry.RouteMessage(1028, *this); }
};

TEST(MessageRouterTest, TwoPartsClaimingOneIdAreListedAsAClash) {
  MessageRouter router(nullptr);
  ClaimingPart first, second;
  first.Claim(router);
  EXPECT_TRUE(router.Refused().empty());
  second.Claim(router);
  EXPECT_EQ(router.Refused(), std::vector<std::string>{"messages 1028..1028"});
  EXPECT_EQ(router.PartForMessage(1028), &first);
}

}  // namespace
