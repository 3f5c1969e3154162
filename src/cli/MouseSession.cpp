#include "cli/MouseSession.h"

#include "base/AppGlobals.h"
#include "cli/CtlEnvironment.h"
#include "cli/CtlText.h"
#include "cli/DataFolder.h"
#include "device/StatusReport.h"
#include "platform/Platform.h"

MouseSession::MouseSession(DataFolder& data, CtlEnvironment& environment)
    : m_environment(environment),
      m_model(data.settings, data.store, data.table),
      m_stack(*this, m_model),
      m_macros(m_stack.link, data.store, data.settings, data.macros, data.bullets) {
  // Reports are seen through a tap in front of whatever bus the platform has.
  m_bus = &platform::Hid();
  m_tap = std::make_unique<ReportTap>(*m_bus,
                                      [this](uint16_t product, const std::vector<uint8_t>& report) {
                                        OnTappedReport(product, report);
                                      });
  platform::Services services = platform::Current();
  services.hid = m_tap.get();
  platform::Install(services);

  platform::WindowDesc desc;
  desc.className = u"VantrelCtlDevice";
  desc.kind = platform::WindowKind::Main;
  desc.visible = false;
  m_window = platform::Windows().CreateWindow(desc, this);
}

MouseSession::~MouseSession() {
  if (m_window != 0) platform::Windows().DestroyWindow(m_window);
  // The link's devices go with it; the tap is taken out of the platform afterwards.
  platform::Services services = platform::Current();
  services.hid = m_bus;
  platform::Install(services);
}

void MouseSession::Connect() {
  // Nothing is known about the mouse until it answers the device-info read.
  g_bDeviceActive = false;
  m_stack.StartUp(m_window);
}

bool MouseSession::AnyPresent() const {
  for (auto kind : ctl_text::kModes) {
    if (m_stack.link.IsPresent(kind)) return true;
  }
  return false;
}

bool MouseSession::Answers() const {
  const DeviceLink& link = m_stack.link;
  if (link.HasCommandHandle(ConnectionMode::Wired) || link.HasCommandHandle(ConnectionMode::BLE)) {
    return true;
  }
  return link.HasCommandHandle(ConnectionMode::Wireless) && g_bDeviceActive;
}

bool MouseSession::StillConnected() const {
  for (int i = 0; i < DeviceLink::kScanLimit; ++i) {
    const auto info = m_bus->At(i);
    if (info && ctl_text::ModeOfProduct(info->vendorId, info->productId) &&
        info->usagePage == ConnectionMode::kCommandUsagePage) {
      return true;
    }
  }
  return false;
}

bool MouseSession::PumpUntil(uint32_t ms, const std::function<bool()>& done) {
  auto& clock = platform::Time();
  const uint64_t deadline = clock.NowMs() + ms;
  for (;;) {
    if (done && done()) return true;
    if (m_environment.Interrupted()) return false;
    const uint64_t now = clock.NowMs();
    if (now >= deadline) return false;
    // Short steps, so that an interrupt is seen soon; the loop wakes at once for a report.
    clock.PumpDelay(static_cast<uint32_t>(std::min<uint64_t>(deadline - now, 50)));
  }
}

void MouseSession::SetTimer(uintptr_t id, uint32_t ms) {
  platform::Windows().SetTimer(m_window, id, ms);
}

void MouseSession::KillTimer(uintptr_t id) {
  platform::Windows().KillTimer(m_window, id);
}

platform::LResult MouseSession::OnMessage(platform::WindowId, uint32_t message,
                                          platform::WParam wParam, platform::LParam,
                                          bool& handled) {
  handled = true;
  if (message == platform::msg::kTimer) {
    (void)m_stack.OnTimer(wParam);
  } else if (message == platform::msg::kDeviceChange) {
    m_stack.link.OnDeviceChange(static_cast<uint32_t>(wParam));
    if (onDeviceChange) onDeviceChange(static_cast<uint32_t>(wParam));
  }
  return 0;
}

void MouseSession::OnTappedReport(uint16_t productId, const std::vector<uint8_t>& report) {
  const auto mode = ctl_text::ModeOfProduct(ConnectionMode::kVendorId, productId);
  if (!mode || !StatusReport::Parse(report)) return;
  ++m_statusReports;
  if (onReport) onReport(*mode, report);
}
