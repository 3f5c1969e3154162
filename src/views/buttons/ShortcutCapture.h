#pragma once
// The shortcut editor's rules: which key events of the keyboard hook become the key, and the
// name and code the checked modifiers and that key make.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "views/buttons/ButtonChoice.h"

namespace buttons {

// "Ctrl+Shift+A": the prefixes of the set modifier bits in Ctrl, Shift, Alt, Win order, then
// the key's name; without a key the trailing "+" goes ("Alt").
std::u16string ShortcutName(uint8_t modifiers, std::u16string_view keyName);

class ShortcutCapture {
 public:
  // The Windows keys and the left and right Shift, Ctrl and Alt keys: the check boxes stand
  // for the modifiers, so these never become the key.
  static bool IsIgnored(uint8_t code);

  // One event of the hook (press or release alike, low byte of its key code). False when
  // the code is ignored and the captured key stays.
  bool OnKey(uint8_t code);

  bool HasKey() const { return m_bHasKey; }
  const std::u16string& KeyName() const { return m_strName; }
  uint8_t Usage() const { return m_nUsage; }

  // Code 70 <modifiers> <usage> named by ShortcutName; nothing when that name is empty (no
  // modifier checked and no key), so the button keeps its function.
  std::optional<ButtonChoice> Result(uint8_t modifiers) const;

 private:
  bool m_bHasKey = false;
  std::u16string m_strName;
  uint8_t m_nUsage = 0;
};

}  // namespace buttons
