#include "views/buttons/RapidFireRules.h"

#include "base/Language.h"
#include "views/buttons/ButtonTexts.h"

namespace buttons::rapidfire {
namespace {

// Far above every limit, and far below int's.
constexpr int kSaturated = 1000000;

}  // namespace

std::optional<int> FieldNumber(std::u16string_view text) {
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value >= kSaturated ? kSaturated : value * 10 + (c - u'0');
  }
  return value;
}

bool IsAcceptedChar(char16_t unit) {
  return (unit >= u'0' && unit <= u'9') || unit == u'\b';
}

Correction CheckFields(std::u16string_view first, std::u16string_view second) {
  Correction out{std::u16string(first), std::u16string(second), {}};
  const std::optional<int> a = FieldNumber(first);
  if (a && *a > kMaxValue) {
    out.first = kMaxText;
    out.messages.push_back(text::kRapidFireFirstRange);
  }
  const std::optional<int> b = FieldNumber(second);
  if (b && *b > kMaxValue) {
    out.second = kMaxText;
    out.messages.push_back(text::kRapidFireSecondRange);
  }
  return out;
}

Acceptance Accept(std::u16string_view first, std::u16string_view second) {
  const std::optional<int> a = FieldNumber(first);
  const std::optional<int> b = FieldNumber(second);
  // A value beyond a byte would be cut short on its way to the mouse.
  if (!a || *a < kFirstMin || *a > kMaxValue) return {std::nullopt, text::kRapidFireFirstRange};
  if (!b || *b > kMaxValue) return {std::nullopt, text::kRapidFireSecondRange};
  using BFC = ButtonFunctionCode;
  return {
      ButtonChoice{LangText(text::kRapidFire),
                   BFC::Make(BFC::RapidFire, static_cast<uint8_t>(*a), static_cast<uint8_t>(*b)),
                   {}},
      0};
}

}  // namespace buttons::rapidfire
