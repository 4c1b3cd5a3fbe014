#include "dashboard/StepStreaks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DashboardTestSupport.h"
#include "TempDir.h"
#include "store/StepData.h"

namespace tempovia {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

year_month_day March(unsigned d) {
  return year_month_day{year{2008}, month{3}, day{d}};
}

class StepStreaksTest : public ::testing::Test {
 protected:
  StepStreaks Count(const std::vector<DayRecord>& days, int goal, year_month_day upTo) {
    const std::filesystem::path file = m_dir / (std::to_string(++m_files) + ".dat");
    test::FillStepFile(file, days);
    StepData steps;
    EXPECT_TRUE(steps.Open(file));
    return CountStreaks(steps, goal, upTo);
  }

  test::TempDir m_dir;
  int m_files = 0;
};

TEST_F(StepStreaksTest, AMissingDayOrAShortOneBreaksAStreak) {
  // 1-3 met, 4 short, 5-6 met, 7 absent, 8-11 met.
  const std::vector<DayRecord> days = {test::DayOf(2008, 3, 1, 10000),  test::DayOf(2008, 3, 2, 12000),
                                       test::DayOf(2008, 3, 3, 10000),  test::DayOf(2008, 3, 4, 9999),
                                       test::DayOf(2008, 3, 5, 15000),  test::DayOf(2008, 3, 6, 10500),
                                       test::DayOf(2008, 3, 8, 11000),  test::DayOf(2008, 3, 9, 11000),
                                       test::DayOf(2008, 3, 10, 11000), test::DayOf(2008, 3, 11, 11000)};
  const struct {
    unsigned upTo;
    int current;
    int longest;
  } cases[] = {{3, 3, 3}, {4, 0, 3}, {6, 2, 3}, {7, 0, 3}, {9, 2, 3}, {11, 4, 4}, {12, 0, 4}, {30, 0, 4}};
  for (const auto& c : cases) {
    const StepStreaks streaks = Count(days, 10000, March(c.upTo));
    EXPECT_EQ(streaks.current, c.current) << "up to " << c.upTo;
    EXPECT_EQ(streaks.longest, c.longest) << "up to " << c.upTo;
  }
  // A lower goal joins the first two runs.
  EXPECT_EQ(Count(days, 9000, March(6)).current, 6);
}

TEST_F(StepStreaksTest, StreaksRunAcrossMonthsAndDaysAfterTheChartDateDoNotCount) {
  // Across February's leap day, with later days than the chart date.
  const std::vector<DayRecord> days = {test::DayOf(2008, 3, 2, 20000), test::DayOf(2008, 2, 28, 20000),
                                       test::DayOf(2008, 3, 1, 20000), test::DayOf(2008, 2, 29, 20000),
                                       test::DayOf(2008, 3, 3, 20000), test::DayOf(2008, 3, 4, 20000)};
  const StepStreaks streaks = Count(days, 5000, March(2));
  EXPECT_EQ(streaks.current, 4);
  EXPECT_EQ(streaks.longest, 4);
  EXPECT_EQ(Count({}, 5000, March(2)).longest, 0);
}

TEST(StepStreakTip, SaysTheGoalAndBothStreaks) {
  EXPECT_EQ(StreakTipText(10000, {3, 12}), "Daily goal: 10000 steps\nStreak: 3 days (longest 12 days)");
  EXPECT_EQ(StreakTipText(8000, {1, 1}), "Daily goal: 8000 steps\nStreak: 1 day (longest 1 day)");
}

}  // namespace
}  // namespace tempovia
