// The firmware engine's costs that are not waits: the CRC-32 over the largest application
// image, and a whole update of the carried image against the simulated mouse (virtual clock,
// so the time measured is the host-side work only).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/Crc32.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/FirmwareProgress.h"
#include "device/FirmwareUpdater.h"
#include "device/QuietDeviceHost.h"
#include "device/sim/SimMouse.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"

namespace {

void BM_Crc32_160KiB(benchmark::State& state) {
  std::vector<uint8_t> data(160 * 1024);
  uint32_t x = 0x12345678;
  for (auto& b : data) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(x >> 24);
  }
  for (auto _ : state) benchmark::DoNotOptimize(base::Crc32(data));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(data.size()));
}
BENCHMARK(BM_Crc32_160KiB)->Unit(benchmark::kMicrosecond);

using NullHost = QuietDeviceHost;

class NullProgress : public FirmwareProgress {
 public:
  void SetImageChecksumLine(const std::u16string&) override {}
  void SetDeviceChecksumLine(const std::u16string&) override {}
  void SetStatus(int, const std::u16string&) override {}
  void SetPercent(const std::u16string&) override {}
  void SetProgress(int, int) override {}
};

// Hands the device-change notices of the restart to the link, as the main window does.
class NoticeWindow : public platform::WindowHandler {
 public:
  explicit NoticeWindow(DeviceLink& link) : m_link(link) {
    platform::WindowDesc desc;
    desc.className = u"BenchNotices";
    desc.kind = platform::WindowKind::Main;
    desc.visible = false;
    window = platform::Windows().CreateWindow(desc, this);
  }
  ~NoticeWindow() override { platform::Windows().DestroyWindow(window); }
  platform::LResult OnMessage(platform::WindowId, uint32_t message, platform::WParam wParam,
                              platform::LParam, bool& handled) override {
    handled = true;
    if (message == platform::msg::kDeviceChange)
      m_link.OnDeviceChange(static_cast<uint32_t>(wParam));
    return 0;
  }
  platform::WindowId window = 0;

 private:
  DeviceLink& m_link;
};

void BM_FullUpdateOfTheCarriedImage(benchmark::State& state) {
  platform::headless::HeadlessPlatform platform;
  platform.UseInstallation(VANTREL_SOURCE_DIR);
  FirmwareImage image;
  if (image.LoadFromResources() != FirmwareImage::Check::Ok) {
    state.SkipWithError("no carried image");
    return;
  }
  uint64_t virtualMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SimMouse mouse;
    platform.SetHidBus(&mouse);
    NullHost host;
    DeviceLink link(host);
    NullProgress progress;
    mouse.SetVersionNumber(ConnectionMode::Wired, 0x0200);
    mouse.SetFirmwareBytes(0, 1);
    mouse.Flash().WriteBase(image.Base());
    mouse.Plug(ConnectionMode::Wired);
    NoticeWindow notices(link);
    link.RegisterForDeviceNotifications(notices.window);
    link.ScanDevices();
    FirmwareUpdater updater(link, progress, image);
    updater.Open();
    const uint64_t t0 = platform.desktop().NowMs();
    state.ResumeTiming();
    if (updater.Run() != FirmwareUpdater::Outcome::Updated) state.SkipWithError("update failed");
    state.PauseTiming();
    virtualMs = platform.desktop().NowMs() - t0;
    platform.SetHidBus(nullptr);
    state.ResumeTiming();
  }
  state.counters["virtual_ms"] = static_cast<double>(virtualMs);
}
BENCHMARK(BM_FullUpdateOfTheCarriedImage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
