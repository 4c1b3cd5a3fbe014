#include "base/Clock.h"

#include <ctime>
#include <thread>

namespace tempovia {

using namespace std::chrono;

LocalDateTime LocalDateTime::From(int year, int month, int day, int hour, int minute, int second) {
  LocalDateTime t;
  t.date = year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                          std::chrono::day{static_cast<unsigned>(day)}};
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

std::int64_t LocalDateTime::Serial() const {
  const std::int64_t days = sys_days{date}.time_since_epoch().count();
  return days * 86400 + hour * 3600 + minute * 60 + second;
}

LocalDateTime LocalDateTime::FromSerial(std::int64_t serial) {
  std::int64_t days = serial / 86400;
  std::int64_t rest = serial % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  LocalDateTime t;
  t.date = year_month_day{sys_days{std::chrono::days{days}}};
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

LocalDateTime SystemClock::Now() const {
  const std::time_t now = system_clock::to_time_t(system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return LocalDateTime::From(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                             local.tm_sec);
}

void SystemClock::Sleep(milliseconds duration) {
  if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

std::int64_t SystemClock::MonotonicMs() const {
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Clock& SystemClockInstance() {
  static SystemClock clock;
  return clock;
}

}  // namespace tempovia
