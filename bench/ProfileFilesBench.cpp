// Saving and loading the five profiles and config.ini through the real file code. The files go
// to the headless adapter's temporary folder (TMPDIR, /tmp by default), so the numbers include
// the file system: run with TMPDIR=/dev/shm to see the formatting and parsing alone.

#include <benchmark/benchmark.h>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFiles.h"

namespace {

// Five profiles with every macro place in use, the largest files the program writes.
struct Fixture {
  platform::headless::HeadlessPlatform platform;
  GlobalSettings settings;
  ProfileStore store;

  Fixture() {
    g_strDataDir = u"C:\\Users\\player\\AppData\\Roaming\\GamingMouseData20250627A\\";
    (void)platform.files().CreateDirectory(g_strDataDir.substr(0, g_strDataDir.size() - 1));
    (void)platform.files().CreateDirectory(g_strDataDir + u"config");
    settings.ResetToDefaults(g_strDataDir);
    for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
      ProfileSettings& p = store.profiles[slot];
      ResetProfileToDefaults(p, slot, settings.SensorId());
      for (ButtonSlot& b : p.buttons) {
        b.macro.MacroActionNum = MacroRecord::kMaxActions;
        for (size_t n = 0; n < b.macro.actions.size(); ++n) {
          b.macro.actions[n] = MacroAction::Delay(static_cast<uint32_t>(n * 37));
        }
      }
    }
    (void)SaveSettingsAndProfiles(settings, store);
  }
};

void BM_SaveAllProfiles(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) benchmark::DoNotOptimize(SaveAllProfiles(f.store, f.settings));
}
BENCHMARK(BM_SaveAllProfiles)->Unit(benchmark::kMicrosecond);

void BM_ReadAllProfiles(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
      benchmark::DoNotOptimize(
          ReadProfileFile(f.store, f.settings, slot, f.settings.ProfileSlotPath(slot)));
    }
  }
}
BENCHMARK(BM_ReadAllProfiles)->Unit(benchmark::kMicrosecond);

void BM_SaveAndReadAllProfiles(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SaveAllProfiles(f.store, f.settings));
    for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
      benchmark::DoNotOptimize(
          ReadProfileFile(f.store, f.settings, slot, f.settings.ProfileSlotPath(slot)));
    }
  }
}
BENCHMARK(BM_SaveAndReadAllProfiles)->Unit(benchmark::kMicrosecond);

void BM_LoadAllSettings(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) benchmark::DoNotOptimize(LoadAllSettings(f.settings, f.store));
}
BENCHMARK(BM_LoadAllSettings)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
