#pragma once
// A text entry for a number typed as digits: a typed character that is neither a digit nor
// Backspace is refused and reported, so the dialog can say why nothing appeared. Control
// characters (Enter, Escape, Tab, Ctrl+letter) are left to the entry and the dialog.

#include <functional>

#include "ui/EditBox.h"

class CDigitsEditBox : public CEditBox {
 public:
  CDigitsEditBox(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                 std::u16string_view text, std::function<void()> onRefused);

  bool OnChar(char16_t unit) override;

 private:
  std::function<void()> m_onRefused;
};
