#pragma once
// A HID bus in front of another that shows every input report to an observer right after the
// device link has applied it, on the same thread. `watch` turns what changed into its lines.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/HidBus.h"

class ReportTap : public platform::HidBus {
 public:
  using Observer = std::function<void(uint16_t productId, const std::vector<uint8_t>& report)>;

  ReportTap(platform::HidBus& inner, Observer observer)
      : m_inner(inner), m_observer(std::move(observer)) {}

  std::optional<platform::HidInterfaceInfo> At(int index) override { return m_inner.At(index); }
  std::vector<std::optional<platform::HidInterfaceInfo>> Enumerate(int limit) override {
    return m_inner.Enumerate(limit);
  }
  std::unique_ptr<platform::HidDevice> Open(int index) override;
  bool RegisterForNotifications(platform::WindowId window) override {
    return m_inner.RegisterForNotifications(window);
  }

 private:
  platform::HidBus& m_inner;
  Observer m_observer;
};
