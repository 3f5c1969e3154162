#pragma once
// The DPI values of one level for sensors with separate X and Y: a row per axis and the
// "XY Sync" box (unchecked at first). While it is checked every change of one axis is copied
// to the other: the dragged slider leads, or the axis whose edit box has the focus; checking
// it with different values sets Y to X. OK applies both edit boxes and returns both indices.

#include "views/settings/DPIValueSettingDlg.h"

class CCheckButton;

class CDPIValueSyncSettingDlg : public CDPIValueSettingDlg {
 public:
  static constexpr uint32_t kSyncCheck = 2030;
  static constexpr uint32_t kSyncLabel = 2031;

  CDPIValueSyncSettingDlg(const SensorDpiTable& table, int xIndex, int yIndex,
                          platform::WindowId parent);

  int XIndex() const { return m_rules.Index(DpiDialogRules::kX); }
  int YIndex() const { return m_rules.Index(DpiDialogRules::kY); }

 protected:
  void InitExtras() override;
  bool OnExtraMessage(uint32_t message, platform::LParam lParam) override;

 private:
  CCheckButton* m_sync = nullptr;
};
