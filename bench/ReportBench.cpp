// The whole PDF report over years of data: a walking summary of 30 years (one
// lookup a day, one row a day) and an exercise report of 5,000 sessions.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "LongHistory.h"
#include "report/PrintPDF.h"
#include "store/ExerciseDB.h"
#include "store/LocalUserRecord.h"
#include "store/StepData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using namespace tempovia::bench;

struct Folder {
  fs::path path;
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "tempovia-report-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    path = pattern;
    WriteRecords(path / "100.dat", AllDays());
    WriteRecords(path / "100_exercise.dat", AllSessions());
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

void BM_ThirtyYearReport(benchmark::State& state) {
  static const Folder folder;
  LocalUserRecord user;
  user.name = "Benchmark";
  int pages = 0;
  for (auto _ : state) {
    // As the report flow does: open, add, close each file, then save.
    CPrintPDF report;
    StepData steps;
    if (!steps.Open(folder.path / "100.dat")) state.SkipWithError("cannot open the step file");
    report.AddWalkingSummary(std::chrono::year_month_day{kFirstDay}, std::chrono::year_month_day{kLastDay}, user, steps,
                             static_cast<int>(state.range(0)));
    steps.Close();
    CExerciseDB exercises;
    if (!exercises.Open(folder.path / "100_exercise.dat")) state.SkipWithError("cannot open the exercise file");
    report.AddExerciseReport(std::chrono::year_month_day{kFirstDay}, std::chrono::year_month_day{kLastDay}, user,
                             exercises, static_cast<int>(state.range(0)));
    exercises.Close();
    pages = report.PageCount();
    if (!report.Save(folder.path / "report.pdf").ok()) state.SkipWithError("cannot save the report");
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["pages"] = pages;
  state.counters["pdf_MB"] = static_cast<double>(fs::file_size(folder.path / "report.pdf")) / 1e6;
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
// Sorted by date (the usual report) and by steps (the slowest sort).
BENCHMARK(BM_ThirtyYearReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tempovia

BENCHMARK_MAIN();
