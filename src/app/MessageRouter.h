#pragma once
// The main window's routing table: which page part handles which message number and which
// timer. Parts register when they are built; the main window asks the table first and keeps
// only the window-level messages for itself.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "views/main/PagePart.h"

class MessageRouter : public PartRegistry {
 public:
  explicit MessageRouter(ViewServices* services) : m_services(services) {}

  bool RouteMessages(uint32_t first, uint32_t last, PagePart& part) override;
  bool RouteTimer(uintptr_t id, PagePart& part) override;
  ViewServices& Services() override { return *m_services; }
  void ProvideDeviceWindows(DeviceWindows& windows) override { m_deviceWindows = &windows; }
  DeviceWindows* Windows() const { return m_deviceWindows; }

  // The part that handles `message`, or nullptr.
  PagePart* PartForMessage(uint32_t message) const;
  PagePart* PartForTimer(uintptr_t id) const;
  // Every claim refused so far ("messages 1028..1045", "timer 3"). Two parts claiming one id
  // is a programming error: the main window does not start with any.
  const std::vector<std::string>& Refused() const { return m_refused; }

 private:
  struct Range {
    uint32_t first;
    uint32_t last;
    PagePart* part;
  };
  ViewServices* m_services;
  std::vector<Range> m_ranges;  // kept sorted by first, never overlapping
  std::map<uintptr_t, PagePart*> m_timers;
  DeviceWindows* m_deviceWindows = nullptr;
  std::vector<std::string> m_refused;
};
