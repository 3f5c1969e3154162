#include "views/bullets/BulletDelayDlg.h"

#include "base/Format.h"
#include "base/Language.h"
#include "macros/bullets/BulletRules.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "views/bullets/DigitsEdit.h"

namespace {

constexpr int kOkText = 4;
constexpr int kCancelText = 5;

}  // namespace

CBulletDelayDlg::CBulletDelayDlg(platform::WindowId parent, MacroAction action,
                                 std::function<void(int)> showMessage)
    : CDlgBase(kDialogTemplate, parent), m_action(action), m_showMessage(std::move(showMessage)) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

void CBulletDelayDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  ui::AddCloseCross(*this, kCloseButton, ui::ScaledRect(300, 4, 315, 19));
  ui::AddLabel(*this, 2012, ui::ScaledRect(21, 11, 280, 31), ui::kTitleColour, platform::dt::kLeft,
               LangText(kTitleText));
  m_pEdit =
      AddControl(0, std::make_unique<CDigitsEdit>(hWnd, kValueEdit, ui::ScaledRect(40, 52, 279, 76),
                                                  base::Format(u"%u", m_action.DelayMs())));
  m_pEdit->LoadDefaultImages();
  m_pEdit->SetMaxLength(9);
  m_pEdit->SelectAll();
  auto addButton = [&](uint32_t id, int left, int text) {
    ui::AddPushButton(*this, id, ui::ScaledRect(left, 106, left + 69, 126), LangText(text));
  };
  addButton(kOkButton, 160, kOkText);
  addButton(kCancelButton, 240, kCancelText);
  SetFocusControl(m_pEdit);
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog2.bmp"));
}

void CBulletDelayDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  DrawControls(canvas, client);
}

void CBulletDelayDlg::Close(intptr_t result) {
  ResetControls();
  EndDialog(result);
}

void CBulletDelayDlg::OnOK() {
  const uint64_t typed = m_pEdit ? CDigitsEdit::ParseDigits(m_pEdit->GetText()) : 0;
  m_action = MacroAction::Delay(bullets::ClampDelay(typed));
  Close(kIdOk);
}

platform::LResult CBulletDelayDlg::OnMessage(platform::WindowId window, uint32_t message,
                                             platform::WParam wParam, platform::LParam lParam,
                                             bool& handled) {
  if (message == kValueEdit && lParam == CDigitsEdit::kRefusedCharacter) {
    handled = true;
    if (m_showMessage) m_showMessage(kDigitsOnlyText);
    return 0;
  }
  if (lParam == Notify::kClicked &&
      (message == kOkButton || message == kCancelButton || message == kCloseButton)) {
    handled = true;
    if (message == kOkButton) {
      OnOK();
    } else {
      Close(kIdCancel);
    }
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
