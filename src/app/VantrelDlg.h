#pragma once
// The main window: the hub every control, popup, dialog, timer and device notice reports to.

#include <cstdint>
#include <memory>
#include <vector>

#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/ProfileDeviceModel.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"
#include "ui/DlgBase.h"

class CAttentionDlg;
class CBattery;

class CVantrelDlg : public CDlgBase, public DeviceHost {
 public:
  static constexpr const char16_t* kClassName = u"GamingMouse_QVR";
  static constexpr const char16_t* kTitle = u"Gaming Mouse";
  static constexpr int kWidth = 1127;
  static constexpr int kHeight = 740;
  static constexpr uint32_t kShowRequestMessage = 2999;
  static constexpr uint32_t kTrayCallbackMessage = 1056;
  static constexpr uint32_t kTrayIconId = 128;
  static constexpr int kIconResource = 128;
  static constexpr int kFrameBitmap = 364;
  static constexpr uint32_t kCmdTrayShow = 2075;
  static constexpr uint32_t kCmdTrayExit = 2076;
  static constexpr uint32_t kCloseButton = 2001;
  static constexpr uint32_t kMinimizeButton = 2002;
  static constexpr uint32_t kMinimizeButton2 = 2048;
  static constexpr uint32_t kVersionLabel = 3021;
  static constexpr uint32_t kNoticeLabel = 3024;
  static constexpr uintptr_t kTimerKeepHidden = 40;
  static constexpr uintptr_t kTimerWrite = 30;
  static constexpr uint32_t kStatusWired = 3409;
  static constexpr uint32_t kStatusWireless = 3410;
  static constexpr uint32_t kStatusBle = 3408;
  static constexpr uint32_t kPlaceholderLabel = 3400;
  static constexpr intptr_t kResultOk = kIdOk;
  static constexpr intptr_t kResultCancel = kIdCancel;
  // Where the close and minimise buttons sit on the frame.
  static constexpr platform::Rect kCloseRect{1102, 10, 1117, 25};
  static constexpr platform::Rect kMinimizeRect{1080, 10, 1095, 25};

  CVantrelDlg();
  ~CVantrelDlg() override;

  // Destroys the window (tests that drive it without a modal loop).
  void Destroy();
  platform::WindowId Handle() const { return m_hWnd; }

  bool m_bShowWindow = true;
  bool m_bShownByDevice = false;
  bool m_bSavePending = false;
  int m_nNeedPassword = 1;
  DeviceLink& Link() { return m_link; }

  // --- DeviceHost ---
  void SetTimer(uintptr_t id, uint32_t ms) override;
  void KillTimer(uintptr_t id) override;
  void RefreshPage() override;
  void ShowAttention(int textNumber) override;
  void ShowProgress(int textNumber) override;
  void PostOsdMessage() override;
  void ShellOpen(std::u16string_view target) override;
  void EndProgram(ProgramEnd how) override;
  bool ShowWindowFlag() const override { return m_bShowWindow; }
  void SetShowWindowFlag(bool show) override { m_bShowWindow = show; }
  bool ShownByDevice() const override { return m_bShownByDevice; }
  void SetShownByDevice(bool shown) override { m_bShownByDevice = shown; }
  void ShowMainWindow(WindowShow how) override;
  void ShowStatusImage(std::optional<ConnectionMode::Kind> mode) override;
  void UpdatePollingChoices(ConnectionMode::Kind mode, int maxPollingClass) override;
  void ShowNotLinkedLabel(bool show) override;
  void ShowBattery(int level, int chargeState, int animation) override;
  void MarkSavePending() override { m_bSavePending = true; }
  void OnSensorTableChanged() override;
  bool ConfirmFactoryReset() override;

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnInitDialog() override;
  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  void OnCancel() override;
  bool RepaintsWholeWindowOnRelease(uint32_t id) const override;

 private:
  void PlaceWindow();
  void OnTimer(uintptr_t id);
  void OnTrayNotify(platform::WParam id, platform::LParam mouseMessage);
  void ShowRequest();
  void ExitPath(intptr_t result);
  void OnDestroy();

  void LoadModel();
  void StartDevice();
  void SaveNow();

  platform::Size m_fullScreen;
  bool m_bTrayAdded = false;
  ProfileDeviceModel m_model{g_GlobalSettings, g_ProfileStore, g_SensorDpiTable};
  DeviceLink m_link{*this};
  SettingsWriter m_writer{m_link, m_model, *this};
  StatusEvents m_events{m_link, m_writer, m_model, *this};
  CBattery* m_pBattery = nullptr;
  std::vector<std::unique_ptr<CAttentionDlg>> m_attentions;
};
