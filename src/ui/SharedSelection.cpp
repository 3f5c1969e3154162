#include "ui/SharedSelection.h"

#include <array>

uint32_t g_nRadioFlags = 0;
int g_nPollingRateIndex = 0;
uint32_t g_nDpiLevelFlags = 0;
int g_nProfileTabIndex = 0;
int g_nPageTabIndex = 0;

namespace {

// Members of each group in bit order; the group's first bit follows.
struct RadioGroup {
  std::array<uint32_t, 7> ids;  // 0 ends a shorter group
  uint32_t firstBit;
};

constexpr std::array<RadioGroup, 7> kGroups{{
    {{3034, 3035, 3036, 3037, 3038, 3039, 3040}, 0x1},
    {{2009, 2010}, 0x80},
    {{3501, 3502}, 0x200},
    {{3240, 3250}, 0x800},
    {{2031, 2032, 2033}, 0x2000},
    {{3030, 3031, 3032, 3033}, 0x10000},
    {{3510, 3511}, 0x100000},
}};

}  // namespace

RadioGroupBits RadioBitsOf(uint32_t id) {
  for (const RadioGroup& g : kGroups) {
    uint32_t bit = g.firstBit;
    uint32_t group = 0;
    uint32_t own = 0;
    for (uint32_t member : g.ids) {
      if (member == 0) break;
      if (member == id) own = bit;
      group |= bit;
      bit <<= 1;
    }
    if (own != 0) return {own, group};
  }
  return {};
}
