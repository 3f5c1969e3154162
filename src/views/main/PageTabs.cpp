#include "views/main/PageTabs.h"

#include <algorithm>
#include <vector>

namespace page {

namespace {

struct Chain {
  uint32_t tab;
  std::vector<uint32_t> chain;
};

const std::array<Chain, kTabCount>& Chains() {
  static const std::array<Chain, kTabCount> chains = {{
      {3001, {3002, 3004, 3011, 3012, 3003}},
      {3002, {3001, 3004, 3011, 3012, 3003}},
      {3004, {3001, 3002, 3011, 3012, 3003}},
      {3011, {3001, 3002, 3004, 3012, 3003}},
      {3012, {3001, 3002, 3004, 3011, 3003}},
      {3003, {3001, 3002, 3004, 3011, 3012}},
      {3013, {3001, 3002, 3004, 3011, 3003}},
      {3014, {3001, 3002, 3004, 3011, 3003}},
      {3015, {3001, 3002, 3004, 3011, 3003, 3012}},
  }};
  return chains;
}

std::optional<size_t> IndexOf(uint32_t tabId) {
  auto it = std::find(kTabIds.begin(), kTabIds.end(), tabId);
  if (it == kTabIds.end()) return std::nullopt;
  return static_cast<size_t>(it - kTabIds.begin());
}

}  // namespace

std::optional<int> LayerOfTab(uint32_t tabId) {
  if (auto index = IndexOf(tabId)) return static_cast<int>(*index) + 1;
  return std::nullopt;
}

bool TabStates::IsOn(uint32_t tabId) const {
  auto index = IndexOf(tabId);
  return index && m_on[*index];
}

void TabStates::Set(uint32_t tabId, bool on) {
  if (auto index = IndexOf(tabId)) m_on[*index] = on;
}

void ApplyTabRule(uint32_t clicked, TabStates& states) {
  if (!states.IsOn(clicked)) return;
  auto it = std::find_if(Chains().begin(), Chains().end(),
                         [clicked](const Chain& c) { return c.tab == clicked; });
  if (it == Chains().end()) return;
  auto keep = std::find_if(it->chain.begin(), it->chain.end(),
                           [&states](uint32_t tab) { return states.IsOn(tab); });
  if (keep == it->chain.end()) return;
  // Only the chain is switched off: a tab outside it (3012 for 3013 and 3014) stays as it
  // is, which is why "at most two pages" holds only normally.
  for (uint32_t tab : it->chain) {
    if (tab != *keep) states.Set(tab, false);
  }
}

}  // namespace page
