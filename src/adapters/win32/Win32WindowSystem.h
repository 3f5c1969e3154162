#pragma once
// Top-level windows on user32. Every window's procedure forwards each message to its
// WindowHandler; `handled` is true on entry and false asks for DefWindowProcW. There is no
// dialog manager, so Enter and Escape are plain key messages.

#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "adapters/win32/FailureLog.h"
#include "adapters/win32/Win32Canvas.h"
#include "platform/WindowSystem.h"

namespace platform::win32 {

class Win32WindowSystem : public WindowSystem {
 public:
  explicit Win32WindowSystem(FailureLog& failures);
  // Destroys the windows that are still open and unregisters the classes.
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  WindowId CreateWindow(const WindowDesc& desc, WindowHandler* handler) override;
  void NotifyAccessible(WindowId window, AccessibleEvent event, int index) override;
  // WM_GETOBJECT for the client area: true with the answer when the window describes its
  // controls (its handler has an AccessibleTree).
  bool AnswerGetObject(WindowId window, uintptr_t wParam, intptr_t& answer);
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
  WindowId ActiveWindow() override;

  void SetCapture(WindowId window) override;
  void ReleaseCapture() override;
  WindowId Capture() override;
  void TrackMouse(WindowId window, uint32_t hoverMs) override;
  Point CursorPos() override;
  Point ScreenToClient(WindowId window, Point p) override;
  uint32_t KeyModifiers() override;

  Size FullScreenSize() override;
  Rect WorkArea() override;
  float DpiScale() override;
  int WindowDpi(WindowId window) override;

  // Per-window state; public only for the window procedure.
  struct Record;
  Record* Find(WindowId window);
  void Adopt(WindowId window, Record* record);
  void Forget(WindowId window);

 private:
  bool EnsureClass(const std::u16string& className);

  FailureLog& m_failures;
  std::set<std::u16string> m_classes;
  std::unordered_map<WindowId, std::unique_ptr<Record>> m_windows;
  std::unique_ptr<Record> m_creating;  // between CreateWindowExW and WM_NCCREATE
  Win32Canvas m_noCanvas;              // what BeginPaint gives for a window it does not know
  bool m_comStarted = false;
};

}  // namespace platform::win32
