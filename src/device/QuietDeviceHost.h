#pragma once
// A device host with no window behind it: every request is ignored except the two window
// flags, which it keeps, and the factory-reset question, which it declines. Benchmarks, fuzz
// harnesses and tests derive from it and override only what they look at.

#include <optional>
#include <string_view>

#include "device/DeviceHost.h"

class QuietDeviceHost : public DeviceHost {
 public:
  void SetTimer(uintptr_t, uint32_t) override {}
  void KillTimer(uintptr_t) override {}
  void RefreshPage() override {}
  void ShowAttention(int) override {}
  void ShowProgress(int) override {}
  void PostOsdMessage() override {}
  void ShellOpen(std::u16string_view) override {}
  void EndProgram(ProgramEnd) override {}
  bool ShowWindowFlag() const override { return m_bShowWindow; }
  void SetShowWindowFlag(bool show) override { m_bShowWindow = show; }
  bool ShownByDevice() const override { return m_bShownByDevice; }
  void SetShownByDevice(bool shown) override { m_bShownByDevice = shown; }
  void ShowMainWindow(WindowShow) override {}
  void ShowStatusImage(std::optional<ConnectionMode::Kind>) override {}
  void UpdatePollingChoices(ConnectionMode::Kind, int) override {}
  void ShowNotLinkedLabel(bool) override {}
  void ShowBattery(int, int, int) override {}
  void MarkSavePending() override {}
  void OnSensorTableChanged() override {}
  bool ConfirmFactoryReset() override { return false; }

 protected:
  bool m_bShowWindow = true;
  bool m_bShownByDevice = false;
};
