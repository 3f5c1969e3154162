// The main window's routing table.

#include "app/MessageRouter.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(router.PartForTimer(3), &lighting);
  EXPECT_EQ(router.PartForTimer(9), nullptr);
}

}  // namespace
