// Cost of the shooting-action manager on a library of 2,000 shooting actions (20 folders x 10
// folders x 10 entries): opening it (folders closed, controls built, first paint) and one
// wheel notch over the library list with every folder open (the list repainted alone).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "../tests/views/FakeViewServices.h"
#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Text.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"
#include "views/macros/BulletManagerDlg.h"
#include "views/macros/EditShowList.h"

namespace {

using L = LibraryLocation;

class CMainDlg : public CDlgBase {
 public:
  CMainDlg() : CDlgBase(kMainTemplate, 0) {}
  void InitUI(const platform::Rect&) override {}
  void DrawWindow(platform::Canvas&, const platform::Rect&) override {}
};

void Fill(MacroLibrary& lib) {
  using macros::editing::AddEntry;
  using macros::editing::EntryKind;
  constexpr uint8_t kShooting = macros::editing::kShootingLibrary.functionType;
  for (int i = 0; i < 20; ++i) {
    L sel = L::None();
    (void)AddEntry(lib, sel, EntryKind::Folder, base::Format(u"Folder %d", i), nullptr, kShooting);
    const L folder = sel;
    for (int j = 0; j < 10; ++j) {
      sel = folder;
      (void)AddEntry(lib, sel, EntryKind::Folder, base::Format(u"Sub %d", j), nullptr, kShooting);
      const L sub = sel;
      for (int k = 0; k < 10; ++k) {
        sel = sub;
        (void)AddEntry(lib, sel, EntryKind::Macro, base::Format(u"Shot %d-%d-%d", i, j, k), nullptr,
                       kShooting);
      }
    }
  }
}

struct Fixture {
  platform::headless::HeadlessPlatform platform;
  CMainDlg main;
  std::unique_ptr<FakeViewServices> services;
  MacroLibrary library{u"config\\BulletLibraryFile.mlf"};
  MacroLibrary scratch;
  LibraryLocation selection = L::Level0(0);

  Fixture() {
    g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
    platform.files().Mount(g_strExeDir + u"skins",
                           std::filesystem::path(VANTREL_SOURCE_DIR) / "skins");
    (void)main.Create();
    services = std::make_unique<FakeViewServices>(main);
    Fill(library);
  }
};

void BM_OpenBulletManager2000(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    CBulletManagerDlg dlg(f.main.GetSafeHwnd(), *f.services, f.library, f.selection, f.scratch);
    (void)dlg.Create();
    f.platform.desktop().RunUntilIdle();
    dlg.EndDialog(CDlgBase::kIdOk);
  }
}
BENCHMARK(BM_OpenBulletManager2000)->Unit(benchmark::kMillisecond);

void BM_BulletLibraryWheel2000(benchmark::State& state) {
  Fixture f;
  CBulletManagerDlg dlg(f.main.GetSafeHwnd(), *f.services, f.library, f.selection, f.scratch);
  (void)dlg.Create();
  for (int i = 0; i < 20; ++i) {
    (void)f.library.SetFolderOpen(L::Level0(i), true);
    for (int j = 0; j < 10; ++j) (void)f.library.SetFolderOpen(L::Level1(i, j), true);
  }
  CEditShowList& list = *dlg.LibraryList();
  list.Reload();
  f.platform.desktop().RunUntilIdle();
  const platform::Point over{list.m_rc.left + 20, list.m_rc.top + 20};
  int delta = -120;
  for (auto _ : state) {
    if (list.TopRow() == 0) delta = -120;
    if (list.TopRow() >= 2200) delta = 120;
    f.platform.desktop().Wheel(dlg.GetSafeHwnd(), over, delta);
    f.platform.desktop().RunUntilIdle();
  }
  dlg.EndDialog(CDlgBase::kIdOk);
}
BENCHMARK(BM_BulletLibraryWheel2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
