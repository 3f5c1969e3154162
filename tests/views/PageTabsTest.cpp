// The tab rule of the page column.

#include "views/main/PageTabs.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using page::TabStates;

TabStates With(std::set<uint32_t> on) {
  TabStates states;
  for (uint32_t tab : on) states.Set(tab, true);
  return states;
}

std::set<uint32_t> OnTabs(const TabStates& states) {
  std::set<uint32_t> on;
  for (uint32_t tab : page::kTabIds) {
    if (states.IsOn(tab)) on.insert(tab);
  }
  return on;
}

// `before` is the state before the click; the click toggles `clicked` first.
std::set<uint32_t> Click(std::set<uint32_t> before, uint32_t clicked) {
  TabStates states = With(before);
  states.Set(clicked, !states.IsOn(clicked));
  page::ApplyTabRule(clicked, states);
  return OnTabs(states);
}

TEST(PageTabsTest, ClickKeepsTheFirstOpenTabOfItsChain) {
  const struct {
    std::set<uint32_t> before;
    uint32_t clicked;
    std::set<uint32_t> after;
  } cases[] = {
      // The start pages, then the polling tab: DPI stays, lighting goes.
      {{3001, 3002}, 3004, {3001, 3004}},
      // Clicking an open tab closes only that page.
      {{3001, 3002}, 3002, {3001}},
      {{3001, 3002}, 3001, {3002}},
      // Nothing of the chain open: nothing closes.
      {{}, 3003, {3003}},
      {{3013}, 3015, {3013, 3015}},
      // The chain's order decides, not the stack order: 3004 comes before 3003 for 3012.
      {{3003, 3004}, 3012, {3004, 3012}},
      // 3013's chain leaves 3012 alone, so three pages can be open.
      {{3001, 3012}, 3013, {3001, 3012, 3013}},
      // 3015's chain includes 3012, after 3003.
      {{3012, 3003}, 3015, {3003, 3015}},
      {{3012}, 3015, {3012, 3015}},
  };
  for (const auto& c : cases) EXPECT_EQ(Click(c.before, c.clicked), c.after) << c.clicked;
}

TEST(PageTabsTest, LayersFollowTheTabOrderAndOtherIdsHaveNone) {
  EXPECT_EQ(page::LayerOfTab(3001), 1);
  EXPECT_EQ(page::LayerOfTab(3004), 4);
  EXPECT_EQ(page::LayerOfTab(3011), 5);
  EXPECT_EQ(page::LayerOfTab(3015), 9);
  EXPECT_FALSE(page::LayerOfTab(3005));
  EXPECT_FALSE(page::LayerOfTab(3010));
  TabStates states;
  states.Set(3005, true);  // not a tab: ignored
  EXPECT_TRUE(OnTabs(states).empty());
}

}  // namespace
