#include "views/device/ParingDlg.h"

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/ControlBase.h"
#include "ui/DialogParts.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/device/DeviceTexts.h"

using ui::ScaledRect;

CParingDlg::CParingDlg(platform::WindowId parent) : CDlgBase(kDialogTemplate, parent) {
  m_nWidth = 319;
  m_nHeight = 140;
}

void CParingDlg::InitUI(const platform::Rect&) {
  SetFrameBitmapFile(ui::SkinPath(u"Frame_dialog2.bmp"));
  ui::AddLabel(*this, kTitleLabel, ScaledRect(21, 11, 290, 31), ui::kTitleColour,
               platform::dt::kLeft | platform::dt::kSingleLine,
               LangText(PairingSession::kCaptionText));
  // Before Start the status line says what to do, so the window is never blank.
  m_pStatus = ui::AddLabel(*this, kStatusLabel, ScaledRect(10, 46, 309, 90), ui::kLabelColour,
                           ui::kWrappedCentre, LangText(kHintText));
  m_pStart = ui::AddPushButton(*this, kStartButton, ScaledRect(160, 105, 229, 125),
                               LangText(PairingSession::kStartText));
  m_pClose = ui::AddPushButton(*this, kCloseButton, ScaledRect(240, 105, 309, 125),
                               LangText(device_text::kCancel));
}

void CParingDlg::ShowStatus() {
  if (m_pStatus) m_pStatus->SetTitle(LangText(m_session.StatusText()));
  if (m_session.state() != PairingSession::State::Paired) return;
  // Done: nothing left to start or to cancel.
  if (m_pStart) m_pStart->SetShow(false);
  if (m_pClose) m_pClose->SetTitle(LangText(device_text::kOk));
  InvalidateRect(nullptr);
}

void CParingDlg::Start() {
  const PairingSession::StartAction action = m_session.Start();
  if (action == PairingSession::StartAction::None) return;
  ShowStatus();
  if (action == PairingSession::StartAction::SendAndTick && m_hParent) {
    platform::Windows().SendMessage(m_hParent, kPairMessage, 0, 0);
  }
  platform::Windows().SetTimer(GetSafeHwnd(), kTimerTick, PairingSession::kTickMs);
}

void CParingDlg::OnTick() {
  if (m_session.Tick(g_bDeviceActive) == PairingSession::TickResult::Stop) {
    platform::Windows().KillTimer(GetSafeHwnd(), kTimerTick);
  }
  ShowStatus();
}

platform::LResult CParingDlg::OnMessage(platform::WindowId window, uint32_t message,
                                        platform::WParam wParam, platform::LParam lParam,
                                        bool& handled) {
  handled = true;
  if (message == kStartButton && lParam == Notify::kClicked) {
    Start();
    return 0;
  }
  if (message == kCloseButton && lParam == Notify::kClicked) {
    ResetControls();
    EndDialog(kIdCancel);
    return 0;
  }
  if (message == platform::msg::kKeyDown && wParam == kVkSpace) {
    Start();
    return 0;
  }
  if (message == platform::msg::kTimer && wParam == kTimerTick) OnTick();
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
