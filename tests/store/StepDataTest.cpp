#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>
#include <random>
#include <vector>

#include "StoreTestSupport.h"
#include "TempDir.h"
#include "base/testing/NoticeRecorder.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using std::chrono::days;
using std::chrono::sys_days;
using test::Day;
using test::Ymd;

class StepDataTest : public ::testing::Test {
 protected:
  StepDataTest() { EXPECT_TRUE(steps.Open(path)); }

  void Merge(const DayRecord& day) {
    steps.Current() = day;
    ASSERT_TRUE(steps.MergeDay());
  }

  void WriteFile(const std::vector<DayRecord>& records, std::size_t extraBytes = 0) {
    steps.Close();
    test::WriteDays(path, records, extraBytes);
    ASSERT_TRUE(steps.Open(path));
  }

  test::TempDir dir;
  fs::path path = dir / "100.dat";
  StepData steps;
};

TEST_F(StepDataTest, MergingAddsNewDaysAndReplacesKnownOnesKeepingTheirNote) {
  DayRecord first = Day(2008, 12, 8, 9000);
  first.id = 7;
  first.hidden = 1;
  first.note = "Stadtlauf";
  Merge(first);
  EXPECT_EQ(fs::file_size(path), 648u);
  EXPECT_EQ(steps.RecordAt(0).id, 100);
  EXPECT_EQ(steps.RecordAt(0).hidden, 0);

  Merge(Day(2008, 12, 9, 100));
  DayRecord again = Day(2008, 12, 8, 12000);
  again.note = "from the watch";
  Merge(again);
  EXPECT_EQ(steps.GetCount(), 2);
  DayRecord stored;
  ASSERT_TRUE(steps.FindByDate(Ymd(2008, 12, 8), stored));
  EXPECT_EQ(stored.steps, 12000);
  EXPECT_EQ(stored.note, "Stadtlauf");
}

TEST_F(StepDataTest, YearEndInEitherOrderSortsAndRenumbersByDate) {
  for (bool newYearFirst : {false, true}) {
    WriteFile({});
    Merge(newYearFirst ? Day(2009, 1, 1) : Day(2008, 12, 31));
    Merge(newYearFirst ? Day(2008, 12, 31) : Day(2009, 1, 1));
    ASSERT_TRUE(steps.SortAndRenumber());
    steps.Close();
    ASSERT_TRUE(steps.Open(path));
    EXPECT_EQ(steps.RecordAt(0).Date(), Ymd(2008, 12, 31));
    EXPECT_EQ(steps.RecordAt(0).id, 100);
    EXPECT_EQ(steps.RecordAt(1).Date(), Ymd(2009, 1, 1));
    EXPECT_EQ(steps.RecordAt(1).id, 101);
    std::chrono::year_month_day latest;
    ASSERT_TRUE(steps.LatestDate(latest));
    EXPECT_EQ(latest, Ymd(2009, 1, 1));
  }
}

TEST_F(StepDataTest, FindByDateMissesWithAZeroRecordAndTracesTheDayBefore) {
  DayRecord before = Day(2008, 12, 31);
  before.minHeartRate = 61.7;
  before.avgHeartRate = 80;
  before.maxHeartRate = 142;
  WriteFile({Day(2008, 12, 30), before, Day(2009, 1, 3)});
  TraceCapture trace;
  DayRecord out = Day(2000, 1, 1, 5);
  EXPECT_FALSE(steps.FindByDate(Ymd(2009, 1, 1), out));
  EXPECT_EQ(out, DayRecord{});
  EXPECT_EQ(steps.Index(), 2);
  EXPECT_EQ(trace.Messages(), std::vector<std::string>{"First record 8-12-31  (61, 80, 142)\n"});
}

TEST_F(StepDataTest, ReadWeekAndMonthFillOnlyTheDaysFound) {
  WriteFile({Day(2009, 3, 8, 6), Day(2009, 3, 2, 0), Day(2009, 3, 5, 3), Day(2009, 2, 14, 14), Day(2009, 3, 1, 31)});
  std::array<DayRecord, 7> week;
  week.fill(Day(2000, 1, 1, -1));
  EXPECT_EQ(steps.ReadWeek(Ymd(2009, 3, 2), week), 3);
  for (std::size_t j = 0; j < 7; ++j) EXPECT_EQ(week[j].steps, j % 3 == 0 ? static_cast<double>(j) : -1) << j;

  std::array<DayRecord, 31> month{};
  EXPECT_EQ(steps.ReadMonth(Ymd(2009, 2, 1), month), 3);
  EXPECT_EQ(month[13].steps, 14);
  EXPECT_EQ(month[28].Date(), Ymd(2009, 3, 1));
  EXPECT_EQ(month[29].Date(), Ymd(2009, 3, 2));
  EXPECT_EQ(month[30], DayRecord{});
}

TEST_F(StepDataTest, ReadYearByMonthAveragesOnlyDaysWithValuesAndCarriesTheExerciseTime) {
  DayRecord a = Day(2009, 4, 1, 1000);
  a.avgHeartRate = 80;
  a.minHeartRate = 55;
  a.maxHeartRate = 150;
  a.avgSpeed = 4;
  a.exerciseHours = 1;
  a.exerciseMinutes = 50;
  a.exerciseSeconds = 40;
  DayRecord b = Day(2009, 4, 2, 500);
  b.maxHeartRate = 170;
  b.avgSpeed = 6;
  b.exerciseMinutes = 20;
  b.exerciseSeconds = 30;
  DayRecord badMonth = Day(2009, 4, 4, 77777);
  badMonth.month = 13;  // a foreign file
  WriteFile({a, Day(2010, 4, 3, 99999), b, badMonth});

  std::array<DayRecord, 12> year;
  steps.ReadYearByMonth(Ymd(2009, 6, 15), year);
  DayRecord april = DayRecord::Blank();
  april.steps = 1500;
  april.avgHeartRate = 80;
  april.minHeartRate = 55;
  april.maxHeartRate = 170;
  april.avgSpeed = 5;
  april.exerciseHours = 2;
  april.exerciseMinutes = 11;
  april.exerciseSeconds = 10;
  EXPECT_EQ(year[3], april);
  for (std::size_t m : {0u, 4u, 11u}) EXPECT_EQ(year[m], DayRecord::Blank()) << m;
}

// A foreign file may hold any figures: the month totals stay defined (the
// sanitizer build checks the arithmetic) and the exercise time is the sum
// of all of it, however it was split into hours, minutes and seconds.
TEST_F(StepDataTest, ReadYearByMonthSumsAnyStoredFigures) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  std::vector<DayRecord> days;
  for (unsigned d = 1; d <= 4; ++d) {
    DayRecord r = Day(2009, 5, d, 1e300);
    r.exerciseHours = kMax;
    r.exerciseMinutes = kMax;
    r.exerciseSeconds = kMax;
    r.avgHeartRate = std::numeric_limits<double>::max();
    r.avgSpeed = std::numeric_limits<double>::infinity();
    days.push_back(r);
  }
  DayRecord odd = Day(2009, 6, 1, -1e300);
  odd.exerciseMinutes = 125;  // not split as the watch splits it
  odd.exerciseSeconds = 70;
  days.push_back(odd);
  DayRecord low = Day(2009, 7, 1, std::numeric_limits<double>::quiet_NaN());
  low.exerciseHours = kMin;
  low.exerciseMinutes = kMin;
  low.exerciseSeconds = kMin;
  days.push_back(low);
  WriteFile(days);

  std::array<DayRecord, 12> year;
  steps.ReadYearByMonth(Ymd(2009, 1, 1), year);
  EXPECT_EQ(year[4].exerciseHours, kMax);  // more than any count of hours holds
  EXPECT_EQ(year[5].exerciseHours, 2);
  EXPECT_EQ(year[5].exerciseMinutes, 6);
  EXPECT_EQ(year[5].exerciseSeconds, 10);
  EXPECT_LT(year[6].exerciseHours, 0);
  EXPECT_GT(year[6].exerciseMinutes, -60);
  EXPECT_GT(year[6].exerciseSeconds, -60);
}

TEST_F(StepDataTest, SortIsStableForEveryKey) {
  struct Case {
    int key;
    std::vector<double> values;  // steps, avgHeartRate or avgSpeed per record
    std::vector<int> order;      // expected original positions
  };
  const Case cases[] = {
      {StepData::kBySteps, {100.2, 300, 100.9, 200}, {1, 3, 0, 2}},
      {StepData::kByAvgHeartRate, {70, 70.5, 90, 70.9}, {2, 0, 1, 3}},
      {StepData::kByAvgSpeed, {4.0001, 4.0009, 5, 3.9999}, {2, 0, 1, 3}},
      {StepData::kByDate, {0, 0, 0, 0}, {3, 2, 1, 0}},
  };
  for (const Case& c : cases) {
    std::vector<DayRecord> records;
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      DayRecord r = Day(2009, 1, static_cast<unsigned>(28 - i));
      r.id = static_cast<std::int32_t>(i);
      (c.key == StepData::kByAvgHeartRate ? r.avgHeartRate
       : c.key == StepData::kByAvgSpeed   ? r.avgSpeed
                                          : r.steps) = c.values[i];
      records.push_back(r);
    }
    StepData::Sort(records, c.key);
    std::vector<int> got;
    for (const DayRecord& r : records) got.push_back(r.id);
    EXPECT_EQ(got, c.order) << "key " << c.key;
  }
}

TEST_F(StepDataTest, AShortTrailingPartIsIgnoredAndReplacedByTheNextNewDay) {
  DayRecord last = Day(2009, 1, 2);
  last.id = 140;
  WriteFile({Day(2009, 1, 1), last}, 100);
  EXPECT_EQ(steps.GetCount(), 2);
  Merge(Day(2009, 1, 5));
  EXPECT_EQ(fs::file_size(path), 3 * 648u);
  EXPECT_EQ(steps.RecordAt(2).id, 141);
}

// Asking whether a closed file is empty is a plain question: an answer, no
// notice. A write without a file fails, giving the reason for its caller.
TEST_F(StepDataTest, WithoutAFileItSaysSoAndWritesNothing) {
  StepData closed;
  CExerciseDB closedSessions;
  NoticeRecorder notices;
  EXPECT_TRUE(closed.IsEmpty());
  EXPECT_TRUE(closedSessions.IsEmpty());
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_FALSE(closed.MergeDay());
  EXPECT_EQ(closed.LastError(), "Step File not open!");
  EXPECT_FALSE(closedSessions.MergeExercise());
  EXPECT_EQ(closedSessions.LastError(), "Exercise File not open!");
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_FALSE(closed.Open(dir / "no" / "such" / "folder.dat"));
  EXPECT_EQ(notices.Texts(),
            std::vector<std::string>{"Failed to open Step Data\n\n" + (dir / "no" / "such" / "folder.dat").string() +
                                     ": No such file or directory"});
}

// Lookups are served from an index; they must answer exactly as a scan of the
// file in order does, duplicate dates and all, and leave the cursor where the
// scan would.
TEST_F(StepDataTest, LookupsAgreeWithAScanOfTheFile) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> dayOf(0, 120);
  const sys_days origin{Ymd(2009, 1, 1)};
  std::vector<DayRecord> records;
  for (int i = 0; i < 150; ++i) {  // random order, many days twice
    const std::chrono::year_month_day date{origin + days{dayOf(rng)}};
    records.push_back(
        Day(static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), i));
  }
  WriteFile(records);

  for (int offset = -3; offset < 125; ++offset) {
    const std::chrono::year_month_day date{origin + days{offset}};
    int at = -1;
    for (std::size_t i = 0; i < records.size() && at < 0; ++i)
      if (records[i].Date() == date) at = static_cast<int>(i);
    DayRecord found;
    EXPECT_EQ(steps.FindByDate(date, found), at >= 0);
    EXPECT_EQ(steps.Index(), at >= 0 ? at : steps.GetCount() - 1);
    EXPECT_EQ(steps.Current(), records[static_cast<std::size_t>(steps.Index())]);

    // Scanning, each record fills its slot and counts, until seven counted.
    std::array<DayRecord, 7> want{}, got{};
    int wantCount = 0;
    int wantIndex = steps.GetCount() - 1;
    for (std::size_t i = 0; i < records.size() && wantCount < 7; ++i) {
      const auto slot = (sys_days{records[i].Date()} - sys_days{date}).count();
      if (slot < 0 || slot >= 7) continue;
      want[static_cast<std::size_t>(slot)] = records[i];
      if (++wantCount == 7) wantIndex = static_cast<int>(i);
    }
    EXPECT_EQ(steps.ReadWeek(date, got), wantCount) << offset;
    EXPECT_EQ(got, want) << offset;
    EXPECT_EQ(steps.Index(), wantIndex) << offset;
  }

  Merge(Day(2008, 12, 31, 6));
  ASSERT_TRUE(steps.SortAndRenumber());
  for (int i = 0; i < steps.GetCount(); ++i) {
    const DayRecord r = steps.RecordAt(i);
    EXPECT_EQ(r.id, 100 + i);
    DayRecord found;
    ASSERT_TRUE(steps.FindByDate(r.Date(), found));
    EXPECT_TRUE(steps.Index() == i || steps.RecordAt(i - 1).Date() == r.Date());
  }
}

}  // namespace
}  // namespace tempovia
