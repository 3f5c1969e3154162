#include "app/VantrelDlg.h"

#include <memory>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "platform/Platform.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace {

constexpr const char16_t* kDataFolderName = u"\\GamingMouseData20250627A";
constexpr const char16_t* kVersion = u":2.1.6";
constexpr platform::Colour kVersionColour = 0xB4B4B4;
constexpr platform::Colour kNoticeColour = 0xE8E8E8;
constexpr int kVersionText = 3;
constexpr int kNoDeviceText = 155;

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
  std::u16string dataDir = files.AppDataFolder() + kDataFolderName;
  if (!files.DirectoryExists(dataDir)) files.CreateDirectory(dataDir);
  g_strDataDir = dataDir + u"\\";
  if (!files.DirectoryExists(g_strDataDir + u"config")) files.CreateDirectory(g_strDataDir + u"config");

  // Screen and scale.
  m_fullScreen = windows.FullScreenSize();
  g_fUiScale = 1.0f;
  g_fDpiScale = windows.DpiScale();

  // The language first: every text and font created afterwards depends on it.
  LoadLanguage();

  // The page, once, and the skinned dialog's own set-up; then our own placement.
  CDlgBase::OnInitDialog();
  PlaceWindow();
  g_hOpenDialogs.fill(0);

  m_bTrayAdded = platform::TrayIcon().Add(m_hWnd, kTrayIconId, kTrayCallbackMessage,
                                          kIconResource, kTitle);

  // Until the global settings are loaded there is no "NeedPassword" to obey, so the window
  // starts visible.
  m_bShowWindow = true;
  g_bDeviceActive = true;

  SetFrameBitmap(kFrameBitmap);
  windows.SetTimer(m_hWnd, kTimerKeepHidden, 100);
}

void CVantrelDlg::InitUI(const platform::Rect&) {
  const platform::WindowId w = m_hWnd;
  auto* close = AddControl(0, std::make_unique<CImageButton>(w, kCloseButton, kCloseRect, u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  auto* minimize = AddControl(0, std::make_unique<CImageButton>(w, kMinimizeButton, kMinimizeRect, u""));
  minimize->SetImageNormal(ui::SkinPath(u"min_nr.png"));
  minimize->SetImageHover(ui::SkinPath(u"min_ov.png"));
  AddControl(0, std::make_unique<CStaticText>(w, kVersionLabel, platform::Rect{20, 706, 300, 728},
                                              kVersionColour, platform::dt::kLeft | platform::dt::kSingleLine,
                                              LangText(kVersionText) + kVersion));
  // Until the page is built the window says what it is waiting for.
  AddControl(0, std::make_unique<CStaticText>(
                    w, kNoticeLabel, platform::Rect{300, 380, 860, 420}, kNoticeColour,
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

void CVantrelDlg::OnCancel() { ExitPath(kResultCancel); }

void CVantrelDlg::OnTimer(uintptr_t id) {
  if (id == kTimerKeepHidden && !m_bShowWindow) {
    platform::Windows().ShowWindow(m_hWnd, platform::ShowCommand::Hide);
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
  }
  // Without a device there is nothing to ask whether the window may be shown.
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
  if (m_bTrayAdded) platform::TrayIcon().Remove(m_hWnd, kTrayIconId);
  m_bTrayAdded = false;
}
