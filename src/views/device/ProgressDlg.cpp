#include "views/device/ProgressDlg.h"

#include <memory>

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "ui/StaticProgressBar.h"

using ui::ScaledRect;

CProgressDlg::CProgressDlg(int textNumber, platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent), m_nText(textNumber) {
  m_nWidth = 319;
  m_nHeight = 102;
}

void CProgressDlg::InitUI(const platform::Rect&) {
  SetFrameBitmapFile(ui::SkinPath(u"Frame_warning.bmp"));
  ui::AddLabel(*this, kMessageLabel, ScaledRect(0, 24, 319, 56), ui::kLabelColour,
               ui::kWrappedCentre, LangText(m_nText));
  m_pBar = AddControl(
      0, std::make_unique<CStaticProgressBar>(GetSafeHwnd(), kBar, ScaledRect(30, 66, 290, 76)));
  m_pBar->SetImageBackground(ui::SkinPath(u"progress_bg.png"));
  m_pBar->SetImageFill(ui::SkinPath(u"progress_fill.png"));
  m_pBar->SetRange(100);
  m_pBar->SetPos(0);
  platform::Windows().SetTimer(GetSafeHwnd(), kTimerFill, kFillMs);
}

void CProgressDlg::OnTimer(uintptr_t id) {
  auto& windows = platform::Windows();
  if (id == kTimerFill) {
    m_nPos = std::min(m_nPos + kStep, 100);
    m_pBar->SetPos(m_nPos);
    InvalidateRect(&m_pBar->m_rc);
    if (m_nPos >= 100) {
      windows.KillTimer(GetSafeHwnd(), kTimerFill);
      windows.SetTimer(GetSafeHwnd(), kTimerClose, kCloseMs);
    }
  } else if (id == kTimerClose) {
    windows.KillTimer(GetSafeHwnd(), kTimerClose);
    ResetControls();
    EndDialog(kIdOk);
  }
}

platform::LResult CProgressDlg::OnMessage(platform::WindowId window, uint32_t message,
                                          platform::WParam wParam, platform::LParam lParam,
                                          bool& handled) {
  if (message == platform::msg::kTimer) OnTimer(wParam);
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
