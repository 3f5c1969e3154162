#include "app/MessageRouter.h"

#include <algorithm>

bool MessageRouter::RouteMessages(uint32_t first, uint32_t last, PagePart& part) {
  const bool taken = std::any_of(m_ranges.begin(), m_ranges.end(), [&](const Range& r) {
    return first <= r.last && r.first <= last;
  });
  if (last < first || taken) {
    m_refused.push_back("messages " + std::to_string(first) + ".." + std::to_string(last));
    return false;
  }
  auto at = std::lower_bound(m_ranges.begin(), m_ranges.end(), first,
                             [](const Range& r, uint32_t value) { return r.first < value; });
  m_ranges.insert(at, Range{first, last, &part});
  return true;
}

bool MessageRouter::RouteTimer(uintptr_t id, PagePart& part) {
  if (m_timers.emplace(id, &part).second) return true;
  m_refused.push_back("timer " + std::to_string(id));
  return false;
}

PagePart* MessageRouter::PartForMessage(uint32_t message) const {
  auto after = std::upper_bound(m_ranges.begin(), m_ranges.end(), message,
                                [](uint32_t value, const Range& r) { return value < r.first; });
  if (after == m_ranges.begin()) return nullptr;
  const Range& r = *std::prev(after);
  return message <= r.last ? r.part : nullptr;
}

PagePart* MessageRouter::PartForTimer(uintptr_t id) const {
  auto it = m_timers.find(id);
  return it == m_timers.end() ? nullptr : it->second;
}
