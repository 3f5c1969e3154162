#pragma once
// The name dialog of a new macro (text 243) or folder (text 239). OK hands the name to
// `apply`, which adds the entry or returns the refusal text; a refused name is shown and the
// dialog stays open with the name kept for correcting.

#include "macros/editing/LibraryEdits.h"
#include "views/profiles/ProfileNameDlg.h"

class CMacroKeyOrFolderNameDlg : public CProfileNameDlg {
 public:
  static constexpr int kMacroTitleText = 243;
  static constexpr int kFolderTitleText = 239;

  CMacroKeyOrFolderNameDlg(platform::WindowId parent, macros::editing::EntryKind kind,
                           std::function<int(std::u16string_view)> apply,
                           std::function<void(int)> showMessage);
};
