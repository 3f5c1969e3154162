// Framing plus checksum of one report-6 packet, and the read of a status report.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "device/CommandReport.h"
#include "device/StatusReport.h"

namespace {

void BM_FrameSinglePacket(benchmark::State& state) {
  const std::array<uint8_t, 1> payload{0x12};
  uint8_t sequence = 1;
  for (auto _ : state) {
    CommandReport r = CommandReport::Build(0x04, sequence++, 0x01, payload);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FrameSinglePacket);

void BM_FrameFullPayload(benchmark::State& state) {
  std::array<uint8_t, 27> payload{};
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 13);
  uint8_t sequence = 1;
  for (auto _ : state) {
    CommandReport r = CommandReport::Build(0x01, sequence++, 0x01, payload);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FrameFullPayload);

void BM_RetryResequence(benchmark::State& state) {
  std::array<uint8_t, 27> payload{};
  CommandReport r = CommandReport::Build(0x10, 0, 0x13, payload);
  uint8_t sequence = 1;
  for (auto _ : state) {
    r.Resequence(sequence++);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_RetryResequence);

void BM_ParseStatusReport(benchmark::State& state) {
  std::array<uint8_t, 32> report{0x04, 1, 3, 0x12, 57, 2, 6, 0, 8, 0x50, 1};
  for (auto _ : state) {
    auto r = StatusReport::Parse(report);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ParseStatusReport);

}  // namespace

BENCHMARK_MAIN();
