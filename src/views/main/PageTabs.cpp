#include "views/main/PageTabs.h"

#include <algorithm>

namespace page {

namespace {

std::optional<size_t> IndexOf(uint32_t tabId) {
  auto it = std::find(kTabIds.begin(), kTabIds.end(), tabId);
  if (it == kTabIds.end()) return std::nullopt;
  return static_cast<size_t>(it - kTabIds.begin());
}

}  // namespace

std::optional<int> LayerOfTab(uint32_t tabId) {
  if (const int layer = LayerOf(tabId)) return layer;
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
  const int layer = LayerOf(clicked);
  if (layer == 0) return;
  const auto& chain = kPageTabs[static_cast<size_t>(layer - 1)].chain;
  auto keep = std::find_if(chain.begin(), chain.end(),
                           [&states](uint32_t tab) { return states.IsOn(tab); });
  if (keep == chain.end()) return;
  // Only the chain is switched off: a tab outside it (3012 for 3013 and 3014) stays as it
  // is, which is why "at most two pages" holds only normally.
  for (uint32_t tab : chain) {
    if (tab != 0 && tab != *keep) states.Set(tab, false);
  }
}

}  // namespace page
