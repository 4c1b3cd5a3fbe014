#pragma once
// One day of totals as the watch keeps it, decoded from a 32-byte day block.

#include <array>
#include <cstdint>

#include "records/WatchLayout.h"

namespace tempovia {

struct StepDay {
  std::uint8_t valid = 0;  // 1 when the block's checksum matched
  int rawLength = 0;
  std::array<std::uint8_t, kRawCapacity> raw{};  // value form, as received
  int aux1 = 0;                                  // stored, not shown
  int aux2 = 0;                                  // stored, not shown
  int reserved = 0;                              // never set by the decoder
  std::uint8_t year = 0;                         // years since 2000
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  int steps = 0;
  double calories = 0;  // kcal
  double distance = 0;  // km
  int avgHeartRate = 0;
  int minHeartRate = 0;
  int maxHeartRate = 0;
  double fatBurnt = 0;  // g
  double avgSpeed = 0;  // km/h
  int exerciseHours = 0;
  int exerciseMinutes = 0;
  int exerciseSeconds = 0;
  int checksum = 0;  // the block's stored checksum byte (value form)
};

}  // namespace tempovia
