#pragma once
// One opened HID interface: a synchronous handle for feature reports and, while reading, a
// reader with an overlapped handle of its own on the same path.

#include <memory>
#include <string>

#include "adapters/win32/FailureLog.h"
#include "platform/HidBus.h"

namespace platform::win32 {

class HidLibrary;
class HidReader;
class UiThreadQueue;

class Win32HidDevice : public HidDevice {
 public:
  // Takes ownership of `handle`; `info` was read from that handle.
  Win32HidDevice(void* handle, std::wstring path, HidInterfaceInfo info, const HidLibrary& library,
                 UiThreadQueue& queue, FailureLog& failures);
  // Stops the reader (without a call to onEnded) and closes the handles.
  ~Win32HidDevice() override;
  Win32HidDevice(const Win32HidDevice&) = delete;
  Win32HidDevice& operator=(const Win32HidDevice&) = delete;

  bool SetFeature(std::span<const uint8_t> report) override;
  bool GetFeature(std::span<uint8_t> report) override;
  HidInterfaceInfo Info() const override { return m_info; }
  // A second call replaces the running reader.
  void StartReading(ReportCallback onReport, std::function<void()> onEnded) override;

 private:
  void* m_handle;
  std::wstring m_path;
  HidInterfaceInfo m_info;
  const HidLibrary& m_library;
  UiThreadQueue& m_queue;
  FailureLog& m_failures;
  std::unique_ptr<HidReader> m_reader;
};

}  // namespace platform::win32
