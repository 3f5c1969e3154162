#include "adapters/win32/Win32WindowSystem.h"

#include <vector>

#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32Accessible.h"
#include "adapters/win32/WindowsInclude.h"
#include "platform/Keys.h"

namespace platform::win32 {

struct Win32WindowSystem::Record {
  Win32WindowSystem* system = nullptr;
  WindowHandler* handler = nullptr;
  WindowKind kind = WindowKind::Dialog;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  std::unique_ptr<Win32Canvas> backBuffer;
  PAINTSTRUCT paint{};
  std::vector<Rect> paintRects;
  bool painting = false;
  bool modalEnded = false;
  intptr_t modalResult = 0;

  IUnknown* accessible = nullptr;  // made when a screen reader first asks

  ~Record() {
    if (accessible != nullptr) accessible->Release();
    if (bigIcon != nullptr) ::DestroyIcon(bigIcon);
    if (smallIcon != nullptr) ::DestroyIcon(smallIcon);
  }
};

namespace {

HWND H(WindowId window) {
  return reinterpret_cast<HWND>(window);
}
WindowId Id(HWND hwnd) {
  return reinterpret_cast<WindowId>(hwnd);
}
HINSTANCE Instance() {
  return ::GetModuleHandleW(nullptr);
}

// Windows refuses to post WM_DEVICECHANGE arrivals and removals (their lParam is a pointer),
// yet a simulated device announces itself by posting them: they travel under this number
// and become WM_DEVICECHANGE again on delivery.
constexpr UINT kPostedDeviceChange = WM_APP + 0x52;

Rect FromRect(const RECT& rc) {
  return {rc.left, rc.top, rc.right, rc.bottom};
}

// More pieces than this are painted as their bounds: each piece costs a pass over the
// window's controls.
constexpr DWORD kMaxPaintRects = 8;

// The rectangles of the window's update region; empty when it has none or too many.
std::vector<Rect> UpdateRegionRects(HWND hwnd) {
  std::vector<Rect> rects;
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  if (region == nullptr) return rects;
  const int kind = ::GetUpdateRgn(hwnd, region, FALSE);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size >= sizeof(RGNDATAHEADER) && ::GetRegionData(region, size, data) == size &&
        data->rdh.nCount <= kMaxPaintRects) {
      const auto* parts = reinterpret_cast<const RECT*>(data->Buffer);
      for (DWORD i = 0; i < data->rdh.nCount; ++i) rects.push_back(FromRect(parts[i]));
    }
  }
  ::DeleteObject(region);
  return rects;
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record =
      reinterpret_cast<Win32WindowSystem::Record*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    record = static_cast<Win32WindowSystem::Record*>(create->lpCreateParams);
    if (record != nullptr) {
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
      record->system->Adopt(Id(hwnd), record);
    }
  }
  // A few messages (WM_GETMINMAXINFO) come before WM_NCCREATE.
  if (record == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == kPostedDeviceChange) message = WM_DEVICECHANGE;

  // The handler may destroy the window, and with it the record: only locals after the call.
  Win32WindowSystem* system = record->system;
  if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
    LRESULT answer = 0;
    if (system->AnswerGetObject(Id(hwnd), wParam, answer)) return answer;
  }
  if (message == kDeferredAccessibleAction) {
    if (AccessibleTree* tree = record->handler->Accessible()) {
      (void)tree->DoDefaultAction(static_cast<int>(wParam));
    }
    return 0;
  }
  // The suggested rectangle travels as the port's own rectangle.
  Rect suggested;
  if (message == WM_DPICHANGED && lParam != 0) {
    suggested = FromRect(*reinterpret_cast<const RECT*>(lParam));
    lParam = reinterpret_cast<LPARAM>(&suggested);
  }
  bool handled = true;
  LRESULT result = record->handler->OnMessage(Id(hwnd), message, wParam, lParam, handled);
  // Creation and destruction always get the system's processing: without it the window
  // would not be created, or its state would leak.
  if (message == WM_NCCREATE || message == WM_NCDESTROY || !handled) {
    LRESULT standard = ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCCREATE || !handled) result = standard;
  }
  // A paint left open would keep the window invalid and WM_PAINT coming for ever.
  if (message == WM_PAINT) {
    if (Win32WindowSystem::Record* painted = system->Find(Id(hwnd)); painted && painted->painting) {
      system->EndPaint(Id(hwnd));
    }
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    system->Forget(Id(hwnd));
  }
  return result;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(FailureLog& failures)
    : m_failures(failures), m_noCanvas(0, 0, failures) {}

Win32WindowSystem::~Win32WindowSystem() {
  // Handlers of windows left open may already be gone: cut them off before destroying.
  std::vector<WindowId> open;
  for (const auto& entry : m_windows) open.push_back(entry.first);
  for (WindowId window : open) {
    ::SetWindowLongPtrW(H(window), GWLP_USERDATA, 0);
    ::DestroyWindow(H(window));
  }
  m_windows.clear();
  for (const std::u16string& name : m_classes) ::UnregisterClassW(Wide(name).c_str(), Instance());
}

Win32WindowSystem::Record* Win32WindowSystem::Find(WindowId window) {
  auto it = m_windows.find(window);
  return it != m_windows.end() ? it->second.get() : nullptr;
}

void Win32WindowSystem::Adopt(WindowId window, Record* record) {
  if (m_creating.get() == record) m_windows[window] = std::move(m_creating);
}

void Win32WindowSystem::Forget(WindowId window) {
  m_windows.erase(window);
}

bool Win32WindowSystem::EnsureClass(const std::u16string& className) {
  if (m_classes.count(className) != 0) return true;
  std::wstring name = Wide(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = Instance();
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name.c_str();
  if (::RegisterClassExW(&wc) == 0) {
    m_failures.Record("RegisterClassExW");
    return false;
  }
  m_classes.insert(className);
  return true;
}

WindowId Win32WindowSystem::CreateWindow(const WindowDesc& desc, WindowHandler* handler) {
  if (handler == nullptr || !EnsureClass(desc.className)) return 0;
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  switch (desc.kind) {
    case WindowKind::Main:
      style |= WS_MINIMIZEBOX | WS_SYSMENU;
      exStyle = WS_EX_APPWINDOW;
      break;
    case WindowKind::Dialog:
      break;
    case WindowKind::Popup:
      exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED;
      break;
    case WindowKind::Overlay:
      exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT;
      break;
    case WindowKind::Notice:
      exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
      break;
  }
  m_creating = std::make_unique<Record>();
  Record* record = m_creating.get();
  record->system = this;
  record->handler = handler;
  record->kind = desc.kind;
  HWND hwnd = ::CreateWindowExW(exStyle, Wide(desc.className).c_str(), Wide(desc.title).c_str(),
                                style, desc.rect.left, desc.rect.top, desc.rect.Width(),
                                desc.rect.Height(), H(desc.owner), nullptr, Instance(), record);
  m_creating.reset();  // still here only when WM_NCCREATE never came
  if (hwnd == nullptr) {
    m_failures.Record("CreateWindowExW");
    return 0;
  }
  record = Find(Id(hwnd));
  if (record == nullptr) return 0;  // destroyed again while being created

  if (desc.iconResource != 0) {
    auto load = [&](int metricX, int metricY) {
      return static_cast<HICON>(::LoadImageW(Instance(), MAKEINTRESOURCEW(desc.iconResource),
                                             IMAGE_ICON, ::GetSystemMetrics(metricX),
                                             ::GetSystemMetrics(metricY), 0));
    };
    record->bigIcon = load(SM_CXICON, SM_CYICON);
    record->smallIcon = load(SM_CXSMICON, SM_CYSMICON);
    if (record->bigIcon == nullptr || record->smallIcon == nullptr) m_failures.Record("LoadImageW");
    if (record->bigIcon != nullptr)
      ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(record->bigIcon));
    if (record->smallIcon != nullptr)
      ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(record->smallIcon));
  }
  // A layered window stays invisible until it is given its alpha.
  if (desc.kind == WindowKind::Overlay && !::SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA)) {
    m_failures.Record("SetLayeredWindowAttributes");
  }
  if (desc.visible)
    ::ShowWindow(hwnd, desc.kind == WindowKind::Overlay || desc.kind == WindowKind::Notice
                           ? SW_SHOWNOACTIVATE
                           : SW_SHOW);
  return Id(hwnd);
}

bool Win32WindowSystem::AnswerGetObject(WindowId window, WPARAM wParam, LRESULT& answer) {
  Record* record = Find(window);
  if (record == nullptr || record->handler->Accessible() == nullptr) return false;
  if (!m_comStarted) {
    // The object is handed to readers in other processes through COM on this thread.
    m_comStarted = true;
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) m_failures.Record("CoInitializeEx");
  }
  if (record->accessible == nullptr) {
    record->accessible = CreateWindowAccessible(H(window), [this, window, record] {
      // The window may be gone, or its number used by another window since.
      Record* now = Find(window);
      return now == record ? now->handler->Accessible() : nullptr;
    });
  }
  answer = platform::win32::AnswerGetObject(record->accessible, wParam);
  if (answer < 0) m_failures.Record("LresultFromObject");
  return answer > 0;
}

void Win32WindowSystem::NotifyAccessible(WindowId window, AccessibleEvent event, int index) {
  RaiseAccessibleEvent(H(window), event, index);
}

void Win32WindowSystem::DestroyWindow(WindowId window) {
  if (window == 0 || !::IsWindow(H(window))) return;
  if (!::DestroyWindow(H(window))) m_failures.Record("DestroyWindow");
}

bool Win32WindowSystem::IsWindow(WindowId window) {
  return window != 0 && ::IsWindow(H(window));
}

WindowId Win32WindowSystem::FindWindowByClass(std::u16string_view className) {
  return Id(::FindWindowW(Wide(className).c_str(), nullptr));
}

LResult Win32WindowSystem::SendMessage(WindowId window, uint32_t message, WParam wParam,
                                       LParam lParam) {
  return ::SendMessageW(H(window), message, wParam, lParam);
}

bool Win32WindowSystem::PostMessage(WindowId window, uint32_t message, WParam wParam,
                                    LParam lParam) {
  if (message == WM_DEVICECHANGE) message = kPostedDeviceChange;
  if (::PostMessageW(H(window), message, wParam, lParam)) return true;
  m_failures.Record("PostMessageW");
  return false;
}

void Win32WindowSystem::SetTimer(WindowId window, uintptr_t id, uint32_t ms) {
  if (::SetTimer(H(window), id, ms, nullptr) == 0) m_failures.Record("SetTimer");
}

void Win32WindowSystem::KillTimer(WindowId window, uintptr_t id) {
  // Killing a timer that is not running is allowed and fails quietly.
  ::KillTimer(H(window), id);
}

intptr_t Win32WindowSystem::RunModal(WindowId window) {
  if (Find(window) == nullptr) return -1;
  HWND owner = ::GetWindow(H(window), GW_OWNER);
  const bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
  if (disabledOwner) ::EnableWindow(owner, FALSE);

  intptr_t result = -1;
  bool quit = false;
  WPARAM quitCode = 0;
  for (;;) {
    // Looked up each time: a handler may destroy the window, which also ends the loop.
    Record* record = Find(window);
    if (record == nullptr) break;
    if (record->modalEnded) {
      result = record->modalResult;
      record->modalEnded = false;
      break;
    }
    MSG message;
    BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) {
      m_failures.Record("GetMessageW");
      break;
    }
    if (got == 0) {
      quit = true;
      quitCode = message.wParam;
      break;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  // The owner comes back before the dialog goes away, so activation returns to it.
  if (disabledOwner && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

void Win32WindowSystem::EndModal(WindowId window, intptr_t result) {
  Record* record = Find(window);
  if (record == nullptr) return;
  record->modalEnded = true;
  record->modalResult = result;
  // Wakes GetMessageW so that the loop sees the flag.
  ::PostMessageW(H(window), WM_NULL, 0, 0);
}

void Win32WindowSystem::Invalidate(WindowId window, const Rect* rc) {
  RECT area{};
  if (rc != nullptr) area = {rc->left, rc->top, rc->right, rc->bottom};
  ::InvalidateRect(H(window), rc != nullptr ? &area : nullptr, FALSE);
}

void Win32WindowSystem::UpdateWindow(WindowId window) {
  ::UpdateWindow(H(window));
}

Canvas& Win32WindowSystem::BeginPaint(WindowId window) {
  Record* record = Find(window);
  if (record == nullptr) return m_noCanvas;
  if (record->painting) return *record->backBuffer;
  // BeginPaint validates the update region, so its pieces are read first.
  record->paintRects = UpdateRegionRects(H(window));
  if (::BeginPaint(H(window), &record->paint) == nullptr) m_failures.Record("BeginPaint");
  record->painting = true;
  const Rect bounds = FromRect(record->paint.rcPaint);
  if (record->paintRects.empty() && !bounds.IsEmpty()) record->paintRects.push_back(bounds);
  RECT client{};
  ::GetClientRect(H(window), &client);
  // The back buffer is kept between paints and only remade when the size changes.
  if (record->backBuffer == nullptr || record->backBuffer->Width() != client.right ||
      record->backBuffer->Height() != client.bottom) {
    record->backBuffer = std::make_unique<Win32Canvas>(client.right, client.bottom, m_failures);
  }
  // Outside the invalid part the buffer keeps the last paint, which is still on screen.
  record->backBuffer->SetClip(bounds);
  return *record->backBuffer;
}

std::vector<Rect> Win32WindowSystem::PaintRects(WindowId window) {
  Record* record = Find(window);
  if (record == nullptr || !record->painting) return {};
  return record->paintRects;
}

void Win32WindowSystem::EndPaint(WindowId window) {
  Record* record = Find(window);
  if (record == nullptr || !record->painting) return;
  const RECT& area = record->paint.rcPaint;
  if (record->paint.hdc != nullptr && record->backBuffer->Dc() != nullptr &&
      !::BitBlt(record->paint.hdc, area.left, area.top, area.right - area.left,
                area.bottom - area.top, static_cast<HDC>(record->backBuffer->Dc()), area.left,
                area.top, SRCCOPY)) {
    m_failures.Record("BitBlt");
  }
  ::EndPaint(H(window), &record->paint);
  record->painting = false;
}

void Win32WindowSystem::UpdateLayered(WindowId window, const Canvas& image, uint8_t alpha) {
  auto* canvas = dynamic_cast<const Win32Canvas*>(&image);
  if (canvas == nullptr || canvas->Dc() == nullptr) return;
  RECT rc{};
  ::GetWindowRect(H(window), &rc);
  POINT position{rc.left, rc.top};
  SIZE size{canvas->Width(), canvas->Height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  if (!::UpdateLayeredWindow(H(window), nullptr, &position, &size, static_cast<HDC>(canvas->Dc()),
                             &origin, 0, &blend, ULW_ALPHA)) {
    m_failures.Record("UpdateLayeredWindow");
  }
}

void Win32WindowSystem::SetLayeredAlpha(WindowId window, uint8_t alpha) {
  if (!::SetLayeredWindowAttributes(H(window), 0, alpha, LWA_ALPHA)) {
    m_failures.Record("SetLayeredWindowAttributes");
  }
}

void Win32WindowSystem::ShowWindow(WindowId window, ShowCommand command) {
  int show = SW_SHOW;
  switch (command) {
    case ShowCommand::Hide:
      show = SW_HIDE;
      break;
    case ShowCommand::Show: {
      const Record* record = Find(window);
      show = record && record->kind == WindowKind::Notice ? SW_SHOWNOACTIVATE : SW_SHOW;
      break;
    }
    case ShowCommand::ShowNoActivate:
      show = SW_SHOWNOACTIVATE;
      break;
    case ShowCommand::Minimize:
      show = SW_MINIMIZE;
      break;
    case ShowCommand::Restore:
      show = SW_RESTORE;
      break;
  }
  ::ShowWindow(H(window), show);
}

bool Win32WindowSystem::IsVisible(WindowId window) {
  return ::IsWindowVisible(H(window)) != FALSE;
}

bool Win32WindowSystem::IsMinimized(WindowId window) {
  return ::IsIconic(H(window)) != FALSE;
}

void Win32WindowSystem::MoveWindow(WindowId window, const Rect& rc) {
  if (!::SetWindowPos(H(window), nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
    m_failures.Record("SetWindowPos");
  }
}

Rect Win32WindowSystem::WindowRect(WindowId window) {
  RECT rc{};
  if (!::GetWindowRect(H(window), &rc)) m_failures.Record("GetWindowRect");
  return FromRect(rc);
}

Rect Win32WindowSystem::ClientRect(WindowId window) {
  RECT rc{};
  if (!::GetClientRect(H(window), &rc)) m_failures.Record("GetClientRect");
  return FromRect(rc);
}

void Win32WindowSystem::SetTitle(WindowId window, std::u16string_view title) {
  if (!::SetWindowTextW(H(window), Wide(title).c_str())) m_failures.Record("SetWindowTextW");
}

void Win32WindowSystem::BringToForeground(WindowId window) {
  HWND hwnd = H(window);
  if (::IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
  // Windows lets only the foreground thread change the foreground window; sharing its input
  // state for the moment of the call makes ours count as that thread.
  HWND foreground = ::GetForegroundWindow();
  DWORD foregroundThread =
      foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  DWORD self = ::GetCurrentThreadId();
  bool attached = foregroundThread != 0 && foregroundThread != self &&
                  ::AttachThreadInput(self, foregroundThread, TRUE);
  ::BringWindowToTop(hwnd);
  if (!::SetForegroundWindow(hwnd)) m_failures.Record("SetForegroundWindow");
  if (attached) ::AttachThreadInput(self, foregroundThread, FALSE);
}

void Win32WindowSystem::SetTopMost(WindowId window, bool topMost) {
  if (!::SetWindowPos(H(window), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
    m_failures.Record("SetWindowPos");
  }
}

WindowId Win32WindowSystem::ActiveWindow() {
  return Id(::GetActiveWindow());
}

void Win32WindowSystem::SetCapture(WindowId window) {
  ::SetCapture(H(window));
}

void Win32WindowSystem::ReleaseCapture() {
  ::ReleaseCapture();
}

WindowId Win32WindowSystem::Capture() {
  return Id(::GetCapture());
}

void Win32WindowSystem::TrackMouse(WindowId window, uint32_t hoverMs) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE | (hoverMs != 0 ? TME_HOVER : 0);
  track.hwndTrack = H(window);
  track.dwHoverTime = hoverMs != 0 ? hoverMs : HOVER_DEFAULT;
  if (!::TrackMouseEvent(&track)) m_failures.Record("TrackMouseEvent");
}

Point Win32WindowSystem::CursorPos() {
  POINT p{};
  if (!::GetCursorPos(&p)) m_failures.Record("GetCursorPos");
  return {p.x, p.y};
}

Point Win32WindowSystem::ScreenToClient(WindowId window, Point p) {
  POINT point{p.x, p.y};
  if (!::ScreenToClient(H(window), &point)) m_failures.Record("ScreenToClient");
  return {point.x, point.y};
}

uint32_t Win32WindowSystem::KeyModifiers() {
  // The key state of this thread's current message, not of the keyboard right now.
  uint32_t held = 0;
  if (::GetKeyState(VK_SHIFT) < 0) held |= mod::kShift;
  if (::GetKeyState(VK_CONTROL) < 0) held |= mod::kControl;
  if (::GetKeyState(VK_MENU) < 0) held |= mod::kAlt;
  return held;
}

Size Win32WindowSystem::FullScreenSize() {
  return {::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN)};
}

Rect Win32WindowSystem::WorkArea() {
  RECT rc{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0)) {
    m_failures.Record("SystemParametersInfoW");
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return FromRect(rc);
}

float Win32WindowSystem::DpiScale() {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) {
    m_failures.Record("GetDC");
    return 1.0f;
  }
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<float>(dpi) / 96.0f : 1.0f;
}

int Win32WindowSystem::WindowDpi(WindowId window) {
  // GetDpiForWindow exists from Windows 10 1607 on; before it, every window has the
  // system's DPI.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
          ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != 0) {
    const UINT dpi = getDpiForWindow(H(window));
    if (dpi > 0) return static_cast<int>(dpi);
  }
  HDC dc = ::GetDC(window != 0 ? H(window) : nullptr);
  if (dc == nullptr) return kDefaultDpi;
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
  ::ReleaseDC(window != 0 ? H(window) : nullptr, dc);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace platform::win32
