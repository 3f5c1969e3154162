#pragma once
// The launch editor: a browse button opens the system's open dialog for a program; OK stores
// the launch of the chosen program (message 1039: its file name, its full path, code
// 60 05 00). OK without a program closes the dialog and leaves the button as it was.

#include <string>

#include "views/buttons/ButtonEditorDlg.h"

class CStaticText;

class CQuickLaunchDlg : public CButtonEditorDlg {
 public:
  static constexpr uint32_t kBrowseButton = 2012;
  static constexpr uint32_t kPathText = 2013;

  CQuickLaunchDlg(platform::WindowId parent, uint32_t fieldId);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  const std::u16string& Path() const { return m_strPath; }

 protected:
  void OnOkClicked() override;

 private:
  void Browse();

  std::u16string m_strPath;
  CStaticText* m_pPathText = nullptr;
};
