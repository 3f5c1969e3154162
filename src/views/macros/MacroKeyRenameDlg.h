#pragma once
// The rename dialog of a library entry (text 238), opened with the entry's name; `apply`
// renames or returns the refusal text, which is shown with the dialog kept open.

#include "views/profiles/ProfileNameDlg.h"

class CMacroKeyRenameDlg : public CProfileNameDlg {
 public:
  static constexpr int kTitleText = 238;

  CMacroKeyRenameDlg(platform::WindowId parent, std::u16string name,
                     std::function<int(std::u16string_view)> apply,
                     std::function<void(int)> showMessage);
};
