#pragma once
// HID interfaces through setupapi and hid.dll. A scan enumerates the HID class once
// (Enumerate) and queries each interface once; Open takes the path that enumeration saw at
// the index and reads vendor, product and capabilities from the handle it opened. Construct
// on the user-interface thread: input reports are delivered there.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/win32/FailureLog.h"
#include "platform/HidBus.h"

namespace platform::win32 {

class HidLibrary;
class UiThreadQueue;

class Win32HidBus : public HidBus {
 public:
  explicit Win32HidBus(FailureLog& failures);
  // With the given entry points (tests put counting or scripted ones in).
  Win32HidBus(FailureLog& failures, std::unique_ptr<HidLibrary> library);
  // Devices opened from the bus must be gone by then.
  ~Win32HidBus() override;
  Win32HidBus(const Win32HidBus&) = delete;
  Win32HidBus& operator=(const Win32HidBus&) = delete;

  std::optional<HidInterfaceInfo> At(int index) override;
  std::vector<std::optional<HidInterfaceInfo>> Enumerate(int limit) override;
  std::unique_ptr<HidDevice> Open(int index) override;
  bool RegisterForNotifications(WindowId window) override;

  // The queue that carries input reports to the user-interface thread.
  UiThreadQueue& Queue() { return *m_queue; }

 private:
  std::optional<std::wstring> PathAt(int index);
  // Attributes and capabilities of an opened handle.
  std::optional<HidInterfaceInfo> Query(void* handle, const std::wstring& path);
  std::optional<HidInterfaceInfo> Probe(const std::wstring& path);

  FailureLog& m_failures;
  std::unique_ptr<HidLibrary> m_library;
  std::unique_ptr<UiThreadQueue> m_queue;
  void* m_notification = nullptr;  // HDEVNOTIFY
  // The device paths of the latest enumeration, by index ("" where none could be read).
  std::optional<std::vector<std::wstring>> m_paths;
};

}  // namespace platform::win32
