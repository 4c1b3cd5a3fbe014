#pragma once
// One timed exercise session of the exercise database: its start, duration and
// totals. 88 bytes on disk, little-endian, no header.

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tempovia {

struct StoredExercise {
  static constexpr std::size_t kSize = 88;

  std::int32_t id = 0;
  std::uint8_t year = 0;  // years since 2000
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::uint8_t startHour = 0;
  std::uint8_t startMinute = 0;
  std::uint8_t startSecond = 0;
  std::uint8_t durationHours = 0;
  std::uint8_t durationMinutes = 0;
  std::uint8_t durationSeconds = 0;
  std::uint8_t durationHundredths = 0;
  double steps = 0;
  double calories = 0;  // kcal
  double distance = 0;  // km
  double minHeartRate = 0;
  double avgHeartRate = 0;
  double maxHeartRate = 0;
  double fatBurnt = 0;  // g
  double avgSpeed = 0;  // km/h
  std::int32_t hidden = 0;

  static StoredExercise FromBytes(const std::uint8_t* bytes);
  // Writes all 88 bytes; padding and the unused word are zero.
  void ToBytes(std::uint8_t* bytes) const;

  // The local calendar day of the start; not ok() when the bytes name no real day.
  std::chrono::year_month_day Date() const;

  // Ordering and lookup key of the start, read from the stored bytes: year,
  // month, day, hour, minute, second, so keys order chronologically.
  static std::uint64_t IndexKey(const std::uint8_t* bytes);
  std::uint64_t Key() const;
  static constexpr std::uint64_t KeyOf(std::uint64_t year, std::uint64_t month, std::uint64_t day, std::uint64_t hour,
                                       std::uint64_t minute, std::uint64_t second) {
    return year << 40 | month << 32 | day << 24 | hour << 16 | minute << 8 | second;
  }

  friend bool operator==(const StoredExercise&, const StoredExercise&) = default;
};

}  // namespace tempovia
