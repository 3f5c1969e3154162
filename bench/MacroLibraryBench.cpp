// Library file speed and model cost: 2,000 macros of 184 actions in three levels
// (20 folders x 10 folders x 10 macros, all open), written and read through the real file
// class, in memory (the format code alone) and on disk through the test adapter;
// visible-row queries on that library; heap bytes held by the library.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "../fuzz/FuzzSupport.h"
#include "BenchLibrary.h"
#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Format.h"
#include "macros/MacroLibraryFile.h"

namespace {

std::atomic<long long> g_liveBytes{0};

}  // namespace

// Counting allocator: every allocation carries its size in front of it.
void* operator new(std::size_t size) {
  void* block = std::malloc(size + 16);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  g_liveBytes += static_cast<long long>(size);
  return static_cast<char*>(block) + 16;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  void* block = static_cast<char*>(p) - 16;
  g_liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
  std::free(block);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

using L = LibraryLocation;

void Fill(MacroLibrary& lib) {
  bench::FillLibrary(lib);
}

enum class Storage { Memory, Disk };

struct Fixture {
  platform::headless::HeadlessPlatform platform;
  MacroLibrary lib{u"config\\MacroLibraryFile.mlf"};
  explicit Fixture(Storage storage = Storage::Memory) {
    g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";
    (void)platform.files().CreateDirectory(g_strDataDir);
    (void)platform.files().CreateDirectory(g_strDataDir + u"config");
    if (storage == Storage::Memory) fuzz::InstallMemoryFiles();
    Fill(lib);
  }
};

void BM_WriteLibrary2000(benchmark::State& state) {
  Fixture f(static_cast<Storage>(state.range(0)));
  for (auto _ : state) {
    if (!SaveLibraryFile(f.lib)) state.SkipWithError("write failed");
  }
  state.counters["bytes"] =
      static_cast<double>(platform::Files().ReadAll(f.lib.FilePath())->size());
}
BENCHMARK(BM_WriteLibrary2000)->Arg(0)->Arg(1)->ArgName("disk")->Unit(benchmark::kMillisecond);

void BM_ReadLibrary2000(benchmark::State& state) {
  Fixture f(static_cast<Storage>(state.range(0)));
  (void)SaveLibraryFile(f.lib);
  MacroLibrary back{u"config\\MacroLibraryFile.mlf"};
  for (auto _ : state) {
    if (!ReadLibraryFile(back)) state.SkipWithError("read failed");
  }
  state.counters["rows"] = back.VisibleRowCount();
}
BENCHMARK(BM_ReadLibrary2000)->Arg(0)->Arg(1)->ArgName("disk")->Unit(benchmark::kMillisecond);

void BM_VisibleRowCount(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) benchmark::DoNotOptimize(f.lib.VisibleRowCount());
  state.counters["rows"] = f.lib.VisibleRowCount();
}
BENCHMARK(BM_VisibleRowCount);

void BM_RowToLocationLastRow(benchmark::State& state) {
  Fixture f;
  const int last = f.lib.VisibleRowCount() - 1;
  for (auto _ : state) benchmark::DoNotOptimize(f.lib.RowToLocation(last));
}
BENCHMARK(BM_RowToLocationLastRow);

void BM_LocationToRowLastEntry(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) benchmark::DoNotOptimize(f.lib.LocationToRow(L::Level2(19, 9, 9)));
}
BENCHMARK(BM_LocationToRowLastEntry);

// Drawing the whole list: one RowToLocation per row.
void BM_AllRowsToLocations(benchmark::State& state) {
  Fixture f;
  const int rows = f.lib.VisibleRowCount();
  for (auto _ : state) {
    for (int r = 0; r < rows; ++r) benchmark::DoNotOptimize(f.lib.RowToLocation(r));
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_AllRowsToLocations)->Unit(benchmark::kMicrosecond);

void BM_Memory(benchmark::State& state) {
  long long empty = 0;
  long long full = 0;
  for (auto _ : state) {
    const long long before = g_liveBytes;
    auto* lib = new MacroLibrary();
    empty = g_liveBytes - before;
    Fill(*lib);
    full = g_liveBytes - before;
    delete lib;
  }
  state.counters["empty_heap"] =
      static_cast<double>(empty - static_cast<long long>(sizeof(MacroLibrary)));
  state.counters["empty_sizeof"] = sizeof(MacroLibrary);
  state.counters["lib2000_bytes"] = static_cast<double>(full);
  state.counters["record_sizeof"] = sizeof(MacroRecord);
}
BENCHMARK(BM_Memory)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
