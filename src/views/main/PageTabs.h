#pragma once
// The page tabs, in one table: each tab's id, the layer it opens, its caption, whether it is
// open at start-up, the order open pages stack in, and the rule that keeps at most two pages
// open. A new page adds its row here.

#include <array>
#include <cstdint>
#include <optional>

namespace page {

constexpr uint32_t kDpiTab = 3001;
constexpr uint32_t kLightingTab = 3002;
constexpr uint32_t kPointerTab = 3003;
constexpr uint32_t kPollingTab = 3004;
constexpr uint32_t kLiftOffTab = 3011;
constexpr uint32_t kDebounceTab = 3012;
constexpr uint32_t kPairingTab = 3013;
constexpr uint32_t kSensorTab = 3014;
constexpr uint32_t kUpdateTab = 3015;

struct PageTab {
  uint32_t id;
  int text;  // the caption's text number
  bool openAtStart;
  // Switched on, the tab keeps the first of these that is on and switches off the rest.
  std::array<uint32_t, 6> chain;
};

constexpr int kTabCount = 9;
// In layer order: row i opens layer i + 1.
constexpr std::array<PageTab, kTabCount> kPageTabs = {{
    {kDpiTab, 11, true, {kLightingTab, kPollingTab, kLiftOffTab, kDebounceTab, kPointerTab}},
    {kLightingTab, 12, true, {kDpiTab, kPollingTab, kLiftOffTab, kDebounceTab, kPointerTab}},
    {kPointerTab, 14, false, {kDpiTab, kLightingTab, kPollingTab, kLiftOffTab, kDebounceTab}},
    {kPollingTab, 13, false, {kDpiTab, kLightingTab, kLiftOffTab, kDebounceTab, kPointerTab}},
    {kLiftOffTab, 19, false, {kDpiTab, kLightingTab, kPollingTab, kDebounceTab, kPointerTab}},
    {kDebounceTab, 272, false, {kDpiTab, kLightingTab, kPollingTab, kLiftOffTab, kPointerTab}},
    {kPairingTab, 275, false, {kDpiTab, kLightingTab, kPollingTab, kLiftOffTab, kPointerTab}},
    {kSensorTab, 285, false, {kDpiTab, kLightingTab, kPollingTab, kLiftOffTab, kPointerTab}},
    {kUpdateTab,
     290,
     false,
     {kDpiTab, kLightingTab, kPollingTab, kLiftOffTab, kPointerTab, kDebounceTab}},
}};

// Tab ids in layer order: tab i opens layer i + 1.
constexpr std::array<uint32_t, kTabCount> kTabIds = [] {
  std::array<uint32_t, kTabCount> ids{};
  for (size_t i = 0; i < ids.size(); ++i) ids[i] = kPageTabs[i].id;
  return ids;
}();
// The order open pages stack in, top-down.
constexpr std::array<uint32_t, kTabCount> kStackOrder = {kDpiTab,      kLightingTab, kPollingTab,
                                                         kLiftOffTab,  kPointerTab,  kSensorTab,
                                                         kDebounceTab, kPairingTab,  kUpdateTab};

// Layer 1..9 of a tab id, 0 for other ids.
constexpr int LayerOf(uint32_t tabId) {
  for (size_t i = 0; i < kTabIds.size(); ++i) {
    if (kTabIds[i] == tabId) return static_cast<int>(i) + 1;
  }
  return 0;
}

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
