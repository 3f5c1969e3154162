#pragma once
// The factory-reset confirmation: text 140, confirm (IDOK) and cancel (IDCANCEL).

#include "ui/DlgBase.h"

class CFirmwareResetDlg : public CDlgBase {
 public:
  static constexpr uint32_t kMessageLabel = 3001;
  static constexpr uint32_t kConfirmButton = 2010;
  static constexpr uint32_t kCancelButton = 2011;

  explicit CFirmwareResetDlg(platform::WindowId parent);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;
};
