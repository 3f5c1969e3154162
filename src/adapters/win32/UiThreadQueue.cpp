#include "adapters/win32/UiThreadQueue.h"

#include <memory>

#include "adapters/win32/WindowsInclude.h"

namespace platform::win32 {

namespace {

constexpr UINT kRunWork = WM_APP + 0x51;
constexpr wchar_t kClassName[] = L"VantrelUiThreadQueue";

using Work = std::function<void()>;

LRESULT CALLBACK QueueProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunWork) {
    std::unique_ptr<Work> work(reinterpret_cast<Work*>(lParam));
    if (work && *work) (*work)();
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

UiThreadQueue::UiThreadQueue(FailureLog& failures) : m_failures(failures) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = QueueProcedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  // A second queue in the process finds the class registered already.
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    m_failures.Record("RegisterClassExW");
    return;
  }
  HWND window = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) m_failures.Record("CreateWindowExW");
  m_window = window;
}

UiThreadQueue::~UiThreadQueue() {
  HWND window = static_cast<HWND>(m_window);
  if (window == nullptr) return;
  MSG message;
  while (::PeekMessageW(&message, window, kRunWork, kRunWork, PM_REMOVE)) {
    delete reinterpret_cast<Work*>(message.lParam);
  }
  ::DestroyWindow(window);
}

bool UiThreadQueue::Post(std::function<void()> work) {
  if (m_window == nullptr) return false;
  if (PostTo(m_window, std::move(work))) return true;
  m_failures.Record("PostMessageW");
  return false;
}

bool UiThreadQueue::PostTo(void* window, std::function<void()> work) {
  if (window == nullptr) return false;
  auto* parcel = new Work(std::move(work));
  if (::PostMessageW(static_cast<HWND>(window), kRunWork, 0, reinterpret_cast<LPARAM>(parcel))) {
    return true;
  }
  delete parcel;
  return false;
}

}  // namespace platform::win32
