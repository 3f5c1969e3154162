#include "views/device/SkinnedDeviceWindows.h"

#include "views/ViewServices.h"
#include "views/device/CheckFWDlg.h"
#include "views/device/FirmwareResetDlg.h"
#include "views/device/ProgressDlg.h"

void SkinnedDeviceWindows::ShowProgress(int textNumber) {
  CProgressDlg progress(textNumber, m_services.MainDialog().GetSafeHwnd());
  (void)progress.DoModal();
}

bool SkinnedDeviceWindows::ConfirmFactoryReset() {
  CFirmwareResetDlg confirm(m_services.MainDialog().GetSafeHwnd());
  return confirm.DoModal() == CDlgBase::kIdOk;
}

bool SkinnedDeviceWindows::DeviceBusy() const {
  return CCheckFWDlg::UpdateRunning();
}
