#include "views/macros/ActionXYModifyDlg.h"

#include <algorithm>

#include "base/Format.h"
#include "ui/EditBox.h"

CActionXYModifyDlg::CActionXYModifyDlg(platform::WindowId parent,
                                       macros::editing::MoveDirection direction, uint32_t amount,
                                       std::function<void(int)> showMessage)
    : CActionEditDlg(parent, kFirstTitleText + static_cast<int>(direction), Entry::Number,
                     base::Format(u"%u", amount), std::move(showMessage)),
      m_nAmount(amount) {}

void CActionXYModifyDlg::TakeValue() {
  const uint32_t typed = macros::editing::ParseDigits(Edit()->GetText(), 1000);
  m_nAmount = std::clamp<uint32_t>(typed, 1, macros::editing::kMaxMove);
}
