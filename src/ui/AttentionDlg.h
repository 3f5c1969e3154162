#pragma once
// The program's message box: an empty title, a word-wrapped centred message, OK (IDOK) and
// close (IDCANCEL). Runs modally with DoModal or modelessly with Create; a modeless box
// stays above other windows, since nothing else may be showing (the main window can be
// hidden in the tray).

#include <memory>
#include <string>

#include "base/TextNumbers.h"
#include "ui/DlgBase.h"

class CAttentionDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr uint32_t kMessageLabel = 2013;
  static constexpr int kOkText = common_text::kOk;

  // The caption is not shown: the title label stays empty whatever is passed.
  CAttentionDlg(std::u16string_view caption, std::u16string_view message,
                platform::WindowId parent);

  // Modeless use: creates, shows and keeps the box top-most. (DoModal creates it as a
  // normal dialog over its owner.)
  bool Create();

  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  const std::u16string& Message() const { return m_strMessage; }

 protected:
  void OnOK() override;

 private:
  std::u16string m_strMessage;
  std::u16string m_strTitle;  // always empty
  std::unique_ptr<platform::Image> m_frameWarning;
  platform::Size m_sizeWarning;
};
