#pragma once
// The HID bus over hidraw. Enumeration comes from sysfs (SysfsHidraw), one index per top-level
// collection of every node, in node order; the list is taken anew whenever index 0 is asked
// for, which is where every scan starts. Opening an index opens its /dev node and checks that
// the node still belongs to the same vendor and product. Arrivals and removals are seen by
// watching the device folder with inotify and reach the registered window as WM_DEVICECHANGE.
//
// Every node that cannot be opened is remembered with its errno, so that the caller can tell
// a missing device from one the user may not open (the udev rule is not installed), also when
// another node failed for another reason afterwards.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "adapters/posix/SysfsHidraw.h"
#include "platform/HidBus.h"

namespace platform::posix {

class PosixLoop;

class HidrawBus : public HidBus {
 public:
  struct OpenFailure {
    std::string path;
    int error = 0;  // errno of open()
  };

  HidrawBus(PosixLoop& loop, SysfsHidraw sysfs = SysfsHidraw());
  ~HidrawBus() override;
  HidrawBus(const HidrawBus&) = delete;
  HidrawBus& operator=(const HidrawBus&) = delete;

  std::optional<HidInterfaceInfo> At(int index) override;
  std::vector<std::optional<HidInterfaceInfo>> Enumerate(int limit) override;
  std::unique_ptr<HidDevice> Open(int index) override;
  bool RegisterForNotifications(WindowId window) override;

  // Every open() that failed since the bus was made, oldest first (one entry per node).
  const std::vector<OpenFailure>& OpenFailures() const { return m_failures; }
  // The first node that could not be opened for lack of permission, if any.
  std::optional<std::string> PermissionDeniedPath() const;

 private:
  struct Entry {
    size_t node;
    HidInterfaceInfo info;
  };

  void Refresh();
  void StopWatching();
  void Watch(WindowId window, int inotifyFd, int stopFd);

  PosixLoop& m_loop;
  SysfsHidraw m_sysfs;
  std::vector<SysfsHidraw::Node> m_nodes;
  std::vector<Entry> m_entries;
  bool m_listed = false;
  std::vector<OpenFailure> m_failures;

  int m_inotify = -1;
  int m_stopRead = -1;
  int m_stopWrite = -1;
  std::thread m_watcher;
};

}  // namespace platform::posix
