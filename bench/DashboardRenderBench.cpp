// A whole click on the dashboard with the real bar chart: the state change,
// the series, the summary texts and the chart drawn into its 880 x 290
// off-screen image, on 30 years of data. Runs on the offscreen platform.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <stdexcept>

#include "LongHistory.h"
#include "base/testing/FakeClock.h"
#include "charts/widgets/BarChart.h"
#include "dashboard/ChartDashboard.h"
#include "skin/SkinLayout.h"
#include "workspace/UserFiles.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using namespace tempovia::bench;

class TextView final : public DashboardView {
 public:
  void ShowKind(ChartKind) override {}
  void SetDateCaption(const std::string& text) override { caption = text; }
  void SetSummary(const SummaryTexts& texts) override { summary = texts; }
  void SetInfo(const InfoTexts& texts) override { info = texts; }
  void SetExerciseTable(const ExerciseTableTexts& cells) override { table = cells; }
  void SetNote(const std::string& text) override { note = text; }
  std::string Note() const override { return note; }
  bool AskWarning(const std::string&) override { return false; }

  std::string caption;
  SummaryTexts summary;
  InfoTexts info;
  ExerciseTableTexts table;
  std::string note;
};

struct History {
  fs::path folder;
  History() {
    std::string pattern = (fs::temp_directory_path() / "tempovia-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    folder = pattern;
    WriteRecords(folder / "100.dat", AllDays());
    WriteRecords(folder / "100_exercise.dat", AllSessions());
  }
  ~History() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

// Arguments: the area clicked, the period shown before, the daily step goal
// (0 for none; with a goal the steps chart is shown, with its goal line).
void BM_ClickRendered(benchmark::State& state) {
  static const History history;
  FakeClock clock(LocalDateTime::From(2029, 12, 31, 12, 0, 0));
  CBarChart chart;
  chart.Create(QRect(kChartBox.x, kChartBox.y, kChartBox.width, kChartBox.height), nullptr, kChartControlId, QString());
  TextView view;
  UserFiles files;
  files.SetPaths(history.folder / "100.dat", history.folder / "100_exercise.dat");
  ChartDashboard dashboard(chart, view, files, clock);
  const int goal = static_cast<int>(state.range(2));
  if (goal > 0) dashboard.SetStepGoal(goal);
  dashboard.Start();
  dashboard.LoadUser();
  dashboard.SelectChartKind(goal > 0 ? ChartKind::Steps : ChartKind::HeartRate);
  dashboard.SelectPeriod(static_cast<ChartPeriod>(state.range(1)));
  chart.grab();  // the first paint makes the off-screen image
  const int area = static_cast<int>(state.range(0));
  for (auto _ : state) {
    dashboard.SetChartDate(LocalDateTime::From(2015, 6, 10));
    dashboard.RunArea(area, false);
    benchmark::DoNotOptimize(chart.Surface().constBits());
  }
}
BENCHMARK(BM_ClickRendered)
    ->Args({kAreaNextPeriod, 1, 0})
    ->Args({kAreaNextPeriod, 2, 0})
    ->Args({kAreaNextPeriod, 3, 0})
    ->Args({kAreaStepsRow, 2, 0})
    ->Args({kAreaMonthly, 1, 0})
    ->Args({kAreaNextPeriod, 1, 10000})
    ->Args({kAreaNextPeriod, 2, 10000})
    ->Args({kAreaStepsRow, 2, 10000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tempovia

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
