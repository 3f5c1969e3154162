#pragma once
// HID interfaces through setupapi and hid.dll. Every query re-enumerates the HID class, so an
// index means what it means at the moment of the call. Construct on the user-interface
// thread: input reports are delivered there.

#include <memory>
#include <optional>
#include <string>

#include "adapters/win32/FailureLog.h"
#include "platform/HidBus.h"

namespace platform::win32 {

class HidLibrary;
class UiThreadQueue;

class Win32HidBus : public HidBus {
 public:
  explicit Win32HidBus(FailureLog& failures);
  // Devices opened from the bus must be gone by then.
  ~Win32HidBus() override;
  Win32HidBus(const Win32HidBus&) = delete;
  Win32HidBus& operator=(const Win32HidBus&) = delete;

  std::optional<HidInterfaceInfo> At(int index) override;
  std::unique_ptr<HidDevice> Open(int index) override;
  bool RegisterForNotifications(WindowId window) override;

  // The queue that carries input reports to the user-interface thread.
  UiThreadQueue& Queue() { return *m_queue; }

 private:
  std::optional<std::wstring> PathAt(int index);

  FailureLog& m_failures;
  std::unique_ptr<HidLibrary> m_library;
  std::unique_ptr<UiThreadQueue> m_queue;
  void* m_notification = nullptr;  // HDEVNOTIFY
};

}  // namespace platform::win32
