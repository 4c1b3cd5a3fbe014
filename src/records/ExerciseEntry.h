#pragma once
// One timed exercise session, decoded from a 32-byte exercise block.

#include <cstdint>

namespace tempovia {

struct ExerciseEntry {
  std::uint8_t valid = 0;  // 1 when the block's checksum matched
  std::uint8_t year = 0;   // years since 2000
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
  int checksum = 0;     // the block's stored checksum byte (value form)
};

}  // namespace tempovia
