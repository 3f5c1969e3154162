#include "adapters/win32/Win32Programs.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "adapters/win32/UiThreadQueue.h"
#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32Image.h"
#include "adapters/win32/WindowsInclude.h"

#include <shellapi.h>

namespace platform::win32 {

namespace {

// One adapter per process: the hook procedure has no context argument.
Win32Programs* g_programs = nullptr;

void CALLBACK ForegroundHook(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG, DWORD, DWORD) {
  if (event == EVENT_SYSTEM_FOREGROUND && g_programs) g_programs->OnForegroundEvent();
}

struct WaitContext {
  void* queueWindow;
  Win32Programs* programs;
  uint64_t generation;
};

void CALLBACK ProcessEnded(PVOID context, BOOLEAN) {
  // A thread-pool thread: only the user-interface thread may tell the observer.
  const auto* wait = static_cast<const WaitContext*>(context);
  Win32Programs* programs = wait->programs;
  const uint64_t generation = wait->generation;
  UiThreadQueue::PostTo(wait->queueWindow,
                        [programs, generation] { programs->OnProcessEnded(generation); });
}

// Pixels of an icon drawn on a transparent 32-bit bitmap, premultiplied. Icons without an
// alpha channel come back with alpha 0 everywhere; their mask gives it.
std::vector<uint32_t> IconPixels(HICON icon, int size) {
  std::vector<uint32_t> pixels;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc && bitmap && bits) {
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const auto* raw = static_cast<const uint32_t*>(bits);
    const size_t count = static_cast<size_t>(size) * static_cast<size_t>(size);
    ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    pixels.assign(raw, raw + count);
    bool anyAlpha = false;
    for (uint32_t p : pixels) anyAlpha = anyAlpha || (p >> 24) != 0;
    if (!anyAlpha) {
      // Opaque where the mask drawn on white leaves it black.
      std::fill(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + count, 0);
      ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_MASK);
      ::GdiFlush();
      for (size_t i = 0; i < count; ++i) {
        const bool transparent = (raw[i] & 0xFFFFFF) != 0;
        pixels[i] = transparent ? 0 : (pixels[i] | 0xFF000000u);
      }
    }
    ::SelectObject(dc, old);
  }
  if (bitmap) ::DeleteObject(bitmap);
  if (dc) ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

Win32Programs::Win32Programs(FailureLog& failures)
    : m_failures(failures), m_queue(std::make_unique<UiThreadQueue>(failures)) {
  g_programs = this;
}

Win32Programs::~Win32Programs() {
  Watch(nullptr);
  if (g_programs == this) g_programs = nullptr;
}

ForegroundProgram Win32Programs::Foreground() {
  ForegroundProgram program;
  HWND window = ::GetForegroundWindow();
  if (window == nullptr) return program;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return program;
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return program;  // a protected process: nothing we could match
  wchar_t path[MAX_PATH * 2];
  DWORD length = static_cast<DWORD>(std::size(path));
  if (::QueryFullProcessImageNameW(process, 0, path, &length)) {
    program.path = FromWide(std::wstring_view(path, length));
    program.processId = processId;
    program.ours = processId == ::GetCurrentProcessId();
  }
  ::CloseHandle(process);
  return program;
}

void Win32Programs::Watch(ProgramObserver* observer) {
  m_observer = observer;
  if (observer && m_hook == nullptr) {
    m_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                               ForegroundHook, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (m_hook == nullptr) m_failures.Record("SetWinEventHook");
  } else if (!observer) {
    ReleaseProcess();
    if (m_hook != nullptr) ::UnhookWinEvent(static_cast<HWINEVENTHOOK>(m_hook));
    m_hook = nullptr;
  }
}

bool Win32Programs::HoldProcess(uint32_t processId) {
  ReleaseProcess();
  if (processId == 0) return false;
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) {
    m_failures.Record("OpenProcess");
    return false;
  }
  // The context lives as long as the wait: freed in ReleaseProcess after the wait is gone.
  auto* context = new WaitContext{m_queue->Window(), this, ++m_generation};
  HANDLE wait = nullptr;
  if (!::RegisterWaitForSingleObject(&wait, process, ProcessEnded, context, INFINITE,
                                     WT_EXECUTEONLYONCE)) {
    m_failures.Record("RegisterWaitForSingleObject");
    delete context;
    ::CloseHandle(process);
    return false;
  }
  m_process = process;
  m_wait = wait;
  m_context = context;
  return true;
}

void Win32Programs::ReleaseProcess() {
  ++m_generation;  // an end already on its way to the queue is dropped
  if (m_wait != nullptr) {
    // Waits for a callback that is running, so the context can go.
    ::UnregisterWaitEx(static_cast<HANDLE>(m_wait), INVALID_HANDLE_VALUE);
    m_wait = nullptr;
  }
  delete static_cast<WaitContext*>(m_context);
  m_context = nullptr;
  if (m_process != nullptr) ::CloseHandle(static_cast<HANDLE>(m_process));
  m_process = nullptr;
}

void Win32Programs::OnForegroundEvent() {
  if (m_observer) m_observer->OnForegroundChanged();
}

void Win32Programs::OnProcessEnded(uint64_t generation) {
  if (generation != m_generation || !m_observer) return;
  ReleaseProcess();
  if (m_observer) m_observer->OnHeldProcessExited();
}

std::unique_ptr<Image> Win32Programs::ProgramIcon(std::u16string_view path, int size) {
  HICON large = nullptr;
  const std::wstring file = Wide(path);
  if (::ExtractIconExW(file.c_str(), 0, &large, nullptr, 1) == 0 || large == nullptr) {
    return nullptr;
  }
  std::vector<uint32_t> pixels = IconPixels(large, size);
  ::DestroyIcon(large);
  if (pixels.empty()) return nullptr;
  return std::make_unique<Win32Image>(size, size, std::move(pixels));
}

}  // namespace platform::win32
