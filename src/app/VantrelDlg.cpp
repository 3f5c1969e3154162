#include "app/VantrelDlg.h"

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "platform/Platform.h"

namespace {

constexpr platform::Colour kBackground = platform::Rgb(0x14, 0x16, 0x1A);
constexpr platform::Colour kText = platform::Rgb(0xE8, 0xEA, 0xED);
constexpr const char16_t* kDataFolderName = u"\\GamingMouseData20250627A";
constexpr int kNoDeviceText = 155;

}  // namespace

CVantrelDlg::CVantrelDlg() = default;

CVantrelDlg::~CVantrelDlg() { Destroy(); }

intptr_t CVantrelDlg::DoModal() {
  if (!Create()) return -1;
  const intptr_t result = platform::Windows().RunModal(m_hWnd);
  Destroy();
  return result;
}

bool CVantrelDlg::Create() {
  platform::WindowDesc desc;
  desc.className = kClassName;
  desc.title = kTitle;
  desc.kind = platform::WindowKind::Main;
  desc.rect = {0, 0, kWidth, kHeight};
  desc.visible = false;
  desc.iconResource = kIconResource;
  m_hWnd = platform::Windows().CreateWindow(desc, this);
  if (!m_hWnd) return false;
  OnInitDialog();
  return true;
}

void CVantrelDlg::Destroy() {
  if (m_hWnd && platform::Windows().IsWindow(m_hWnd)) platform::Windows().DestroyWindow(m_hWnd);
  m_hWnd = 0;
}

void CVantrelDlg::OnInitDialog() {
  auto& files = platform::Files();
  auto& windows = platform::Windows();

  // 1-2. Folders. A folder that cannot be created leaves every later load on its defaults.
  g_strExeDir = base::FolderOf(files.ExecutablePath());
  std::u16string dataDir = files.AppDataFolder() + kDataFolderName;
  if (!files.DirectoryExists(dataDir)) files.CreateDirectory(dataDir);
  g_strDataDir = dataDir + u"\\";
  if (!files.DirectoryExists(g_strDataDir + u"config")) files.CreateDirectory(g_strDataDir + u"config");

  // 3. Screen and scale.
  m_fullScreen = windows.FullScreenSize();
  g_fUiScale = 1.0f;
  g_fDpiScale = windows.DpiScale();

  // 4. The language first: every text and font created afterwards depends on it.
  LoadLanguage();

  // 5. The page and the window's look.
  windows.SetTitle(m_hWnd, kTitle);
  m_frame = platform::Gfx().LoadBitmapResource(kFrameBitmap);
  platform::FontDesc font;
  font.face = g_strFontFace;
  font.height = g_nFontHeight;
  font.charset = g_nFontCharset;
  m_font = platform::Gfx().CreateFont(font);

  // 6. Placement.
  PlaceWindow();

  // 7. Run-time state.
  g_hOpenDialogs.fill(0);

  // 8. Tray icon.
  m_bTrayAdded = platform::TrayIcon().Add(m_hWnd, kTrayIconId, kTrayCallbackMessage,
                                          kIconResource, kTitle);

  // 9. Visibility. Until the global settings are loaded there is no "NeedPassword" to obey,
  // so the window starts visible.
  m_bShowWindow = true;
  g_bDeviceActive = true;

  windows.Invalidate(m_hWnd, nullptr);
  windows.SetTimer(m_hWnd, kTimerKeepHidden, 100);
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
  (void)window;
  namespace msg = platform::msg;
  handled = true;
  switch (message) {
    case msg::kPaint:
      OnPaint();
      return 0;
    case msg::kEraseBkgnd:
      return 1;  // everything is painted double-buffered
    case msg::kTimer:
      OnTimer(wParam);
      return 0;
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
      return 0;
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
  handled = false;
  return 0;
}

void CVantrelDlg::OnPaint() {
  auto& windows = platform::Windows();
  platform::Canvas& canvas = windows.BeginPaint(m_hWnd);
  const platform::Rect client{0, 0, canvas.Width(), canvas.Height()};
  canvas.FillRect(client, kBackground);
  if (m_frame) {
    canvas.DrawImage(*m_frame, client, {0, 0, m_frame->Width(), m_frame->Height()});
  }
  if (m_font) {
    canvas.DrawText(LangText(kNoDeviceText), *m_font, kText, client,
                    platform::dt::kCenter | platform::dt::kVCenter | platform::dt::kSingleLine);
  }
  windows.EndPaint(m_hWnd);
}

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
    platform::TrayIcon().ShowMenu(m_hWnd, {{kCmdTrayShow, LangText(1)}, {0, u""}, {kCmdTrayExit, LangText(2)}});
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
  for (platform::WindowId dialog : g_hOpenDialogs) {
    if (dialog) windows.SendMessage(dialog, platform::msg::kClose, 0, 0);
  }
  windows.EndModal(m_hWnd, result);
}

void CVantrelDlg::OnDestroy() {
  platform::Time().Sleep(50);
  platform::Windows().KillTimer(m_hWnd, kTimerKeepHidden);
  if (m_bTrayAdded) platform::TrayIcon().Remove(m_hWnd, kTrayIconId);
  m_bTrayAdded = false;
}
