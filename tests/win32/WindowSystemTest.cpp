#include "adapters/win32/Win32WindowSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "Win32TestSupport.h"

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowId;
using platform::WParam;
using win32test::TestPlatform;
namespace msg = platform::msg;

constexpr uint32_t kPing = msg::kUser + 1;

// Records the messages a test cares about; `react` may handle any message itself.
class Recorder : public platform::WindowHandler {
 public:
  std::vector<std::pair<uint32_t, WParam>> seen;
  std::function<bool(WindowId, uint32_t, WParam, LParam, LResult&)> react;

  LResult OnMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override {
    if (message >= msg::kUser || message == msg::kTimer || message == msg::kCreate ||
        message == msg::kDestroy || message == msg::kClose || message == msg::kCommand ||
        message == msg::kPaint) {
      seen.emplace_back(message, wParam);
    }
    LResult result = 0;
    if (react && react(window, message, wParam, lParam, result)) return result;
    handled = false;
    return 0;
  }

  int Count(uint32_t message) const {
    int n = 0;
    for (const auto& m : seen) n += m.first == message;
    return n;
  }
};

platform::WindowDesc Desc(platform::WindowKind kind, bool visible = false, WindowId owner = 0) {
  platform::WindowDesc desc;
  desc.className = u"VantrelTestWindow";
  desc.title = u"Vantrel test";
  desc.rect = {100, 50, 300, 170};
  desc.kind = kind;
  desc.owner = owner;
  desc.visible = visible;
  return desc;
}

// Destroys the window when the test ends, whatever happened.
struct Window {
  WindowId id;
  explicit Window(WindowId window) : id(window) {}
  ~Window() { platform::Windows().DestroyWindow(id); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
};

HWND H(WindowId id) {
  return reinterpret_cast<HWND>(id);
}

void DrainQueue() {
  platform::Time().PumpDelay(0);
}

TEST(Win32WindowSystem, LifeCycleSendAndFind) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  recorder.react = [](WindowId, uint32_t message, WParam wParam, LParam lParam, LResult& result) {
    if (message != kPing) return false;
    result = static_cast<LResult>(wParam) + lParam;
    return true;
  };
  platform::WindowDesc desc = Desc(platform::WindowKind::Dialog);
  desc.className = u"VantrelTestFindMe";
  WindowId id = windows.CreateWindow(desc, &recorder);
  ASSERT_NE(id, 0u) << TestPlatform().LastFailure();
  ASSERT_FALSE(recorder.seen.empty());
  EXPECT_EQ(recorder.seen.front().first, msg::kCreate);

  EXPECT_TRUE(windows.IsWindow(id));
  EXPECT_EQ(windows.FindWindowByClass(u"VantrelTestFindMe"), id);
  EXPECT_EQ(windows.SendMessage(id, kPing, 40, 2), 42);
  EXPECT_EQ(windows.WindowRect(id), (platform::Rect{100, 50, 300, 170}));
  EXPECT_EQ(windows.ClientRect(id), (platform::Rect{0, 0, 200, 120}));
  EXPECT_EQ(windows.ScreenToClient(id, {110, 60}), (platform::Point{10, 10}));

  windows.MoveWindow(id, {10, 20, 110, 70});
  EXPECT_EQ(windows.WindowRect(id), (platform::Rect{10, 20, 110, 70}));
  windows.SetTitle(id, u"Gaming Mouse 中");
  wchar_t title[64] = {};
  ::GetWindowTextW(H(id), title, 64);
  EXPECT_EQ(platform::win32::FromWide(title), u"Gaming Mouse 中");

  windows.DestroyWindow(id);
  EXPECT_EQ(recorder.Count(msg::kDestroy), 1);
  EXPECT_FALSE(windows.IsWindow(id));
  EXPECT_EQ(windows.FindWindowByClass(u"VantrelTestFindMe"), 0u);
  windows.DestroyWindow(id);  // harmless
  EXPECT_EQ(recorder.Count(msg::kDestroy), 1);
  EXPECT_EQ(windows.RunModal(id), -1);  // unknown window: no loop at all
}

TEST(Win32WindowSystem, StylesPerKind) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  Window main(windows.CreateWindow(Desc(platform::WindowKind::Main), &recorder));
  Window dialog(
      windows.CreateWindow(Desc(platform::WindowKind::Dialog, false, main.id), &recorder));
  Window popup(windows.CreateWindow(Desc(platform::WindowKind::Popup), &recorder));
  Window overlay(windows.CreateWindow(Desc(platform::WindowKind::Overlay), &recorder));
  ASSERT_TRUE(main.id && dialog.id && popup.id && overlay.id) << TestPlatform().LastFailure();

  auto style = [](WindowId id) { return static_cast<DWORD>(::GetWindowLongW(H(id), GWL_STYLE)); };
  auto exStyle = [](WindowId id) {
    return static_cast<DWORD>(::GetWindowLongW(H(id), GWL_EXSTYLE));
  };
  EXPECT_EQ(style(main.id) & (WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU),
            DWORD(WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU));
  EXPECT_EQ(style(main.id) & WS_CAPTION, 0u);
  EXPECT_NE(exStyle(main.id) & WS_EX_APPWINDOW, 0u);
  EXPECT_NE(style(dialog.id) & WS_POPUP, 0u);
  EXPECT_EQ(::GetWindow(H(dialog.id), GW_OWNER), H(main.id));
  const DWORD popupBits = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED;
  EXPECT_EQ(exStyle(popup.id) & popupBits, popupBits);
  EXPECT_EQ(exStyle(popup.id) & WS_EX_TRANSPARENT, 0u);
  EXPECT_EQ(exStyle(overlay.id) & (popupBits | WS_EX_TRANSPARENT), popupBits | WS_EX_TRANSPARENT);
  EXPECT_NE(::GetClassLongW(H(main.id), GCL_STYLE) & CS_DBLCLKS, 0u);
}

TEST(Win32WindowSystem, PostedMessagesKeepTheirOrderAndTimersRunUntilKilled) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  Window window(windows.CreateWindow(Desc(platform::WindowKind::Dialog), &recorder));
  ASSERT_NE(window.id, 0u);
  recorder.seen.clear();

  windows.SetTimer(window.id, 7, 10);
  for (WParam i = 1; i <= 5; ++i) ASSERT_TRUE(windows.PostMessage(window.id, kPing, i, 0));
  int rounds = 0;
  while (recorder.Count(msg::kTimer) < 3 && ++rounds < 500) platform::Time().PumpDelay(20);
  ASSERT_GE(recorder.Count(msg::kTimer), 3);

  std::vector<WParam> posted;
  for (const auto& m : recorder.seen) {
    if (m.first == kPing) posted.push_back(m.second);
    if (m.first == msg::kTimer) {
      EXPECT_EQ(m.second, 7u);
    }
  }
  EXPECT_EQ(posted, (std::vector<WParam>{1, 2, 3, 4, 5}));
  // Posted messages come before the timer, as Windows gives timers the lowest priority.
  EXPECT_EQ(recorder.seen.front(), (std::pair<uint32_t, WParam>{kPing, 1}));

  windows.KillTimer(window.id, 7);
  DrainQueue();
  recorder.seen.clear();
  platform::Time().PumpDelay(60);
  EXPECT_EQ(recorder.Count(msg::kTimer), 0);
  windows.KillTimer(window.id, 7);  // again: harmless
}

TEST(Win32WindowSystem, PumpDelayDispatchesUntilItsDeadlineWithoutSpinning) {
  TestPlatform();
  auto& windows = platform::Windows();
  auto& clock = platform::Time();
  Recorder recorder;
  Window window(windows.CreateWindow(Desc(platform::WindowKind::Dialog), &recorder));
  recorder.seen.clear();

  windows.PostMessage(window.id, kPing, 1, 0);
  clock.PumpDelay(0);
  EXPECT_EQ(recorder.Count(kPing), 1);

  // A message posted from another thread half-way through is dispatched too.
  HWND target = H(window.id);
  HANDLE poster = ::CreateThread(
      nullptr, 0,
      [](void* hwnd) -> DWORD {
        ::Sleep(30);
        ::PostMessageW(static_cast<HWND>(hwnd), kPing, 2, 0);
        return 0;
      },
      target, 0, nullptr);
  ASSERT_NE(poster, nullptr);

  FILETIME created, exited, kernelBefore, userBefore, kernelAfter, userAfter;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernelBefore, &userBefore);
  const uint64_t start = clock.NowMs();
  clock.PumpDelay(300);
  const uint64_t end = clock.NowMs();
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernelAfter, &userAfter);
  ::WaitForSingleObject(poster, INFINITE);
  ::CloseHandle(poster);

  EXPECT_GE(end, start + 300);
  EXPECT_EQ(recorder.Count(kPing), 2);
  auto ticks = [](const FILETIME& t) {
    return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const uint64_t busy100ns =
      ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore);
  EXPECT_LT(busy100ns, 50u * 10000u) << "PumpDelay kept the processor busy";
}

TEST(Win32WindowSystem, QuitSeenInsideLoopsIsPassedOn) {
  TestPlatform();
  auto& windows = platform::Windows();
  MSG message;
  const uint64_t start = platform::Time().NowMs();
  ::PostQuitMessage(3);
  platform::Time().PumpDelay(40);
  EXPECT_GE(platform::Time().NowMs(), start + 40);
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);

  Recorder recorder;
  Window window(windows.CreateWindow(Desc(platform::WindowKind::Dialog), &recorder));
  ::PostQuitMessage(5);
  EXPECT_EQ(windows.RunModal(window.id), -1);
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 5u);
}

TEST(Win32WindowSystem, ModalLoopsDisableTheOwnerNestAndReturnTheirResult) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder ownerRecorder, outerRecorder, innerRecorder;
  Window owner(windows.CreateWindow(Desc(platform::WindowKind::Main), &ownerRecorder));
  Window outer(
      windows.CreateWindow(Desc(platform::WindowKind::Dialog, false, owner.id), &outerRecorder));
  ASSERT_TRUE(owner.id && outer.id);

  std::vector<std::string> events;
  intptr_t innerResult = 0;
  innerRecorder.react = [&](WindowId self, uint32_t message, WParam, LParam, LResult&) {
    if (message != msg::kTimer) return false;
    windows.KillTimer(self, 2);
    events.push_back(::IsWindowEnabled(H(outer.id)) ? "outer enabled" : "outer disabled");
    windows.EndModal(self, 7);
    return true;
  };
  outerRecorder.react = [&](WindowId self, uint32_t message, WParam, LParam, LResult&) {
    if (message != msg::kTimer) return false;
    windows.KillTimer(self, 1);
    events.push_back(::IsWindowEnabled(H(owner.id)) ? "owner enabled" : "owner disabled");
    WindowId inner =
        windows.CreateWindow(Desc(platform::WindowKind::Dialog, false, self), &innerRecorder);
    windows.SetTimer(inner, 2, 5);
    innerResult = windows.RunModal(inner);
    windows.DestroyWindow(inner);
    events.push_back(::IsWindowEnabled(H(outer.id)) ? "outer enabled" : "outer disabled");
    windows.EndModal(self, 42);
    return true;
  };
  windows.SetTimer(outer.id, 1, 5);
  EXPECT_EQ(windows.RunModal(outer.id), 42);
  EXPECT_EQ(innerResult, 7);
  EXPECT_EQ(events,
            (std::vector<std::string>{"owner disabled", "outer disabled", "outer enabled"}));
  EXPECT_TRUE(::IsWindowEnabled(H(owner.id)));
  EXPECT_TRUE(windows.IsWindow(outer.id));  // ending the loop does not destroy the window

  // Ended before its loop started (for example while it was being created).
  windows.EndModal(outer.id, 9);
  EXPECT_EQ(windows.RunModal(outer.id), 9);

  // Destroyed by a handler while its loop runs: the loop ends instead of waiting forever.
  Recorder doomedRecorder;
  WindowId doomed =
      windows.CreateWindow(Desc(platform::WindowKind::Dialog, false, owner.id), &doomedRecorder);
  doomedRecorder.react = [&](WindowId self, uint32_t message, WParam, LParam, LResult&) {
    if (message != msg::kTimer) return false;
    windows.DestroyWindow(self);
    return true;
  };
  windows.SetTimer(doomed, 3, 5);
  EXPECT_EQ(windows.RunModal(doomed), -1);
  EXPECT_FALSE(windows.IsWindow(doomed));
  EXPECT_TRUE(::IsWindowEnabled(H(owner.id)));
}

TEST(Win32WindowSystem, EnterAndEscapeDoNotCloseAWindow) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  Window window(windows.CreateWindow(Desc(platform::WindowKind::Main, true), &recorder));
  recorder.seen.clear();
  for (WParam key : {WParam(platform::kVkReturn), WParam(platform::kVkEscape)}) {
    windows.PostMessage(window.id, msg::kKeyDown, key, 1);
    windows.PostMessage(window.id, msg::kChar, key, 1);
    windows.PostMessage(window.id, msg::kKeyUp, key, static_cast<LParam>(0xC0000001u));
  }
  platform::Time().PumpDelay(20);
  EXPECT_TRUE(windows.IsWindow(window.id));
  EXPECT_EQ(recorder.Count(msg::kClose), 0);
  EXPECT_EQ(recorder.Count(msg::kCommand), 0);
}

TEST(Win32WindowSystem, PaintingGoesThroughABackBufferOfClientSize) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  platform::Size painted;
  recorder.react = [&](WindowId self, uint32_t message, WParam, LParam, LResult&) {
    if (message == msg::kEraseBkgnd) return true;
    if (message != msg::kPaint) return false;
    platform::Canvas& canvas = windows.BeginPaint(self);
    painted = {canvas.Width(), canvas.Height()};
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()}, platform::Rgb(0, 255, 0));
    canvas.FillRect({0, 0, 10, 10}, platform::Rgb(255, 0, 0));
    windows.EndPaint(self);
    return true;
  };
  platform::WindowDesc desc = Desc(platform::WindowKind::Dialog, true);
  desc.iconResource = 128;
  Window window(windows.CreateWindow(desc, &recorder));
  ASSERT_NE(window.id, 0u);
  EXPECT_NE(windows.SendMessage(window.id, WM_GETICON, ICON_BIG, 0), 0);

  windows.Invalidate(window.id, nullptr);
  windows.UpdateWindow(window.id);
  EXPECT_GE(recorder.Count(msg::kPaint), 1);
  EXPECT_EQ(painted, (platform::Size{200, 120}));

  HDC dc = ::GetDC(H(window.id));
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(::GetPixel(dc, 100, 60), RGB(0, 255, 0));
  EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(255, 0, 0));
  ::ReleaseDC(H(window.id), dc);

  // Only the invalid part is asked for again.
  const int before = recorder.Count(msg::kPaint);
  platform::Rect part{20, 20, 30, 30};
  windows.Invalidate(window.id, &part);
  windows.UpdateWindow(window.id);
  EXPECT_EQ(recorder.Count(msg::kPaint), before + 1);
  windows.UpdateWindow(window.id);  // nothing invalid: no paint
  EXPECT_EQ(recorder.Count(msg::kPaint), before + 1);

  // A handler that forgets EndPaint does not leave the window painting for ever.
  recorder.react = [&](WindowId self, uint32_t message, WParam, LParam, LResult&) {
    if (message != msg::kPaint) return false;
    windows.BeginPaint(self).FillRect({0, 0, 200, 120}, platform::Rgb(0, 0, 255));
    return true;
  };
  windows.Invalidate(window.id, nullptr);
  windows.UpdateWindow(window.id);
  windows.UpdateWindow(window.id);
  EXPECT_EQ(recorder.Count(msg::kPaint), before + 2);
  dc = ::GetDC(H(window.id));
  EXPECT_EQ(::GetPixel(dc, 100, 60), RGB(0, 0, 255));
  ::ReleaseDC(H(window.id), dc);
}

// Two invalid pieces come back as two rectangles; the back buffer is clipped to their bounds
// and keeps the last paint elsewhere.
TEST(Win32WindowSystem, PaintRectsAreThePiecesOfTheUpdateRegion) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  platform::Colour fill = platform::Rgb(0, 255, 0);
  std::vector<platform::Rect> rects;
  platform::Rect clip;
  recorder.react = [&](WindowId self, uint32_t message, WParam, LParam, LResult&) {
    if (message == msg::kEraseBkgnd) return true;
    if (message != msg::kPaint) return false;
    platform::Canvas& canvas = windows.BeginPaint(self);
    rects = windows.PaintRects(self);
    clip = canvas.ClipRect();
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()}, fill);
    windows.EndPaint(self);
    return true;
  };
  Window window(windows.CreateWindow(Desc(platform::WindowKind::Dialog, true), &recorder));
  ASSERT_NE(window.id, 0u);
  windows.Invalidate(window.id, nullptr);
  windows.UpdateWindow(window.id);
  EXPECT_EQ(rects, std::vector<platform::Rect>{windows.ClientRect(window.id)});

  fill = platform::Rgb(0, 0, 255);
  const platform::Rect a{20, 20, 30, 30}, b{100, 60, 120, 70};
  windows.Invalidate(window.id, &a);
  windows.Invalidate(window.id, &b);
  windows.UpdateWindow(window.id);
  EXPECT_EQ(rects, (std::vector<platform::Rect>{a, b}));
  EXPECT_EQ(clip, (platform::Rect{20, 20, 120, 70}));
  HDC dc = ::GetDC(H(window.id));
  EXPECT_EQ(::GetPixel(dc, 25, 25), RGB(0, 0, 255));
  EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(0, 255, 0)) << "outside the invalid part";
  ::ReleaseDC(H(window.id), dc);
  EXPECT_TRUE(windows.PaintRects(window.id).empty()) << "outside a paint";
}

TEST(Win32WindowSystem, LayeredWindowsTakeTheirPixelsAndAlpha) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  Window popup(windows.CreateWindow(Desc(platform::WindowKind::Popup, true), &recorder));
  Window overlay(windows.CreateWindow(Desc(platform::WindowKind::Overlay, true), &recorder));
  ASSERT_TRUE(popup.id && overlay.id);

  auto canvas = platform::Gfx().CreateCanvas(60, 30);
  canvas->FillRect({0, 0, 60, 30}, platform::Rgb(10, 20, 30));
  TestPlatform().Failures().Clear();
  windows.UpdateLayered(popup.id, *canvas, 200);
  EXPECT_EQ(TestPlatform().LastFailure(), "");
  EXPECT_EQ(windows.WindowRect(popup.id), (platform::Rect{100, 50, 160, 80}));

  windows.SetLayeredAlpha(overlay.id, 128);
  EXPECT_EQ(TestPlatform().LastFailure(), "");
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(H(overlay.id), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_NE(flags & LWA_ALPHA, 0u);
}

TEST(Win32WindowSystem, ShowHideMinimiseRestoreAndScreenMetrics) {
  TestPlatform();
  auto& windows = platform::Windows();
  Recorder recorder;
  Window window(windows.CreateWindow(Desc(platform::WindowKind::Main), &recorder));
  EXPECT_FALSE(windows.IsVisible(window.id));
  windows.ShowWindow(window.id, platform::ShowCommand::Show);
  EXPECT_TRUE(windows.IsVisible(window.id));
  windows.ShowWindow(window.id, platform::ShowCommand::Minimize);
  EXPECT_TRUE(windows.IsMinimized(window.id));
  windows.BringToForeground(window.id);  // restores a minimised window
  EXPECT_FALSE(windows.IsMinimized(window.id));
  windows.ShowWindow(window.id, platform::ShowCommand::Hide);
  EXPECT_FALSE(windows.IsVisible(window.id));

  const platform::Size full = windows.FullScreenSize();
  EXPECT_GT(full.cx, 0);
  EXPECT_GT(full.cy, 0);
  EXPECT_LE(full.cx, ::GetSystemMetrics(SM_CXSCREEN));
  const platform::Rect work = windows.WorkArea();
  EXPECT_FALSE(work.IsEmpty());
  EXPECT_GT(windows.DpiScale(), 0.0f);
}

}  // namespace
