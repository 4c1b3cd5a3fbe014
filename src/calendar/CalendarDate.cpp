#include "calendar/CalendarDate.h"

#include <locale.h>
#include <clocale>
#include <ctime>

namespace tempovia {

using namespace std::chrono;

Date MakeDate(int year, int month, int day) {
  return Date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
              std::chrono::day{static_cast<unsigned>(day)}};
}

int YearOf(Date date) {
  return static_cast<int>(date.year());
}

int MonthOf(Date date) {
  return static_cast<int>(static_cast<unsigned>(date.month()));
}

int DayOf(Date date) {
  return static_cast<int>(static_cast<unsigned>(date.day()));
}

Date AddDays(Date date, int days) {
  return Date{sys_days{date} + std::chrono::days{days}};
}

int DaysBetween(Date a, Date b) {
  return static_cast<int>((sys_days{b} - sys_days{a}).count());
}

int DayOfWeek(Date date) {
  return static_cast<int>(weekday{sys_days{date}}.c_encoding()) + 1;
}

int DaysInMonth(int year, int month) {
  const year_month_day_last last{std::chrono::year{year},
                                 month_day_last{std::chrono::month{static_cast<unsigned>(month)}}};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

std::int64_t DayKey(Date date) {
  std::tm local{};
  local.tm_year = YearOf(date) - 1900;
  local.tm_mon = MonthOf(date) - 1;
  local.tm_mday = DayOf(date);
  local.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&local));
}

namespace {

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

std::string FormatDateTime(const char* format, const LocalDateTime& when) {
  std::tm t{};
  t.tm_year = when.Year() - 1900;
  t.tm_mon = when.Month() - 1;
  t.tm_mday = when.Day();
  t.tm_hour = when.hour;
  t.tm_min = when.minute;
  t.tm_sec = when.second;
  t.tm_wday = DayOfWeek(when.date) - 1;
  t.tm_yday = DaysBetween(MakeDate(when.Year(), 1, 1), when.date);
  t.tm_isdst = -1;
  char buffer[256];
  const std::size_t length = strftime_l(buffer, sizeof buffer, format, &t, CLocale());
  return std::string(buffer, length);
}

std::string FormatDate(const char* format, Date date) {
  return FormatDateTime(format, AtMidnight(date));
}

}  // namespace tempovia
