#pragma once
// The battery notice: a small skinned window at the bottom right of the work area, above
// other windows, that never takes the focus. It shows the battery level and what to do; it
// stays until the user closes it, or the mouse charges again.

#include <string>

#include "ui/DlgBase.h"

class CStaticText;

class CBatteryNoticeDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr uint32_t kLevelLabel = 2013;
  static constexpr uint32_t kAdviceLabel = 2014;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 102;  // the size of the warning frame's artwork

  // `level` percent, with the advice for threshold `threshold` (20 or 5). Create() shows it.
  CBatteryNoticeDlg(int level, int threshold);

  // Shows another level and advice in the open window.
  void Update(int level, int threshold);
  bool IsOpen() const;
  void Close();

  // Where the notice goes in `workArea`, scaled.
  static platform::Rect Placement(const platform::Rect& workArea);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnInitDialog() override;
  void OnCancel() override { EndDialog(kIdCancel); }

 private:
  void ApplyTexts();

  int m_level = 0;
  int m_threshold = 20;
  CStaticText* m_pLevel = nullptr;
  CStaticText* m_pAdvice = nullptr;
};
