#pragma once
// The fixed area's factory-reset button (2045), the on-screen display (message 1067, timer
// 50) and the device link's windows (progress, reset confirmation, busy while a firmware
// update runs).

#include <memory>

#include "views/device/OsdPresenter.h"
#include "views/device/SkinnedDeviceWindows.h"
#include "views/main/PagePart.h"

class SystemPart : public PagePart {
 public:
  static constexpr uint32_t kResetButton = 2045;

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override {}
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;
  void OnTimer(uintptr_t id) override;

  OsdPresenter& Osd() { return m_osd; }
  DeviceWindows* Windows() { return m_windows.get(); }

 private:
  ViewServices* m_services = nullptr;
  OsdPresenter m_osd{0};
  std::unique_ptr<SkinnedDeviceWindows> m_windows;
};
