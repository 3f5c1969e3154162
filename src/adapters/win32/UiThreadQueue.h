#pragma once
// Runs work on the user-interface thread: any thread posts a function, the thread that
// created the queue runs it from its message loop (through a hidden message-only window).
// Create and destroy it on the user-interface thread.

#include <functional>

#include "adapters/win32/FailureLog.h"

namespace platform::win32 {

class UiThreadQueue {
 public:
  explicit UiThreadQueue(FailureLog& failures);
  // Work still queued is dropped without being run.
  ~UiThreadQueue();
  UiThreadQueue(const UiThreadQueue&) = delete;
  UiThreadQueue& operator=(const UiThreadQueue&) = delete;

  // Safe from any thread. False when the work cannot be queued (queue full, window gone);
  // it is then dropped.
  bool Post(std::function<void()> work);
  // The same through the queue's window handle alone, for a thread that may outlive the
  // queue: once the queue is gone the work is dropped.
  static bool PostTo(void* window, std::function<void()> work);

  // The message-only window, for tests.
  void* Window() const { return m_window; }

 private:
  FailureLog& m_failures;
  void* m_window = nullptr;  // HWND
};

}  // namespace platform::win32
