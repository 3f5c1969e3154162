#include "views/companion/BatteryNoticeDlg.h"

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/companion/BatteryAlerts.h"
#include "views/companion/CompanionTexts.h"

namespace {

constexpr platform::Colour kLevelColour = 0x3C3CF0;  // red: the level is what matters
constexpr platform::Colour kAdviceColour = 0xFFFFFF;
constexpr int kLevelFontHeight = 40;

}  // namespace

CBatteryNoticeDlg::CBatteryNoticeDlg(int level, int threshold)
    : CDlgBase(kDialogTemplate, 0), m_level(level), m_threshold(threshold) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
  m_windowKind = platform::WindowKind::Notice;
  m_strClassName = u"VantrelNotice";
}

platform::Rect CBatteryNoticeDlg::Placement(const platform::Rect& workArea) {
  const int width = ui::Scaled(kWidth);
  const int height = ui::Scaled(kHeight);
  return {workArea.right - width, workArea.bottom - height, workArea.right, workArea.bottom};
}

bool CBatteryNoticeDlg::IsOpen() const {
  return m_hWnd != 0 && platform::Windows().IsWindow(m_hWnd);
}

void CBatteryNoticeDlg::Update(int level, int threshold) {
  m_level = level;
  m_threshold = threshold;
  ApplyTexts();
  if (!IsOpen()) return;
  // Back above whatever came up over it since.
  platform::Windows().SetTopMost(m_hWnd, true);
  InvalidateLookChanges();
}

void CBatteryNoticeDlg::Close() {
  if (IsOpen()) EndDialog(kIdCancel);
}

void CBatteryNoticeDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  auto& windows = platform::Windows();
  windows.MoveWindow(m_hWnd, Placement(windows.WorkArea()));
  windows.SetTopMost(m_hWnd, true);
}

void CBatteryNoticeDlg::InitUI(const platform::Rect&) {
  namespace dt = platform::dt;
  ui::AddCloseCross(*this, kCloseButton, ui::ScaledRect(300, 4, 315, 19));
  ui::AddLabel(*this, kTitleLabel, ui::ScaledRect(21, 11, 290, 31), ui::kTitleColour,
               dt::kLeft | dt::kSingleLine | dt::kEndEllipsis,
               LangText(companion_text::kBatteryLow));
  m_pLevel = ui::AddLabel(*this, kLevelLabel, ui::ScaledRect(16, 38, 126, 90), kLevelColour,
                          dt::kCenter | dt::kVCenter | dt::kSingleLine, u"");
  m_pLevel->SetFont(ui::Scaled(kLevelFontHeight), g_strFontFace);
  m_pAdvice = ui::AddLabel(*this, kAdviceLabel, ui::ScaledRect(130, 38, 305, 90), kAdviceColour,
                           ui::kWrappedCentre, u"");
  ApplyTexts();
  SetFrameBitmapFile(ui::SkinPath(u"Frame_warning.bmp"));
}

void CBatteryNoticeDlg::ApplyTexts() {
  if (m_pLevel) m_pLevel->SetTitle(base::Format(u"%d%%", m_level));
  if (m_pAdvice) {
    m_pAdvice->SetTitle(LangText(m_threshold == BatteryAlerts::kCriticalLevel
                                     ? companion_text::kChargeNow
                                     : companion_text::kChargeSoon));
  }
}

platform::LResult CBatteryNoticeDlg::OnMessage(platform::WindowId window, uint32_t message,
                                               platform::WParam wParam, platform::LParam lParam,
                                               bool& handled) {
  if (message == kCloseButton && lParam == Notify::kClicked) {
    handled = true;
    EndDialog(kIdCancel);
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
