#include "app/VantrelDlg.h"

#include <memory>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "platform/Platform.h"
#include "profiles/SettingsFiles.h"
#include "ui/AttentionDlg.h"
#include "ui/Battery.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"

namespace {

constexpr const char16_t* kVersion = u":2.1.6";
constexpr platform::Colour kVersionColour = 0xB4B4B4;
constexpr platform::Colour kNoticeColour = 0xE8E8E8;
constexpr int kVersionText = 3;
constexpr int kNoDeviceText = 155;
constexpr int kAttentionCaption = 150;
constexpr platform::Colour kNotLinkedColour = 0x00FFFF;
constexpr platform::Rect kStatusRect{740, 120, 780, 160};
constexpr platform::Rect kBatteryRect{790, 120, 830, 160};
constexpr platform::Rect kNotLinkedRect{690, 170, 900, 192};

}  // namespace

CVantrelDlg::CVantrelDlg() : CDlgBase(kMainTemplate, 0) {
  m_strClassName = kClassName;
  m_nWidth = kWidth;
  m_nHeight = kHeight;
  m_hIcon = kIconResource;
}

CVantrelDlg::~CVantrelDlg() = default;

void CVantrelDlg::Destroy() {
  if (m_hWnd && platform::Windows().IsWindow(m_hWnd)) platform::Windows().DestroyWindow(m_hWnd);
  m_hWnd = 0;
}

void CVantrelDlg::OnInitDialog() {
  auto& files = platform::Files();
  auto& windows = platform::Windows();

  // Folders. A folder that cannot be created leaves every later load on its defaults.
  g_strExeDir = base::FolderOf(files.ExecutablePath());
  std::u16string dataDir = files.AppDataFolder() + u"\\" + kDataFolderName;
  if (!files.DirectoryExists(dataDir)) files.CreateDirectory(dataDir);
  g_strDataDir = dataDir + u"\\";
  if (!files.DirectoryExists(g_strDataDir + u"config"))
    files.CreateDirectory(g_strDataDir + u"config");

  // Screen and scale.
  m_fullScreen = windows.FullScreenSize();
  g_fUiScale = 1.0f;
  g_fDpiScale = windows.DpiScale();

  // The language first: every text and font created afterwards depends on it.
  LoadLanguage();
  LoadModel();

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
  g_bDeviceActive = m_nNeedPassword == 0;

  StartDevice();
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

void CVantrelDlg::StartDevice() {
  m_link.SetStatusEvents(&m_events);
  RefreshPage();
  m_link.RegisterForDeviceNotifications(m_hWnd);
  m_writer.SnapshotSentState();
  m_link.ScanDevices();
  if (m_link.Connected() && m_link.TakeFirstConnection()) RefreshPage();
}

void CVantrelDlg::SaveNow() {
  m_bSavePending = false;
  (void)SaveSettingsAndProfiles(g_GlobalSettings, g_ProfileStore);
}

void CVantrelDlg::InitUI(const platform::Rect&) {
  const platform::WindowId w = m_hWnd;
  auto* close = AddControl(0, std::make_unique<CImageButton>(w, kCloseButton, kCloseRect, u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  auto* minimize =
      AddControl(0, std::make_unique<CImageButton>(w, kMinimizeButton, kMinimizeRect, u""));
  minimize->SetImageNormal(ui::SkinPath(u"min_nr.png"));
  minimize->SetImageHover(ui::SkinPath(u"min_ov.png"));
  AddControl(0, std::make_unique<CStaticText>(w, kVersionLabel, platform::Rect{20, 706, 300, 728},
                                              kVersionColour,
                                              platform::dt::kLeft | platform::dt::kSingleLine,
                                              LangText(kVersionText) + kVersion));
  const struct {
    uint32_t id;
    const char16_t* image;
  } statusImages[] = {{kStatusWired, u"Status_Wired.png"},
                      {kStatusWireless, u"Status_Wireless.png"},
                      {kStatusBle, u"Status_BLE.png"}};
  for (const auto& status : statusImages) {
    auto* image =
        AddControl(0, std::make_unique<CStaticImage>(w, status.id, kStatusRect, true, false));
    image->SetImage(ui::SkinPath(status.image));
  }
  m_pBattery = AddControl(0, std::make_unique<CBattery>(w, kBatteryRect, true, false));
  m_pBattery->LoadDefaultImages();
  AddControl(0, std::make_unique<CStaticText>(w, kNoticeLabel, kNotLinkedRect, kNotLinkedColour,
                                              platform::dt::kLeft | platform::dt::kSingleLine,
                                              LangText(156), true, false));
  // Until the page is built the window says what it is waiting for.
  AddControl(0, std::make_unique<CStaticText>(
                    w, kPlaceholderLabel, platform::Rect{300, 380, 860, 420}, kNoticeColour,
                    platform::dt::kCenter | platform::dt::kVCenter | platform::dt::kSingleLine,
                    LangText(kNoDeviceText)));
}

void CVantrelDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  DrawControls(canvas, client);
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
      // Neither Enter nor Escape closes the main window.
      if (wParam == platform::kVkReturn || wParam == platform::kVkEscape) return 1;
      break;
    case msg::kCommand:
      if ((wParam & 0xFFFF) == kCmdTrayShow) ShowRequest();
      if ((wParam & 0xFFFF) == kCmdTrayExit) ExitPath(kResultOk);
      return 0;
    case msg::kClose:
      ExitPath(kResultCancel);
      return 0;
    case msg::kDestroy:
      OnDestroy();
      break;
    case msg::kDeviceChange:
      m_link.OnDeviceChange(static_cast<uint32_t>(wParam));
      handled = false;  // and the default processing
      return 1;
    case kShowRequestMessage:
      ShowRequest();
      return 0;
    case kTrayCallbackMessage:
      OnTrayNotify(wParam, lParam);
      return 0;
    case kCloseButton:
      if (lParam == 2) ExitPath(kResultOk);
      return 0;
    case kMinimizeButton:
    case kMinimizeButton2:
      if (lParam == 2) platform::Windows().ShowWindow(m_hWnd, platform::ShowCommand::Hide);
      return 0;
    default:
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

void CVantrelDlg::OnCancel() {
  ExitPath(kResultCancel);
}

void CVantrelDlg::OnTimer(uintptr_t id) {
  switch (id) {
    case kTimerKeepHidden:
      if (!m_bShowWindow) platform::Windows().ShowWindow(m_hWnd, platform::ShowCommand::Hide);
      return;
    case kTimerWrite:
      KillTimer(id);
      m_writer.WriteChanges();
      return;
    case kTimerSave:
      KillTimer(id);
      SaveNow();
      return;
    default:
      if (!m_link.OnTimer(id)) (void)m_events.OnTimer(id);
      return;
  }
}

void CVantrelDlg::OnTrayNotify(platform::WParam id, platform::LParam mouseMessage) {
  if (id != kTrayIconId) return;
  if (mouseMessage == platform::msg::kLButtonDblClk) {
    ShowRequest();
  } else if (mouseMessage == platform::msg::kRButtonUp) {
    platform::TrayIcon().ShowMenu(
        m_hWnd, {{kCmdTrayShow, LangText(1)}, {0, u""}, {kCmdTrayExit, LangText(2)}});
  }
}

void CVantrelDlg::ShowRequest() {
  auto& windows = platform::Windows();
  if (m_bShowWindow && g_bDeviceActive) {
    windows.BringToForeground(m_hWnd);
    windows.ShowWindow(m_hWnd, platform::ShowCommand::Restore);
    return;
  }
  // Otherwise the mouse decides; without one nothing happens.
  m_link.ReadDeviceInfo();
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
  m_attentions.clear();
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

void CVantrelDlg::RefreshPage() {
  InvalidateRect(nullptr);
}

void CVantrelDlg::ShowAttention(int textNumber) {
  auto box =
      std::make_unique<CAttentionDlg>(LangText(kAttentionCaption), LangText(textNumber), m_hWnd);
  if (!box->Create()) return;
  // Boxes the user already closed are released as new ones come.
  std::erase_if(m_attentions, [](const std::unique_ptr<CAttentionDlg>& dlg) {
    return !platform::Windows().IsWindow(dlg->GetSafeHwnd());
  });
  m_attentions.push_back(std::move(box));
}

// The progress window belongs to the settings pages, which are not built yet.
void CVantrelDlg::ShowProgress(int) {}

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
  const struct {
    uint32_t id;
    ConnectionMode::Kind kind;
  } images[] = {{kStatusWired, ConnectionMode::Wired},
                {kStatusWireless, ConnectionMode::Wireless},
                {kStatusBle, ConnectionMode::BLE}};
  for (const auto& image : images) {
    if (CControlBase* control = GetControl(image.id)) control->SetShow(mode && *mode == image.kind);
  }
  if (CControlBase* placeholder = GetControl(kPlaceholderLabel)) placeholder->SetShow(!mode);
  InvalidateRect(nullptr);
}

// The polling page is not built yet; nothing on the window shows the choices.
void CVantrelDlg::UpdatePollingChoices(ConnectionMode::Kind, int) {}

void CVantrelDlg::ShowNotLinkedLabel(bool show) {
  if (CControlBase* label = GetControl(kNoticeLabel)) {
    label->SetShow(show);
    InvalidateRect(&label->m_rc);
  }
}

void CVantrelDlg::ShowBattery(int level, int chargeState, int animation) {
  if (!m_pBattery) return;
  m_pBattery->SetShow(true);
  m_pBattery->SetLevel(level);
  m_pBattery->SetState(chargeState);
  m_pBattery->SetAnimLevel(animation);
  InvalidateRect(&m_pBattery->m_rc);
}

// The DPI page is not built yet; the table itself is already rebuilt by the device link.
void CVantrelDlg::OnSensorTableChanged() {}

// The reset dialog comes with the page; until then nothing asks for a reset.
bool CVantrelDlg::ConfirmFactoryReset() {
  return false;
}
