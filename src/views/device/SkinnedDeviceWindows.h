#pragma once
// The device link's windows as the skinned dialogs of views/device: the progress window,
// the factory-reset confirmation, and whether a firmware update owns the mouse.

#include "views/DeviceWindows.h"

class ViewServices;

class SkinnedDeviceWindows : public DeviceWindows {
 public:
  explicit SkinnedDeviceWindows(ViewServices& services) : m_services(services) {}

  void ShowProgress(int textNumber) override;
  [[nodiscard]] bool ConfirmFactoryReset() override;
  [[nodiscard]] bool DeviceBusy() const override;

 private:
  ViewServices& m_services;
};
