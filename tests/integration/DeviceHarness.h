#pragma once
// The real device classes on the headless adapter's virtual clock, wired to the simulated
// mouse and to a host that records what the window side was asked to do. Timer 30 runs the
// write and timer 70 counts a save, as the main window does.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/DeviceStack.h"
#include "device/FakeDeviceModel.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "device/sim/SimMouse.h"

class RecordingHost : public DeviceHost, public platform::WindowHandler {
 public:
  static constexpr uintptr_t kTimerWrite = 30;

  std::function<void(uintptr_t)> onTimer;
  std::function<void(uint32_t)> onDeviceChange;

  platform::WindowId window = 0;
  std::vector<int> attentions;
  std::vector<int> progress;
  int osdPosted = 0;
  int osdDelivered = 0;
  int refreshes = 0;
  int savePending = 0;
  int sensorTableChanges = 0;
  std::vector<std::u16string> opened;
  struct End {
    ProgramEnd how;
    uint64_t atMs;
  };
  std::vector<End> ends;
  bool showWindow = true;
  bool shownByDevice = false;
  std::vector<WindowShow> shows;
  std::vector<std::optional<ConnectionMode::Kind>> images;
  std::vector<bool> notLinkedLabels;
  struct Battery {
    int level, charge, animation;
  };
  std::vector<Battery> batteries;

  RecordingHost() {
    platform::WindowDesc desc;
    desc.className = u"DeviceTestHost";
    desc.kind = platform::WindowKind::Main;
    desc.visible = false;
    window = platform::Windows().CreateWindow(desc, this);
  }
  ~RecordingHost() override { platform::Windows().DestroyWindow(window); }

  void SetTimer(uintptr_t id, uint32_t ms) override {
    platform::Windows().SetTimer(window, id, ms);
  }
  void KillTimer(uintptr_t id) override { platform::Windows().KillTimer(window, id); }
  void RefreshPage() override { ++refreshes; }
  void ShowAttention(int text) override { attentions.push_back(text); }
  void ShowProgress(int text) override { progress.push_back(text); }
  void PostOsdMessage() override {
    ++osdPosted;
    (void)platform::Windows().PostMessage(window, kOsdMessage, 1, 0);
  }
  void ShellOpen(std::u16string_view target) override { opened.emplace_back(target); }
  void EndProgram(ProgramEnd how) override { ends.push_back({how, platform::Time().NowMs()}); }
  bool ShowWindowFlag() const override { return showWindow; }
  void SetShowWindowFlag(bool show) override { showWindow = show; }
  bool ShownByDevice() const override { return shownByDevice; }
  void SetShownByDevice(bool shown) override { shownByDevice = shown; }
  void ShowMainWindow(WindowShow how) override { shows.push_back(how); }
  void ShowStatusImage(std::optional<ConnectionMode::Kind> mode) override {
    images.push_back(mode);
  }
  void UpdatePollingChoices(ConnectionMode::Kind, int) override {}
  void ShowNotLinkedLabel(bool show) override { notLinkedLabels.push_back(show); }
  void ShowBattery(int level, int charge, int animation) override {
    batteries.push_back({level, charge, animation});
  }
  void MarkSavePending() override { ++savePending; }
  void OnSensorTableChanged() override { ++sensorTableChanges; }
  bool ConfirmFactoryReset() override {
    ++confirmations;
    return confirmReset;
  }
  bool confirmReset = true;
  int confirmations = 0;

  platform::LResult OnMessage(platform::WindowId, uint32_t message, platform::WParam wParam,
                              platform::LParam, bool& handled) override {
    handled = true;
    if (message == platform::msg::kTimer && onTimer) onTimer(wParam);
    if (message == platform::msg::kDeviceChange && onDeviceChange) {
      onDeviceChange(static_cast<uint32_t>(wParam));
    }
    if (message == kOsdMessage && wParam == 1) ++osdDelivered;
    return 0;
  }
};

class DeviceHarness : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  SimMouse mouse;
  FakeDeviceModel model;
  RecordingHost host;
  DeviceStack stack{host, model};
  DeviceLink& link = stack.link;
  SettingsWriter& writer = stack.writer;
  StatusEvents& events = stack.events;
  int saves = 0;
  std::vector<std::string> failures;

  using Group = SettingsWriter::Group;
  static constexpr auto Wired = ConnectionMode::Wired;
  static constexpr auto Wireless = ConnectionMode::Wireless;
  static constexpr auto BLE = ConnectionMode::BLE;

  DeviceHarness() {
    desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
    platform.SetHidBus(&mouse);
    g_bDeviceActive = true;  // the program was started with the window showing
    host.onTimer = [this](uintptr_t id) {
      if (id == DeviceHost::kTimerSave) {
        host.KillTimer(id);
        ++saves;
      } else {
        (void)stack.OnTimer(id);
      }
    };
    host.onDeviceChange = [this](uint32_t code) { link.OnDeviceChange(code); };
  }
  ~DeviceHarness() override {
    platform.SetHidBus(nullptr);
    EXPECT_TRUE(failures.empty()) << failures.front();
  }

  // The main window's start-up steps that concern the device.
  void StartUp() { stack.StartUp(host.window); }
  // A page handler: the model is changed first, then the group marked and timer 30 armed.
  void Edit(Group group) {
    writer.MarkDirty(group);
    host.SetTimer(RecordingHost::kTimerWrite, 20);
  }
  uint64_t Now() { return desktop.NowMs(); }
  std::vector<SimTraffic> Sent() const { return mouse.CommandsSent(); }
  // "cmd/field" of every report-6 frame sent, in order.
  std::vector<std::string> SentCommands() const {
    std::vector<std::string> out;
    for (const auto& t : mouse.CommandsSent()) {
      char text[16];
      std::snprintf(text, sizeof text, "%02X/%02X", t.At(1), t.At(3));
      out.push_back(text);
    }
    return out;
  }
};
