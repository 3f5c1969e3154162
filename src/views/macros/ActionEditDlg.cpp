#include "views/macros/ActionEditDlg.h"

#include "base/Language.h"
#include "base/TextNumbers.h"
#include "macros/editing/EditingTexts.h"
#include "ui/DialogParts.h"
#include "ui/EditBox.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace {

constexpr int kOkText = common_text::kOk;
constexpr int kCancelText = common_text::kCancel;
constexpr platform::Colour kKeyColour = 0x00FFFF;
constexpr platform::Colour kKeyBoxFill = 0x1F1A14;
constexpr platform::Colour kKeyBoxEdge = 0x635449;

platform::Rect ScaledRect(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

const platform::Rect kEntryRect{40, 52, 279, 76};

}  // namespace

CActionEditDlg::CActionEditDlg(platform::WindowId parent, int titleText, Entry entry,
                               std::u16string initial, std::function<void(int)> showMessage)
    : CDlgBase(kDialogTemplate, parent),
      m_nTitleText(titleText),
      m_entry(entry),
      m_strInitial(std::move(initial)),
      m_showMessage(std::move(showMessage)) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

void CActionEditDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  ui::AddCloseCross(*this, kCloseButton, ScaledRect(300, 4, 315, 19));
  ui::AddLabel(*this, kTitleLabel, ScaledRect(21, 11, 280, 31), ui::kTitleColour,
               platform::dt::kLeft, LangText(m_nTitleText));
  const platform::Rect entry =
      ScaledRect(kEntryRect.left, kEntryRect.top, kEntryRect.right, kEntryRect.bottom);
  if (m_entry == Entry::Number) {
    m_pEdit = AddControl(0, std::make_unique<CEditBox>(hWnd, kValueEdit, entry, m_strInitial));
    m_pEdit->LoadDefaultImages();
    m_pEdit->SetNumeric(0, 0x7FFFFFFF);
    m_pEdit->SelectAll();
    SetFocusControl(m_pEdit);
  } else {
    m_pValueLabel =
        AddControl(0, std::make_unique<CStaticText>(
                          hWnd, kValueLabel, entry, kKeyColour,
                          platform::dt::kCenter | platform::dt::kSingleLine, m_strInitial));
  }
  for (auto [id, text, left] :
       {std::tuple{kOkButton, kOkText, 160}, std::tuple{kCancelButton, kCancelText, 240}}) {
    auto* button =
        AddControl(0, std::make_unique<CImageButton>(
                          hWnd, id, ScaledRect(left, 106, left + 69, 126), LangText(text)));
    button->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
    button->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  }
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog2.bmp"));
}

void CActionEditDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  if (m_pValueLabel) {
    canvas.FillRect(m_pValueLabel->m_rc, kKeyBoxFill);
    canvas.FrameRect(m_pValueLabel->m_rc, kKeyBoxEdge);
  }
  DrawControls(canvas, client);
}

void CActionEditDlg::OnOK() {
  // In the key editor Enter is a key to choose, not OK.
  if (m_entry == Entry::Number) Accept();
}

void CActionEditDlg::Accept() {
  TakeValue();
  Close(kIdOk);
}

void CActionEditDlg::Close(intptr_t result) {
  Closing();
  ResetControls();
  EndDialog(result);
}

platform::LResult CActionEditDlg::OnMessage(platform::WindowId window, uint32_t message,
                                            platform::WParam wParam, platform::LParam lParam,
                                            bool& handled) {
  if (lParam == Notify::kClicked &&
      (message == kOkButton || message == kCancelButton || message == kCloseButton)) {
    handled = true;
    if (message == kOkButton) {
      Accept();
    } else {
      Close(kIdCancel);
    }
    return 0;
  }
  if (message == platform::msg::kChar && m_pEdit && GetFocusControl() == m_pEdit) {
    const auto unit = static_cast<char16_t>(wParam);
    // Control characters (Backspace, Enter, Ctrl+C ...) keep their meaning.
    if (unit >= 0x20 && (unit < u'0' || unit > u'9')) {
      handled = true;
      if (m_showMessage) m_showMessage(macros::text::kDigitsOnly);
      return 0;
    }
  }
  if (message == platform::msg::kDestroy) Closing();
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
