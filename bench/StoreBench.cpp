// The store on years of data: a step file with one record a day from 2000 to
// 2029 and an exercise database of 5,000 sessions, as the calendar, the charts,
// the report and a download use them.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "LongHistory.h"
#include "store/DayRecord.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "store/StoredExercise.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using namespace tempovia::bench;

// The benchmark files, made once in a temporary folder that goes at exit.
struct Files {
  fs::path folder;
  fs::path steps;      // 2000..2029, one record a day
  fs::path stepsCopy;  // the same, for runs that open and close it themselves
  fs::path stepsGap;   // the same without the week from 1 Jun 2015
  fs::path exercises;  // 5,000 sessions, two days apart
  fs::path scratch;    // copied over before each destructive run

  Files() {
    std::string pattern = (fs::temp_directory_path() / "tempovia-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    folder = pattern;
    steps = folder / "100.dat";
    stepsCopy = folder / "copy.dat";
    stepsGap = folder / "gap.dat";
    exercises = folder / "100_exercise.dat";
    scratch = folder / "scratch.dat";

    std::vector<DayRecord> all;
    std::vector<DayRecord> gap;
    const sys_days gapStart{year{2015} / 6 / 1};
    for (sys_days d = kFirstDay; d <= kLastDay; d += days{1}) {
      all.push_back(DayAt(d, 100 + static_cast<int>(all.size())));
      if (d < gapStart || d >= gapStart + days{7}) gap.push_back(DayAt(d, 100 + static_cast<int>(gap.size())));
    }
    WriteRecords(steps, all);
    WriteRecords(stepsCopy, all);
    WriteRecords(stepsGap, gap);
    WriteRecords(exercises, AllSessions());
  }
  ~Files() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

StepData& OpenSteps() {
  static StepData steps;
  if (!steps.IsOpen() && !steps.Open(TheFiles().steps)) throw std::runtime_error("cannot open the step file");
  return steps;
}

year_month_day RandomDay(std::mt19937& rng) {
  std::uniform_int_distribution<int> offset(0, static_cast<int>((kLastDay - kFirstDay).count()));
  return year_month_day{kFirstDay + days{offset(rng)}};
}

void BM_OpenAndClose30YearStepFile(benchmark::State& state) {
  StepData steps;
  for (auto _ : state) {
    if (!steps.Open(TheFiles().stepsCopy)) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(steps.GetCount());
    steps.Close();
  }
}
BENCHMARK(BM_OpenAndClose30YearStepFile)->Unit(benchmark::kMillisecond);

void BM_FindByDate(benchmark::State& state) {
  StepData& steps = OpenSteps();
  std::mt19937 rng(1);
  DayRecord out;
  for (auto _ : state) benchmark::DoNotOptimize(steps.FindByDate(RandomDay(rng), out));
}
BENCHMARK(BM_FindByDate)->Unit(benchmark::kMicrosecond);

// Six weeks of one lookup a day, as the calendar draws a page.
void CalendarPage(StepData& steps, std::mt19937& rng) {
  const sys_days first{RandomDay(rng)};
  DayRecord out;
  for (int cell = 0; cell < 42; ++cell) benchmark::DoNotOptimize(steps.FindByDate(first + days{cell}, out));
}

void BM_CalendarPage(benchmark::State& state) {
  StepData& steps = OpenSteps();
  std::mt19937 rng(2);
  for (auto _ : state) CalendarPage(steps, rng);
}
BENCHMARK(BM_CalendarPage)->Unit(benchmark::kMicrosecond);

// The same with the file opened and closed around the page, as a caller that
// keeps nothing open between actions does.
void BM_CalendarPageWithOpen(benchmark::State& state) {
  std::mt19937 rng(2);
  StepData steps;
  for (auto _ : state) {
    if (!steps.Open(TheFiles().stepsCopy)) state.SkipWithError("open failed");
    CalendarPage(steps, rng);
    steps.Close();
  }
}
BENCHMARK(BM_CalendarPageWithOpen)->Unit(benchmark::kMicrosecond);

void BM_ReadWeek(benchmark::State& state) {
  StepData& steps = OpenSteps();
  std::mt19937 rng(3);
  std::array<DayRecord, 7> week{};
  for (auto _ : state) benchmark::DoNotOptimize(steps.ReadWeek(RandomDay(rng), week));
}
BENCHMARK(BM_ReadWeek)->Unit(benchmark::kMicrosecond);

void BM_ReadMonth(benchmark::State& state) {
  StepData& steps = OpenSteps();
  std::mt19937 rng(4);
  std::array<DayRecord, 31> month{};
  for (auto _ : state) benchmark::DoNotOptimize(steps.ReadMonth(RandomDay(rng), month));
}
BENCHMARK(BM_ReadMonth)->Unit(benchmark::kMicrosecond);

void BM_ReadYearByMonth(benchmark::State& state) {
  StepData& steps = OpenSteps();
  std::mt19937 rng(5);
  std::array<DayRecord, 12> months{};
  for (auto _ : state) {
    steps.ReadYearByMonth(RandomDay(rng), months);
    benchmark::DoNotOptimize(months);
  }
}
BENCHMARK(BM_ReadYearByMonth)->Unit(benchmark::kMicrosecond);

// One lookup for every day of the 30 years, as a long report does.
void BM_ThirtyYearWalk(benchmark::State& state) {
  StepData& steps = OpenSteps();
  DayRecord out;
  for (auto _ : state) {
    int found = 0;
    for (sys_days d = kFirstDay; d <= kLastDay; d += days{1}) found += steps.FindByDate(d, out) ? 1 : 0;
    if (found != 10958) state.SkipWithError("days missing");
  }
}
BENCHMARK(BM_ThirtyYearWalk)->Unit(benchmark::kMillisecond);

// Fills the current record as a download does: id and hourly slots kept.
void FillWeekDay(DayRecord& current, sys_days date) {
  const DayRecord day = DayAt(date, 42);
  const std::int32_t id = current.id;
  current = day;
  current.id = id;
}

// Puts a fresh copy of original in place and flushes it to the disk, so that
// the timed run does not pay for writing the copy back.
void FreshCopy(const fs::path& original) {
  fs::copy_file(original, TheFiles().scratch, fs::copy_options::overwrite_existing);
  const int fd = ::open(TheFiles().scratch.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("cannot flush the copy");
  ::close(fd);
}

// A download of 7 days merged into the 30-year file and sorted, with the
// file opened and closed as the download does. from is the first day.
void MergeWeek(benchmark::State& state, const fs::path& original, sys_days from) {
  for (auto _ : state) {
    state.PauseTiming();
    FreshCopy(original);
    state.ResumeTiming();
    StepData steps;
    if (!steps.Open(TheFiles().scratch)) state.SkipWithError("open failed");
    for (int i = 0; i < 7; ++i) {
      FillWeekDay(steps.Current(), from + days{i});
      if (!steps.MergeDay()) state.SkipWithError("merge failed");
    }
    if (!steps.SortAndRenumber()) state.SkipWithError("sort failed");
    steps.Close();
  }
}

// The usual download: the last week again (replaced, ids repaired in place).
void BM_MergeDownloadAgain(benchmark::State& state) {
  MergeWeek(state, TheFiles().steps, kLastDay - days{6});
}
BENCHMARK(BM_MergeDownloadAgain)->Unit(benchmark::kMillisecond);

// A week after the last stored day: added at the end, already in order.
void BM_MergeDownloadNewWeek(benchmark::State& state) {
  MergeWeek(state, TheFiles().steps, kLastDay + days{1});
}
BENCHMARK(BM_MergeDownloadNewWeek)->Unit(benchmark::kMillisecond);

// A week that belongs in the middle: the sort moves records, so the whole
// file is rewritten through a temporary file and flushed to the disk.
void BM_MergeDownloadIntoTheMiddle(benchmark::State& state) {
  MergeWeek(state, TheFiles().stepsGap, sys_days{year{2015} / 6 / 1});
}
BENCHMARK(BM_MergeDownloadIntoTheMiddle)->Unit(benchmark::kMillisecond);

void BM_FindByDateTime(benchmark::State& state) {
  CExerciseDB db;
  if (!db.Open(TheFiles().exercises)) state.SkipWithError("open failed");
  std::mt19937 rng(6);
  std::uniform_int_distribution<int> pick(0, kSessions - 1);
  StoredExercise out;
  for (auto _ : state) {
    const StoredExercise s = SessionAt(pick(rng));
    benchmark::DoNotOptimize(db.FindByDateTime(
        LocalDateTime::From(2000 + s.year, s.month, s.day, s.startHour, s.startMinute, s.startSecond), out));
  }
}
BENCHMARK(BM_FindByDateTime)->Unit(benchmark::kMicrosecond);

// Seven sessions of a download merged into 5,000 and sorted, the file opened
// and closed around it.
void BM_MergeSessions(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    FreshCopy(TheFiles().exercises);
    state.ResumeTiming();
    CExerciseDB db;
    if (!db.Open(TheFiles().scratch)) state.SkipWithError("open failed");
    for (int i = kSessions - 7; i < kSessions; ++i) {
      const std::int32_t id = db.Current().id;
      db.Current() = SessionAt(i);
      db.Current().id = id;
      if (!db.MergeExercise()) state.SkipWithError("merge failed");
    }
    if (!db.SortAndRenumber()) state.SkipWithError("sort failed");
    db.Close();
  }
}
BENCHMARK(BM_MergeSessions)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tempovia
