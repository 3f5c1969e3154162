#pragma once
// The step editor of a cursor action: X (2014) and Y (2015), each shown as a number with a
// minus and a plus half, one step a press within -127..127. The changes apply to a copy;
// OK (2010) keeps it, cancel (2011) and the close button drop it. OK and cancel act when
// their button is pressed down.

#include "macros/MacroAction.h"
#include "macros/editing/BulletRules.h"
#include "ui/DlgBase.h"

class CBulletNumberButton;

class CActionBulletXYModifyDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kCancelButton = 2011;
  static constexpr uint32_t kStepX = 2014;
  static constexpr uint32_t kStepY = 2015;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 140;
  static constexpr int kTitleText = 215;

  CActionBulletXYModifyDlg(platform::WindowId parent, MacroAction action);

  // The edited copy (the original until OK).
  MacroAction Action() const { return bullets::WithStep(m_action, m_step); }
  bullets::CursorStep Step() const { return m_step; }

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;
  void OnCancel() override;

 private:
  void ShowValues();

  MacroAction m_action;
  bullets::CursorStep m_step;
  CBulletNumberButton* m_pX = nullptr;
  CBulletNumberButton* m_pY = nullptr;
};
