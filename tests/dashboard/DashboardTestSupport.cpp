#include "DashboardTestSupport.h"

#include <gtest/gtest.h>

#include "store/ExerciseDB.h"
#include "store/StepData.h"

namespace tempovia {

void PrintTo(const ChartPicture& p, std::ostream* out) {
  const BarStyle& s = p.style;
  *out << "{shown " << p.shown << ", title \"" << p.title << "\", unit \"" << p.unitLabel << "\", background "
       << int{p.background.r} << "," << int{p.background.g} << "," << int{p.background.b} << ", grid " << p.gridLines
       << (p.horizontalGrid ? " horizontal" : "") << (p.scale ? ", scale" : "") << (p.toolTips ? ", tips" : "")
       << ", goal " << p.goalLine << ", bars " << s.barWidth << "+" << s.barGap << " mode " << s.mode << " axis "
       << s.axisLabels << " values " << s.valueLabels << "/" << s.valueLabelKind << " percent " << s.percentLine
       << " integer " << s.integerValues << " 3D " << s.threeD << " shaded " << s.shaded << ":";
  for (const Bar& bar : p.bars) {
    *out << " [" << bar.tipLabel << " " << bar.axisLabel << " " << bar.values[0] << "," << bar.values[1] << ","
         << bar.values[2] << "]";
  }
  *out << "}";
}

}  // namespace tempovia

namespace tempovia::test {

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
