#include "views/device/CheckFWDlg.h"

#include <memory>

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/ControlBase.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "ui/StaticProgressBar.h"
#include "ui/StaticText.h"
#include "views/ViewServices.h"
#include "views/device/DeviceTexts.h"

using ui::ScaledRect;

CCheckFWDlg::CCheckFWDlg(ViewServices& services)
    : CDlgBase(kDialogTemplate, services.MainDialog().GetSafeHwnd()),
      m_services(services),
      m_updater(services.Link(), *this, m_image) {
  m_nWidth = kWidth;
  m_nHeight = 140;
}

void CCheckFWDlg::InitUI(const platform::Rect&) {
  namespace dt = platform::dt;
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog.bmp"));
  const uint32_t line = dt::kLeft | dt::kSingleLine;
  // Everything below the title strip, as in every dialog.
  const int top = ui::kTitleStripBottom + 5;
  ui::AddLabel(*this, kImageLine, ScaledRect(20, top, 210, top + 20), ui::kLabelColour, line, u"");
  ui::AddLabel(*this, kDeviceLine, ScaledRect(220, top, 410, top + 20), ui::kLabelColour, line,
               u"");
  ui::AddLabel(*this, kStatusLine, ScaledRect(20, top + 22, 410, top + 44), ui::kLabelColour, line,
               u"");
  m_pBar = AddControl(
      0, std::make_unique<CStaticProgressBar>(GetSafeHwnd(), kBar, ScaledRect(20, 84, 280, 94)));
  m_pBar->SetImageBackground(ui::SkinPath(u"progress_bg.png"));
  m_pBar->SetImageFill(ui::SkinPath(u"progress_fill.png"));
  m_pBar->SetRange(100);
  m_pBar->SetPos(0);
  ui::AddLabel(*this, kPercentLabel, ScaledRect(290, 78, 410, 100), ui::kLabelColour, line, u"0%");
  ui::AddCloseCross(*this, kCloseCross, ui::CloseCrossRect(kWidth));
  ui::AddPushButton(*this, kCloseButton, ScaledRect(340, 108, 409, 128),
                    LangText(device_text::kCancel));
}

void CCheckFWDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  (void)m_image.LoadFromResources();
  if (!m_image.HasApplication()) {
    (void)m_services.ShowMessageText(kImageError, ViewServices::Box::Modal);
  }
  if (m_image.HasApplication()) m_updater.Open();
  platform::Windows().SetTimer(GetSafeHwnd(), kTimerStart, kStartMs);
}

void CCheckFWDlg::Run() {
  platform::Windows().KillTimer(GetSafeHwnd(), kTimerStart);
  if (!m_image.HasApplication()) return;
  m_bRunning = true;
  s_bUpdating = true;
  m_outcome = m_updater.Run();
  s_bUpdating = false;
  m_bRunning = false;
  if (m_bCloseRequested) OnCancel();
}

void CCheckFWDlg::OnCancel() {
  // The update writes the mouse's flash: it is never left half done from here.
  if (m_bRunning) return;
  ResetControls();
  EndDialog(kIdCancel);
}

platform::LResult CCheckFWDlg::OnMessage(platform::WindowId window, uint32_t message,
                                         platform::WParam wParam, platform::LParam lParam,
                                         bool& handled) {
  if ((message == kCloseCross || message == kCloseButton) && lParam == Notify::kClicked) {
    handled = true;
    OnCancel();
    return 0;
  }
  if (message == platform::msg::kClose && m_bRunning) {
    handled = true;
    m_bCloseRequested = true;
    return 0;
  }
  if (message == platform::msg::kTimer && wParam == kTimerStart) Run();
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

void CCheckFWDlg::SetLine(uint32_t id, const std::u16string& text) {
  if (CControlBase* control = GetControl(id)) control->SetTitle(text);
}

void CCheckFWDlg::SetImageChecksumLine(const std::u16string& text) {
  SetLine(kImageLine, text);
}

void CCheckFWDlg::SetDeviceChecksumLine(const std::u16string& text) {
  SetLine(kDeviceLine, text);
}

void CCheckFWDlg::SetStatus(int textNumber, const std::u16string& text) {
  m_nStatusText = textNumber;
  SetLine(kStatusLine, text);
}

void CCheckFWDlg::SetPercent(const std::u16string& text) {
  SetLine(kPercentLabel, text);
}

void CCheckFWDlg::SetProgress(int value, int total) {
  if (!m_pBar) return;
  const int range = total > 0 ? total : 1;
  if (m_pBar->GetRange() != range) m_pBar->SetRange(range);
  if (m_pBar->GetPos() == value) return;
  m_pBar->SetPos(value);
  InvalidateRect(&m_pBar->m_rc);
}
