#include "DashboardTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/Printf.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"

namespace tempovia::test {

namespace {

std::string OnOff(bool on) {
  return on ? "on" : "off";
}

}  // namespace

void RecordingChart::AddBar(const std::array<double, 3>& values, const std::string& tipLabel,
                            const std::string& axisLabel, const std::array<Rgb, 3>& colours, bool redraw) {
  calls.push_back(Printf("AddBar(%g,%g,%g,%s,%s,%s)", values[0], values[1], values[2], tipLabel.c_str(),
                         axisLabel.c_str(), redraw ? "redraw" : "-"));
  bars.AddBar(values, tipLabel, axisLabel, colours);
}
void RecordingChart::RemoveAllBars() {
  calls.push_back("RemoveAllBars");
  bars.RemoveAll();
}
void RecordingChart::SetTitle(const std::string& text) {
  calls.push_back("SetTitle(" + text + ")");
  title = text;
}
void RecordingChart::SetUnitLabel(const std::string& text, bool) {
  calls.push_back("SetUnitLabel(" + text + ")");
  unitLabel = text;
}
void RecordingChart::SetBkColor(Rgb colour) {
  calls.push_back(Printf("SetBkColor(%d,%d,%d)", colour.r, colour.g, colour.b));
}
void RecordingChart::ShowAxisLabels(bool on, bool) {
  calls.push_back("ShowAxisLabels(" + OnOff(on) + ")");
}
void RecordingChart::ShowValueLabels(int kind, bool on, bool) {
  calls.push_back(Printf("ShowValueLabels(%d,%s)", kind, OnOff(on).c_str()));
}
void RecordingChart::ShowPercent(bool on, bool) {
  calls.push_back("ShowPercent(" + OnOff(on) + ")");
}
void RecordingChart::Set3D(bool on, bool) {
  calls.push_back("Set3D(" + OnOff(on) + ")");
}
void RecordingChart::SetIntegerValues(bool on, bool) {
  calls.push_back("SetIntegerValues(" + OnOff(on) + ")");
  integerValues = on;
}
void RecordingChart::SetShaded(bool on, bool) {
  calls.push_back("SetShaded(" + OnOff(on) + ")");
}
void RecordingChart::SetHorizontalGrid(bool on, bool) {
  calls.push_back("SetHorizontalGrid(" + OnOff(on) + ")");
}
void RecordingChart::ShowScale(bool on, bool) {
  calls.push_back("ShowScale(" + OnOff(on) + ")");
}
void RecordingChart::SetGridLines(int horizontal, int, bool, int) {
  calls.push_back(Printf("SetGridLines(%d)", horizontal));
}
void RecordingChart::EnableToolTips(bool on) {
  calls.push_back("EnableToolTips(" + OnOff(on) + ")");
}
void RecordingChart::SetBarGap(int pixels) {
  calls.push_back(Printf("SetBarGap(%d)", pixels));
  barGap = pixels;
}
void RecordingChart::SetBarWidth(int pixels) {
  calls.push_back(Printf("SetBarWidth(%d)", pixels));
  barWidth = pixels;
}
void RecordingChart::SetChartMode(int value) {
  calls.push_back(Printf("SetChartMode(%d)", value));
  mode = value;
  bars.Style().mode = value;
}
void RecordingChart::SetGoalLine(double value, bool redraw) {
  calls.push_back(Printf("SetGoalLine(%g, %s)", value, redraw ? "true" : "false"));
  goalLine = value;
  bars.SetScaleFloor(value);
}
void RecordingChart::Refresh() {
  calls.push_back("Refresh");
  ++refreshes;
}
void RecordingChart::SetShown(bool on) {
  calls.push_back("SetShown(" + OnOff(on) + ")");
  shown = on;
}

bool RecordingChart::Called(const std::string& call) const {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

DayRecord DayOf(int year, int month, int day, double steps) {
  DayRecord record = DayRecord::Blank();
  record.year = static_cast<std::uint8_t>(year - 2000);
  record.month = static_cast<std::uint8_t>(month);
  record.day = static_cast<std::uint8_t>(day);
  record.steps = steps;
  return record;
}

void FillStepFile(const std::filesystem::path& path, const std::vector<DayRecord>& days) {
  StepData file;
  ASSERT_TRUE(file.Open(path));
  for (const DayRecord& day : days) {
    file.Current() = day;
    ASSERT_TRUE(file.MergeDay());
  }
  ASSERT_TRUE(file.SortAndRenumber());
  file.Close();
}

void FillExerciseFile(const std::filesystem::path& path, const std::vector<StoredExercise>& sessions) {
  CExerciseDB file;
  ASSERT_TRUE(file.Open(path));
  for (const StoredExercise& session : sessions) {
    file.Current() = session;
    ASSERT_TRUE(file.MergeExercise());
  }
  ASSERT_TRUE(file.SortAndRenumber());
  file.Close();
}

std::vector<DayRecord> ReadStepFile(const std::filesystem::path& path) {
  StepData file;
  std::vector<DayRecord> days;
  EXPECT_TRUE(file.Open(path));
  for (int i = 0; i < file.GetCount(); ++i) days.push_back(file.RecordAt(i));
  file.Close();
  return days;
}

}  // namespace tempovia::test
