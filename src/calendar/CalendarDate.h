#pragma once
// Calendar arithmetic shared by the chart state and the calendar: days are
// stepped on the calendar (never by adding 86,400 seconds, which is wrong
// across a daylight-saving change), day keys are local midnights, and dates
// are formatted in the C locale whatever the desktop's language.

#include <chrono>
#include <cstdint>
#include <string>

#include "base/Clock.h"

namespace tempovia {

using Date = std::chrono::year_month_day;

// The charts and the calendar keep to these years.
constexpr int kFirstChartYear = 2000;
constexpr int kLastChartYear = 2035;

Date MakeDate(int year, int month, int day);
int YearOf(Date date);
int MonthOf(Date date);
int DayOf(Date date);

Date AddDays(Date date, int days);
// Days from a to b (negative when b is earlier).
int DaysBetween(Date a, Date b);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(Date date);
int DaysInMonth(int year, int month);

// The local midnight of the date as seconds since 1970-01-01 (what the
// calendar orders and compares days by). A midnight that does not exist
// (a daylight-saving change at 00:00) is the first second of the day.
std::int64_t DayKey(Date date);

// strftime of the date and time in the C locale: English month and day
// names, whatever the desktop's language.
std::string FormatDateTime(const char* format, const LocalDateTime& when);
std::string FormatDate(const char* format, Date date);

// The date at 00:00:00.
inline LocalDateTime AtMidnight(Date date) {
  return LocalDateTime{date, 0, 0, 0};
}

}  // namespace tempovia
