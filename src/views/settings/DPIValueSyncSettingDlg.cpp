#include "views/settings/DPIValueSyncSettingDlg.h"

#include "ui/CheckButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace {
constexpr CDPIValueSettingDlg::Layout kSyncLayout{429, 140, u"Frame_dialog.bmp"};
}  // namespace

CDPIValueSyncSettingDlg::CDPIValueSyncSettingDlg(const SensorDpiTable& table, int xIndex,
                                                 int yIndex, platform::WindowId parent)
    : CDPIValueSettingDlg(table, xIndex, yIndex, 2, kSyncLayout, parent) {}

void CDPIValueSyncSettingDlg::InitExtras() {
  const platform::WindowId w = GetSafeHwnd();
  auto sync = std::make_unique<CCheckButton>(w, kSyncCheck, Scaled({16, 113, 30, 127}), u"");
  sync->SetImageNormal(ui::SkinPath(u"check_nr.png"));
  sync->SetImageHover(ui::SkinPath(u"check_ov.png"));
  sync->SetImageDown(ui::SkinPath(u"check_dn.png"));
  m_sync = AddControl(0, std::move(sync));
  AddControl(0, std::make_unique<CStaticText>(w, kSyncLabel, Scaled({36, 110, 160, 130}),
                                              kTextNormal, platform::dt::kLeft, u"XY Sync"));
}

bool CDPIValueSyncSettingDlg::OnExtraMessage(uint32_t message, platform::LParam lParam) {
  if (message != kSyncCheck) return false;
  if (lParam == Notify::kClicked) {
    m_rules.SetSync(m_sync->GetCheck());
    ShowAxes(0);
  }
  return true;
}
