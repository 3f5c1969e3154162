#include "views/device/DownloadDlg.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/ControlBase.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/device/DeviceTexts.h"

using ui::ScaledRect;

CDownloadDlg::CDownloadDlg(std::u16string_view, std::u16string_view status,
                           std::u16string_view destination, std::u16string_view url,
                           platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent),
      m_strStatus(status),
      m_strDestination(destination),
      m_strUrl(url) {
  m_nWidth = 319;
  m_nHeight = 102;
}

CDownloadDlg::~CDownloadDlg() = default;

void CDownloadDlg::InitUI(const platform::Rect&) {
  namespace dt = platform::dt;
  SetFrameBitmapFile(ui::SkinPath(u"Frame_warning.bmp"));
  ui::AddCloseCross(*this, kCloseCross, ScaledRect(300, 4, 315, 19));
  ui::AddPushButton(*this, kStartButton, ScaledRect(160, 70, 229, 90),
                    LangText(device_text::kDownload));
  ui::AddPushButton(*this, kCancelButton, ScaledRect(240, 70, 309, 90),
                    LangText(device_text::kCancel));
  ui::AddLabel(*this, kTitleLabel, ScaledRect(21, 11, 175, 31), ui::kTitleColour, dt::kLeft, u"");
  m_pStatus = ui::AddLabel(*this, kStatusLabel, ScaledRect(0, 40, 319, 60), ui::kLabelColour,
                           dt::kCenter | dt::kSingleLine, m_strStatus);
}

void CDownloadDlg::Start() {
  // One download at a time, in this dialog and in the process.
  if (m_job || m_bFinished) return;
  m_job = platform::ShellServices().StartDownload(m_strUrl, m_strDestination, *this);
  if (!m_job) return;
  m_nTicks = 0;
  platform::Windows().SetTimer(GetSafeHwnd(), kTimerTick, kTickMs);
}

void CDownloadDlg::OnTick() {
  ++m_nTicks;
  if (m_pStatus) m_pStatus->SetTitle(LangText(device_text::kDownloading[m_nTicks % 3]));
}

void CDownloadDlg::OnDownloadProgress(uint64_t, uint64_t) {}

void CDownloadDlg::OnDownloadFinished(bool ok) {
  m_bFinished = true;
  m_bSucceeded = ok;
  m_job.reset();
  auto& windows = platform::Windows();
  windows.KillTimer(GetSafeHwnd(), kTimerTick);
  windows.SetTimer(GetSafeHwnd(), kTimerEnd, kEndMs);
}

void CDownloadDlg::OnCancel() {
  m_job.reset();  // cancels a download still running
  ResetControls();
  EndDialog(kIdCancel);
}

platform::LResult CDownloadDlg::OnMessage(platform::WindowId window, uint32_t message,
                                          platform::WParam wParam, platform::LParam lParam,
                                          bool& handled) {
  if (lParam == Notify::kClicked && (message == kCloseCross || message == kCancelButton)) {
    handled = true;
    OnCancel();
    return 0;
  }
  if (lParam == Notify::kClicked && message == kStartButton) {
    handled = true;
    Start();
    return 0;
  }
  if (message == platform::msg::kTimer) {
    if (wParam == kTimerTick) OnTick();
    if (wParam == kTimerEnd) {
      platform::Windows().KillTimer(GetSafeHwnd(), kTimerEnd);
      ResetControls();
      EndDialog(m_bSucceeded ? kIdOk : kIdCancel);
    }
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
