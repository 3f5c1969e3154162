// Cost of the main page through the headless adapter with the program's own artwork and the
// simulated mouse on the cable: a full repaint with the DPI and lighting pages open, a hover
// move between two button fields, and a status report from the mouse reaching the screen.

#include <benchmark/benchmark.h>

#include "adapters/headless/HeadlessPlatform.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/sim/SimMouse.h"
#include "profiles/GlobalSettings.h"
#include "ui/ControlBase.h"

namespace {

struct Fixture {
  platform::headless::HeadlessPlatform platform;
  SimMouse mouse;
  std::unique_ptr<CVantrelDlg> dlg;
  explicit Fixture(int dpi = platform::kDefaultDpi) {
    ResetLanguage();
    platform.desktop().SetWindowDpi(dpi);
    platform.files().Mount(u"C:\\Program Files\\Vantrel\\", VANTREL_SOURCE_DIR);
    platform.files().SetExecutablePath(u"C:\\Program Files\\Vantrel\\Vantrel.exe");
    platform.SetHidBus(&mouse);
    mouse.Plug(ConnectionMode::Wired);
    dlg = std::make_unique<CVantrelDlg>();
    (void)dlg->Create();
    platform.desktop().RunFor(300);
  }
  ~Fixture() {
    dlg->Destroy();
    dlg.reset();
    g_hOpenDialogs.fill(0);
    platform.SetHidBus(nullptr);
  }
};

void BM_MainPageFullRepaint(benchmark::State& state) {
  Fixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg->Handle();
  for (auto _ : state) {
    desktop.Invalidate(w, nullptr);
    desktop.RunUntilIdle();
  }
  state.counters["ops_per_paint"] = static_cast<double>(desktop.LastPaint(w)->Ops().size());
}
BENCHMARK(BM_MainPageFullRepaint)->Unit(benchmark::kMillisecond);

// The same at 100, 150 and 200 %: the window has up to four times the pixels, the paint must
// cost less than three times as much.
void BM_MainPageFullRepaintAtDpi(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg->Handle();
  for (auto _ : state) {
    desktop.Invalidate(w, nullptr);
    desktop.RunUntilIdle();
  }
  state.counters["scale"] = g_fUiScale;
  g_fUiScale = 1.0f;
}
BENCHMARK(BM_MainPageFullRepaintAtDpi)->Arg(96)->Arg(144)->Arg(192)->Unit(benchmark::kMillisecond);

void BM_MainPageHoverBetweenButtonFields(benchmark::State& state) {
  Fixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg->Handle();
  const CControlBase* first = f.dlg->GetControl(2013);
  const CControlBase* second = f.dlg->GetControl(2014);
  if (!first || !second) {
    state.SkipWithError("the button fields are not on the page");
    return;
  }
  const platform::Point a{first->m_rc.left + 5, first->m_rc.top + 5};
  const platform::Point b{second->m_rc.left + 5, second->m_rc.top + 5};
  (void)desktop.TakeInvalidated(w);
  bool atFirst = true;
  for (auto _ : state) {
    desktop.MoveMouse(w, atFirst ? b : a);
    desktop.RunUntilIdle();
    atFirst = !atFirst;
  }
  state.counters["rects_per_move"] = static_cast<double>(desktop.TakeInvalidated(w).size()) /
                                     static_cast<double>(state.iterations());
}
BENCHMARK(BM_MainPageHoverBetweenButtonFields)->Unit(benchmark::kMillisecond);

// The mouse's DPI button pressed, back and forth between two levels: the report is read, the
// page refreshed and the changed controls repainted.
void BM_MainPageStatusReport(benchmark::State& state) {
  Fixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg->Handle();
  const platform::Rect client = desktop.ClientRect(w);
  (void)desktop.TakeInvalidated(w);
  double area = 0;
  double ops = 0;
  uint8_t level = 1;
  for (auto _ : state) {
    f.mouse.PressDpiButton(ConnectionMode::Wired, level);
    desktop.RunFor(20);
    level = level == 1 ? 2 : 1;
    for (const platform::Rect& rc : desktop.TakeInvalidated(w)) area += rc.Width() * rc.Height();
    if (const auto* paint = desktop.LastPaint(w)) ops += static_cast<double>(paint->Ops().size());
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["invalid_share"] = area / n / (client.Width() * client.Height());
  state.counters["ops_per_paint"] = ops / n;
}
BENCHMARK(BM_MainPageStatusReport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
