#include "keys/KeyTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"

namespace {

using keys::KeyName;
using keys::KeyUsage;

TEST(KeyTablesTest, NamesOfListedCodes) {
  const std::map<int, std::u16string_view> expected = {
      {0x01, u"LBUTTON"},  {0x06, u"XBUTTON2"},    {0x08, u"Backspace"},
      {0x0D, u"Enter"},    {0x17, u"junja"},       {0x1F, u"ModeChange"},
      {0x20, u"Space"},    {0x21, u"Page Up"},     {0x2C, u"Print Screen"},
      {0x30, u"0"},        {0x39, u"9"},           {0x41, u"A"},
      {0x5A, u"Z"},        {0x5B, u"Win_L"},       {0x5F, u"Sleep"},
      {0x60, u"Num0"},     {0x69, u"Num9"},        {0x6F, u"Divide"},
      {0x70, u"F1"},       {0x7B, u"F12"},         {0x87, u"F24"},
      {0x90, u"Num Lock"}, {0x91, u"Scroll Lock"}, {0xA5, u"Alt_R"},
      {0xBA, u";"},        {0xBC, u","},           {0xC0, u"~"},
      {0xDC, u"\\"},       {0xDE, u"'"},           {0xE0, u"L Key"},
      {0xE3, u"Fire"},     {0xE4, u"Cursor"},      {0xE7, u"Mouse Wheel"},
  };
  for (const auto& [code, name] : expected) {
    EXPECT_EQ(KeyName(static_cast<uint8_t>(code)), name) << "code " << code;
  }
}

TEST(KeyTablesTest, GapsAreUndefined) {
  for (int code : {0x00, 0x07, 0x0A, 0x0E, 0x16, 0x1A, 0x3A, 0x40, 0x5E, 0x88, 0x92, 0xA6, 0xB9,
                   0xC1, 0xDA, 0xDF, 0xE8, 0xF0, 0xFF}) {
    EXPECT_EQ(KeyName(static_cast<uint8_t>(code)), u"Undefined") << "code " << code;
  }
  // 0x30..0x39, 0x41..0x5A, 0x60..0x69, 0x70..0x87 are complete runs.
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(KeyName(static_cast<uint8_t>(0x70 + i)), base::FromUtf8("F" + std::to_string(i + 1)));
  }
}

// Facts of the keyboard page that hold whatever the table's layout: the usage of a key follows
// from its name for letters, digits, function keys and the number pad.
std::optional<int> UsageByName(std::u16string_view name) {
  const std::string text = base::ToUtf8(name);
  if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') return 0x04 + (text[0] - 'A');
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '9') return 0x1E + (text[0] - '1');
  if (text == "0") return 0x27;
  if (text.size() == 4 && text.starts_with("Num") && text[3] >= '1' && text[3] <= '9') {
    return 0x59 + (text[3] - '1');
  }
  if (text == "Num0") return 0x62;
  if (text.size() >= 2 && text[0] == 'F' &&
      text.find_first_not_of("0123456789", 1) == std::string::npos) {
    const int n = std::stoi(text.substr(1));
    if (n <= 12) return 0x3A + n - 1;
  }
  return std::nullopt;
}

TEST(KeyTablesTest, UsagesFollowFromTheKeyNames) {
  int checked = 0;
  for (int code = 0; code < 256; ++code) {
    if (const auto usage = UsageByName(KeyName(static_cast<uint8_t>(code)))) {
      EXPECT_EQ(KeyUsage(static_cast<uint8_t>(code)), *usage) << "code " << code;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 26 + 10 + 10 + 12);
}

// The eight modifiers take 0xE0..0xE7 in the keyboard page's order; the mouse codes take the
// marks 0xF0..0xF7 in their own order.
TEST(KeyTablesTest, ModifiersAndMouseCodes) {
  const char16_t* modifiers[] = {u"Ctrl_L", u"Shift_L", u"Alt_L", u"Win_L",
                                 u"Ctrl_R", u"Shift_R", u"Alt_R", u"Win_R"};
  for (int m = 0; m < 8; ++m) {
    const auto* it = std::find(keys::VirtualKeyNames.begin(), keys::VirtualKeyNames.end(),
                               std::u16string_view(modifiers[m]));
    ASSERT_NE(it, keys::VirtualKeyNames.end()) << m;
    EXPECT_EQ(KeyUsage(static_cast<uint8_t>(it - keys::VirtualKeyNames.begin())), 0xE0 + m);
  }
  for (uint8_t code = keys::kCodeLeftKey; code <= keys::kCodeMouseWheel; ++code) {
    EXPECT_EQ(KeyUsage(code), 0xF0 + (code - keys::kCodeLeftKey)) << int(code);
  }
}

// Every usage stands for one key only, except Esc, which 0x3B also sends; nothing lies above
// the mouse marks.
TEST(KeyTablesTest, UsagesAreOneToOne) {
  std::map<int, std::vector<int>> codesOf;
  for (int code = 0; code < 256; ++code) {
    const int usage = KeyUsage(static_cast<uint8_t>(code));
    EXPECT_LE(usage, 0xF7) << "code " << code;
    if (usage != 0) codesOf[usage].push_back(code);
  }
  for (const auto& [usage, codes] : codesOf) {
    EXPECT_EQ(codes.size(), usage == 0x29 ? 2u : 1u) << "usage " << usage;
  }
  EXPECT_EQ(codesOf[0x29], (std::vector<int>{0x1B, 0x3B}));
  // Spot values: right Alt, Print Screen, the two codes Windows does not assign.
  EXPECT_EQ(KeyUsage(0xA5), 0xE6);
  EXPECT_EQ(KeyUsage(0x2C), 0x46);
  EXPECT_EQ(KeyUsage(0x0E), 0x58);
  EXPECT_EQ(KeyUsage(0xF0), 0x81);
  EXPECT_EQ(KeyUsage(0xFB), 0x91);
  EXPECT_EQ(KeyUsage(0xFC), 0);
  EXPECT_EQ(KeyUsage(0x07), 0);
}

}  // namespace
