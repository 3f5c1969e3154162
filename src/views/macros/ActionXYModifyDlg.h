#pragma once
// The cursor-move editor (texts 222..225 by direction): an amount of 1..127.

#include "macros/editing/ActionEdits.h"
#include "views/macros/ActionEditDlg.h"

class CActionXYModifyDlg : public CActionEditDlg {
 public:
  static constexpr int kFirstTitleText = 222;

  CActionXYModifyDlg(platform::WindowId parent, macros::editing::MoveDirection direction,
                     uint32_t amount, std::function<void(int)> showMessage);
  // The amount after OK, 1..127.
  uint32_t Amount() const { return m_nAmount; }

 protected:
  void TakeValue() override;

 private:
  uint32_t m_nAmount;
};
