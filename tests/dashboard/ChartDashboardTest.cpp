#include "dashboard/ChartDashboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>

#include "DashboardTestSupport.h"
#include "TempDir.h"
#include "base/Printf.h"
#include "base/testing/FakeClock.h"
#include "base/testing/NoticeRecorder.h"
#include "skin/SkinLayout.h"
#include "workspace/UserFiles.h"

namespace tempovia {
namespace {

using test::DayOf;
using test::FillExerciseFile;
using test::FillStepFile;
using test::ReadStepFile;
using ::testing::ElementsAre;

class ChartDashboardTest : public ::testing::Test {
 protected:
  ChartDashboardTest() : clock(LocalDateTime::From(2008, 3, 20, 9, 30, 0)), dashboard(chart, view, files, clock) {
    files.SetPaths(dir / "100.dat", dir / "100_exercise.dat");
  }

  void Show(ChartKind kind, ChartPeriod period, LocalDateTime date) {
    dashboard.SelectChartKind(kind);
    dashboard.SetChartDate(date);
    dashboard.SelectPeriod(period);
  }

  const std::vector<Bar>& Bars() const { return chart.drawn.bars; }

  std::vector<std::string> TipLabels() const {
    std::vector<std::string> labels;
    for (const Bar& bar : Bars()) labels.push_back(bar.tipLabel);
    return labels;
  }

  test::TempDir dir;
  FakeClock clock;
  test::RecordingChart chart;
  test::RecordingView view;
  UserFiles files;
  ChartDashboard dashboard;
};

TEST_F(ChartDashboardTest, AMonthHasOneBarPerDayOfTheMonth) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 2, 29, 2900), DayOf(2008, 4, 30, 3000), DayOf(2008, 5, 1, 501)});
  Show(ChartKind::Steps, ChartPeriod::Month, LocalDateTime::From(2008, 2, 17, 13, 5, 0));
  ASSERT_EQ(Bars().size(), 29u);
  EXPECT_EQ(Bars()[28].values[0], 2900);
  EXPECT_EQ(Bars()[28].tipLabel, "29-Feb-2008");
  // The month build anchors the chart date on the first at midnight.
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 2, 1));

  dashboard.SetChartDate(LocalDateTime::From(2008, 4, 1));
  dashboard.SelectPeriod(ChartPeriod::Month);
  ASSERT_EQ(Bars().size(), 30u);  // the read's 31st slot holds 1 May: no bar for it
  EXPECT_EQ(Bars()[29].values[0], 3000);
  EXPECT_EQ(Bars()[29].tipLabel, "30-Apr-2008");
  EXPECT_EQ(chart.drawn.title, "TOTAL STEPS     (Month : Apr-2008)");
  EXPECT_EQ(chart.drawn.style.barWidth, 22);
  EXPECT_EQ(chart.drawn.style.barGap, 3);
}

TEST_F(ChartDashboardTest, AStepGoalIsDrawnOnTheWeekAndMonthStepChartsOnly) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 4000), DayOf(2008, 3, 6, 9000)});
  Show(ChartKind::Steps, ChartPeriod::Month, LocalDateTime::From(2008, 3, 5));
  EXPECT_EQ(chart.drawn.goalLine, 0) << "no goal, no line";

  const int draws = chart.draws;
  dashboard.ShowStepGoal(8000);
  EXPECT_EQ(chart.drawn.goalLine, 8000);
  EXPECT_EQ(chart.draws, draws + 1) << "shown at once";
  EXPECT_EQ(Bars().size(), 31u);
  const struct {
    ChartKind kind;
    ChartPeriod period;
    double line;
  } cases[] = {{ChartKind::Steps, ChartPeriod::Week, 8000},
               {ChartKind::Steps, ChartPeriod::Year, 0},
               {ChartKind::Calories, ChartPeriod::Month, 0},
               {ChartKind::HeartRate, ChartPeriod::Week, 0},
               {ChartKind::Steps, ChartPeriod::Month, 8000}};
  for (const auto& c : cases) {
    Show(c.kind, c.period, LocalDateTime::From(2008, 3, 5));
    EXPECT_EQ(chart.drawn.goalLine, c.line) << ChartKindName(c.kind) << " " << static_cast<int>(c.period);
  }
  dashboard.ShowStepGoal(std::nullopt);
  EXPECT_EQ(chart.drawn.goalLine, 0);
}

TEST_F(ChartDashboardTest, AWeekRunsSevenDaysFromTheChartDateWhateverItsWeekday) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 1000), DayOf(2008, 3, 11, 7000), DayOf(2008, 3, 12, 9999)});
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5, 8, 0, 0));  // a Wednesday
  EXPECT_THAT(TipLabels(), ElementsAre("05-Mar-2008", "06-Mar-2008", "07-Mar-2008", "08-Mar-2008", "09-Mar-2008",
                                       "10-Mar-2008", "11-Mar-2008"));
  EXPECT_EQ(Bars().front().axisLabel, "Wed");
  EXPECT_EQ(Bars().back().axisLabel, "Tue");
  EXPECT_EQ(Bars()[0].values[0], 1000);
  EXPECT_EQ(Bars()[6].values[0], 7000);
  EXPECT_EQ(chart.drawn.title, "TOTAL STEPS     (Week : 05-Mar-2008)");
  EXPECT_EQ(chart.drawn.style.barWidth, 26);
  EXPECT_EQ(chart.drawn.style.barGap, 50);
  EXPECT_EQ(view.caption, "05-Mar-2008");
  EXPECT_EQ(view.summary.steps, "1000");
}

TEST_F(ChartDashboardTest, AWeekOfCaloriesIsDrawnOnceAsOneWholePicture) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 1234.6)});
  dashboard.SelectChartKind(ChartKind::Calories);
  dashboard.SetChartDate(LocalDateTime::From(2008, 3, 7));
  const int draws = chart.draws;
  dashboard.SelectPeriod(ChartPeriod::Week);
  EXPECT_EQ(chart.draws, draws + 1);

  ChartPicture expected;
  expected.title = "TOTAL CALORIES     (Week : 07-Mar-2008)";
  expected.unitLabel = "kCal";
  expected.background = kChartBackground;
  expected.gridLines = 10;
  expected.style.barWidth = 26;
  expected.style.barGap = 50;
  expected.style.mode = static_cast<int>(ChartKind::Calories);
  expected.style.axisLabels = false;
  expected.style.valueLabels = false;
  expected.style.integerValues = false;
  const std::array<Rgb, 3> colours{kCaloriesColour, kBlack, kBlack};
  const char* weekdays[] = {"Fri", "Sat", "Sun", "Mon", "Tue", "Wed", "Thu"};
  for (int i = 0; i < 7; ++i) {
    expected.bars.push_back(Bar{Printf("%02d-Mar-2008", 7 + i), weekdays[i], {0, 0, 0}, colours});
  }
  EXPECT_EQ(chart.drawn, expected);
}

TEST_F(ChartDashboardTest, StepsAndHeartRateAreWholeNumbersTheOtherKindsAreNot) {
  for (ChartKind kind : kAllChartKinds) {
    dashboard.SelectChartKind(kind);
    const bool whole = kind == ChartKind::Steps || kind == ChartKind::HeartRate;
    EXPECT_EQ(chart.drawn.style.integerValues, whole) << ChartKindName(kind);
    EXPECT_EQ(chart.drawn.style.mode, static_cast<int>(kind));
  }
}

TEST_F(ChartDashboardTest, PeriodsStayInsideTheYears2000To2035) {
  Show(ChartKind::Steps, ChartPeriod::Month, LocalDateTime::From(2000, 1, 1));
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2000, 1, 1));
  dashboard.NextPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2000, 2, 1));

  dashboard.SetChartDate(LocalDateTime::From(2035, 12, 1));
  dashboard.NextPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2035, 12, 1));
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2035, 11, 1));
  // The chart is rebuilt even when the move is refused.
  const int before = chart.draws;
  dashboard.SetChartDate(LocalDateTime::From(2035, 12, 1));
  dashboard.NextPeriod();
  EXPECT_EQ(chart.draws, before + 1);

  dashboard.SelectPeriod(ChartPeriod::Week);
  dashboard.SetChartDate(LocalDateTime::From(2000, 1, 5, 10, 0, 0));
  dashboard.PreviousPeriod();  // 29 December 1999: refused
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2000, 1, 5, 10, 0, 0));
  dashboard.SetChartDate(LocalDateTime::From(2035, 12, 24, 10, 0, 0));
  dashboard.NextPeriod();  // 31 December 2035: allowed
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2035, 12, 31, 10, 0, 0));
  dashboard.NextPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2035, 12, 31, 10, 0, 0));
}

TEST_F(ChartDashboardTest, WeeksAndMonthsStepOnTheCalendar) {
  Show(ChartKind::Steps, ChartPeriod::Month, LocalDateTime::From(2008, 3, 1));
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 2, 1));
  dashboard.PreviousPeriod();
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2007, 12, 1));

  dashboard.SelectPeriod(ChartPeriod::Week);
  // Across the spring change of daylight saving a week is still seven days.
  dashboard.SetChartDate(LocalDateTime::From(2008, 3, 26, 0, 0, 0));
  dashboard.NextPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 4, 2, 0, 0, 0));
  dashboard.PreviousPeriod();
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 3, 19, 0, 0, 0));
}

TEST_F(ChartDashboardTest, PreviousYearLandsOnTheFirstOfJanuaryAndIsRefusedFrom2000) {
  Show(ChartKind::Steps, ChartPeriod::Year, LocalDateTime::From(2008, 7, 14, 16, 0, 0));
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 1, 1));
  EXPECT_EQ(chart.drawn.title, "TOTAL STEPS     (Year : 2008)");
  EXPECT_EQ(Bars().size(), 12u);
  EXPECT_EQ(Bars()[0].axisLabel, "JAN");
  EXPECT_EQ(Bars()[11].tipLabel, "DEC");
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2007, 1, 1));
  dashboard.SetChartDate(LocalDateTime::From(2000, 1, 1));
  dashboard.PreviousPeriod();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2000, 1, 1));
}

TEST_F(ChartDashboardTest, AYearOfHeartRatesShowsEmptyMonthsAsZeros) {
  DayRecord a = DayOf(2008, 3, 3, 100);
  a.minHeartRate = 62;
  a.avgHeartRate = 90;
  a.maxHeartRate = 150;
  DayRecord b = DayOf(2008, 3, 20, 100);
  b.minHeartRate = 0;  // not measured: not the minimum
  b.avgHeartRate = 0;  // not counted in the mean
  b.maxHeartRate = 0;
  DayRecord c = DayOf(2008, 3, 28, 100);
  c.minHeartRate = 58;
  c.avgHeartRate = 100;
  c.maxHeartRate = 171;
  FillStepFile(dir / "100.dat", {a, b, c, DayOf(2008, 5, 2, 3000)});
  Show(ChartKind::HeartRate, ChartPeriod::Year, LocalDateTime::From(2008, 6, 1));
  ASSERT_EQ(Bars().size(), 12u);
  for (int m = 0; m < 12; ++m) {
    if (m == 2) continue;
    EXPECT_EQ(Bars()[m].values[0], 0) << m;
    EXPECT_EQ(Bars()[m].values[1], 0) << m;
    EXPECT_EQ(Bars()[m].values[2], 0) << m;
  }
  EXPECT_EQ(Bars()[2].values[0], 58);
  EXPECT_EQ(Bars()[2].values[1], 95);
  EXPECT_EQ(Bars()[2].values[2], 171);
  const std::array<Rgb, 3> colours{kDistanceColour, kStepsColour, kHeartRateColour};
  EXPECT_EQ(Bars()[2].colours, colours);
  EXPECT_EQ(chart.drawn.unitLabel, "BPM");
}

TEST_F(ChartDashboardTest, DistancesFollowTheDistanceUnit) {
  DayRecord day = DayOf(2008, 3, 5, 12000);
  day.distance = 10.0;
  day.avgSpeed = 5.0;
  FillStepFile(dir / "100.dat", {day});
  dashboard.SetUnits({true, false});
  Show(ChartKind::Distance, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  EXPECT_DOUBLE_EQ(Bars()[0].values[0], 6.214);
  EXPECT_EQ(chart.drawn.unitLabel, "MILE");
  EXPECT_EQ(view.summary.distance, "6.21 miles");
  EXPECT_EQ(view.info.averageSpeed, "3.11 mile/hr  ");
  // The stored record never changes with the units.
  files.Release();
  EXPECT_EQ(ReadStepFile(dir / "100.dat").at(0).distance, 10.0);

  dashboard.SetUnits({false, false});
  dashboard.SelectChartKind(ChartKind::Distance);
  EXPECT_DOUBLE_EQ(Bars()[0].values[0], 10.0);
  EXPECT_EQ(chart.drawn.unitLabel, "KM");
  EXPECT_EQ(view.summary.distance, "10.00 km");
}

TEST_F(ChartDashboardTest, ADayWithoutARecordShowsZeros) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 1, 500)});
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  EXPECT_EQ(view.summary.steps, "0");
  EXPECT_EQ(view.summary.calories, "0.0 kCal");
  EXPECT_EQ(view.summary.distance, "0.00 km");
  EXPECT_EQ(view.summary.heartRate, "0");
  EXPECT_EQ(view.summary.exercise, "");
  EXPECT_EQ(view.info.fatBurnt, "0.0 g  ");
  EXPECT_EQ(view.info.averageSpeed, "0.00 km/hr  ");
}

TEST_F(ChartDashboardTest, TheCaptionSaysTodayOnlyForTodaysDate) {
  dashboard.Start();
  EXPECT_EQ(view.caption, "Today");
  EXPECT_EQ(view.summary.exercise, "0:00");
  EXPECT_EQ(dashboard.Period(), ChartPeriod::Month);
  dashboard.SetChartDate(LocalDateTime::From(2008, 3, 19, 9, 30, 0));
  dashboard.UpdateDateCaption();
  EXPECT_EQ(view.caption, "19-Mar-2008");
  clock.Set(LocalDateTime::From(2008, 3, 19, 23, 59, 59));
  dashboard.UpdateDateCaption();
  EXPECT_EQ(view.caption, "Today");
}

TEST_F(ChartDashboardTest, LoadingAUserStartsAtTheLatestStoredDayOrToday) {
  dashboard.SelectPeriod(ChartPeriod::Week);
  files.Release();
  FillStepFile(dir / "100.dat", {});
  ASSERT_TRUE(dashboard.LoadUser());
  EXPECT_EQ(dashboard.ChartDate(), clock.Now());
  files.Release();
  FillStepFile(dir / "100.dat", {DayOf(2007, 11, 2, 10), DayOf(2008, 1, 9, 20)});
  ASSERT_TRUE(dashboard.LoadUser());
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 1, 9));
  // A file that cannot be opened changes nothing.
  NoticeRecorder notices;
  files.SetPaths(dir / "missing-folder" / "101.dat", dir / "101_exercise.dat");
  EXPECT_FALSE(dashboard.LoadUser());
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 1, 9));
  EXPECT_EQ(notices.Texts().size(), 1u);
}

std::vector<StoredExercise> Sessions(int count) {
  std::vector<StoredExercise> sessions;
  for (int i = 0; i < count; ++i) {
    StoredExercise s;
    s.year = 8;
    s.month = 3;
    s.day = static_cast<std::uint8_t>(1 + i);
    s.startHour = 7;
    s.startMinute = 12;
    s.startSecond = 40;
    s.durationMinutes = 42;
    s.durationSeconds = 10;
    s.durationHundredths = 35;
    s.avgSpeed = 5.42;
    s.distance = 3.81;
    s.calories = 212.44;
    s.fatBurnt = 21.26;
    s.avgHeartRate = 104.9;
    s.maxHeartRate = 131;
    s.minHeartRate = 72;
    s.steps = 5120 + i;
    sessions.push_back(s);
  }
  return sessions;
}

TEST_F(ChartDashboardTest, TheExerciseKindShowsTheTableInsteadOfTheChart) {
  FillExerciseFile(dir / "100_exercise.dat", Sessions(10));
  dashboard.SelectChartKind(ChartKind::ExerciseWalking);
  EXPECT_FALSE(chart.drawn.shown);
  EXPECT_EQ(view.shownKind, ChartKind::ExerciseWalking);
  EXPECT_EQ(chart.drawn.unitLabel, "MIN");
  EXPECT_THAT(view.table[0], ElementsAre("1", "2008-03-01 07:12:40", "00:42:10.35", "5.42", "3.81", "212.4", "21.3",
                                         "104", "131", "72", "5120"));
  EXPECT_EQ(view.table[7][0], "8");

  // The period areas are not there for the table: a click on them does nothing.
  const ChartPeriod period = dashboard.Period();
  EXPECT_EQ(dashboard.AreaAt(950, 430), kAreaNone);
  EXPECT_TRUE(dashboard.RunArea(kAreaWeekly, false));
  EXPECT_EQ(dashboard.Period(), period);

  // One entry per step, at most 8 rows, not past the last entry.
  for (int i = 0; i < 5; ++i) dashboard.RunArea(kAreaTableDown, false);
  EXPECT_EQ(view.table[0][0], "3");
  EXPECT_EQ(view.table[7][0], "10");
  dashboard.RunArea(kAreaTableUp, false);
  EXPECT_EQ(view.table[0][0], "2");

  // Changing the kind does not reset the table's top.
  dashboard.SelectChartKind(ChartKind::Steps);
  EXPECT_TRUE(chart.drawn.shown);
  EXPECT_EQ(dashboard.AreaAt(960, 560), kAreaNone);  // the table arrows are not there
  dashboard.SelectChartKind(ChartKind::ExerciseWalking);
  EXPECT_EQ(view.table[0][0], "2");

  dashboard.SetUnits({true, false});
  dashboard.FillExerciseTable();
  EXPECT_EQ(view.table[0][3], "3.37");  // 5.42 km/h in mile/h
  EXPECT_EQ(view.table[0][4], "2.37");
}

TEST_F(ChartDashboardTest, ScrollingDownCountsTheEntriesFirstAndStaysPutWithoutAFile) {
  NoticeRecorder notices;
  files.SetPaths(dir / "100.dat", dir / "no-folder" / "100_exercise.dat");
  const ExerciseTableTexts before = view.table;
  dashboard.ScrollExerciseTable(false);
  EXPECT_EQ(view.table, before) << "nothing to scroll";
  ASSERT_EQ(notices.Texts().size(), 1u);
  EXPECT_NE(notices.Texts()[0].find("100_exercise.dat"), std::string::npos) << notices.Texts()[0];

  FillExerciseFile(dir / "100_exercise.dat", Sessions(9));
  files.SetPaths(dir / "100.dat", dir / "100_exercise.dat");
  dashboard.ScrollExerciseTable(false);
  EXPECT_EQ(view.table[0][0], "2");
  EXPECT_EQ(view.table[7][0], "9");
  dashboard.ScrollExerciseTable(false);
  EXPECT_EQ(view.table[0][0], "2") << "not past the last entry";
}

TEST_F(ChartDashboardTest, AHeldArrowRepeatsAfterTwentyTicksThenEveryTickUntilTheMouseMoves) {
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  ASSERT_TRUE(dashboard.RunArea(kAreaNextPeriod, true));
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 3, 12));
  for (int tick = 1; tick < ChartDashboard::kRepeatDelayTicks; ++tick) dashboard.Tick();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 3, 12));
  dashboard.Tick();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 3, 19));
  dashboard.Tick();
  dashboard.Tick();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 4, 2));
  dashboard.ClearRepeat();
  dashboard.Tick();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 4, 2));

  // A shortcut steps once and does not hold.
  dashboard.RunArea(kAreaPreviousPeriod, false);
  for (int tick = 0; tick < 40; ++tick) dashboard.Tick();
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 3, 26));
}

TEST_F(ChartDashboardTest, TheStepFileIsClosedAfterASecondWithoutUse) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 10)});
  ASSERT_TRUE(dashboard.LoadUser());
  EXPECT_TRUE(files.StepsOpen());
  for (int tick = 1; tick < UserFiles::kIdleTicks; ++tick) files.Tick();
  EXPECT_TRUE(files.StepsOpen());
  files.Tick();
  EXPECT_FALSE(files.StepsOpen());
  // Meanwhile anybody may open it.
  StepData other;
  EXPECT_TRUE(other.Open(dir / "100.dat"));
}

TEST_F(ChartDashboardTest, AnEditedNoteGoesIntoItsDaysRecordBeforeTheNextAction) {
  DayRecord day = DayOf(2008, 3, 5, 4000);
  day.note = "old";
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 4, 10), day, DayOf(2008, 3, 6, 30)});
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  EXPECT_EQ(view.note, "old");

  // Shown and not edited: never written.
  dashboard.RunArea(kAreaNextPeriod, false);
  files.Release();
  EXPECT_EQ(ReadStepFile(dir / "100.dat")[1].note, "old");

  dashboard.RunArea(kAreaPreviousPeriod, false);
  view.note = "Ran to the lake\nwith Zo\xC3\xAB";
  dashboard.NoteEdited();
  dashboard.RunArea(kAreaNextPeriod, false);
  files.Release();
  const std::vector<DayRecord> days = ReadStepFile(dir / "100.dat");
  ASSERT_EQ(days.size(), 3u);
  EXPECT_EQ(days[1].note, "Ran to the lake\r\nwith Zo\xEB");
  EXPECT_EQ(days[1].steps, 4000);
  EXPECT_EQ(days[0].note, "");
  EXPECT_EQ(days[2].note, "");
}

TEST_F(ChartDashboardTest, ANoteForADayWithoutRecordCreatesABlankRecordOfThatDay) {
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5, 14, 0, 0));
  view.note = "rest day";
  dashboard.NoteEdited();
  ASSERT_TRUE(dashboard.SaveDayNote().ok());
  files.Release();
  const std::vector<DayRecord> days = ReadStepFile(dir / "100.dat");
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].Date(), MakeDate(2008, 3, 5));
  EXPECT_EQ(days[0].note, "rest day");
  EXPECT_EQ(days[0].steps, 0);
  EXPECT_EQ(days[0].minHeartRate, DayRecord::kBlankMinHeartRate);
}

TEST_F(ChartDashboardTest, ANoteThatCannotBeSavedStaysEditedAndInTheField) {
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  NoticeRecorder notices;
  const std::filesystem::path missing = dir / "no-folder" / "100.dat";
  files.SetPaths(missing, dir / "100_exercise.dat");
  view.note = "keep me";
  dashboard.NoteEdited();
  EXPECT_FALSE(dashboard.SaveDayNote().ok());
  EXPECT_TRUE(notices.Texts().empty()) << "saving alone tells nobody";
  dashboard.RunArea(kAreaNextPeriod, false);
  // The click tells the note's failure, and that file once only.
  ASSERT_EQ(notices.Texts().size(), 1u);
  EXPECT_EQ(notices.Texts()[0].rfind("The day note could not be saved.\n\nCannot open " + missing.string(), 0), 0u)
      << notices.Texts()[0];
  EXPECT_EQ(view.note, "keep me");
  // Still edited: once the file can be written the next save stores it.
  files.SetPaths(dir / "100.dat", dir / "100_exercise.dat");
  ASSERT_TRUE(dashboard.SaveDayNote().ok());
  files.Release();
  const std::vector<DayRecord> days = ReadStepFile(dir / "100.dat");
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].Date(), MakeDate(2008, 3, 5));
  EXPECT_EQ(days[0].note, "keep me");
}

// However many reads one click makes, a file that will not open is told once
// for it, with the file and the reason; the next click tells it again.
TEST_F(ChartDashboardTest, AFileThatWillNotOpenIsToldOncePerAction) {
  NoticeRecorder notices;
  const std::filesystem::path missing = dir / "no-folder" / "100.dat";
  files.SetPaths(missing, dir / "no-folder" / "100_exercise.dat");
  dashboard.RunArea(kAreaYearly, false);
  EXPECT_THAT(notices.Texts(),
              ElementsAre("Failed to open Step Data\n\n" + missing.string() + ": No such file or directory"));
  dashboard.RunArea(kAreaNextPeriod, false);
  EXPECT_EQ(notices.Texts().size(), 2u);
  notices.Clear();
  dashboard.RunArea(kAreaExerciseRow, false);  // the table and the chart: one each
  ASSERT_EQ(notices.Texts().size(), 2u);
  EXPECT_EQ(notices.Texts()[0].rfind("Failed to open Exercise Data\n\n", 0), 0u);
}

TEST_F(ChartDashboardTest, AFileGoneMeanwhileLeavesNoOtherDaysFiguresBesideTheDate) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 1000)});
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  ASSERT_EQ(view.summary.steps, "1000");
  files.Release();
  std::filesystem::remove(dir / "100.dat");
  std::filesystem::create_directory(dir / "100.dat");  // not a file any more
  NoticeRecorder notices;
  dashboard.RunArea(kAreaNextPeriod, false);
  EXPECT_EQ(view.caption, "12-Mar-2008");
  EXPECT_EQ(view.summary.steps, "");
  EXPECT_EQ(view.info.fatBurnt, "");
  EXPECT_EQ(notices.Texts().size(), 1u);
}

TEST_F(ChartDashboardTest, LeavingWithANoteThatCannotBeSavedAsksAndYesDiscardsIt) {
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  files.SetPaths(dir / "no-folder" / "100.dat", dir / "100_exercise.dat");
  NoticeRecorder notices;
  view.note = "keep me";
  dashboard.NoteEdited();
  EXPECT_FALSE(dashboard.MayLeave());
  EXPECT_FALSE(dashboard.MayLeave());
  ASSERT_EQ(notices.Texts().size(), 1u) << "the failure is told once";
  EXPECT_EQ(
      notices.Texts()[0].rfind(
          "The day note could not be saved.\n\nCannot open " + (dir / "no-folder" / "100.dat").string() + ": ", 0),
      0u)
      << notices.Texts()[0];
  EXPECT_THAT(view.questions, ElementsAre(ChartDashboard::kDiscardNoteQuestion, ChartDashboard::kDiscardNoteQuestion));
  EXPECT_EQ(view.note, "keep me");
  view.answer = true;
  EXPECT_TRUE(dashboard.MayLeave());
  EXPECT_EQ(view.note, "");
  // Discarded, so nothing typed: nothing to ask.
  EXPECT_TRUE(dashboard.MayLeave());
  EXPECT_EQ(view.questions.size(), 3u);
}

TEST_F(ChartDashboardTest, ANoteOfAUserTiedToAnotherIsNeverWrittenAndTheReasonShownOnce) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 10)});
  Show(ChartKind::Steps, ChartPeriod::Week, LocalDateTime::From(2008, 3, 5));
  dashboard.SetNoteRefusal(Status::Error("two users share 100.dat"));
  NoticeRecorder notices;
  view.note = "mine";
  dashboard.NoteEdited();
  dashboard.RunArea(kAreaWeekly, false);
  dashboard.RunArea(kAreaWeekly, false);
  ASSERT_EQ(notices.Texts().size(), 1u);
  EXPECT_NE(notices.Texts()[0].find("two users share 100.dat"), std::string::npos);
  files.Release();
  EXPECT_EQ(ReadStepFile(dir / "100.dat")[0].note, "");
}

TEST_F(ChartDashboardTest, PickingADayShowsTheWeekFromIt) {
  DayRecord noted = DayOf(2008, 3, 6, 0);
  noted.note = "rest";
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 10), noted});
  FillExerciseFile(dir / "100_exercise.dat", Sessions(2));
  dashboard.SelectChartKind(ChartKind::Steps);
  bool shown = false;
  dashboard.PickDate([&](CalendarDays& days) {
    shown = true;
    EXPECT_TRUE(days.MarksOf(MakeDate(2008, 3, 5)).steps);
    EXPECT_TRUE(days.MarksOf(MakeDate(2008, 3, 6)).note);
    return ChartDashboard::CalendarResult{true, LocalDateTime::From(2008, 2, 27)};
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(dashboard.Period(), ChartPeriod::Week);
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 2, 27));
  EXPECT_EQ(chart.drawn.title, "TOTAL STEPS     (Week : 27-Feb-2008)");

  // Cancelled: nothing changes.
  dashboard.SelectPeriod(ChartPeriod::Month);
  dashboard.PickDate([](CalendarDays&) { return ChartDashboard::CalendarResult{}; });
  EXPECT_EQ(dashboard.Period(), ChartPeriod::Month);

  // Without both files the calendar is not shown.
  NoticeRecorder notices;
  files.SetPaths(dir / "100.dat", dir / "no-folder" / "100_exercise.dat");
  shown = false;
  dashboard.PickDate([&](CalendarDays&) {
    shown = true;
    return ChartDashboard::CalendarResult{};
  });
  EXPECT_FALSE(shown);
  EXPECT_EQ(notices.Texts().size(), 1u);
}

TEST_F(ChartDashboardTest, TheCalendarHoldsNoFileAndKeepsItsMarksPastTheIdleClose) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 5, 10)});
  FillExerciseFile(dir / "100_exercise.dat", Sessions(2));
  dashboard.SelectChartKind(ChartKind::Steps);
  dashboard.PickDate([&](CalendarDays& days) {
    // The window's timer runs on while the dialog is shown.
    for (int tick = 0; tick < UserFiles::kIdleTicks + 5; ++tick) files.Tick();
    EXPECT_FALSE(files.StepsOpen());
    EXPECT_TRUE(days.MarksOf(MakeDate(2008, 3, 5)).steps) << "marks still shown after the idle close";
    // A download ending meanwhile lets go of the files and stores into both.
    files.Release();
    StepData steps;
    CExerciseDB exercises;
    EXPECT_TRUE(steps.TryOpen(dir / "100.dat").ok());
    EXPECT_TRUE(exercises.TryOpen(dir / "100_exercise.dat").ok());
    steps.Current() = DayOf(2008, 3, 7, 70);
    EXPECT_TRUE(steps.MergeDay());
    steps.Close();
    EXPECT_TRUE(days.MarksOf(MakeDate(2008, 3, 7)).steps) << "the next paint shows what was stored";
    return ChartDashboard::CalendarResult{};
  });
}

TEST_F(ChartDashboardTest, AfterADownloadTheWeekStartsOnTheLatestDay) {
  FillStepFile(dir / "100.dat", {DayOf(2008, 3, 10, 10), DayOf(2008, 3, 16, 20)});
  Show(ChartKind::Steps, ChartPeriod::Year, LocalDateTime::From(2008, 1, 1));
  files.Release();
  dashboard.ShowLatestWeek();
  EXPECT_EQ(dashboard.Period(), ChartPeriod::Week);
  EXPECT_EQ(dashboard.ChartDate(), LocalDateTime::From(2008, 3, 16));
  EXPECT_EQ(chart.drawn.title, "TOTAL STEPS     (Week : 16-Mar-2008)");
  EXPECT_EQ(Bars().size(), 7u);
  EXPECT_EQ(Bars()[0].values[0], 20);
}

}  // namespace
}  // namespace tempovia
