#include "views/macros/ActionTimeModifyDlg.h"

#include "base/Format.h"
#include "macros/editing/ActionEdits.h"
#include "ui/EditBox.h"

CActionTimeModifyDlg::CActionTimeModifyDlg(platform::WindowId parent, uint32_t ms,
                                           std::function<void(int)> showMessage)
    : CActionEditDlg(parent, kTitleText, Entry::Number, base::Format(u"%u", ms),
                     std::move(showMessage)),
      m_nMs(ms) {}

void CActionTimeModifyDlg::TakeValue() {
  m_nMs = macros::editing::ParseDigits(Edit()->GetText(), macros::editing::kMaxEditedDelayMs);
}
