#pragma once
// In-memory windows on a virtual clock. Posted messages, pending paints and due timers run
// in a fixed order: every posted message first (in posting order), then pending paints,
// then the earliest due timer (ties in the order they were set), advancing virtual time to
// its due time. Nothing ever waits for real time. A hover notice that was asked for is due
// `hoverMs` after the last pointer move and runs in time order with the timers.
//
// Modal loops are driven by a script: a test queues what the user does in the next modal
// dialog. A modal loop with nothing to dispatch, nothing scripted and no timer due within
// the idle budget reports a failure (and ends that loop) instead of hanging.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "adapters/headless/RecordingCanvas.h"
#include "platform/Clock.h"
#include "platform/WindowSystem.h"

namespace platform::headless {

class HeadlessDesktop : public WindowSystem, public Clock {
 public:
  using FailureHandler = std::function<void(const std::string&)>;
  using ModalScript = std::function<void(WindowId dialog)>;

  struct WindowInfo {
    WindowDesc desc;
    WindowHandler* handler = nullptr;
    Rect rect;
    bool visible = false;
    bool minimized = false;
    bool enabled = true;
    bool topMost = false;
    bool dirty = false;
    int paints = 0;
    int layeredUpdates = 0;
    uint8_t alpha = 255;
    std::unique_ptr<RecordingCanvas> backBuffer;
    std::unique_ptr<RecordingCanvas> layered;
    // Every rectangle passed to Invalidate since the last TakeInvalidated (the client
    // rectangle for a whole-window invalidation).
    std::vector<Rect> invalidated;
    // What the next paint repaints, and what the current one does.
    std::vector<Rect> pending;
    std::vector<Rect> paintRects;
  };

  HeadlessDesktop();
  ~HeadlessDesktop() override;

  // --- test controls ---
  // Default: the message goes to stderr and the process aborts.
  void SetFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }
  // What the user does in the next modal loop that has nothing else to do.
  void ScriptNextModal(ModalScript script) { m_modalScripts.push_back(std::move(script)); }
  size_t PendingModalScripts() const { return m_modalScripts.size(); }
  // Virtual time a modal loop may wait on timers alone before it counts as stuck.
  void SetModalIdleBudgetMs(uint64_t ms) { m_modalIdleBudgetMs = ms; }
  // Runs everything due within `ms` of virtual time (PumpDelay).
  void RunFor(uint32_t ms) { PumpDelay(ms); }
  // Dispatches posted messages and paints without advancing time.
  void RunUntilIdle();
  void SetScreen(Size fullScreen, Rect workArea, float dpiScale);
  // The DPI every window reports from now on (96 until set).
  void SetWindowDpi(int dpi) { m_windowDpi = dpi; }

  // Scripted input in client coordinates. Input to a disabled window (one that owns a running
  // modal dialog) is dropped and the call returns false.
  bool MoveMouse(WindowId window, Point client);
  bool Click(WindowId window, Point client);
  bool DoubleClick(WindowId window, Point client);
  bool RightClick(WindowId window, Point client);
  // The halves of a click, for press-move-release gestures.
  bool PressMouse(WindowId window, Point client);
  bool ReleaseMouse(WindowId window, Point client);
  // A key pressed and released with these modifiers (platform::mod) held: WM_KEYDOWN, the
  // WM_CHAR that the system's translation makes of it (Enter, Escape, Backspace, Tab, space,
  // letters and digits, Ctrl+letter control codes), WM_KEYUP.
  bool PressKey(WindowId window, uint32_t virtualKey, uint32_t modifiers = 0);
  // Text as typed through an input method: one WM_CHAR per UTF-16 code unit.
  bool TypeText(WindowId window, std::u16string_view text);
  // WM_MOUSEWHEEL with the pointer at `client`; delta in kWheelDelta units, positive away
  // from the user.
  bool Wheel(WindowId window, Point client, int delta);
  // Modifier keys held for the following input (mouse messages carry MK_SHIFT, MK_CONTROL).
  void HoldModifiers(uint32_t modifiers) { m_modifiers = modifiers; }
  // Makes a window the active one, as a click on it or the task switcher would: the window
  // losing activation gets WM_NCACTIVATE and WM_ACTIVATE with wParam 0 first.
  void Activate(WindowId window);

  const WindowInfo* Info(WindowId window) const;
  std::vector<WindowId> AllWindows() const;
  // The back buffer of the last paint (nullptr before the first one).
  const RecordingCanvas* LastPaint(WindowId window) const;
  // The picture of the last layered update of a popup (nullptr before the first one).
  const RecordingCanvas* LastLayered(WindowId window) const;
  // The rectangles invalidated since the last call, oldest first; clears the list.
  std::vector<Rect> TakeInvalidated(WindowId window);
  // Screen-reader notices, oldest first, as (window, event, item); TakeAccessibleEvents clears.
  struct AccessibleNotice {
    WindowId window;
    AccessibleEvent event;
    int index;
    friend bool operator==(const AccessibleNotice&, const AccessibleNotice&) = default;
  };
  std::vector<AccessibleNotice> TakeAccessibleEvents() {
    return std::exchange(m_accessibleEvents, {});
  }
  bool HasTimer(WindowId window, uintptr_t id) const;
  size_t PostedCount() const { return m_queue.size(); }

  // --- Clock ---
  uint64_t NowMs() override { return m_now; }
  // 2025-01-01 00:00:00 plus the virtual time.
  LocalTime LocalNow() override;
  void Sleep(uint32_t ms) override { m_now += ms; }
  void PumpDelay(uint32_t ms) override;

  // --- WindowSystem ---
  WindowId CreateWindow(const WindowDesc& desc, WindowHandler* handler) override;
  void DestroyWindow(WindowId window) override;
  bool IsWindow(WindowId window) override;
  WindowId FindWindowByClass(std::u16string_view className) override;
  LResult SendMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) override;
  bool PostMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) override;
  void SetTimer(WindowId window, uintptr_t id, uint32_t ms) override;
  void KillTimer(WindowId window, uintptr_t id) override;
  intptr_t RunModal(WindowId window) override;
  void EndModal(WindowId window, intptr_t result) override;
  void Invalidate(WindowId window, const Rect* rc) override;
  void UpdateWindow(WindowId window) override;
  Canvas& BeginPaint(WindowId window) override;
  std::vector<Rect> PaintRects(WindowId window) override;
  void EndPaint(WindowId window) override;
  void UpdateLayered(WindowId window, const Canvas& image, uint8_t alpha) override;
  void SetLayeredAlpha(WindowId window, uint8_t alpha) override;
  void ShowWindow(WindowId window, ShowCommand command) override;
  bool IsVisible(WindowId window) override;
  bool IsMinimized(WindowId window) override;
  void MoveWindow(WindowId window, const Rect& rc) override;
  Rect WindowRect(WindowId window) override;
  Rect ClientRect(WindowId window) override;
  void SetTitle(WindowId window, std::u16string_view title) override;
  void BringToForeground(WindowId window) override;
  void SetTopMost(WindowId window, bool topMost) override;
  WindowId ActiveWindow() override { return m_active; }
  void SetCapture(WindowId window) override { m_capture = window; }
  void ReleaseCapture() override { m_capture = 0; }
  WindowId Capture() override { return m_capture; }
  void TrackMouse(WindowId window, uint32_t hoverMs) override;
  Point CursorPos() override { return m_cursor; }
  Point ScreenToClient(WindowId window, Point p) override;
  uint32_t KeyModifiers() override { return m_modifiers; }
  Size FullScreenSize() override { return m_fullScreen; }
  Rect WorkArea() override { return m_workArea; }
  float DpiScale() override { return m_dpiScale; }
  int WindowDpi(WindowId) override { return m_windowDpi; }
  void NotifyAccessible(WindowId window, AccessibleEvent event, int index) override {
    m_accessibleEvents.push_back({window, event, index});
  }

 private:
  std::vector<AccessibleNotice> m_accessibleEvents;
  struct Timer {
    WindowId window;
    uintptr_t id;
    uint32_t period;
    uint64_t due;
    uint64_t order;
  };
  struct Posted {
    WindowId window;
    uint32_t message;
    WParam wParam;
    LParam lParam;
  };
  struct Modal {
    WindowId window = 0;
    bool ended = false;
    intptr_t result = 0;
    std::vector<WindowId> disabled;
  };

  struct Hover {
    WindowId window = 0;  // 0: not armed
    uint32_t ms = 0;
    uint64_t due = 0;
  };

  bool DispatchOne();
  // Fires the earliest timer or hover notice due at or before `deadline`; false when there
  // is none.
  bool FireNextTimer(uint64_t deadline);
  void Fail(const std::string& message);
  bool Deliver(WindowId window, uint32_t message, WParam wParam, Point client);
  // Queues a paint of rc (the whole client area for nullptr).
  void MarkDirty(WindowInfo& info, const Rect* rc);
  WindowInfo* Find(WindowId window);
  WParam MouseKeyFlags(WParam buttons) const;

  std::map<WindowId, WindowInfo> m_windows;
  std::deque<Posted> m_queue;
  std::vector<Timer> m_timers;
  std::vector<Modal*> m_modals;
  std::deque<ModalScript> m_modalScripts;
  std::map<WindowId, intptr_t> m_endedEarly;
  FailureHandler m_onFailure;
  uint64_t m_now = 0;
  uint64_t m_timerOrder = 0;
  uint64_t m_modalIdleBudgetMs = 10 * 60 * 1000;
  WindowId m_nextId = 0x10010;
  WindowId m_capture = 0;
  WindowId m_tracking = 0;
  Hover m_hover;
  WindowId m_active = 0;
  WindowId m_dragging = 0;  // window moved by a caption drag until the button is released
  Point m_cursor;
  uint32_t m_modifiers = 0;
  Size m_fullScreen{1920, 1017};
  Rect m_workArea{0, 0, 1920, 1040};
  float m_dpiScale = 1.0f;
  int m_windowDpi = kDefaultDpi;
};

}  // namespace platform::headless
