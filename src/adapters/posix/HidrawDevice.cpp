#include "adapters/posix/HidrawDevice.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "adapters/posix/PosixLoop.h"

namespace platform::posix {
namespace {

// Longer than any report a HID device may send.
constexpr size_t kReadBuffer = 4096 + 1;

}  // namespace

HidrawDevice::HidrawDevice(int fd, PosixLoop& loop, bool numberedReports, HidInterfaceInfo info)
    : m_fd(fd), m_loop(loop), m_info(info), m_numbered(numberedReports) {}

HidrawDevice::~HidrawDevice() {
  StopReader();
  if (m_fd >= 0) ::close(m_fd);
}

void HidrawDevice::StopReader() {
  if (m_reader.joinable()) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_stopWrite, &byte, 1);
    m_reader.join();
  }
  if (m_stopRead >= 0) ::close(m_stopRead);
  if (m_stopWrite >= 0) ::close(m_stopWrite);
  m_stopRead = m_stopWrite = -1;
  if (m_callbacks) m_callbacks->alive = false;
}

bool HidrawDevice::SetFeature(std::span<const uint8_t> report) {
  if (m_fd < 0 || report.empty()) return false;
  std::vector<uint8_t> buffer(report.begin(), report.end());
  return Transfer(HIDIOCSFEATURE(buffer.size()), buffer.data());
}

bool HidrawDevice::Transfer(unsigned long request, uint8_t* data) {
  // A signal (Ctrl+C, a timer of the process) must not pass for a mouse that did not answer.
  for (;;) {
    if (::ioctl(m_fd, request, data) >= 0) return true;
    if (errno != EINTR) break;
  }
  m_lastError = errno;
  return false;
}

bool HidrawDevice::GetFeature(std::span<uint8_t> report) {
  if (m_fd < 0 || report.empty()) return false;
  // The node fills from byte 0 (the report id we set) onward; bytes it does not return keep
  // what the caller put there, as with Windows.
  return Transfer(HIDIOCGFEATURE(report.size()), report.data());
}

void HidrawDevice::StartReading(ReportCallback onReport, std::function<void()> onEnded) {
  StopReader();
  m_callbacks = std::make_shared<Callbacks>();
  m_callbacks->onReport = std::move(onReport);
  m_callbacks->onEnded = std::move(onEnded);
  int fds[2];
  if (m_fd < 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
    // Cannot read: the reader ends at once, on the loop's thread like every other end.
    std::shared_ptr<Callbacks> callbacks = m_callbacks;
    m_loop.Post([callbacks] {
      if (callbacks->alive && callbacks->onEnded) callbacks->onEnded();
    });
    return;
  }
  m_stopRead = fds[0];
  m_stopWrite = fds[1];
  m_reader = std::thread([this] { ReadLoop(); });
}

void HidrawDevice::ReadLoop() {
  std::shared_ptr<Callbacks> callbacks = m_callbacks;
  std::vector<uint8_t> buffer(kReadBuffer);
  for (;;) {
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_stopRead, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) return;  // stopped: the owner is going away, nobody to tell
    if ((fds[0].revents & (POLLIN | POLLERR | POLLHUP | POLLNVAL)) == 0) continue;
    const ssize_t n = ::read(m_fd, buffer.data() + 1, buffer.size() - 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) break;  // the device went away
    std::vector<uint8_t> report;
    if (m_numbered) {
      report.assign(buffer.begin() + 1, buffer.begin() + 1 + n);
    } else {
      buffer[0] = 0;
      report.assign(buffer.begin(), buffer.begin() + 1 + n);
    }
    // The time it was read, not handled: a report that waited behind a write is judged by it.
    const uint64_t arrivedMs = m_loop.NowMs();
    m_loop.Post([callbacks, report = std::move(report), arrivedMs]() mutable {
      if (callbacks->alive && callbacks->onReport)
        callbacks->onReport(std::move(report), arrivedMs);
    });
  }
  m_loop.Post([callbacks] {
    if (callbacks->alive && callbacks->onEnded) callbacks->onEnded();
  });
}

}  // namespace platform::posix
