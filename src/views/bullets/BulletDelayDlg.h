#pragma once
// The delay editor of the shooting-action manager: a number entry in milliseconds. A typed
// non-digit shows a message; Enter acts as OK, Escape does nothing. OK takes the number, at
// most 15300000.

#include <functional>

#include "macros/MacroAction.h"
#include "ui/DlgBase.h"

class CDigitsEdit;

class CBulletDelayDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kCancelButton = 2011;
  static constexpr uint32_t kValueEdit = 2014;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 140;
  static constexpr int kTitleText = 220;
  static constexpr int kDigitsOnlyText = 175;

  // `showMessage` shows a message text (the caller's message box).
  CBulletDelayDlg(platform::WindowId parent, MacroAction action,
                  std::function<void(int)> showMessage);

  // The delay as edited (the original until OK).
  MacroAction Action() const { return m_action; }
  CDigitsEdit* Edit() const { return m_pEdit; }

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;
  void OnCancel() override {}

 private:
  void Close(intptr_t result);

  MacroAction m_action;
  std::function<void(int)> m_showMessage;
  CDigitsEdit* m_pEdit = nullptr;
};
