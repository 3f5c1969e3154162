#pragma once
// The progress window after a write to the mouse: a message and a bar that fills from 0 to
// 100 in steps of 2 every 10 ms; it closes itself 20 ms after the bar is full (IDOK).

#include "ui/DlgBase.h"

class CStaticProgressBar;

class CProgressDlg : public CDlgBase {
 public:
  static constexpr uint32_t kMessageLabel = 2013;
  static constexpr uint32_t kBar = 2014;
  static constexpr uintptr_t kTimerFill = 1;
  static constexpr uintptr_t kTimerClose = 2;
  static constexpr uint32_t kFillMs = 10;
  static constexpr uint32_t kCloseMs = 20;
  static constexpr int kStep = 2;

  CProgressDlg(int textNumber, platform::WindowId parent);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  int Position() const { return m_nPos; }

 private:
  void OnTimer(uintptr_t id);

  int m_nText;
  int m_nPos = 0;
  CStaticProgressBar* m_pBar = nullptr;
};
