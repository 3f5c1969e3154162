#pragma once
// The DPI functions a mouse button can carry: the three entries of the DPI menu and the eleven
// DPI-lock entries, each with the function code and the name stored in the button slot.

#include <array>
#include <cstdint>
#include <string>

struct DpiFunctionEntry {
  int text;                     // language text of the menu entry and of the button name
  std::array<uint8_t, 3> code;  // function code, type byte first
};

inline constexpr std::array<DpiFunctionEntry, 3> kDpiMenuEntries = {{
    {40, {0x40, 0x02, 0x00}},
    {41, {0x40, 0x03, 0x00}},
    {42, {0x40, 0x01, 0x00}},
}};

inline constexpr int kDpiLockEntryCount = 11;

// Entry n = 1..11 of the DPI-lock menu locks at 100 + 100 n DPI, for every sensor.
int DpiLockValue(int entry);
// The menu label: "200".."1200"; empty outside 1..11.
std::u16string DpiLockLabel(int entry);
// 50 nn 00 with nn = entry; the disabled code 00 00 00 outside 1..11.
std::array<uint8_t, 3> DpiLockCode(int entry);
// The name stored in the button slot: language text 36, "-" and the label.
std::u16string DpiLockButtonName(int entry);
