#pragma once
// The rapid-fire editor's rules: the two fields' ranges, the 100 ms correction and what OK
// stores.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "views/buttons/ButtonChoice.h"

namespace buttons::rapidfire {

constexpr int kFirstMin = 5;
constexpr int kMaxValue = 255;
constexpr std::u16string_view kFirstStart = u"50";
constexpr std::u16string_view kSecondStart = u"0";
constexpr std::u16string_view kMaxText = u"255";

// The number a field shows: 0 when empty; a long run of digits saturates far above 255
// instead of wrapping. Nothing when the text holds anything but digits.
std::optional<int> FieldNumber(std::u16string_view text);

// Whether a typed character may go into a field: digits and Backspace. Others are refused
// with text 175.
bool IsAcceptedChar(char16_t unit);

struct Correction {
  std::u16string first;  // what the fields show afterwards
  std::u16string second;
  std::vector<int> messages;  // text 174 for the first field, 176 for the second, in order
  bool Changed() const { return !messages.empty(); }
};
// The 100 ms check: a first value of 256 or more, and a second value above 255, become "255".
Correction CheckFields(std::u16string_view first, std::u16string_view second);

struct Acceptance {
  std::optional<ButtonChoice> choice;  // name text 26, code 30 <first> <second>
  int message = 0;                     // text shown instead when there is no choice
};
// OK: a first value of 5..255 with a second of 0..255 is stored; a first value of 4 or less
// (or an empty one) gives text 174, a value beyond 255 the message of its field.
Acceptance Accept(std::u16string_view first, std::u16string_view second);

}  // namespace buttons::rapidfire
