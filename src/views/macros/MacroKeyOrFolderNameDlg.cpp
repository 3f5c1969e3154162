#include "views/macros/MacroKeyOrFolderNameDlg.h"

#include "base/Language.h"

CMacroKeyOrFolderNameDlg::CMacroKeyOrFolderNameDlg(platform::WindowId parent,
                                                   macros::editing::EntryKind kind,
                                                   std::function<int(std::u16string_view)> apply,
                                                   std::function<void(int)> showMessage)
    : CProfileNameDlg(
          parent, u"",
          LangText(kind == macros::editing::EntryKind::Macro ? kMacroTitleText : kFolderTitleText),
          std::move(apply), std::move(showMessage)) {}
