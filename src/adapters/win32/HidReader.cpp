#include "adapters/win32/HidReader.h"

#include "adapters/win32/WindowsInclude.h"

namespace platform::win32 {

// Touched on the user-interface thread only: by queued work and by the destructor.
struct HidReader::Channel {
  ReportCallback onReport;
  EndCallback onEnded;
  bool open = true;
};

HidReader::HidReader(void* handle, size_t reportLength, UiThreadQueue& queue,
                     ReportCallback onReport, EndCallback onEnded, FailureLog& failures)
    : m_handle(handle),
      m_reportLength(reportLength),
      m_queue(queue),
      m_failures(failures),
      m_channel(std::make_shared<Channel>()) {
  m_channel->onReport = std::move(onReport);
  m_channel->onEnded = std::move(onEnded);
  if (m_handle == INVALID_HANDLE_VALUE || m_handle == nullptr || m_reportLength == 0) {
    PostEnded();
    return;
  }
  m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (m_stop == nullptr) {
    m_failures.Record("CreateEventW");
    PostEnded();
    return;
  }
  m_thread = ::CreateThread(nullptr, 0, &HidReader::ThreadMain, this, 0, nullptr);
  if (m_thread == nullptr) {
    m_failures.Record("CreateThread");
    PostEnded();
    return;
  }
  // Reports are small and come in bursts; the reader should never be the one that waits.
  if (!::SetThreadPriority(m_thread, THREAD_PRIORITY_TIME_CRITICAL)) {
    m_failures.Record("SetThreadPriority");
  }
}

HidReader::~HidReader() {
  m_channel->open = false;
  if (m_thread != nullptr) {
    ::SetEvent(m_stop);
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
  }
  if (m_stop != nullptr) ::CloseHandle(m_stop);
  if (m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
}

unsigned long __stdcall HidReader::ThreadMain(void* self) {
  static_cast<HidReader*>(self)->Run();
  return 0;
}

void HidReader::PostEnded() {
  std::shared_ptr<Channel> channel = m_channel;
  m_queue.Post([channel] {
    if (!channel->open) return;
    channel->open = false;
    if (channel->onEnded) channel->onEnded();
  });
}

void HidReader::Run() {
  HANDLE handle = static_cast<HANDLE>(m_handle);
  HANDLE stop = static_cast<HANDLE>(m_stop);
  HANDLE readDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (readDone == nullptr) {
    m_failures.Record("CreateEventW");
    PostEnded();
    return;
  }
  std::vector<uint8_t> buffer(m_reportLength);
  bool stopped = false;
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = readDone;
    ::ResetEvent(readDone);
    if (!::ReadFile(handle, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                    &overlapped)) {
      DWORD error = ::GetLastError();
      if (error != ERROR_IO_PENDING) {
        m_failures.RecordCode("ReadFile", error);
        break;
      }
      HANDLE waits[2] = {stop, readDone};
      DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
      if (woken != WAIT_OBJECT_0 + 1) {
        if (woken == WAIT_FAILED) m_failures.Record("WaitForMultipleObjects");
        // The buffer and the OVERLAPPED must stay until the cancelled read has completed.
        if (!::CancelIoEx(handle, &overlapped) && ::GetLastError() != ERROR_NOT_FOUND) {
          m_failures.Record("CancelIoEx");
        }
        DWORD ignored = 0;
        ::GetOverlappedResult(handle, &overlapped, &ignored, TRUE);
        stopped = true;
        break;
      }
    }
    DWORD got = 0;
    if (!::GetOverlappedResult(handle, &overlapped, &got, TRUE)) {
      m_failures.Record("ReadFile");
      break;
    }
    if (::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
      stopped = true;
      break;
    }
    if (got == 0) continue;
    // Stamped here, before it waits for the UI thread: the same clock as Win32Clock::NowMs.
    const uint64_t arrivedMs = ::GetTickCount64();
    std::shared_ptr<Channel> channel = m_channel;
    std::vector<uint8_t> report(buffer.begin(), buffer.begin() + got);
    m_queue.Post([channel, report = std::move(report), arrivedMs]() mutable {
      if (channel->open && channel->onReport) channel->onReport(std::move(report), arrivedMs);
    });
  }
  ::CloseHandle(readDone);
  if (!stopped) PostEnded();
}

}  // namespace platform::win32
