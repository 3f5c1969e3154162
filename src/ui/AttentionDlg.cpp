#include "ui/AttentionDlg.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/DialogParts.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace {
constexpr int kWidth = 319;
constexpr int kHeight = 102;
constexpr uint32_t kMessageFormat = 0x2015;  // centred, vertically centred, word-wrapping

platform::Rect ScaledRect(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}
}  // namespace

CAttentionDlg::CAttentionDlg(std::u16string_view, std::u16string_view message,
                             platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent), m_strMessage(message) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

bool CAttentionDlg::Create() {
  if (!CDlgBase::Create()) return false;
  platform::Windows().SetTopMost(GetSafeHwnd(), true);
  return true;
}

void CAttentionDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  ui::AddCloseCross(*this, kCloseButton, ui::CloseCrossRect(kWidth));

  auto ok = std::make_unique<CImageButton>(hWnd, kOkButton, ScaledRect(240, 70, 309, 90),
                                           LangText(kOkText));
  ok->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  ok->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  AddControl(0, std::move(ok));

  AddControl(0, std::make_unique<CStaticText>(hWnd, kTitleLabel, ScaledRect(21, 11, 175, 31),
                                              ui::kTitleColour, platform::dt::kLeft, m_strTitle));
  AddControl(0, std::make_unique<CStaticText>(hWnd, kMessageLabel, ScaledRect(0, 35, 319, 75),
                                              kTextNormal, kMessageFormat, m_strMessage));
  ui::LoadBitmapFile(ui::SkinPath(u"Frame_warning.bmp"), m_frameWarning, m_sizeWarning);
}

void CAttentionDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  if (m_frameWarning) {
    canvas.DrawImage(*m_frameWarning, ScaledRect(0, 0, kWidth, kHeight),
                     ui::ImagePixels(*m_frameWarning, {0, 0, std::min(kWidth, m_sizeWarning.cx),
                                                       std::min(kHeight, m_sizeWarning.cy)}));
  }
  DrawControls(canvas, client);
}

void CAttentionDlg::OnOK() {
  ResetControls();
  EndDialog(kIdOk);
}

platform::LResult CAttentionDlg::OnMessage(platform::WindowId window, uint32_t message,
                                           platform::WParam wParam, platform::LParam lParam,
                                           bool& handled) {
  if ((message == kOkButton || message == kCloseButton) && lParam == Notify::kClicked) {
    handled = true;
    ResetControls();
    EndDialog(message == kOkButton ? kIdOk : kIdCancel);
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
