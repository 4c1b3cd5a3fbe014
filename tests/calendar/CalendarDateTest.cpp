#include "calendar/CalendarDate.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace tempovia {
namespace {

TEST(CalendarDate, StepsDaysOnTheCalendarAcrossMonthsYearsAndLeapDays) {
  EXPECT_EQ(AddDays(MakeDate(2008, 2, 28), 1), MakeDate(2008, 2, 29));
  EXPECT_EQ(AddDays(MakeDate(2009, 2, 28), 1), MakeDate(2009, 3, 1));
  EXPECT_EQ(AddDays(MakeDate(2000, 1, 1), -1), MakeDate(1999, 12, 31));
  EXPECT_EQ(DaysBetween(MakeDate(2008, 3, 1), MakeDate(2008, 2, 1)), -29);
  EXPECT_EQ(DaysInMonth(2008, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2008, 4), 30);
}

TEST(CalendarDate, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek(MakeDate(2008, 3, 2)), 1);  // a Sunday
  EXPECT_EQ(DayOfWeek(MakeDate(2008, 3, 5)), 4);  // a Wednesday
  EXPECT_EQ(DayOfWeek(MakeDate(2008, 3, 8)), 7);  // a Saturday
}

// The test binary also runs under zones with daylight saving (see CMake):
// there a week between two local midnights is not always 604,800 seconds, but
// keys still step one calendar day at a time and stay in order.
TEST(CalendarDate, DayKeysAreLocalMidnightsInOrderWhateverTheZone) {
  Date day = MakeDate(1999, 12, 25);
  std::int64_t previous = DayKey(day);
  for (int i = 0; i < 366 * 37; ++i) {
    day = AddDays(day, 1);
    const std::int64_t key = DayKey(day);
    const std::int64_t step = key - previous;
    ASSERT_GE(step, 23 * 3600) << FormatDate("%Y-%m-%d", day);
    ASSERT_LE(step, 25 * 3600) << FormatDate("%Y-%m-%d", day);
    previous = key;
  }
  const std::time_t key = static_cast<std::time_t>(DayKey(MakeDate(2008, 3, 30)));
  std::tm local{};
  localtime_r(&key, &local);
  EXPECT_EQ(local.tm_mday, 30);
  EXPECT_EQ(local.tm_hour, 0);
}

TEST(CalendarDate, FormatsInEnglishWhateverTheDesktopLanguage) {
  // A desktop in another language must not change titles and captions.
  const char* previous = std::setlocale(LC_TIME, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  std::setlocale(LC_TIME, "de_DE.UTF-8");  // may be missing; the check holds either way
  EXPECT_EQ(FormatDate("%d-%b-%Y", MakeDate(2008, 3, 5)), "05-Mar-2008");
  EXPECT_EQ(FormatDate("%A, %B %d, %Y", MakeDate(2008, 5, 1)), "Thursday, May 01, 2008");
  EXPECT_EQ(FormatDateTime("%Y-%b-%d %H:%M:%S", LocalDateTime::From(2035, 12, 31, 23, 59, 58)), "2035-Dec-31 23:59:58");
  std::setlocale(LC_TIME, saved.c_str());
}

}  // namespace
}  // namespace tempovia
