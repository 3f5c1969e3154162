#include "views/buttons/ButtonEditorDlg.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/AttentionDlg.h"
#include "ui/DialogParts.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/buttons/ButtonTexts.h"

CButtonEditorDlg::CButtonEditorDlg(platform::WindowId parent, uint32_t fieldId, int titleText,
                                   uint32_t resultMessage)
    : CDlgBase(kDialogTemplate, parent),
      m_uFieldId(fieldId),
      m_nTitleText(titleText),
      m_uResultMessage(resultMessage) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

platform::Rect CButtonEditorDlg::Place(int left, int top, int right, int bottom) {
  return {ui::Scaled(left), ui::Scaled(top), ui::Scaled(right), ui::Scaled(bottom)};
}

CStaticText* CButtonEditorDlg::AddLabel(uint32_t id, const platform::Rect& rc,
                                        std::u16string_view text, uint32_t format) {
  return AddControl(
      0, std::make_unique<CStaticText>(GetSafeHwnd(), id, rc, kTextNormal, format, text));
}

void CButtonEditorDlg::InitFrame(Buttons buttons) {
  (void)SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog.bmp"));
  const platform::WindowId w = GetSafeHwnd();
  auto* title = AddLabel(kTitleLabel, Place(21, 4, 380, 26), LangText(m_nTitleText),
                         platform::dt::kLeft | platform::dt::kSingleLine);
  title->SetColour(ui::kTitleColour);

  auto* close =
      AddControl(0, std::make_unique<CImageButton>(w, kCloseButton, Place(406, 7, 421, 22), u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));

  const auto pushButton = [&](uint32_t id, const platform::Rect& rc, int text) {
    auto* button = AddControl(0, std::make_unique<CImageButton>(w, id, rc, LangText(text)));
    button->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
    button->SetImageHover(ui::SkinPath(u"button2_ov.png"));
    button->SetFormat(platform::dt::kCenter);
    return button;
  };
  // Without cancel, OK takes the last place of the row.
  const bool withCancel = buttons == Buttons::OkAndCancel;
  pushButton(kOkButton, withCancel ? Place(264, 111, 333, 131) : Place(343, 111, 412, 131),
             buttons::text::kOk);
  auto* cancel = pushButton(kCancelButton, Place(343, 111, 412, 131), buttons::text::kCancel);
  cancel->SetShow(withCancel);
}

void CButtonEditorDlg::SendResult(buttons::ButtonChoice choice) {
  m_result = std::move(choice);
  if (m_hParent) {
    platform::Windows().SendMessage(m_hParent, m_uResultMessage, m_uFieldId, 0);
  }
}

void CButtonEditorDlg::Finish(intptr_t result) {
  ResetControls();
  EndDialog(result);
}

intptr_t CButtonEditorDlg::ShowAttention(int textNumber) {
  CAttentionDlg box(LangText(buttons::text::kAttentionCaption), LangText(textNumber), m_hWnd);
  return box.DoModal();
}

platform::LResult CButtonEditorDlg::OnMessage(platform::WindowId window, uint32_t message,
                                              platform::WParam wParam, platform::LParam lParam,
                                              bool& handled) {
  // The main window's exit path closes every open dialog, whatever the editor does with
  // Escape.
  if (message == platform::msg::kClose) {
    handled = true;
    Finish(kIdCancel);
    return 0;
  }
  if (lParam == Notify::kClicked) {
    switch (message) {
      case kCloseButton:
      case kCancelButton:
        handled = true;
        Finish(kIdCancel);
        return 0;
      case kOkButton:
        handled = true;
        OnOkClicked();
        return 0;
      default:
        break;
    }
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
