#pragma once
// Selections shared between the toolkit's controls and the pages that refresh them from the
// model. User-interface thread only.

#include <cstdint>

// Radio groups: clicking a member clears its group's bits and sets its own.
extern uint32_t g_nRadioFlags;
// Index of the chosen polling rate (0 = 125 Hz ... 6 = 8000 Hz).
extern int g_nPollingRateIndex;
// Enabled DPI levels: bit k of the low byte = level k + 1.
extern uint32_t g_nDpiLevelFlags;
// Chosen profile tab (0..4) and page tab: the index the clicked tab was given.
extern int g_nProfileTabIndex;
extern int g_nPageTabIndex;

// Bit of a radio button and the bits of its group; both 0 for an id outside every group.
struct RadioGroupBits {
  uint32_t own = 0;
  uint32_t group = 0;
};
RadioGroupBits RadioBitsOf(uint32_t id);
