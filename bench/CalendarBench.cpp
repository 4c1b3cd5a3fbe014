// One paint of the calendar control on the 30-year history: the header, 42
// cells with their colours and texts, one step-file lookup per cell, the day
// picture in every cell (every day has steps) and "Note" in every third.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "LongHistory.h"
#include "base/testing/FakeClock.h"
#include "calendar/CalendarDays.h"
#include "calendar/CalendarLook.h"
#include "calendar/widgets/CalendarCtrl.h"
#include "store/StepData.h"
#include "widgets/Fonts.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using namespace tempovia::bench;

struct History {
  fs::path folder;
  StepData steps;

  History() {
    std::string pattern = (fs::temp_directory_path() / "tempovia-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    folder = pattern;
    std::vector<DayRecord> days = AllDays();
    for (std::size_t i = 0; i < days.size(); i += 3) days[i].note = "Long walk by the river";
    WriteRecords(folder / "100.dat", days);
    if (!steps.Open(folder / "100.dat")) throw std::runtime_error("cannot open the step file");
  }
  ~History() {
    steps.Close();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

History& TheHistory() {
  static History history;
  return history;
}

// The control as the calendar dialog sets it up, at the dialog's size; with
// a daily step goal the days that met it carry its badge too.
struct Calendar {
  FakeClock clock{LocalDateTime::From(2015, 6, 17, 12, 0, 0)};
  CCalendarCtrl control{clock};
  OpenStepFileDays days;

  explicit Calendar(std::optional<int> goal = std::nullopt) : days(TheHistory().steps, goal) {
    control.Create(QRect(0, 0, 700, 480), nullptr, 1);
    control.SetHeaderHeight(40);
    control.SetHeaderFont(30);
    control.SetDayFont(20);
    control.SetMonthFont(32);
    control.SetDataPictures(Picture::CalendarDay, Picture::CalendarDayMask);
    control.SetDays(&days);
  }
};

Date RandomMonth(std::mt19937& rng) {
  std::uniform_int_distribution<int> month(0, 30 * 12 - 1);
  const int m = month(rng);
  return MakeDate(2000 + m / 12, m % 12 + 1, 1);
}

// Argument: the daily step goal, 0 for none.
void BM_CalendarPaint(benchmark::State& state) {
  Calendar calendar(state.range(0) > 0 ? std::optional<int>(static_cast<int>(state.range(0))) : std::nullopt);
  std::mt19937 rng(5);
  for (auto _ : state) {
    calendar.control.SetViewDate(RandomMonth(rng), false);
    calendar.control.PaintSurface();
    benchmark::DoNotOptimize(calendar.control.Surface().constBits());
  }
}
BENCHMARK(BM_CalendarPaint)->Arg(0)->Arg(8000)->Unit(benchmark::kMillisecond);

// What the paint shows, without drawing: the 42 lookups and texts.
void BM_CalendarLook(benchmark::State& state) {
  Calendar calendar;
  std::mt19937 rng(6);
  for (auto _ : state) {
    calendar.control.SetViewDate(RandomMonth(rng), false);
    benchmark::DoNotOptimize(LookOf(calendar.control.Model(), &calendar.days, true));
  }
}
BENCHMARK(BM_CalendarLook)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tempovia::InstallFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
