// The macro manager on the headless adapter with the 2,000-macro library of
// MacroLibraryBench (20 folders x 10 folders x 10 macros of 184 actions): opening it (building
// the controls, closing the folders, the first paint) and one recorded key event through the
// hook's message (with and without the repaint it causes).

#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/views/FakeViewServices.h"
#include "BenchLibrary.h"
#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Format.h"
#include "macros/MacroLibrary.h"
#include "platform/Platform.h"
#include "views/macros/MacroManagerDlg.h"

namespace {

using L = LibraryLocation;

void Fill(MacroLibrary& lib) {
  bench::FillLibrary(lib);
}

// A main window for the services to own; it draws nothing.
class CMainStub : public CDlgBase {
 public:
  CMainStub() : CDlgBase(kMainTemplate, 0) {}
  void InitUI(const platform::Rect&) override {}
  void DrawWindow(platform::Canvas&, const platform::Rect&) override {}
};

struct Fixture {
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  MacroLibrary lib{u"config\\MacroLibraryFile.mlf"};
  L selection = L::Level2(19, 9, 9);  // the last macro
  CMainStub main;
  std::unique_ptr<FakeViewServices> services;
  Fixture() {
    g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";
    g_strExeDir = u"C:\\Program Files\\Vantrel\\";
    platform.files().Mount(g_strExeDir, VANTREL_SOURCE_DIR);
    (void)platform.files().CreateDirectory(g_strDataDir);
    (void)platform.files().CreateDirectory(g_strDataDir + u"config");
    Fill(lib);
    (void)main.Create();
    services = std::make_unique<FakeViewServices>(main);
  }
};

void BM_OpenManager2000(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    CMacroManagerDlg dlg(f.main.GetSafeHwnd(), *f.services, f.lib, f.selection);
    (void)dlg.Create();
    f.desktop.RunUntilIdle();  // the first paint
    state.PauseTiming();
    f.desktop.DestroyWindow(dlg.GetSafeHwnd());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenManager2000)->Unit(benchmark::kMillisecond);

// Arg 1: the paint that follows each event is counted too.
void BM_RecordKeyEvent(benchmark::State& state) {
  Fixture f;
  f.selection = L::Level0(0);
  L sel = L::None();
  (void)f.lib.AddMacro(u"Recorded", sel);  // level 0, after the folders
  f.selection = sel;
  CMacroManagerDlg dlg(f.main.GetSafeHwnd(), *f.services, f.lib, f.selection);
  (void)dlg.Create();
  f.desktop.RunUntilIdle();
  const platform::Rect rc = dlg.GetControl(CMacroManagerDlg::kRecordButton)->m_rc;
  const platform::Point record{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  f.desktop.Click(dlg.GetSafeHwnd(), record);
  auto& sys = f.platform.system();
  uint32_t n = 0;
  for (auto _ : state) {
    if (n == 90) {
      // Off and on again (the library is saved in between: not counted).
      state.PauseTiming();
      f.desktop.Click(dlg.GetSafeHwnd(), record);
      f.desktop.Click(dlg.GetSafeHwnd(), record);
      f.desktop.RunUntilIdle();
      n = 0;
      state.ResumeTiming();
    }
    (void)sys.InjectKey(static_cast<uint8_t>(0x41 + n % 26), n % 2 == 1, n * 37);
    if (state.range(0) != 0) f.desktop.RunUntilIdle();
    ++n;
  }
  state.counters["actions"] = static_cast<double>(dlg.CurrentMacro()->MacroActionNum);
  f.desktop.DestroyWindow(dlg.GetSafeHwnd());
}
BENCHMARK(BM_RecordKeyEvent)->Arg(0)->Arg(1)->ArgName("paint")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
