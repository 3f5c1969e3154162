#pragma once
// The nine page tabs: which layer each opens, the order open pages stack in, and the rule
// that keeps at most two pages open.

#include <array>
#include <cstdint>
#include <optional>

namespace page {

constexpr int kTabCount = 9;
// Tab ids in layer order: tab i opens layer i + 1.
constexpr std::array<uint32_t, kTabCount> kTabIds = {3001, 3002, 3003, 3004, 3011,
                                                     3012, 3013, 3014, 3015};
// The order open pages stack in, top-down.
constexpr std::array<uint32_t, kTabCount> kStackOrder = {3001, 3002, 3004, 3011, 3003,
                                                         3014, 3012, 3013, 3015};

// Layer 1..9 of a tab id; nothing for other ids.
std::optional<int> LayerOfTab(uint32_t tabId);

// Which tabs are on, by tab id.
class TabStates {
 public:
  bool IsOn(uint32_t tabId) const;
  void Set(uint32_t tabId, bool on);

 private:
  std::array<bool, kTabCount> m_on{};
};

// A click has already toggled `clicked` (now `states.IsOn(clicked)`). Switched off: nothing
// else changes. Switched on: the first tab of its chain that is on stays on and the rest of
// the chain goes off; with none of the chain on, nothing goes off.
void ApplyTabRule(uint32_t clicked, TabStates& states);

}  // namespace page
