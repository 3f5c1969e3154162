#pragma once
// One opened hidraw node. Feature reports go through HIDIOCSFEATURE / HIDIOCGFEATURE on the
// calling thread. Input reports are read on a thread of the device's own and each copy is
// handed to the main loop, where the callbacks run: reports are applied on one thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "platform/HidBus.h"

namespace platform::posix {

class PosixLoop;

class HidrawDevice : public HidDevice {
 public:
  // Takes `fd` over. Without numbered reports the node hands input reports over without an
  // id byte; a 0 is put in front, as Windows does, so byte 0 is always the report id.
  // `info` is what the bus listed for this node, checked against the opened node's ids.
  HidrawDevice(int fd, PosixLoop& loop, bool numberedReports, HidInterfaceInfo info);
  // Stops the reader (a callback that is still queued is dropped) and closes the node.
  ~HidrawDevice() override;
  HidrawDevice(const HidrawDevice&) = delete;
  HidrawDevice& operator=(const HidrawDevice&) = delete;

  bool SetFeature(std::span<const uint8_t> report) override;
  bool GetFeature(std::span<uint8_t> report) override;
  HidInterfaceInfo Info() const override { return m_info; }
  void StartReading(ReportCallback onReport, std::function<void()> onEnded) override;

  // errno of the last failed transfer, 0 when none failed.
  int LastError() const { return m_lastError; }

 private:
  // What the loop's callbacks reach; only the loop's thread touches it.
  struct Callbacks {
    bool alive = true;
    ReportCallback onReport;
    std::function<void()> onEnded;
  };

  void ReadLoop();
  void StopReader();
  // ioctl, again after a signal; false (errno kept) when it failed.
  bool Transfer(unsigned long request, uint8_t* data);

  int m_fd;
  PosixLoop& m_loop;
  HidInterfaceInfo m_info;
  bool m_numbered;
  int m_stopRead = -1;
  int m_stopWrite = -1;
  std::thread m_reader;
  std::shared_ptr<Callbacks> m_callbacks;
  int m_lastError = 0;
};

}  // namespace platform::posix
