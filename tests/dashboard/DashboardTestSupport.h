#pragma once
// Stand-ins for the window around the dashboard: a chart that records every
// call it gets (and keeps its bars the way the real chart orders them), a
// view that keeps what was shown, and a step file filled by hand.

#include <filesystem>
#include <string>
#include <vector>

#include "charts/BarList.h"
#include "charts/ChartControl.h"
#include "dashboard/DashboardView.h"
#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia::test {

class RecordingChart final : public ChartControl {
 public:
  void AddBar(const std::array<double, 3>& values, const std::string& tipLabel, const std::string& axisLabel,
              const std::array<Rgb, 3>& colours, bool redraw) override;
  void RemoveAllBars() override;
  void SetTitle(const std::string& title) override;
  void SetUnitLabel(const std::string& text, bool redraw) override;
  void SetBkColor(Rgb colour) override;
  void ShowAxisLabels(bool on, bool redraw) override;
  void ShowValueLabels(int kind, bool on, bool redraw) override;
  void ShowPercent(bool on, bool redraw) override;
  void Set3D(bool on, bool redraw) override;
  void SetIntegerValues(bool on, bool redraw) override;
  void SetShaded(bool on, bool redraw) override;
  void SetHorizontalGrid(bool on, bool redraw) override;
  void ShowScale(bool on, bool redraw) override;
  void SetGridLines(int horizontal, int vertical, bool reset, int spacing) override;
  void EnableToolTips(bool on) override;
  void SetBarGap(int pixels) override;
  void SetBarWidth(int pixels) override;
  void SetChartMode(int mode) override;
  void SetGoalLine(double value, bool redraw) override;
  void Refresh() override;
  void SetShown(bool shown) override;

  // Every call as text, e.g. "SetBarWidth(26)", in order.
  std::vector<std::string> calls;
  // The bars since the last RemoveAllBars, ordered as the chart orders them.
  BarList bars;
  std::string title;
  std::string unitLabel;
  int barWidth = 0;
  int barGap = 0;
  int mode = -1;
  double goalLine = 0;
  bool integerValues = false;
  bool shown = true;
  int refreshes = 0;

  void ClearCalls() { calls.clear(); }
  bool Called(const std::string& call) const;
};

// Keeps what the dashboard shows; View is DashboardView or a view that
// extends it.
template <class View>
class RecordingDashboardView : public View {
 public:
  void ShowKind(ChartKind kind) override { shownKind = kind; }
  void SetDateCaption(const std::string& text) override { caption = text; }
  void SetSummary(const SummaryTexts& texts) override { summary = texts; }
  void SetInfo(const InfoTexts& texts) override { info = texts; }
  void SetExerciseTable(const ExerciseTableTexts& cells) override { table = cells; }
  void SetNote(const std::string& utf8) override { note = utf8; }
  std::string Note() const override { return note; }
  bool AskWarning(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }

  ChartKind shownKind = ChartKind::Steps;
  std::string caption;
  SummaryTexts summary;
  InfoTexts info;
  ExerciseTableTexts table{};
  std::string note;
  std::vector<std::string> questions;
  bool answer = false;  // to every question
};

using RecordingView = RecordingDashboardView<DashboardView>;

DayRecord DayOf(int year, int month, int day, double steps);
// Writes the records through the store, as downloads would have.
void FillStepFile(const std::filesystem::path& path, const std::vector<DayRecord>& days);
void FillExerciseFile(const std::filesystem::path& path, const std::vector<StoredExercise>& sessions);
std::vector<DayRecord> ReadStepFile(const std::filesystem::path& path);

}  // namespace tempovia::test
