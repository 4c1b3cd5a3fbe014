#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/testing/FakeClock.h"
#include "report/ReportOptions.h"

namespace tempovia {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

year_month_day Ymd(int y, unsigned m, unsigned d) {
  return year_month_day{year{y}, month{m}, day{d}};
}

// Entries of a date in the lists: month - 1, day - 1, year - 2000.
DateEntries Entries(int y, int m, int d) {
  return DateEntries{m - 1, d - 1, y - 2000};
}

TEST(ReportOptionsTest, OpeningSelectsTodaySortsByDateAndNamesTheFileAfterToday) {
  FakeClock clock(LocalDateTime::From(2008, 3, 5, 14, 30, 12));
  ReportOptions options;
  options.sortStep = true;
  options.sortHeartRate = true;
  options.sortSpeed = true;  // the speed box is left as it was
  OpenReportOptions(options, clock, "/home/anna/Desktop");
  EXPECT_EQ(options.fileName, "Exercise Report 2008-Mar-05.pdf");
  EXPECT_EQ(options.folder, "/home/anna/Desktop");
  EXPECT_EQ(options.from, Entries(2008, 3, 5));
  EXPECT_EQ(options.to, Entries(2008, 3, 5));
  EXPECT_TRUE(options.sortDate);
  EXPECT_FALSE(options.sortStep);
  EXPECT_FALSE(options.sortHeartRate);
  EXPECT_TRUE(options.sortSpeed);
  EXPECT_FALSE(options.chart);
  EXPECT_FALSE(options.detail);
  EXPECT_EQ(SortKey(options), 0);
}

TEST(ReportOptionsTest, AHandedInFolderWinsOverTheDesktopAndNoDesktopLeavesItEmpty) {
  FakeClock clock(LocalDateTime::From(2008, 3, 5));
  ReportOptions kept;
  kept.folder = "/srv/reports";
  OpenReportOptions(kept, clock, "/home/anna/Desktop");
  EXPECT_EQ(kept.folder, "/srv/reports");

  ReportOptions none;
  OpenReportOptions(none, clock, "");
  EXPECT_EQ(none.folder, "");
  EXPECT_FALSE(EnabledControls(none).create);
}

TEST(ReportOptionsTest, DefaultFileNameUsesEnglishMonthAbbreviationsAndTwoDigitDays) {
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (unsigned m = 1; m <= 12; ++m)
    EXPECT_EQ(DefaultReportFileName(Ymd(2009, m, 7)), std::string("Exercise Report 2009-") + months[m - 1] + "-07.pdf");
  EXPECT_EQ(DefaultReportFileName(Ymd(2035, 12, 31)), "Exercise Report 2035-Dec-31.pdf");
}

TEST(ReportOptionsTest, ListsOfferTwelveMonthsThirtySixYearsAndTheMonthsDays) {
  const std::vector<std::string> months = MonthEntries();
  ASSERT_EQ(months.size(), 12u);
  EXPECT_EQ(months.front(), "1");
  EXPECT_EQ(months.back(), "12");
  const std::vector<std::string> years = YearEntries();
  ASSERT_EQ(years.size(), 36u);
  EXPECT_EQ(years.front(), "2000");
  EXPECT_EQ(years.back(), "2035");
  const std::vector<std::string> days = DayEntries(29);
  ASSERT_EQ(days.size(), 29u);
  EXPECT_EQ(days.front(), "1");
  EXPECT_EQ(days.back(), "29");
}

TEST(ReportOptionsTest, DayCountFollowsTheMonthAndLeapYears) {
  const struct {
    int year, month, days;
  } cases[] = {{2008, 2, 29}, {2009, 2, 28}, {2000, 2, 29},  {2035, 2, 28}, {2032, 2, 29},
               {2008, 4, 30}, {2008, 1, 31}, {2008, 12, 31}, {2010, 9, 30}};
  for (const auto& c : cases) EXPECT_EQ(DayCount(Entries(c.year, c.month, 1)), c.days) << c.year << "-" << c.month;
  EXPECT_EQ(DayCount(DateEntries{-1, 0, 8}), 31);
}

TEST(ReportOptionsTest, ChangingMonthKeepsTheDayLoweredToTheMonthsLastDay) {
  ReportOptions options;
  options.from = Entries(2008, 1, 31);
  options.to = Entries(2008, 1, 31);
  options.from.month = 1;  // February 2008 chosen in the From lists
  KeepDaysInMonth(options);
  EXPECT_EQ(options.from, Entries(2008, 2, 29));
  EXPECT_EQ(options.to, Entries(2008, 1, 31));

  options.from.year = 9;  // then 2009
  KeepDaysInMonth(options);
  EXPECT_EQ(options.from, Entries(2009, 2, 28));

  options.from.month = 2;  // March: the lowered day stays lowered
  KeepDaysInMonth(options);
  EXPECT_EQ(options.from, Entries(2009, 3, 28));

  options.to.day = -1;  // no selection: the first day
  KeepDaysInMonth(options);
  EXPECT_EQ(options.to, Entries(2008, 1, 1));
}

TEST(ReportOptionsTest, SortBoxesActAsOneChoice) {
  ReportOptions options;
  const struct {
    SortBox clicked;
    bool date, heartRate, step, speed;
    int key;
  } clicks[] = {{SortBox::Step, false, false, true, false, 1},
                {SortBox::Speed, false, false, false, true, 3},
                {SortBox::HeartRate, false, true, false, false, 2},
                {SortBox::Date, true, false, false, false, 0},
                {SortBox::Date, true, false, false, false, 0}};
  for (const auto& c : clicks) {
    ClickSortBox(options, c.clicked);
    EXPECT_EQ(options.sortDate, c.date);
    EXPECT_EQ(options.sortHeartRate, c.heartRate);
    EXPECT_EQ(options.sortStep, c.step);
    EXPECT_EQ(options.sortSpeed, c.speed);
    EXPECT_EQ(SortKey(options), c.key);
  }
}

TEST(ReportOptionsTest, SortKeyPrefersDateThenStepThenHeartRateThenSpeed) {
  const struct {
    bool date, heartRate, step, speed;
    int key;
  } cases[] = {{false, false, false, false, 0}, {true, true, true, true, 0},    {false, true, true, true, 1},
               {false, true, false, true, 2},   {false, false, false, true, 3}, {false, false, true, false, 1}};
  for (const auto& c : cases) {
    ReportOptions options;
    options.sortDate = c.date;
    options.sortHeartRate = c.heartRate;
    options.sortStep = c.step;
    options.sortSpeed = c.speed;
    EXPECT_EQ(SortKey(options), c.key) << c.date << c.heartRate << c.step << c.speed;
  }
}

TEST(ReportOptionsTest, CreateNeedsANameAFolderAndAPartWhileTheRangeFollowsDetailedData) {
  const struct {
    bool chart, detail;
    const char* folder;
    const char* name;
    bool range, create;
  } cases[] = {
      {false, false, "/tmp", "r.pdf", false, false},
      {true, false, "/tmp", "r.pdf", false, true},
      {false, true, "/tmp", "r.pdf", true, true},
      {true, true, "/tmp", "r.pdf", true, true},
      {true, true, "", "r.pdf", true, false},
      {true, true, "/tmp", "", true, false},
      {false, true, "", "", true, false},
  };
  for (const auto& c : cases) {
    ReportOptions options;
    options.chart = c.chart;
    options.detail = c.detail;
    options.folder = c.folder;
    options.fileName = c.name;
    const ReportEnabled enabled = EnabledControls(options);
    EXPECT_EQ(enabled.range, c.range);
    EXPECT_EQ(enabled.sort, c.range);
    EXPECT_EQ(enabled.create, c.create) << c.chart << c.detail << "'" << c.folder << "' '" << c.name << "'";
    EXPECT_TRUE(enabled.browse);
  }
}

TEST(ReportOptionsTest, DatesComeBackAtMidnight) {
  EXPECT_EQ(EntriesToDate(Entries(2008, 2, 29)), LocalDateTime::From(2008, 2, 29, 0, 0, 0));
  EXPECT_EQ(EntriesToDate(Entries(2000, 1, 1)), LocalDateTime::From(2000, 1, 1));
  EXPECT_EQ(EntriesToDate(Entries(2035, 12, 31)), LocalDateTime::From(2035, 12, 31));
  // Entries no list offers are taken as the nearest ones that exist.
  EXPECT_EQ(EntriesToDate(DateEntries{1, 30, 9}), LocalDateTime::From(2009, 2, 28));
  EXPECT_EQ(EntriesToDate(DateEntries{-1, -1, 99}), LocalDateTime::From(2035, 1, 1));
}

TEST(ReportOptionsTest, TodayOutsideTheListsYearsSelectsTheNearestYear) {
  EXPECT_EQ(DateToEntries(Ymd(2040, 2, 29)), Entries(2035, 2, 28));
  EXPECT_EQ(DateToEntries(Ymd(1999, 12, 31)), Entries(2000, 12, 31));
  EXPECT_EQ(DateToEntries(Ymd(2012, 2, 29)), Entries(2012, 2, 29));
}

}  // namespace
}  // namespace tempovia
