#pragma once
// Top-level windows with Win32-style messages, timers, painting, capture and modal loops.
// Controls are not windows: a skinned dialog is one window that draws its controls itself.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

namespace platform {

// Receives every message of one window, on the user-interface thread.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  // Returns the message result. `handled` is true on entry; setting it to false asks for the
  // system's default processing (for WM_CLOSE the default destroys the window).
  virtual LResult OnMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam,
                            bool& handled) = 0;
  // What the window tells screen readers; nullptr for a window that tells nothing. Asked on
  // the user-interface thread when a screen reader first looks at the window.
  virtual AccessibleTree* Accessible() { return nullptr; }
};

enum class WindowKind {
  Main,     // the application's main window: caption-less, in the taskbar
  Dialog,   // an owned skinned dialog
  Popup,    // a top-most tool window for popup menus, drawn with per-pixel alpha
  Overlay,  // a top-most, click-through tool window with constant alpha (on-screen display)
  Notice,   // a top-most tool window that is never activated, not even by a click (notices)
};

struct WindowDesc {
  std::u16string className;  // registered on first use
  std::u16string title;
  Rect rect;  // screen coordinates of the whole window
  WindowKind kind = WindowKind::Dialog;
  WindowId owner = 0;
  bool visible = true;
  int iconResource = 0;  // big and small icon
};

enum class ShowCommand { Hide, Show, ShowNoActivate, Minimize, Restore };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the window and sends it WM_CREATE. The handler must outlive the window.
  virtual WindowId CreateWindow(const WindowDesc& desc, WindowHandler* handler) = 0;
  // Sends WM_DESTROY, then forgets the window and its timers. Harmless for unknown ids.
  virtual void DestroyWindow(WindowId window) = 0;
  virtual bool IsWindow(WindowId window) = 0;
  // First top-level window of this class created by any instance of the program.
  virtual WindowId FindWindowByClass(std::u16string_view className) = 0;

  // SendMessage calls the handler synchronously; PostMessage queues for the message loop.
  // WM_DEVICECHANGE may be posted too (a simulated device's notices); it arrives as such.
  virtual LResult SendMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) = 0;
  virtual bool PostMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) = 0;

  // WM_TIMER with wParam = id every `ms`; setting an existing id restarts it.
  virtual void SetTimer(WindowId window, uintptr_t id, uint32_t ms) = 0;
  virtual void KillTimer(WindowId window, uintptr_t id) = 0;

  // Runs a message loop until EndModal is called for this window, and returns its result.
  // Owner windows stay painted but take no input meanwhile. An EndModal that comes first
  // (while the window is being set up) ends the next RunModal at once. Returns -1 for an
  // unknown window, or when the window is destroyed or the process is asked to quit before
  // EndModal; a quit request is then passed on to the enclosing loop.
  virtual intptr_t RunModal(WindowId window) = 0;
  virtual void EndModal(WindowId window, intptr_t result) = 0;

  // Painting: Invalidate queues WM_PAINT; inside WM_PAINT, BeginPaint returns the window's
  // back buffer (client size) and EndPaint copies the invalid part of it to the screen once.
  // The back buffer keeps its pixels between paints, and BeginPaint clips it to the bounds
  // of the invalid part; PaintRects then lists rectangles that cover exactly the invalid
  // part (a few at most: many become their bounds), so that a window repaints only those.
  virtual void Invalidate(WindowId window, const Rect* rc) = 0;
  virtual void UpdateWindow(WindowId window) = 0;
  virtual Canvas& BeginPaint(WindowId window) = 0;
  virtual std::vector<Rect> PaintRects(WindowId window) = 0;
  virtual void EndPaint(WindowId window) = 0;
  // Popup windows: show this canvas with its per-pixel alpha times `alpha`.
  virtual void UpdateLayered(WindowId window, const Canvas& image, uint8_t alpha) = 0;
  // Overlay windows: the whole window at constant alpha.
  virtual void SetLayeredAlpha(WindowId window, uint8_t alpha) = 0;

  virtual void ShowWindow(WindowId window, ShowCommand command) = 0;
  virtual bool IsVisible(WindowId window) = 0;
  virtual bool IsMinimized(WindowId window) = 0;
  virtual void MoveWindow(WindowId window, const Rect& rc) = 0;
  virtual Rect WindowRect(WindowId window) = 0;
  virtual Rect ClientRect(WindowId window) = 0;
  virtual void SetTitle(WindowId window, std::u16string_view title) = 0;
  virtual void BringToForeground(WindowId window) = 0;
  // Keeps the window above every window that is not top-most (or stops doing so), without
  // moving or activating it. Popup and Overlay windows are top-most from their creation.
  virtual void SetTopMost(WindowId window, bool topMost) = 0;
  virtual WindowId ActiveWindow() = 0;

  // Mouse capture, and leave and hover tracking: after TrackMouse, WM_MOUSELEAVE comes once
  // the pointer leaves the window, and WM_MOUSEHOVER (lParam = client point) once it has
  // rested inside for `hoverMs` (0: no hover notice). Each notice ends its own tracking.
  virtual void SetCapture(WindowId window) = 0;
  virtual void ReleaseCapture() = 0;
  virtual WindowId Capture() = 0;
  virtual void TrackMouse(WindowId window, uint32_t hoverMs) = 0;
  virtual Point CursorPos() = 0;  // screen coordinates
  virtual Point ScreenToClient(WindowId window, Point p) = 0;
  // The modifier keys (platform::mod bits, Keys.h) held as the current key message was sent.
  virtual uint32_t KeyModifiers() { return 0; }

  // Tells screen readers that item `index` of the window's AccessibleTree changed (-1: the
  // window itself).
  virtual void NotifyAccessible(WindowId window, AccessibleEvent event, int index) {
    (void)window, (void)event, (void)index;
  }

  // GetSystemMetrics(SM_CXFULLSCREEN / SM_CYFULLSCREEN), SPI_GETWORKAREA, and the logical
  // pixels per inch of the screen divided by 96.
  virtual Size FullScreenSize() = 0;
  virtual Rect WorkArea() = 0;
  virtual float DpiScale() = 0;
  // Dots per inch of the monitor the window is on, as the window sees it (96 at 100 %);
  // msg::kDpiChanged tells of a change.
  virtual int WindowDpi(WindowId window) {
    (void)window;
    return kDefaultDpi;
  }
};

}  // namespace platform
