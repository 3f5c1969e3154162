#include "views/buttons/QuickLaunchDlg.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/buttons/AssignmentMenus.h"
#include "views/buttons/ButtonTexts.h"
#include "views/buttons/LaunchTarget.h"

CQuickLaunchDlg::CQuickLaunchDlg(platform::WindowId parent, uint32_t fieldId)
    : CButtonEditorDlg(parent, fieldId, buttons::text::kLaunchTitle, buttons::msg::kLaunchResult) {}

void CQuickLaunchDlg::InitUI(const platform::Rect&) {
  InitFrame(Buttons::OkAndCancel);
  auto* browse = AddControl(
      0, std::make_unique<CImageButton>(GetSafeHwnd(), kBrowseButton, Place(24, 56, 93, 76),
                                        LangText(buttons::text::kBrowse)));
  browse->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  browse->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  browse->SetFormat(platform::dt::kCenter);
  // A long path wraps over the body's lines.
  m_pPathText = AddLabel(kPathText, Place(104, 38, 414, 96), u"",
                         platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kWordBreak |
                             platform::dt::kEditControl);
  m_pPathText->SetColour(kTextHover);
}

void CQuickLaunchDlg::Browse() {
  std::optional<std::u16string> path =
      platform::ShellServices().OpenFileDialog(buttons::LaunchFileDialog(GetSafeHwnd()));
  if (!path) return;
  m_strPath = std::move(*path);
  if (m_pPathText) m_pPathText->SetTitle(m_strPath);
}

void CQuickLaunchDlg::OnOkClicked() {
  if (auto choice = buttons::LaunchChoice(m_strPath)) SendResult(std::move(*choice));
  Finish(kIdOk);
}

platform::LResult CQuickLaunchDlg::OnMessage(platform::WindowId window, uint32_t message,
                                             platform::WParam wParam, platform::LParam lParam,
                                             bool& handled) {
  if (message == kBrowseButton && lParam == Notify::kClicked) {
    handled = true;
    Browse();
    return 0;
  }
  return CButtonEditorDlg::OnMessage(window, message, wParam, lParam, handled);
}
