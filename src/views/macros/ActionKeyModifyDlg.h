#pragma once
// The key editor (text 221): every key the keyboard hook reports becomes the chosen key and
// its name is shown. The hook runs from opening until OK, cancel or close.

#include "views/macros/ActionEditDlg.h"

class CActionKeyModifyDlg : public CActionEditDlg {
 public:
  static constexpr int kTitleText = 221;

  CActionKeyModifyDlg(platform::WindowId parent, uint8_t code);
  ~CActionKeyModifyDlg() override;
  // The chosen key: the one given until a key is pressed.
  uint8_t Code() const { return m_nCode; }

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void TakeValue() override {}
  void Closing() override { StopHook(); }

 private:
  void StopHook();

  uint8_t m_nCode;
  bool m_bHookStarted = false;
};
