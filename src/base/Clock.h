#pragma once
// Current local time and pauses go through a Clock, so tests run without
// waiting and the watch simulator can still run in real time when wanted.

#include <chrono>
#include <compare>
#include <cstdint>
#include <string>

namespace tempovia {

// A local calendar date and time of day, to the second.
struct LocalDateTime {
  std::chrono::year_month_day date{std::chrono::year{2000}, std::chrono::month{1}, std::chrono::day{1}};
  int hour = 0;
  int minute = 0;
  int second = 0;

  int Year() const { return static_cast<int>(date.year()); }
  int Month() const { return static_cast<int>(static_cast<unsigned>(date.month())); }
  int Day() const { return static_cast<int>(static_cast<unsigned>(date.day())); }

  static LocalDateTime From(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  // Seconds since 1970-01-01 00:00 of this wall-clock time taken as UTC; used for
  // ordering and arithmetic, never for display.
  std::int64_t Serial() const;
  static LocalDateTime FromSerial(std::int64_t serial);

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
  friend auto operator<=>(const LocalDateTime& a, const LocalDateTime& b) { return a.Serial() <=> b.Serial(); }
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time.
  virtual LocalDateTime Now() const = 0;
  // Pauses for the given time (a fake clock only advances).
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
  // Milliseconds on a monotonic scale, for measuring intervals.
  virtual std::int64_t MonotonicMs() const = 0;
};

class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
  void Sleep(std::chrono::milliseconds duration) override;
  std::int64_t MonotonicMs() const override;
};

// The process-wide real clock.
Clock& SystemClockInstance();

}  // namespace tempovia
