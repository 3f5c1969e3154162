#include "cli/ReportTap.h"

namespace {

class TappedDevice : public platform::HidDevice {
 public:
  TappedDevice(std::unique_ptr<platform::HidDevice> inner, uint16_t productId,
               const ReportTap::Observer& observer)
      : m_inner(std::move(inner)), m_productId(productId), m_observer(observer) {}

  bool SetFeature(std::span<const uint8_t> report) override { return m_inner->SetFeature(report); }
  bool GetFeature(std::span<uint8_t> report) override { return m_inner->GetFeature(report); }
  platform::HidInterfaceInfo Info() const override { return m_inner->Info(); }
  void StartReading(ReportCallback onReport, std::function<void()> onEnded) override {
    m_inner->StartReading(
        [this, onReport = std::move(onReport)](std::vector<uint8_t> report, uint64_t arrivedMs) {
          const std::vector<uint8_t> copy = report;
          onReport(std::move(report), arrivedMs);
          if (m_observer) m_observer(m_productId, copy);
        },
        std::move(onEnded));
  }

 private:
  std::unique_ptr<platform::HidDevice> m_inner;
  uint16_t m_productId;
  const ReportTap::Observer& m_observer;
};

}  // namespace

std::unique_ptr<platform::HidDevice> ReportTap::Open(int index) {
  std::unique_ptr<platform::HidDevice> device = m_inner.Open(index);
  if (!device) return nullptr;
  const uint16_t productId = device->Info().productId;
  return std::make_unique<TappedDevice>(std::move(device), productId, m_observer);
}
