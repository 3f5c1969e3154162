#include "adapters/win32/Win32HidDevice.h"

#include "adapters/win32/HidLibrary.h"
#include "adapters/win32/HidReader.h"

namespace platform::win32 {

Win32HidDevice::Win32HidDevice(void* handle, std::wstring path, HidInterfaceInfo info,
                               const HidLibrary& library, UiThreadQueue& queue,
                               FailureLog& failures)
    : m_handle(handle),
      m_path(std::move(path)),
      m_info(std::move(info)),
      m_library(library),
      m_queue(queue),
      m_failures(failures) {}

Win32HidDevice::~Win32HidDevice() {
  m_reader.reset();
  ::CloseHandle(static_cast<HANDLE>(m_handle));
}

bool Win32HidDevice::SetFeature(std::span<const uint8_t> report) {
  if (report.empty()) return false;
  // hid.dll does not write to the buffer of a set; its prototype just lacks the const.
  if (m_library.SetFeature(static_cast<HANDLE>(m_handle), const_cast<uint8_t*>(report.data()),
                           static_cast<ULONG>(report.size()))) {
    return true;
  }
  m_failures.Record("HidD_SetFeature");
  return false;
}

bool Win32HidDevice::GetFeature(std::span<uint8_t> report) {
  if (report.empty()) return false;
  if (m_library.GetFeature(static_cast<HANDLE>(m_handle), report.data(),
                           static_cast<ULONG>(report.size()))) {
    return true;
  }
  m_failures.Record("HidD_GetFeature");
  return false;
}

void Win32HidDevice::StartReading(ReportCallback onReport, std::function<void()> onEnded) {
  m_reader.reset();
  HANDLE events = ::CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr);
  // A failed open still makes a reader: it reports the end at once, as a vanished device.
  if (events == INVALID_HANDLE_VALUE) m_failures.Record("CreateFileW");
  m_reader = std::make_unique<HidReader>(events, m_info.inputReportLength, m_queue,
                                         std::move(onReport), std::move(onEnded), m_failures);
}

}  // namespace platform::win32
