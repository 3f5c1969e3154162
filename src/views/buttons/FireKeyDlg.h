#pragma once
// The rapid-fire editor: two numbers. Every 100 ms a value above a byte is put back to 255
// with a message; OK stores rapid fire with both values (message 1063) when the first is
// 5..255 and otherwise says why and stays. It has no cancel button; Enter and Escape do
// nothing.

#include "views/buttons/ButtonEditorDlg.h"

class CEditBox;

class CFireKeyDlg : public CButtonEditorDlg {
 public:
  static constexpr uint32_t kFirstLabel = 2013;
  static constexpr uint32_t kSecondLabel = 2014;
  static constexpr uint32_t kFirstField = 2015;
  static constexpr uint32_t kSecondField = 2016;
  static constexpr uint32_t kHintLabel = 2017;
  static constexpr uintptr_t kCheckTimer = 1;
  static constexpr uint32_t kCheckMs = 100;

  CFireKeyDlg(platform::WindowId parent, uint32_t fieldId);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  CEditBox* FirstField() const { return m_pFirst; }
  CEditBox* SecondField() const { return m_pSecond; }

 protected:
  void OnOkClicked() override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  // Puts values above a byte back to 255 and says so; true when something was corrected.
  bool CorrectFields();

  CEditBox* m_pFirst = nullptr;
  CEditBox* m_pSecond = nullptr;
  bool m_bTelling = false;  // a message box of ours is open
};
