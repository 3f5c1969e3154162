#include "views/buttons/ShortcutCapture.h"

#include <array>

#include "keys/KeyTables.h"

namespace buttons {
namespace {

using BFC = ButtonFunctionCode;

struct Prefix {
  uint8_t bit;
  std::u16string_view text;
};
constexpr std::array<Prefix, 4> kPrefixes = {{
    {BFC::kCtrl, u"Ctrl+"},
    {BFC::kShift, u"Shift+"},
    {BFC::kAlt, u"Alt+"},
    {BFC::kWin, u"Win+"},
}};

}  // namespace

std::u16string ShortcutName(uint8_t modifiers, std::u16string_view keyName) {
  std::u16string name;
  for (const Prefix& prefix : kPrefixes) {
    if (modifiers & prefix.bit) name += prefix.text;
  }
  name += keyName;
  if (!name.empty() && name.back() == u'+') name.pop_back();
  return name;
}

bool ShortcutCapture::IsIgnored(uint8_t code) {
  return code == 0x5B || code == 0x5C || (code >= 0xA0 && code <= 0xA5);
}

bool ShortcutCapture::OnKey(uint8_t code) {
  if (IsIgnored(code)) return false;
  m_bHasKey = true;
  m_strName = keys::KeyName(code);
  m_nUsage = keys::KeyUsage(code);
  return true;
}

std::optional<ButtonChoice> ShortcutCapture::Result(uint8_t modifiers) const {
  modifiers &= BFC::kCtrl | BFC::kShift | BFC::kAlt | BFC::kWin;
  std::u16string name = ShortcutName(modifiers, m_strName);
  if (name.empty()) return std::nullopt;
  return ButtonChoice{std::move(name), BFC::Make(BFC::KeyCombination, modifiers, m_nUsage), {}};
}

}  // namespace buttons
