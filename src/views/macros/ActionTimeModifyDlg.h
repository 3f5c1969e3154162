#pragma once
// The delay editor (text 220): milliseconds, at most 15300000.

#include "views/macros/ActionEditDlg.h"

class CActionTimeModifyDlg : public CActionEditDlg {
 public:
  static constexpr int kTitleText = 220;

  CActionTimeModifyDlg(platform::WindowId parent, uint32_t ms,
                       std::function<void(int)> showMessage);
  // The delay after OK.
  uint32_t Milliseconds() const { return m_nMs; }

 protected:
  void TakeValue() override;

 private:
  uint32_t m_nMs;
};
