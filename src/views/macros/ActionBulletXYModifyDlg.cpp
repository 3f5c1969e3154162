#include "views/macros/ActionBulletXYModifyDlg.h"

#include "base/Format.h"
#include "base/Language.h"
#include "base/TextNumbers.h"
#include "ui/BulletNumberButton.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"

namespace {

constexpr int kOkText = common_text::kOk;
constexpr int kCancelText = common_text::kCancel;

}  // namespace

CActionBulletXYModifyDlg::CActionBulletXYModifyDlg(platform::WindowId parent, MacroAction action)
    : CDlgBase(kDialogTemplate, parent), m_action(action), m_step(bullets::StepOf(action)) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

void CActionBulletXYModifyDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  ui::AddCloseCross(*this, kCloseButton, ui::ScaledRect(300, 4, 315, 19));
  ui::AddLabel(*this, 2012, ui::ScaledRect(21, 11, 280, 31), ui::kTitleColour, platform::dt::kLeft,
               LangText(kTitleText));
  const platform::Rect minus{0, 0, 24, 24};
  const platform::Rect plus{66, 0, 90, 24};
  auto addNumber = [&](uint32_t id, int left, std::u16string_view label) {
    ui::AddLabel(*this, id + 10, ui::ScaledRect(left - 24, 52, left - 4, 76), ui::kLabelColour,
                 platform::dt::kRight, label);
    auto* number =
        AddControl(0, std::make_unique<CBulletNumberButton>(
                          hWnd, id, ui::ScaledRect(left, 52, left + 90, 76), u"", minus, plus));
    number->SetImageNormal(ui::SkinPath(u"bullet_number_nr.png"));
    number->SetImageFirst(ui::SkinPath(u"bullet_number_minus.png"));
    number->SetImageSecond(ui::SkinPath(u"bullet_number_plus.png"));
    return number;
  };
  m_pX = addNumber(kStepX, 50, u"X");
  m_pY = addNumber(kStepY, 190, u"Y");
  auto addButton = [&](uint32_t id, int left, int text) {
    ui::AddPushButton(*this, id, ui::ScaledRect(left, 106, left + 69, 126), LangText(text));
  };
  addButton(kOkButton, 160, kOkText);
  addButton(kCancelButton, 240, kCancelText);
  ShowValues();
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog2.bmp"));
}

void CActionBulletXYModifyDlg::ShowValues() {
  if (m_pX) m_pX->SetTitle(base::Format(u"%d", m_step.x));
  if (m_pY) m_pY->SetTitle(base::Format(u"%d", m_step.y));
}

void CActionBulletXYModifyDlg::OnOK() {
  ResetControls();
  EndDialog(kIdOk);
}

void CActionBulletXYModifyDlg::OnCancel() {
  ResetControls();
  EndDialog(kIdCancel);
}

platform::LResult CActionBulletXYModifyDlg::OnMessage(platform::WindowId window, uint32_t message,
                                                      platform::WParam wParam,
                                                      platform::LParam lParam, bool& handled) {
  switch (message) {
    case kStepX:
    case kStepY: {
      int& value = message == kStepX ? m_step.x : m_step.y;
      if (lParam == CBulletNumberButton::kPressedFirst) {
        value = bullets::StepDown(value);
      } else if (lParam == CBulletNumberButton::kPressedSecond) {
        value = bullets::StepUp(value);
      } else {
        break;
      }
      handled = true;
      ShowValues();
      return 0;
    }
    case kOkButton:
    case kCancelButton:
      if (lParam != Notify::kPressed) break;
      handled = true;
      message == kOkButton ? OnOK() : OnCancel();
      return 0;
    case kCloseButton:
      if (lParam != Notify::kClicked) break;
      handled = true;
      OnCancel();
      return 0;
    default:
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
