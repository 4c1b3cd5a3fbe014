// The chart state on 30 years of data: building a period's series, a whole
// click without painting, and stepping week by week through every year the
// charts allow. "Kept open" is how the dashboard works (the step file stays
// open while it is used); "reopened" opens and closes the file for every
// build, which is what the dashboard would cost without that.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "LongHistory.h"
#include "base/testing/FakeClock.h"
#include "dashboard/ChartDashboard.h"
#include "dashboard/StepStreaks.h"
#include "workspace/UserFiles.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using namespace tempovia::bench;

class NullChart final : public ChartControl {
 public:
  void Draw(const ChartPicture& picture) override { benchmark::DoNotOptimize(picture.bars.data()); }
};

class NullView final : public DashboardView {
 public:
  void ShowKind(ChartKind) override {}
  void SetDateCaption(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
  void SetSummary(const SummaryTexts& texts) override { benchmark::DoNotOptimize(texts.steps.data()); }
  void SetInfo(const InfoTexts&) override {}
  void SetExerciseTable(const ExerciseTableTexts& cells) override { benchmark::DoNotOptimize(cells[0][0].data()); }
  void SetNote(const std::string&) override {}
  std::string Note() const override { return {}; }
  bool AskWarning(const std::string&) override { return false; }
};

struct History {
  fs::path folder;
  fs::path steps;
  fs::path exercises;

  History() {
    std::string pattern = (fs::temp_directory_path() / "tempovia-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    folder = pattern;
    steps = folder / "100.dat";
    exercises = folder / "100_exercise.dat";
    WriteRecords(steps, AllDays());
    WriteRecords(exercises, AllSessions());
  }
  ~History() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

const History& TheHistory() {
  static const History history;
  return history;
}

struct Bench {
  FakeClock clock{LocalDateTime::From(2029, 12, 31, 12, 0, 0)};
  NullChart chart;
  NullView view;
  UserFiles files;
  ChartDashboard dashboard{chart, view, files, clock};

  Bench() {
    files.SetPaths(TheHistory().steps, TheHistory().exercises);
    dashboard.Start();
    dashboard.LoadUser();
  }
};

// Arguments: kind, period.
void BM_BuildSeriesKeptOpen(benchmark::State& state) {
  Bench bench;
  bench.dashboard.SelectChartKind(static_cast<ChartKind>(state.range(0)));
  bench.dashboard.SelectPeriod(static_cast<ChartPeriod>(state.range(1)));
  bench.dashboard.SetChartDate(LocalDateTime::From(2015, 6, 10));
  for (auto _ : state) bench.dashboard.BuildSeries();
}
BENCHMARK(BM_BuildSeriesKeptOpen)->ArgsProduct({{0, 1, 2, 3}, {1, 2, 3}})->Unit(benchmark::kMicrosecond);

void BM_BuildSeriesReopened(benchmark::State& state) {
  Bench bench;
  bench.dashboard.SelectPeriod(static_cast<ChartPeriod>(state.range(0)));
  bench.dashboard.SetChartDate(LocalDateTime::From(2015, 6, 10));
  for (auto _ : state) {
    bench.files.Release();
    bench.dashboard.BuildSeries();
  }
}
BENCHMARK(BM_BuildSeriesReopened)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// A click on the next arrow: state, series, summary, caption; no painting.
void BM_NextWeekClick(benchmark::State& state) {
  Bench bench;
  bench.dashboard.SelectPeriod(ChartPeriod::Week);
  for (auto _ : state) {
    bench.dashboard.SetChartDate(LocalDateTime::From(2015, 6, 10));
    bench.dashboard.RunArea(kAreaNextPeriod, false);
  }
}
BENCHMARK(BM_NextWeekClick)->Unit(benchmark::kMicrosecond);

// Week by week from January 2000 until the 2035 bound refuses (about 1,870
// steps), each doing everything a click does but paint. Argument 1 reopens
// the file for every read.
void BM_StepEveryWeekTo2035(benchmark::State& state) {
  Bench bench;
  bench.dashboard.SelectPeriod(ChartPeriod::Week);
  int steps = 0;
  for (auto _ : state) {
    bench.dashboard.SetChartDate(LocalDateTime::From(2000, 1, 1));
    steps = 0;
    LocalDateTime before;
    do {
      before = bench.dashboard.ChartDate();
      if (state.range(0) == 1) bench.files.Release();
      bench.dashboard.RunArea(kAreaNextPeriod, false);
      ++steps;
    } while (bench.dashboard.ChartDate() != before);
  }
  state.counters["steps"] = steps;
}
BENCHMARK(BM_StepEveryWeekTo2035)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FillExerciseTable(benchmark::State& state) {
  Bench bench;
  bench.dashboard.SelectChartKind(ChartKind::ExerciseWalking);
  for (auto _ : state) bench.dashboard.FillExerciseTable();
}
BENCHMARK(BM_FillExerciseTable)->Unit(benchmark::kMicrosecond);

// The STEPS row's tip with a daily goal: both streaks over the whole history.
void BM_StreaksOverTheHistory(benchmark::State& state) {
  Bench bench;
  std::string why;
  const StepData* steps = bench.files.StepsQuietly(why);
  if (steps == nullptr) throw std::runtime_error(why);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        CountStreaks(*steps, 8000, {std::chrono::year{2029}, std::chrono::month{12}, std::chrono::day{31}}));
}
BENCHMARK(BM_StreaksOverTheHistory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tempovia

BENCHMARK_MAIN();
