#pragma once
// A number entry that says when a character other than a digit is typed: the character is
// dropped and the parent gets (id, 0, kRefusedCharacter), so the dialog can tell the user.

#include <cstdint>
#include <string_view>

#include "ui/EditBox.h"

class CDigitsEdit : public CEditBox {
 public:
  static constexpr platform::LParam kRefusedCharacter = 20;

  CDigitsEdit(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
              std::u16string_view text = u"");

  bool OnChar(char16_t unit) override;

  // The decimal value of the digits, saturating instead of wrapping (0 for none).
  static uint64_t ParseDigits(std::u16string_view text);
};
