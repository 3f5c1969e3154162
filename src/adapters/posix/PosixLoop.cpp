#include "adapters/posix/PosixLoop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace platform::posix {

PosixLoop::PosixLoop() : m_start(std::chrono::steady_clock::now()) {
  int fds[2];
  // A self-pipe, so that a signal handler can wake the loop with one write().
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    m_wakeRead = fds[0];
    m_wakeWrite = fds[1];
  }
}

PosixLoop::~PosixLoop() {
  if (m_wakeRead >= 0) ::close(m_wakeRead);
  if (m_wakeWrite >= 0) ::close(m_wakeWrite);
}

void PosixLoop::Post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.push_back(std::move(task));
  }
  Wake();
}

void PosixLoop::Wake() {
  if (m_wakeWrite < 0) return;
  const char byte = 1;
  // A full pipe already wakes the loop; nothing else can go wrong that matters here.
  [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &byte, 1);
}

LocalTime PosixLoop::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

uint64_t PosixLoop::NowMs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - m_start)
                                   .count());
}

void PosixLoop::Sleep(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void PosixLoop::PumpDelay(uint32_t ms) {
  const uint64_t deadline = NowMs() + ms;
  for (;;) {
    DispatchReady();
    const uint64_t now = NowMs();
    if (now >= deadline) return;
    uint64_t until = deadline;
    for (const Timer& t : m_timers) until = std::min(until, t.due);
    if (until > now) WaitUntil(until);
  }
}

bool PosixLoop::DispatchReady() {
  std::deque<std::function<void()>> ready;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    ready.swap(m_queue);
  }
  const bool any = !ready.empty();
  for (auto& task : ready) task();

  // Timers due now, earliest first; a handler may set or kill timers meanwhile. Each gets
  // at most one turn per pass, so a timer of 0 ms cannot hold the loop.
  bool fired = false;
  for (size_t turns = m_timers.size(); turns > 0; --turns) {
    const uint64_t now = NowMs();
    auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                 [](const Timer& a, const Timer& b) { return a.due < b.due; });
    if (next == m_timers.end() || next->due > now) break;
    const WindowId window = next->window;
    const uintptr_t id = next->id;
    next->due = now + std::max<uint32_t>(next->period, 1);
    fired = true;
    Deliver(window, msg::kTimer, id, 0);
  }
  return any || fired;
}

void PosixLoop::WaitUntil(uint64_t untilMs) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_queue.empty()) return;
  }
  const uint64_t now = NowMs();
  const int timeout =
      untilMs > now ? static_cast<int>(std::min<uint64_t>(untilMs - now, 60000)) : 0;
  pollfd fd{m_wakeRead, POLLIN, 0};
  if (m_wakeRead < 0) {
    Sleep(static_cast<uint32_t>(std::min(timeout, 10)));
    return;
  }
  if (::poll(&fd, 1, timeout) > 0) {
    char drain[64];
    while (::read(m_wakeRead, drain, sizeof drain) > 0) {
    }
  }
}

LResult PosixLoop::Deliver(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
  const auto it = m_windows.find(window);
  if (it == m_windows.end() || it->second.handler == nullptr) return 0;
  bool handled = true;
  return it->second.handler->OnMessage(window, message, wParam, lParam, handled);
}

WindowId PosixLoop::CreateWindow(const WindowDesc& desc, WindowHandler* handler) {
  const WindowId id = m_nextId++;
  m_windows[id] = Window{desc.className, handler};
  Deliver(id, msg::kCreate, 0, 0);
  return id;
}

void PosixLoop::DestroyWindow(WindowId window) {
  if (!m_windows.count(window)) return;
  Deliver(window, msg::kDestroy, 0, 0);
  m_windows.erase(window);
  std::erase_if(m_timers, [window](const Timer& t) { return t.window == window; });
}

bool PosixLoop::IsWindow(WindowId window) {
  return m_windows.count(window) != 0;
}

WindowId PosixLoop::FindWindowByClass(std::u16string_view className) {
  for (const auto& [id, w] : m_windows) {
    if (w.className == className) return id;
  }
  return 0;
}

LResult PosixLoop::SendMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
  return Deliver(window, message, wParam, lParam);
}

bool PosixLoop::PostMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
  // Checked again on delivery: the window may be gone by then.
  Post([this, window, message, wParam, lParam] { Deliver(window, message, wParam, lParam); });
  return true;
}

void PosixLoop::SetTimer(WindowId window, uintptr_t id, uint32_t ms) {
  if (!m_windows.count(window)) return;
  const uint64_t due = NowMs() + ms;
  for (Timer& t : m_timers) {
    if (t.window == window && t.id == id) {
      t.period = ms;
      t.due = due;
      return;
    }
  }
  m_timers.push_back({window, id, ms, due});
}

void PosixLoop::KillTimer(WindowId window, uintptr_t id) {
  std::erase_if(m_timers, [&](const Timer& t) { return t.window == window && t.id == id; });
}

Canvas& PosixLoop::BeginPaint(WindowId) {
  std::fprintf(stderr, "internal error: a window was painted in a program without a screen\n");
  std::abort();
}

}  // namespace platform::posix
