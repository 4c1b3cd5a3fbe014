// What the watch driver costs beyond the pauses the protocol asks for: a
// download from the simulated watch in real time, and the same on a fake
// clock to show the driver's own work.

#include <benchmark/benchmark.h>

#include <chrono>

#include "base/Clock.h"
#include "base/testing/FakeClock.h"
#include "device/SimulatedWatch.h"
#include "device/Trekmo.h"
#include "device/WatchScenario.h"

namespace tempovia {
namespace {

using namespace std::chrono;

// The system clock, adding up the pauses asked of it.
class SummingClock final : public Clock {
 public:
  LocalDateTime Now() const override { return m_system.Now(); }
  void Sleep(milliseconds duration) override {
    m_askedMs += duration.count();
    m_system.Sleep(duration);
  }
  std::int64_t MonotonicMs() const override { return m_system.MonotonicMs(); }
  std::int64_t AskedMs() const { return m_askedMs; }

 private:
  SystemClock m_system;
  std::int64_t m_askedMs = 0;
};

const WatchScenario& Scenario() {
  static const WatchScenario scenario = WatchScenario::ForSeed(7, year_month_day{year{2024}, March, day{3}});
  return scenario;
}

bool Connected(CTrekmo& driver, benchmark::State& state) {
  if (driver.Connect(nullptr)) return true;
  state.SkipWithError("the simulated watch did not connect");
  return false;
}

void BM_DownloadInRealTime(benchmark::State& state) {
  SummingClock clock;
  SimulatedWatch watch(clock, Scenario().Image());
  CTrekmo driver(watch, clock);
  if (!Connected(driver, state)) return;
  const std::int64_t askedBefore = clock.AskedMs();
  const auto start = steady_clock::now();
  for (auto _ : state) {
    if (!driver.Download(false, state.range(0) != 0)) state.SkipWithError("download failed");
  }
  const double wallMs = duration<double, std::milli>(steady_clock::now() - start).count();
  const double askedMs = static_cast<double>(clock.AskedMs() - askedBefore);
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["sleeps_ms"] = askedMs / iterations;
  state.counters["wall_ms"] = wallMs / iterations;
  state.counters["over_sleeps_pct"] = (wallMs - askedMs) / askedMs * 100.0;
}
BENCHMARK(BM_DownloadInRealTime)
    ->ArgName("writeClock")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_DownloadOnFakeClock(benchmark::State& state) {
  FakeClock clock;
  SimulatedWatch watch(clock, Scenario().Image());
  CTrekmo driver(watch, clock);
  if (!Connected(driver, state)) return;
  for (auto _ : state) {
    benchmark::DoNotOptimize(driver.Download(false, false));
  }
}
BENCHMARK(BM_DownloadOnFakeClock)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tempovia

BENCHMARK_MAIN();
