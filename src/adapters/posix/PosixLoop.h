#pragma once
// The main loop of a program without a screen: message-only windows (messages and timers,
// nothing to paint), the real clock, and a queue other threads hand work to. Everything a
// window receives runs on the thread that waits in PumpDelay, which is the rule the HID
// readers follow: they post a copy of each report here and the report is applied on the
// loop's thread.
//
// The painting, layout and input parts of WindowSystem do nothing; modal loops are refused
// and painting aborts, since a command-line program has no windows to show.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/WindowSystem.h"

namespace platform::posix {

class PosixLoop : public WindowSystem, public Clock {
 public:
  PosixLoop();
  ~PosixLoop() override;
  PosixLoop(const PosixLoop&) = delete;
  PosixLoop& operator=(const PosixLoop&) = delete;

  // Any thread: runs `task` on the loop's thread at its next dispatch, after what was
  // posted before it.
  void Post(std::function<void()> task);
  // Async-signal-safe: a waiting PumpDelay looks at its queue and timers again. The signal
  // handler sets its own flag first; the loop's caller checks it.
  void Wake();

  // --- Clock ---
  LocalTime LocalNow() override;
  uint64_t NowMs() override;
  void Sleep(uint32_t ms) override;
  void PumpDelay(uint32_t ms) override;

  // --- WindowSystem: messages and timers ---
  WindowId CreateWindow(const WindowDesc& desc, WindowHandler* handler) override;
  void DestroyWindow(WindowId window) override;
  bool IsWindow(WindowId window) override;
  WindowId FindWindowByClass(std::u16string_view className) override;
  LResult SendMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) override;
  bool PostMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) override;
  void SetTimer(WindowId window, uintptr_t id, uint32_t ms) override;
  void KillTimer(WindowId window, uintptr_t id) override;

  // --- WindowSystem: what a screen would do ---
  intptr_t RunModal(WindowId) override { return -1; }
  void EndModal(WindowId, intptr_t) override {}
  void Invalidate(WindowId, const Rect*) override {}
  void UpdateWindow(WindowId) override {}
  Canvas& BeginPaint(WindowId window) override;
  std::vector<Rect> PaintRects(WindowId) override { return {}; }
  void EndPaint(WindowId) override {}
  void UpdateLayered(WindowId, const Canvas&, uint8_t) override {}
  void SetLayeredAlpha(WindowId, uint8_t) override {}
  void ShowWindow(WindowId, ShowCommand) override {}
  bool IsVisible(WindowId) override { return false; }
  bool IsMinimized(WindowId) override { return false; }
  void MoveWindow(WindowId, const Rect&) override {}
  Rect WindowRect(WindowId) override { return {}; }
  Rect ClientRect(WindowId) override { return {}; }
  void SetTitle(WindowId, std::u16string_view) override {}
  void BringToForeground(WindowId) override {}
  void SetTopMost(WindowId, bool) override {}
  WindowId ActiveWindow() override { return 0; }
  void SetCapture(WindowId) override {}
  void ReleaseCapture() override {}
  WindowId Capture() override { return 0; }
  void TrackMouse(WindowId, uint32_t) override {}
  Point CursorPos() override { return {}; }
  Point ScreenToClient(WindowId, Point p) override { return p; }
  Size FullScreenSize() override { return {}; }
  Rect WorkArea() override { return {}; }
  float DpiScale() override { return 1.0f; }

 private:
  struct Window {
    std::u16string className;
    WindowHandler* handler = nullptr;
  };
  struct Timer {
    WindowId window;
    uintptr_t id;
    uint32_t period;
    uint64_t due;
  };

  // Runs what was posted until now, then every timer that is due; false when nothing ran.
  bool DispatchReady();
  // Waits until something is posted, the loop is woken, or `untilMs` has come.
  void WaitUntil(uint64_t untilMs);
  LResult Deliver(WindowId window, uint32_t message, WParam wParam, LParam lParam);

  const std::chrono::steady_clock::time_point m_start;
  int m_wakeRead = -1;
  int m_wakeWrite = -1;

  std::mutex m_mutex;  // guards m_queue only: everything else belongs to the loop's thread
  std::deque<std::function<void()>> m_queue;

  std::map<WindowId, Window> m_windows;
  std::vector<Timer> m_timers;
  WindowId m_nextId = 0x20000;
};

}  // namespace platform::posix
