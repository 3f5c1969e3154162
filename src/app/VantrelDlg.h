#pragma once
// The main window: a router. Every control, popup, dialog, timer and device notice reports to
// it; it hands control messages and timers to the page part that registered them, keeps the
// window-level behaviour (tray, show and hide, exit, device arrival and removal) and offers
// the views its services.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/MessageRouter.h"
#include "base/TextNumbers.h"
#include "device/DeviceHost.h"
#include "device/DeviceStack.h"
#include "device/MacroDownload.h"
#include "device/ProfileDeviceModel.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"
#include "ui/DlgBase.h"
#include "views/ProfileButtonBank.h"
#include "views/ViewServices.h"

class CAttentionDlg;
class CompanionPart;
class FixedArea;
class PagePart;
class UiDump;

class CVantrelDlg : public CDlgBase, public DeviceHost, public ViewServices {
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
  static constexpr uint32_t kVersionLabel = 3021;
  static constexpr uint32_t kNoticeLabel = 3024;
  static constexpr uintptr_t kTimerKeepHidden = 40;
  static constexpr uintptr_t kTimerUiDump = 140;
  static constexpr uint32_t kStatusWired = 3409;
  static constexpr uint32_t kStatusWireless = 3410;
  static constexpr uint32_t kStatusBle = 3408;
  static constexpr intptr_t kResultOk = kIdOk;
  static constexpr intptr_t kResultCancel = kIdCancel;
  // Texts of the notices the window gives itself.
  static constexpr int kAttentionCaption = common_text::kAttentionCaption;
  static constexpr int kSaveFailedText = 341;

  // `uiDumpPath`: where --ui-dump keeps the control dump; empty for none.
  explicit CVantrelDlg(std::u16string uiDumpPath = {});
  ~CVantrelDlg() override;

  // Destroys the window (tests that drive it without a modal loop).
  void Destroy();
  platform::WindowId Handle() const { return m_hWnd; }
  // The top bar, the columns of the fixed area left to right, then the page column, each
  // read top to bottom, so that a page's controls follow its tab.
  std::vector<CControlBase*> FocusOrder() const override;

  bool m_bShowWindow = true;
  bool m_bShownByDevice = false;
  bool m_bSavePending = false;
  bool m_bSliderDirty = false;
  int m_nNeedPassword = 1;

  FixedArea* Fixed() const { return m_pFixed; }
  CompanionPart* Companion() const { return m_pCompanion; }
  const UiDump* Dump() const { return m_uiDump.get(); }
  const std::vector<std::unique_ptr<PagePart>>& Parts() const { return m_parts; }
  const MessageRouter& Router() const { return m_router; }
  // Copies what the page's controls show into the current profile.
  void CollectPageIntoProfile();

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
  void OnBatteryReport(int level, int chargeState) override;
  void MarkSavePending() override { m_bSavePending = true; }
  void OnSensorTableChanged() override;
  bool ConfirmFactoryReset() override;

  // --- ViewServices ---
  CDlgBase& MainDialog() override { return *this; }
  ProfileSettings& CurrentProfile() override;
  GlobalSettings& Settings() override { return g_GlobalSettings; }
  ProfileStore& Profiles() override { return g_ProfileStore; }
  const SensorDpiTable& SensorTable() const override { return g_SensorDpiTable; }
  DeviceLink& Link() override { return m_device.link; }
  ButtonBank& CurrentButtons() override { return m_buttons; }
  MacroDownload& Macros() override { return m_macros; }
  void MarkPending(Group group) override;
  void MarkPendingWhileDragging(Group group) override;
  void MarkSaveOnly() override { StartPendingWrite(); }
  void WriteNow() override;
  void SaveNow() override;
  void ExitProgram() override { ExitPath(kResultOk); }
  void HideMainWindow() override;
  void CollectPage() override { CollectPageIntoProfile(); }
  FactoryReset::Result RunFactoryReset() override;
  void RunAfterMenuClosed(uintptr_t timerId, std::function<void()> action) override;
  intptr_t ShowMessage(int textNumber, Box kind) override;
  intptr_t ShowMessageText(std::u16string_view text, Box kind) override;

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnInitDialog() override;
  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  void OnCancel() override;
  bool RepaintsWholeWindowOnRelease(uint32_t id) const override;
  void OnDpiChanged(int dpi, const platform::Rect* suggested) override;

 private:
  void PlaceWindow();
  void OnTimer(uintptr_t id);
  void OnTrayNotify(platform::WParam id, platform::LParam mouseMessage);
  void ShowRequest();
  void ExitPath(intptr_t result);
  void OnDestroy();
  void LoadModel();
  void StopOnRefusedClaims() const;
  // Lays the open pages out down the page column and shows exactly their layers.
  void LayoutPages();
  void ShowPages();
  // Window-level program messages (show request, tray); false for any other.
  bool OnWindowCommand(uint32_t message, platform::WParam wParam, platform::LParam lParam);
  void OnMouseMoveAfterControls(platform::WParam flags, platform::Point pt);
  void StartPendingWrite();
  bool DeviceBusy() const;

  platform::Size m_fullScreen;
  bool m_bTrayAdded = false;
  bool m_bSaveFailureShown = false;
  ProfileDeviceModel m_model{g_GlobalSettings, g_ProfileStore, g_SensorDpiTable};
  DeviceStack m_device{*this, m_model};
  MacroDownload m_macros;
  ProfileButtonBank m_buttons{[this]() -> ProfileSettings& { return CurrentProfile(); }};
  MessageRouter m_router{this};
  FixedArea* m_pFixed = nullptr;
  CompanionPart* m_pCompanion = nullptr;
  std::vector<std::unique_ptr<PagePart>> m_parts;
  std::map<uintptr_t, std::function<void()>> m_afterMenu;
  std::vector<std::unique_ptr<CAttentionDlg>> m_attentions;
  std::u16string m_uiDumpPath;
  std::unique_ptr<UiDump> m_uiDump;
};
