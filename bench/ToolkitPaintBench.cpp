// Cost of painting a skinned dialog with 150 image buttons through the headless adapter:
// a full repaint (every visible control drawn once, one copy) and a hover move (the left and
// the entered control's rectangles invalidated and repainted); and the same two for the
// toolkit gallery with the real artwork.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "GalleryDlg.h"
#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Text.h"
#include "platform/Platform.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"

namespace {

std::string SolidBmp(int width, int height, uint32_t rgb) {
  auto put = [](std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const int stride = (width * 3 + 3) & ~3;
  std::string out = "BM";
  put(out, static_cast<uint32_t>(54 + stride * height), 4);
  put(out, 0, 4);
  put(out, 54, 4);
  put(out, 40, 4);
  put(out, static_cast<uint32_t>(width), 4);
  put(out, static_cast<uint32_t>(height), 4);
  put(out, 1, 2);
  put(out, 24, 2);
  for (int i = 0; i < 6; ++i) put(out, 0, 4);
  std::string row;
  for (int x = 0; x < width; ++x) put(row, rgb, 3);
  row.resize(static_cast<size_t>(stride), '\0');
  for (int y = 0; y < height; ++y) out += row;
  return out;
}

class CBenchDlg : public CDlgBase {
 public:
  CBenchDlg() : CDlgBase(kDialogTemplate, 0) {
    m_nWidth = 1127;
    m_nHeight = 740;
  }
  void InitUI(const platform::Rect&) override {
    for (int i = 0; i < 150; ++i) {
      const int x = 10 + (i % 15) * 74, y = 10 + (i / 15) * 72;
      auto* b = AddControl(i < 120 ? 0 : 1, std::make_unique<CImageButton>(
                                                GetSafeHwnd(), 2100 + static_cast<uint32_t>(i),
                                                platform::Rect{x, y, x + 70, y + 26}, u"Button"));
      b->SetImageNormal(ui::SkinPath(u"b_nr.png"));
      b->SetImageHover(ui::SkinPath(u"b_ov.png"));
    }
  }
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override {
    DrawBackgroundAndFrame(canvas, client);
    DrawControls(canvas, client);
  }
};

struct Fixture {
  platform::headless::HeadlessPlatform platform;
  CBenchDlg dlg;
  Fixture() {
    g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
    std::filesystem::create_directories(platform.files().HostPath(g_strExeDir + u"skins"));
    (void)platform.files().WriteAll(ui::SkinPath(u"b_nr.png"), SolidBmp(70, 26, 0x303030));
    (void)platform.files().WriteAll(ui::SkinPath(u"b_ov.png"), SolidBmp(70, 26, 0x505050));
    (void)dlg.Create();
    platform.desktop().RunUntilIdle();
  }
};

void BM_FullRepaint150(benchmark::State& state) {
  Fixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg.GetSafeHwnd();
  for (auto _ : state) {
    desktop.Invalidate(w, nullptr);
    desktop.RunUntilIdle();
  }
  state.counters["ops_per_paint"] = static_cast<double>(desktop.LastPaint(w)->Ops().size());
}
BENCHMARK(BM_FullRepaint150)->Unit(benchmark::kMillisecond);

void BM_HoverMove150(benchmark::State& state) {
  Fixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg.GetSafeHwnd();
  bool first = true;
  for (auto _ : state) {
    desktop.MoveMouse(w, first ? platform::Point{20, 20} : platform::Point{94, 20});
    desktop.RunUntilIdle();
    first = !first;
  }
  // From one button to its neighbour: the old and the new hover rectangle.
  state.counters["rects_per_move"] = static_cast<double>(desktop.TakeInvalidated(w).size()) /
                                     static_cast<double>(state.iterations());
}
BENCHMARK(BM_HoverMove150)->Unit(benchmark::kMillisecond);

struct GalleryFixture {
  platform::headless::HeadlessPlatform platform;
  std::unique_ptr<CGalleryDlg> dlg;
  GalleryFixture() {
    g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
    platform.UseInstallation(VANTREL_SOURCE_DIR);
    dlg = std::make_unique<CGalleryDlg>();
    (void)dlg->Create();
    platform.desktop().RunUntilIdle();
  }
};

void BM_GalleryFullRepaint(benchmark::State& state) {
  GalleryFixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg->GetSafeHwnd();
  for (auto _ : state) {
    desktop.Invalidate(w, nullptr);
    desktop.RunUntilIdle();
  }
  state.counters["ops_per_paint"] = static_cast<double>(desktop.LastPaint(w)->Ops().size());
}
BENCHMARK(BM_GalleryFullRepaint)->Unit(benchmark::kMillisecond);

void BM_GalleryHoverMove(benchmark::State& state) {
  GalleryFixture f;
  auto& desktop = f.platform.desktop();
  const auto w = f.dlg->GetSafeHwnd();
  // Between the message box button and the check box beside it.
  const platform::Rect push = f.dlg->GetControl(CGalleryDlg::kAttentionButton)->m_rc;
  const platform::Rect check = f.dlg->GetControl(3501)->m_rc;
  const platform::Point a{push.left + 5, push.top + 5}, b{check.left + 5, check.top + 5};
  bool first = true;
  for (auto _ : state) {
    desktop.MoveMouse(w, first ? a : b);
    desktop.RunUntilIdle();
    first = !first;
  }
}
BENCHMARK(BM_GalleryHoverMove)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
