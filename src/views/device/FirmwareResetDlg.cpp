#include "views/device/FirmwareResetDlg.h"

#include "base/Language.h"
#include "ui/ControlBase.h"
#include "ui/DialogParts.h"
#include "ui/SkinImage.h"
#include "views/device/DeviceTexts.h"

using ui::ScaledRect;

CFirmwareResetDlg::CFirmwareResetDlg(platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent) {
  m_nWidth = 319;
  m_nHeight = 102;
}

void CFirmwareResetDlg::InitUI(const platform::Rect&) {
  SetFrameBitmapFile(ui::SkinPath(u"Frame_warning.bmp"));
  ui::AddLabel(*this, kMessageLabel, ScaledRect(10, 20, 309, 66), ui::kLabelColour,
               ui::kWrappedCentre, LangText(device_text::kFactoryResetQuestion));
  ui::AddPushButton(*this, kConfirmButton, ScaledRect(160, 70, 229, 90),
                    LangText(device_text::kOk));
  ui::AddPushButton(*this, kCancelButton, ScaledRect(240, 70, 309, 90),
                    LangText(device_text::kCancel));
}

platform::LResult CFirmwareResetDlg::OnMessage(platform::WindowId window, uint32_t message,
                                               platform::WParam wParam, platform::LParam lParam,
                                               bool& handled) {
  if ((message == kConfirmButton || message == kCancelButton) && lParam == Notify::kClicked) {
    handled = true;
    ResetControls();
    EndDialog(message == kConfirmButton ? kIdOk : kIdCancel);
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
