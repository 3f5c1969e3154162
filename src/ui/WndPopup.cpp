#include "ui/WndPopup.h"

#include <array>

#include "base/Language.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "ui/SkinImage.h"

namespace {

constexpr uint32_t kHoverMs = 50;

// Close notice by kind; kinds 4 and 5 have none.
constexpr std::array<uint32_t, 16> kCloseNotices{1029, 1032, 1042, 1045, 0,    0,    1057, 1126,
                                                 1136, 1146, 1156, 1159, 1162, 1165, 1168, 1170};

}  // namespace

CWndPopup::CWndPopup(int nKind)
    : m_font(ui::CreateUiFont(g_nFontHeight, g_strFontFace)), m_nKind(nKind) {}

CWndPopup::~CWndPopup() {
  if (m_bAlive) platform::Windows().DestroyWindow(m_hWnd);
}

uint32_t CWndPopup::CloseNotice(int kind) {
  if (kind < 0 || kind >= static_cast<int>(kCloseNotices.size())) return 0;
  return kCloseNotices[static_cast<size_t>(kind)];
}

bool CWndPopup::Create(platform::WindowId parent, const platform::Rect& rc, uint32_t message,
                       platform::WParam wParam) {
  m_hParent = parent;
  m_ptPos = {rc.left, rc.top};
  m_sizeWindow = {rc.Width(), rc.Height()};
  m_uMessage = message;
  m_wParam = wParam;
  m_bCloseNoticeSent = false;
  platform::WindowDesc desc;
  desc.className = u"VantrelPopup";
  desc.rect = rc;
  desc.kind = platform::WindowKind::Popup;
  desc.owner = parent;
  desc.visible = false;
  const platform::WindowId created = platform::Windows().CreateWindow(desc, this);
  if (created) {
    m_hWnd = created;
    m_bAlive = true;
  }
  return created != 0;
}

void CWndPopup::Close() {
  if (m_bAlive) platform::Windows().PostMessage(m_hWnd, platform::msg::kClose, 0, 0);
}

void CWndPopup::DrawWindow(platform::Canvas&, const platform::Rect&) {}
void CWndPopup::DrawWindowEx(platform::Canvas&, const platform::Rect&) {}
bool CWndPopup::OnMouseMove(int, int) {
  return false;
}
bool CWndPopup::OnLButtonDown(int, int) {
  return false;
}
bool CWndPopup::OnLButtonUp(int, int) {
  return false;
}
bool CWndPopup::OnRButtonUp(int, int) {
  return false;
}

bool CWndPopup::OnKeyDown(uint32_t vk) {
  if (vk == platform::kVkEscape) {
    SendCloseNotice();
    Close();
  }
  return false;
}

void CWndPopup::SendCloseNotice() {
  // One notice however often the system repeats the deactivation.
  if (m_bCloseNoticeSent) return;
  m_bCloseNoticeSent = true;
  if (const uint32_t notice = CloseNotice(m_nKind)) SendToParent(notice, m_wParam, m_nKind);
}

bool CWndPopup::LoadBackgroundPng(int resourceId) {
  auto image = ui::LoadPngResource(resourceId);
  if (!image) return false;
  m_sizeImage = ui::LayoutSize(*image);
  m_pImage = std::move(image);
  return true;
}

bool CWndPopup::SendToParent(uint32_t message, platform::WParam wParam, platform::LParam lParam) {
  if (!m_hParent) return false;
  return platform::Windows().SendMessage(m_hParent, message, wParam, lParam) != 0;
}

void CWndPopup::RedrawLayered() {
  if (!m_hWnd) return;
  auto& windows = platform::Windows();
  const platform::Rect client = windows.ClientRect(m_hWnd);
  if (client.IsEmpty()) return;
  auto canvas = platform::Gfx().CreateCanvas(client.Width(), client.Height());
  if (!canvas) return;
  canvas->FillRect(client, 0);
  canvas->FillRect({client.left + 1, client.top + 1, client.right - 1, client.bottom - 1}, 0);
  DrawWindow(*canvas, client);
  // The window is updated opaque (ULW_OPAQUE), so the blend's constant alpha has no effect.
  windows.UpdateLayered(m_hWnd, *canvas, 255);
  NotifyPainted();
}

platform::Point CWndPopup::CursorInClient() {
  auto& windows = platform::Windows();
  return windows.ScreenToClient(m_hWnd, windows.CursorPos());
}

platform::LResult CWndPopup::OnMessage(platform::WindowId window, uint32_t message,
                                       platform::WParam wParam, platform::LParam lParam,
                                       bool& handled) {
  namespace msg = platform::msg;
  auto& windows = platform::Windows();
  if (message == platform::msg::kCreate) {
    m_hWnd = window;  // WM_CREATE arrives before CreateWindow returns
    m_bAlive = true;
  }
  handled = true;
  const platform::Point pt = platform::PointFromParam(lParam);
  switch (message) {
    case msg::kCreate:
      InitUI();
      RedrawLayered();
      windows.MoveWindow(
          m_hWnd, {m_ptPos.x, m_ptPos.y, m_ptPos.x + m_sizeWindow.cx, m_ptPos.y + m_sizeWindow.cy});
      windows.ShowWindow(m_hWnd, m_bNoActivate ? platform::ShowCommand::ShowNoActivate
                                               : platform::ShowCommand::Show);
      return 0;
    case msg::kMouseActivate:
      if (!m_bNoActivate) break;
      return platform::kMaNoActivate;
    case msg::kKeyDown:
      Redraw(OnKeyDown(static_cast<uint32_t>(wParam)));
      return 0;
    case msg::kEraseBkgnd:
      return 1;
    case msg::kPaint:
      // Shown through UpdateLayered only; the default processing validates.
      handled = false;
      return 0;
    case msg::kNcCalcSize:
      return 0;
    case msg::kNcHitTest:
      return platform::kHtClient;
    case msg::kMouseMove:
      if (!m_bTracking) {
        windows.TrackMouse(m_hWnd, kHoverMs);
        m_bTracking = true;
      }
      if (!m_bMouseDown) Redraw(OnMouseMove(pt.x, pt.y));
      return 0;
    case msg::kMouseHover: {
      const platform::Point at = CursorInClient();
      Redraw(OnMouseMove(at.x, at.y));
      return 0;
    }
    case msg::kMouseLeave:
      m_bTracking = false;
      if (!m_bMouseDown) {
        const platform::Point at = CursorInClient();
        Redraw(OnMouseMove(at.x, at.y));
      }
      return 0;
    case msg::kLButtonDown:
      m_bMouseDown = true;
      windows.SetCapture(m_hWnd);
      m_bCaptured = true;
      Redraw(OnLButtonDown(pt.x, pt.y));
      return 0;
    case msg::kLButtonUp:
      if (m_bCaptured) windows.ReleaseCapture();
      m_bCaptured = false;
      m_bMouseDown = false;
      Redraw(OnLButtonUp(pt.x, pt.y));
      return 0;
    case msg::kRButtonUp:
      Redraw(OnRButtonUp(pt.x, pt.y));
      return 0;
    case msg::kNcActivate:
      if (wParam == 0) {
        SendCloseNotice();
        // Without a notice no opener would close it: a menu never stays open after a click
        // elsewhere.
        if (CloseNotice(m_nKind) == 0) Close();
      }
      return 1;
    case msg::kClose:
      SendToParent(kClosedMessage, 0, 0);
      handled = false;  // the default destroys the window
      return 0;
    case msg::kDestroy:
      if (m_bCaptured) windows.ReleaseCapture();
      m_bCaptured = false;
      m_bAlive = false;
      return 0;
    default:
      break;
  }
  handled = false;
  return 0;
}
