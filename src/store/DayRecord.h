#pragma once
// One day of the step data file: the day's totals as downloaded and the note
// typed on the dashboard. 648 bytes on disk, little-endian, no header.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tempovia {

struct DayRecord {
  static constexpr std::size_t kSize = 648;
  static constexpr std::size_t kNoteWidth = 256;  // NUL included
  static constexpr double kBlankMinHeartRate = 240.0;

  std::int32_t id = 0;
  std::int32_t aux1 = 0;
  std::int32_t aux2 = 0;
  std::int32_t reserved = 0;
  std::uint8_t year = 0;  // years since 2000
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::array<std::int32_t, 24> hourSteps{};
  std::array<double, 24> hourValue{};
  double steps = 0;
  double calories = 0;  // kcal
  double distance = 0;  // km
  double minHeartRate = 0;
  double avgHeartRate = 0;
  double maxHeartRate = 0;
  double fatBurnt = 0;  // g
  double avgSpeed = 0;  // km/h
  std::int32_t exerciseHours = 0;
  std::int32_t exerciseMinutes = 0;
  std::int32_t exerciseSeconds = 0;
  std::string note;  // Windows-1252 bytes, at most 255
  std::int32_t hidden = 0;

  static DayRecord FromBytes(const std::uint8_t* bytes);
  // Writes all 648 bytes; padding and the bytes after the note's NUL are zero.
  void ToBytes(std::uint8_t* bytes) const;

  // A record prepared from scratch: zero but month 1, day 1 and a minimum heart
  // rate of 240, so that any real minimum is lower.
  static DayRecord Blank();

  // The local calendar day (year + 2000, month, day); not ok() when the stored
  // bytes name no real day.
  std::chrono::year_month_day Date() const;

  // The ordering and lookup key of the record's date, read straight from the
  // stored bytes: year, month and day, so keys order as dates do.
  static std::uint64_t IndexKey(const std::uint8_t* bytes);
  std::uint64_t Key() const;
  static constexpr std::uint64_t KeyOf(std::uint8_t year, std::uint8_t month, std::uint8_t day) {
    return std::uint64_t{year} << 16 | std::uint64_t{month} << 8 | day;
  }

  friend bool operator==(const DayRecord&, const DayRecord&) = default;
};

}  // namespace tempovia
