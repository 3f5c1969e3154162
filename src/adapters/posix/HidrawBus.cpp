#include "adapters/posix/HidrawBus.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "adapters/posix/HidrawDevice.h"
#include "adapters/posix/PosixLoop.h"
#include "base/Text.h"

namespace platform::posix {
namespace {

constexpr uint32_t kDeviceArrival = 0x8000;
constexpr uint32_t kDeviceRemoveComplete = 0x8004;
// udev sets the node's owner and ACL just after the kernel creates it: the notice waits for
// the changes to settle, and a change of attributes counts as an arrival too.
constexpr int kSettleMs = 150;

bool IsHidrawName(const char* name) {
  return std::strncmp(name, "hidraw", 6) == 0;
}

}  // namespace

HidrawBus::HidrawBus(PosixLoop& loop, SysfsHidraw sysfs)
    : m_loop(loop), m_sysfs(std::move(sysfs)) {}

HidrawBus::~HidrawBus() {
  StopWatching();
}

void HidrawBus::Refresh() {
  m_nodes = m_sysfs.Enumerate();
  m_entries.clear();
  for (size_t n = 0; n < m_nodes.size(); ++n) {
    const SysfsHidraw::Node& node = m_nodes[n];
    HidInterfaceInfo info;
    info.path = base::FromUtf8(node.devicePath);
    info.vendorId = node.id.vendor;
    info.productId = node.id.product;
    info.versionNumber = node.version;
    if (node.descriptor.collections.empty()) {
      // Listed all the same (as Windows lists a device it cannot ask for its caps), with
      // nothing that could make it one of the mouse's interfaces.
      m_entries.push_back({n, info});
      continue;
    }
    for (const auto& collection : node.descriptor.collections) {
      info.usagePage = collection.usagePage;
      info.usage = collection.usage;
      info.inputReportLength = collection.inputReportLength;
      info.featureReportLength = collection.featureReportLength;
      m_entries.push_back({n, info});
    }
  }
  m_listed = true;
}

std::optional<HidInterfaceInfo> HidrawBus::At(int index) {
  if (index == 0 || !m_listed) Refresh();
  if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) return std::nullopt;
  return m_entries[static_cast<size_t>(index)].info;
}

std::vector<std::optional<HidInterfaceInfo>> HidrawBus::Enumerate(int limit) {
  Refresh();
  std::vector<std::optional<HidInterfaceInfo>> list;
  for (size_t i = 0; i < m_entries.size() && static_cast<int>(i) < limit; ++i) {
    list.emplace_back(m_entries[i].info);
  }
  return list;
}

std::unique_ptr<HidDevice> HidrawBus::Open(int index) {
  if (!m_listed) Refresh();
  if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) return nullptr;
  const Entry& entry = m_entries[static_cast<size_t>(index)];
  const SysfsHidraw::Node& node = m_nodes[entry.node];
  const int fd = ::open(node.devicePath.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    auto same = [&](const OpenFailure& f) { return f.path == node.devicePath; };
    const auto known = std::find_if(m_failures.begin(), m_failures.end(), same);
    if (known != m_failures.end()) {
      known->error = error;
    } else {
      m_failures.push_back({node.devicePath, error});
    }
    return nullptr;
  }
  // Node numbers are reused: the node must still be the device the list names.
  hidraw_devinfo devinfo{};
  if (::ioctl(fd, HIDIOCGRAWINFO, &devinfo) == 0 &&
      (static_cast<uint16_t>(devinfo.vendor) != node.id.vendor ||
       static_cast<uint16_t>(devinfo.product) != node.id.product)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<HidrawDevice>(fd, m_loop, node.descriptor.numberedReports, entry.info);
}

std::optional<std::string> HidrawBus::PermissionDeniedPath() const {
  for (const auto& failure : m_failures) {
    if (failure.error == EACCES || failure.error == EPERM) return failure.path;
  }
  return std::nullopt;
}

bool HidrawBus::RegisterForNotifications(WindowId window) {
  StopWatching();
  const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (fd < 0) return false;
  if (::inotify_add_watch(fd, m_sysfs.DevDir().c_str(), IN_CREATE | IN_DELETE | IN_ATTRIB) < 0) {
    ::close(fd);
    return false;
  }
  int stop[2];
  if (::pipe2(stop, O_CLOEXEC | O_NONBLOCK) != 0) {
    ::close(fd);
    return false;
  }
  m_inotify = fd;
  m_stopRead = stop[0];
  m_stopWrite = stop[1];
  m_watcher = std::thread([this, window, fd, s = stop[0]] { Watch(window, fd, s); });
  return true;
}

void HidrawBus::StopWatching() {
  if (m_watcher.joinable()) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_stopWrite, &byte, 1);
    m_watcher.join();
  }
  for (int* fd : {&m_inotify, &m_stopRead, &m_stopWrite}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

void HidrawBus::Watch(WindowId window, int inotifyFd, int stopFd) {
  alignas(inotify_event) char buffer[4096];
  bool arrived = false;
  bool removed = false;
  for (;;) {
    pollfd fds[2] = {{inotifyFd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    // While changes are coming in, wait for them to settle before telling the window.
    const int timeout = arrived || removed ? kSettleMs : -1;
    const int ready = ::poll(fds, 2, timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[1].revents != 0) return;
    if (ready == 0) {
      // Removals first: the link then rescans once for what is left and once for what came.
      if (removed) m_loop.PostMessage(window, msg::kDeviceChange, kDeviceRemoveComplete, 0);
      if (arrived) m_loop.PostMessage(window, msg::kDeviceChange, kDeviceArrival, 0);
      arrived = removed = false;
      continue;
    }
    const ssize_t n = ::read(inotifyFd, buffer, sizeof buffer);
    if (n <= 0) continue;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && IsHidrawName(event->name)) {
        if (event->mask & IN_DELETE) removed = true;
        if (event->mask & (IN_CREATE | IN_ATTRIB)) arrived = true;
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

}  // namespace platform::posix
