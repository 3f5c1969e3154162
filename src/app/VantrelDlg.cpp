#include "app/VantrelDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

#include "app/AccessibleNames.h"
#include "app/PageParts.h"
#include "app/UiDump.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "platform/Platform.h"
#include "profiles/SettingsFiles.h"
#include "ui/AttentionDlg.h"
#include "ui/SkinImage.h"
#include "views/DeviceWindows.h"
#include "views/companion/CompanionPart.h"
#include "views/main/FixedArea.h"
#include "views/main/PageLayout.h"
#include "views/main/PageTabs.h"
#include "views/main/ProfileBar.h"

namespace {

constexpr uint32_t kFirstProgramMessage = 0x0400;  // WM_USER: control ids and popup results
constexpr int kUnreadableFileText = 351;

}  // namespace

CVantrelDlg::CVantrelDlg(std::u16string uiDumpPath)
    : CDlgBase(kMainTemplate, 0),
      m_macros(m_device.link, g_ProfileStore, g_GlobalSettings, g_macroLibrary, g_bulletLibrary),
      m_uiDumpPath(std::move(uiDumpPath)) {
  m_strClassName = kClassName;
  m_nWidth = kWidth;
  m_nHeight = kHeight;
  m_hIcon = kIconResource;
  m_device.SetMacroSync(&m_macros);
}

CVantrelDlg::~CVantrelDlg() = default;

void CVantrelDlg::Destroy() {
  if (m_hWnd && platform::Windows().IsWindow(m_hWnd)) platform::Windows().DestroyWindow(m_hWnd);
  m_hWnd = 0;
}

// --- start-up ---

void CVantrelDlg::OnInitDialog() {
  auto& files = platform::Files();
  auto& windows = platform::Windows();

  // Folders. A folder that cannot be created leaves every later load on its defaults.
  g_strExeDir = base::FolderOf(files.ExecutablePath());
  std::u16string dataDir = files.AppDataFolder() + u"\\" + kDataFolderName;
  if (!files.DirectoryExists(dataDir)) files.CreateDirectory(dataDir);
  g_strDataDir = dataDir + u"\\";
  if (!files.DirectoryExists(g_strDataDir + u"config")) {
    files.CreateDirectory(g_strDataDir + u"config");
  }

  m_fullScreen = windows.FullScreenSize();
  // Drawn at the monitor's own scale: the window is DPI aware, Windows does not stretch it.
  g_fUiScale = ui::ScaleForDpi(windows.WindowDpi(m_hWnd));
  g_fDpiScale = windows.DpiScale();

  // The language first: every text and font created afterwards depends on it.
  LoadLanguage();
  LoadModel();
  if (!m_uiDumpPath.empty()) {
    m_uiDump = std::make_unique<UiDump>(m_uiDumpPath, m_hWnd, kTimerUiDump);
  }

  // The page, once, and the skinned dialog's own set-up; then our own placement.
  CDlgBase::OnInitDialog();
  PlaceWindow();
  g_hOpenDialogs.fill(0);

  m_bTrayAdded =
      platform::TrayIcon().Add(m_hWnd, kTrayIconId, kTrayCallbackMessage, kIconResource, kTitle);

  // "NeedPassword": anything but 0 keeps the window hidden until the mouse allows it.
  m_nNeedPassword = g_GlobalSettings.NeedPassword();
  if (m_nNeedPassword == 1) windows.ShowWindow(m_hWnd, platform::ShowCommand::Minimize);
  m_bShowWindow = m_nNeedPassword == 0;
  m_device.link.SetDeviceActive(m_nNeedPassword == 0);

  m_device.StartUp(m_hWnd);
  // Files that could not be read are left alone for this run; the user hears of it once.
  if (!CStdioFileEx::UnreadableFiles().empty()) ShowAttention(kUnreadableFileText);
  SetFrameBitmap(kFrameBitmap);
  windows.SetTimer(m_hWnd, kTimerKeepHidden, 100);
  SetTimer(kTimerLinkState, 2000);
}

void CVantrelDlg::LoadModel() {
  (void)ReadLibraryFile(g_macroLibrary);
  (void)ReadLibraryFile(g_bulletLibrary);
  (void)LoadAllSettings(g_GlobalSettings, g_ProfileStore);
  BuildSensorDpiTable(g_SensorDpiTable, g_GlobalSettings.SensorId());
}

void CVantrelDlg::InitUI(const platform::Rect&) {
  auto fixed = std::make_unique<FixedArea>();
  m_pFixed = fixed.get();
  m_parts.push_back(std::move(fixed));
  for (auto& part : CreatePageParts()) m_parts.push_back(std::move(part));
  auto companion = std::make_unique<CompanionPart>();
  m_pCompanion = companion.get();
  m_parts.push_back(std::move(companion));
  for (auto& part : m_parts) part->Build(*this, m_router);
  StopOnRefusedClaims();
  NameMainPageControls(*this);
  LayoutPages();
  ShowPages();
}

// A part whose claim was refused would never see its clicks: the program stops at once
// instead of running half wired.
void CVantrelDlg::StopOnRefusedClaims() const {
  if (m_router.Refused().empty()) return;
  for (const std::string& claim : m_router.Refused()) {
    std::fprintf(stderr, "Vantrel: two page parts claim %s\n", claim.c_str());
  }
  std::abort();
}

// The profile slots, the first four page tabs, three section headings and 2040 switch what
// the whole page shows.
bool CVantrelDlg::RepaintsWholeWindowOnRelease(uint32_t id) const {
  return id == 2040 || (id >= ProfileBar::kFirstSlotTab && id <= ProfileBar::kLastSlotTab) ||
         (id >= page::kDpiTab && id <= page::kPollingTab) ||
         (id >= FixedArea::kBatteryHeading && id <= FixedArea::kProfilesHeading);
}

void CVantrelDlg::PlaceWindow() {
  const int w = static_cast<int>(kWidth * g_fUiScale);
  const int h = static_cast<int>(kHeight * g_fUiScale);
  // A work area smaller than the window puts it at 0, never at a negative position.
  const int x = m_fullScreen.cx > w ? (m_fullScreen.cx - w) / 2 : 0;
  const int y = m_fullScreen.cy > h ? (m_fullScreen.cy - h) / 2 : 0;
  auto& windows = platform::Windows();
  windows.MoveWindow(m_hWnd, {x, y, x + w, y + h});
  windows.ShowWindow(m_hWnd, platform::ShowCommand::Show);
}

// Moved to a monitor of another scale, or the scale was changed: the whole program follows
// the main window. Dialogs open meanwhile follow their own notice of the change.
void CVantrelDlg::OnDpiChanged(int dpi, const platform::Rect* suggested) {
  const float from = g_fUiScale;
  const float to = ui::ScaleForDpi(dpi);
  if (to != from) {
    g_fUiScale = to;
    ScaleUiFont();
    RescaleControls(from, to);
    for (auto& part : m_parts) part->OnScaleChanged();
    // The page parts are placed again from their unscaled places, exactly as at start-up.
    LayoutPages();
    // A dialog may have followed its own notice and painted before this one came: what its
    // controls size by the program's scale as they draw is drawn again.
    for (platform::WindowId dialog : g_hOpenDialogs) {
      if (dialog != 0) platform::Windows().Invalidate(dialog, nullptr);
    }
  }
  TakeScaledPlace(suggested);
}

// --- the page ---

void CVantrelDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  for (auto& part : m_parts) part->DrawDecorations(canvas, client);
  DrawControls(canvas, client);
  if (m_pFixed) m_pFixed->DrawHighlight(canvas, client);
}

void CVantrelDlg::LayoutPages() {
  if (!m_pFixed) return;
  const page::TabStates tabs = m_pFixed->Tabs();
  int top = page::kPagesTop;
  for (uint32_t tab : page::kStackOrder) {
    if (!tabs.IsOn(tab)) continue;
    m_pFixed->PlaceTab(tab, top);
    top += page::kTabHeight + page::kHeaderGap;
    // The tabs are placed in unscaled pixels, the parts at client pixels.
    const platform::Point origin{ui::Scaled(page::kPagesLeft), ui::Scaled(top)};
    int height = 0;
    for (auto& part : m_parts) {
      if (part->Tab() == tab) height = std::max(height, part->Layout(origin));
    }
    top += ui::Unscaled(height) + page::kPageGap;
  }
  // The closed tabs follow the open pages.
  for (uint32_t tab : page::kStackOrder) {
    if (tabs.IsOn(tab)) continue;
    m_pFixed->PlaceTab(tab, top);
    top += page::kTabHeight + 2;
  }
}

void CVantrelDlg::ShowPages() {
  if (!m_pFixed) return;
  const page::TabStates tabs = m_pFixed->Tabs();
  for (uint32_t tab : page::kTabIds) {
    const int layer = *page::LayerOfTab(tab);
    for (const auto& control : Layer(layer)) control->SetVisible(tabs.IsOn(tab));
  }
}

void CVantrelDlg::RefreshPage() {
  if (!m_bInitUI) return;
  for (auto& part : m_parts) part->Refresh();
  LayoutPages();
  ShowPages();
  // A report from the mouse changes a few controls: repaint those, not the whole window.
  InvalidateLookChanges();
}

void CVantrelDlg::CollectPageIntoProfile() {
  ProfileSettings& profile = CurrentProfile();
  for (auto& part : m_parts) part->Collect(profile);
}

// --- messages ---

platform::LResult CVantrelDlg::OnMessage(platform::WindowId window, uint32_t message,
                                         platform::WParam wParam, platform::LParam lParam,
                                         bool& handled) {
  namespace msg = platform::msg;
  handled = true;
  switch (message) {
    case msg::kTimer:
      OnTimer(wParam);
      break;  // the skinned base may run timers of its own
    case msg::kKeyDown:
      // Escape does not close the main window; Enter works the focused control and else
      // does nothing (OnOK).
      if (wParam == platform::kVkEscape) return 1;
      break;
    case msg::kCommand:
      if ((wParam & 0xFFFF) == kCmdTrayShow) ShowRequest();
      if ((wParam & 0xFFFF) == kCmdTrayExit) ExitPath(kResultOk);
      if (m_pCompanion) (void)m_pCompanion->OnTrayCommand(static_cast<uint32_t>(wParam & 0xFFFF));
      return 0;
    case msg::kClose:
      ExitPath(kResultCancel);
      return 0;
    case msg::kDestroy:
      OnDestroy();
      break;
    case msg::kDeviceChange:
      m_device.link.OnDeviceChange(static_cast<uint32_t>(wParam));
      handled = false;  // and the default processing
      return 1;
    case msg::kQueryDragIcon:
      return kIconResource;
    case msg::kMouseMove: {
      const platform::LResult result =
          CDlgBase::OnMessage(window, message, wParam, lParam, handled);
      OnMouseMoveAfterControls(wParam, {static_cast<int16_t>(lParam & 0xFFFF),
                                        static_cast<int16_t>((lParam >> 16) & 0xFFFF)});
      return result;
    }
    case msg::kLButtonUp: {
      const platform::LResult result =
          CDlgBase::OnMessage(window, message, wParam, lParam, handled);
      // A slider released: what it marked pending goes to the mouse now.
      if (m_bSliderDirty) {
        m_bSliderDirty = false;
        StartPendingWrite();
      }
      return result;
    }
    default:
      break;
  }
  if (message >= kFirstProgramMessage) {
    if (OnWindowCommand(message, wParam, lParam)) return 0;
    if (PagePart* part = m_router.PartForMessage(message)) {
      return part->OnMessage(message, wParam, lParam);
    }
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

bool CVantrelDlg::OnWindowCommand(uint32_t message, platform::WParam wParam,
                                  platform::LParam lParam) {
  switch (message) {
    case kShowRequestMessage:
      ShowRequest();
      return true;
    case kTrayCallbackMessage:
      OnTrayNotify(wParam, lParam);
      return true;
    default:
      return false;
  }
}

void CVantrelDlg::OnMouseMoveAfterControls(platform::WParam flags, platform::Point pt) {
  if (flags & platform::kMkLButton) {
    // The sliders of the open pages follow the pointer.
    const page::TabStates tabs = m_pFixed ? m_pFixed->Tabs() : page::TabStates{};
    for (auto& part : m_parts) {
      if (part->Tab() != 0 && !tabs.IsOn(part->Tab())) continue;
      if (part->OnDrag(pt)) m_bSliderDirty = true;
    }
    return;
  }
  if (m_bSliderDirty) {
    m_bSliderDirty = false;
    StartPendingWrite();
  }
}

void CVantrelDlg::OnCancel() {
  ExitPath(kResultCancel);
}

void CVantrelDlg::OnTimer(uintptr_t id) {
  switch (id) {
    case kTimerKeepHidden:
      if (!m_bShowWindow) platform::Windows().ShowWindow(m_hWnd, platform::ShowCommand::Hide);
      return;
    case kTimerSave:
      if (DeviceBusy()) return;  // tried again when the update has let go of the mouse
      KillTimer(id);
      SaveNow();
      return;
    case kTimerUiDump:
      if (m_uiDump) m_uiDump->OnTimer();
      return;
    case kTimerDeferredMessage:
    case kTimerProfileAction: {
      KillTimer(id);
      auto it = m_afterMenu.find(id);
      if (it == m_afterMenu.end()) break;
      auto action = std::move(it->second);
      m_afterMenu.erase(it);
      if (action) action();
      return;
    }
    case DeviceStack::kTimerWrite:
      // No settings write may cut into a firmware update; the timer keeps firing until it
      // has let go of the mouse.
      if (DeviceBusy()) return;
      break;
    default:
      break;
  }
  if (PagePart* part = m_router.PartForTimer(id)) {
    part->OnTimer(id);
    return;
  }
  (void)m_device.OnTimer(id);
}

void CVantrelDlg::OnTrayNotify(platform::WParam id, platform::LParam mouseMessage) {
  if (id != kTrayIconId) return;
  if (mouseMessage == platform::msg::kLButtonDblClk) {
    ShowRequest();
  } else if (mouseMessage == platform::msg::kRButtonUp) {
    std::vector<platform::TrayMenuItem> items{{kCmdTrayShow, LangText(1)}};
    if (m_pCompanion) std::ranges::copy(m_pCompanion->TrayItems(), std::back_inserter(items));
    items.push_back({0, u""});
    items.push_back({kCmdTrayExit, LangText(2)});
    platform::TrayIcon().ShowMenu(m_hWnd, items);
  }
}

void CVantrelDlg::ShowRequest() {
  auto& windows = platform::Windows();
  if (m_bShowWindow && m_device.link.DeviceActive()) {
    windows.BringToForeground(m_hWnd);
    windows.ShowWindow(m_hWnd, platform::ShowCommand::Restore);
    return;
  }
  // Otherwise the mouse decides; without one nothing happens.
  m_device.link.ReadDeviceInfo();
}

void CVantrelDlg::ExitPath(intptr_t result) {
  auto& windows = platform::Windows();
  // A dialog leaves the list as it closes, so take a copy first.
  const auto open = g_hOpenDialogs;
  for (platform::WindowId dialog : open) {
    if (dialog) windows.SendMessage(dialog, platform::msg::kClose, 0, 0);
  }
  EndDialog(result);
}

void CVantrelDlg::OnDestroy() {
  platform::Time().Sleep(50);
  platform::Windows().KillTimer(m_hWnd, kTimerKeepHidden);
  if (m_bSavePending) {
    KillTimer(kTimerSave);
    SaveNow();
  }
  m_device.link.CloseAll();
  if (m_pCompanion) m_pCompanion->Stop();
  m_attentions.clear();
  if (m_uiDump) m_uiDump->Flush();
  if (m_bTrayAdded) platform::TrayIcon().Remove(m_hWnd, kTrayIconId);
  m_bTrayAdded = false;
}

// --- what the device link asks of the window ---

void CVantrelDlg::SetTimer(uintptr_t id, uint32_t ms) {
  platform::Windows().SetTimer(m_hWnd, id, ms);
}

void CVantrelDlg::KillTimer(uintptr_t id) {
  platform::Windows().KillTimer(m_hWnd, id);
}

void CVantrelDlg::ShowAttention(int textNumber) {
  (void)ShowMessageText(LangText(textNumber), Box::Modeless);
}

void CVantrelDlg::ShowProgress(int textNumber) {
  if (DeviceWindows* windows = m_router.Windows()) windows->ShowProgress(textNumber);
}

void CVantrelDlg::PostOsdMessage() {
  (void)platform::Windows().PostMessage(m_hWnd, kOsdMessage, 1, 0);
}

void CVantrelDlg::ShellOpen(std::u16string_view target) {
  (void)platform::ShellServices().Open(target);
}

void CVantrelDlg::EndProgram(ProgramEnd how) {
  if (how == ProgramEnd::DeviceRemoved) {
    m_bShowWindow = false;
    platform::Windows().ShowWindow(m_hWnd, platform::ShowCommand::Hide);
  }
  ExitPath(kResultOk);
}

void CVantrelDlg::ShowMainWindow(WindowShow how) {
  auto& windows = platform::Windows();
  if (how == WindowShow::Minimize) {
    windows.ShowWindow(m_hWnd, platform::ShowCommand::Minimize);
    return;
  }
  windows.BringToForeground(m_hWnd);
  windows.ShowWindow(m_hWnd, platform::ShowCommand::Restore);
}

void CVantrelDlg::ShowStatusImage(std::optional<ConnectionMode::Kind> mode) {
  if (m_pFixed) m_pFixed->ShowConnection(mode);
}

void CVantrelDlg::UpdatePollingChoices(ConnectionMode::Kind mode, int maxPollingClass) {
  for (auto& part : m_parts) part->OnPollingChoices(static_cast<int>(mode), maxPollingClass);
}

void CVantrelDlg::ShowNotLinkedLabel(bool show) {
  if (m_pFixed) m_pFixed->ShowNotLinked(show);
}

void CVantrelDlg::ShowBattery(int level, int chargeState, int animation) {
  if (m_pFixed) m_pFixed->ShowBattery(level, chargeState, animation);
}

void CVantrelDlg::OnBatteryReport(int level, int chargeState) {
  if (m_pCompanion) m_pCompanion->OnBatteryReport(level, chargeState);
}

void CVantrelDlg::OnSensorTableChanged() {
  for (auto& part : m_parts) part->OnSensorTableChanged();
}

bool CVantrelDlg::ConfirmFactoryReset() {
  DeviceWindows* windows = m_router.Windows();
  return windows != nullptr && windows->ConfirmFactoryReset();
}

FactoryReset::Result CVantrelDlg::RunFactoryReset() {
  FactoryReset reset(m_device.link, m_device.writer, *this, g_ProfileStore, g_GlobalSettings);
  return reset.Run();
}

bool CVantrelDlg::DeviceBusy() const {
  const DeviceWindows* windows = m_router.Windows();
  return windows != nullptr && windows->DeviceBusy();
}

// --- what the views ask of the window ---

ProfileSettings& CVantrelDlg::CurrentProfile() {
  ProfileSettings* profile = g_ProfileStore.At(g_GlobalSettings.CurrentProfileIndex());
  return profile ? *profile : g_ProfileStore.profiles[0];
}

void CVantrelDlg::MarkPending(Group group) {
  m_device.writer.MarkDirty(group);
  StartPendingWrite();
}

void CVantrelDlg::MarkPendingWhileDragging(Group group) {
  m_device.writer.MarkDirty(group);
  m_bSliderDirty = true;
}

void CVantrelDlg::StartPendingWrite() {
  SetTimer(DeviceStack::kTimerWrite, kWriteDelayMs);
}

void CVantrelDlg::WriteNow() {
  KillTimer(DeviceStack::kTimerWrite);
  if (DeviceBusy()) {
    StartPendingWrite();
    return;
  }
  m_device.writer.WriteChanges();
}

void CVantrelDlg::SaveNow() {
  m_bSavePending = false;
  if (SaveSettingsAndProfiles(g_GlobalSettings, g_ProfileStore)) {
    m_bSaveFailureShown = false;
    return;
  }
  // One notice per run of failures; timer 70 tries again, and so does the exit.
  m_bSavePending = true;
  SetTimer(kTimerSave, kSaveDelayMs);
  if (!m_bSaveFailureShown) {
    m_bSaveFailureShown = true;
    ShowAttention(kSaveFailedText);
  }
}

void CVantrelDlg::HideMainWindow() {
  platform::Windows().ShowWindow(m_hWnd, platform::ShowCommand::Hide);
}

void CVantrelDlg::RunAfterMenuClosed(uintptr_t timerId, std::function<void()> action) {
  m_afterMenu[timerId] = std::move(action);
  SetTimer(timerId, kAfterMenuDelayMs);
}

intptr_t CVantrelDlg::ShowMessage(int textNumber, Box kind) {
  return ShowMessageText(LangText(textNumber), kind);
}

intptr_t CVantrelDlg::ShowMessageText(std::u16string_view text, Box kind) {
  if (kind == Box::Modal) {
    CAttentionDlg box(LangText(kAttentionCaption), text, m_hWnd);
    return box.DoModal();
  }
  auto box = std::make_unique<CAttentionDlg>(LangText(kAttentionCaption), text, m_hWnd);
  if (!box->Create()) return 0;
  // Boxes the user already closed are released as new ones come.
  std::erase_if(m_attentions, [](const std::unique_ptr<CAttentionDlg>& dlg) {
    return !platform::Windows().IsWindow(dlg->GetSafeHwnd());
  });
  m_attentions.push_back(std::move(box));
  return 0;
}
