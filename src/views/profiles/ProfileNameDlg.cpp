#include "views/profiles/ProfileNameDlg.h"

#include "base/Language.h"
#include "base/TextNumbers.h"
#include "ui/DialogParts.h"
#include "ui/EditBox.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace {

constexpr int kOkText = common_text::kOk;
constexpr int kAddTitleText = common_text::kNew;
constexpr int kRenameTitleText = common_text::kRenameProfile;

platform::Rect ScaledRect(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

}  // namespace

CProfileNameDlg::CProfileNameDlg(platform::WindowId parent, std::u16string initial,
                                 std::u16string title,
                                 std::function<int(std::u16string_view)> check,
                                 std::function<void(int)> showMessage)
    : CDlgBase(kDialogTemplate, parent),
      m_strInitial(std::move(initial)),
      m_strTitle(std::move(title)),
      m_check(std::move(check)),
      m_showMessage(std::move(showMessage)) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

void CProfileNameDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  ui::AddCloseCross(*this, kCloseButton, ScaledRect(300, 4, 315, 19));
  ui::AddLabel(*this, kTitleLabel, ScaledRect(21, 11, 280, 31), ui::kTitleColour,
               platform::dt::kLeft, m_strTitle);
  m_pEdit = AddControl(
      0, std::make_unique<CEditBox>(hWnd, kNameEdit, ScaledRect(40, 52, 279, 76), m_strInitial));
  m_pEdit->LoadDefaultImages();
  m_pEdit->SetCentred(true);
  m_pEdit->SelectAll();
  auto* ok = AddControl(0, std::make_unique<CImageButton>(
                               hWnd, kOkButton, ScaledRect(240, 106, 309, 126), LangText(kOkText)));
  ok->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  ok->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  SetFocusControl(m_pEdit);
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog2.bmp"));
}

void CProfileNameDlg::OnOK() {
  const std::u16string name = m_pEdit ? m_pEdit->GetText() : std::u16string();
  if (const int refused = m_check ? m_check(name) : 0) {
    if (m_showMessage) m_showMessage(refused);
    SetFocusControl(m_pEdit);
    return;
  }
  m_strName = name;
  ResetControls();
  EndDialog(kIdOk);
}

platform::LResult CProfileNameDlg::OnMessage(platform::WindowId window, uint32_t message,
                                             platform::WParam wParam, platform::LParam lParam,
                                             bool& handled) {
  if (OnOkOrCloseClicked(message, lParam, kOkButton, kCloseButton)) {
    handled = true;
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

CAddProfileDlg::CAddProfileDlg(platform::WindowId parent,
                               std::function<int(std::u16string_view)> check,
                               std::function<void(int)> showMessage)
    : CProfileNameDlg(parent, u"", LangText(kAddTitleText), std::move(check),
                      std::move(showMessage)) {}

CEditProfileDlg::CEditProfileDlg(platform::WindowId parent, std::u16string name,
                                 std::function<int(std::u16string_view)> check,
                                 std::function<void(int)> showMessage)
    : CProfileNameDlg(parent, std::move(name), LangText(kRenameTitleText), std::move(check),
                      std::move(showMessage)) {}
