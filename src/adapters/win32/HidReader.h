#pragma once
// Reads input reports from one handle on a thread of its own and hands each report, as a
// copy with the tick count at which it was read, to the user-interface thread through a
// UiThreadQueue.
//
// The handle is opened for overlapped I/O, so the thread waits on its read and on a stop
// event at once: the destructor sets the event, the thread cancels its read (CancelIoEx)
// and waits for the cancellation to complete, and the destructor joins the thread. No read
// outlives the reader and its buffer. Reports still queued when the reader is destroyed are
// dropped, never delivered: the callbacks live in a block shared with the queued work, which
// the destructor marks closed.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "adapters/win32/FailureLog.h"
#include "adapters/win32/UiThreadQueue.h"
#include "platform/HidBus.h"

namespace platform::win32 {

class HidReader {
 public:
  using ReportCallback = HidDevice::ReportCallback;
  using EndCallback = std::function<void()>;

  // Takes ownership of `handle` (an overlapped HANDLE; may be INVALID_HANDLE_VALUE, which
  // ends the reader at once). Reads of `reportLength` bytes. `onEnded` runs once when a
  // read fails (the device went away) and never after the destructor has begun.
  HidReader(void* handle, size_t reportLength, UiThreadQueue& queue, ReportCallback onReport,
            EndCallback onEnded, FailureLog& failures);
  ~HidReader();
  HidReader(const HidReader&) = delete;
  HidReader& operator=(const HidReader&) = delete;

 private:
  struct Channel;
  static unsigned long __stdcall ThreadMain(void* self);
  void Run();
  void PostEnded();

  void* m_handle;
  size_t m_reportLength;
  UiThreadQueue& m_queue;
  FailureLog& m_failures;
  std::shared_ptr<Channel> m_channel;
  void* m_stop = nullptr;  // manual-reset event
  void* m_thread = nullptr;
};

}  // namespace platform::win32
