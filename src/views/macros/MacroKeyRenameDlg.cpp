#include "views/macros/MacroKeyRenameDlg.h"

#include "base/Language.h"

CMacroKeyRenameDlg::CMacroKeyRenameDlg(platform::WindowId parent, std::u16string name,
                                       std::function<int(std::u16string_view)> apply,
                                       std::function<void(int)> showMessage)
    : CProfileNameDlg(parent, std::move(name), LangText(kTitleText), std::move(apply),
                      std::move(showMessage)) {}
