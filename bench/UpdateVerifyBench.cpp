// What the update check spends on trust: the signature over the version file, and the
// streamed SHA-256 (the system's, through the port) of a 10 MiB installer through a held copy.
// CPU time per check.

#include <benchmark/benchmark.h>

#include <string>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/Sha256.h"
#include "platform/Platform.h"
#include "platform/SignatureVectors.h"
#include "views/device/SoftwareUpdate.h"
#include "views/device/UpdateRules.h"

namespace {

constexpr size_t kInstallerBytes = 10u << 20;

std::string Installer() {
  std::string bytes(kInstallerBytes, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 2654435761u >> 24);
  return bytes;
}

void BM_VerifyVersionFileSignature(benchmark::State& state) {
  platform::headless::HeadlessPlatform platform;
  const auto message = known_answers::Message();
  for (auto _ : state) {
    const bool ok = platform::CryptoServices().VerifyP256(known_answers::kKey, message,
                                                          known_answers::kSignature);
    if (!ok) state.SkipWithError("the known answer did not verify");
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_VerifyVersionFileSignature)->Unit(benchmark::kMicrosecond);

// Copy to a held file, then hash it in pieces, as the check does.
void BM_HashHeldInstaller10MiB(benchmark::State& state) {
  platform::headless::HeadlessPlatform platform;
  auto& files = platform::Files();
  const std::u16string folder = files.AppDataFolder() + u"\\update";
  (void)files.CreateDirectory(folder);
  const std::string installer = Installer();
  (void)files.WriteAll(folder + u"\\update.exe", installer);
  const auto expected = base::Sha256::Of(installer);
  for (auto _ : state) {
    auto held = platform::ShellServices().HoldCopy(folder + u"\\update.exe", folder);
    const auto digest = held ? SoftwareUpdate::HashHeld(*held) : std::nullopt;
    if (!digest || *digest != expected) state.SkipWithError("wrong hash");
    state.PauseTiming();
    for (const auto& name : files.FileNames(folder)) {
      if (name != u"update.exe") (void)files.Remove(folder + u"\\" + name);
    }
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kInstallerBytes));
}
BENCHMARK(BM_HashHeldInstaller10MiB)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The portable hash alone, for comparison (what the check used before it asked the system).
void BM_PortableSha256Of10MiB(benchmark::State& state) {
  const std::string installer = Installer();
  for (auto _ : state) benchmark::DoNotOptimize(base::Sha256::Of(installer));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kInstallerBytes));
}
BENCHMARK(BM_PortableSha256Of10MiB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
