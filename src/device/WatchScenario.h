#pragma once
// A believable week on the watch of someone who walks: seven days of totals
// in the day ring, one to seven timed sessions, body settings and the clock
// the host last set. The same seed and last day always give the same week,
// so tests can compare a download with the values, and a demo shows real-
// looking data.

#include <chrono>
#include <cstdint>

#include "records/WatchImage.h"

namespace tempovia {

class WatchScenario {
 public:
  // The week ends on lastDay (kept within the years the watch dates: 2000-2035).
  static WatchScenario ForSeed(std::uint32_t seed, std::chrono::year_month_day lastDay);

  std::uint32_t Seed() const { return m_seed; }
  const WatchImageValues& Values() const { return m_values; }
  // The memory in stored form, as the watch holds it.
  WatchImage Image() const { return EncodeWatchImage(m_values); }
  // The slot holding the newest day; older days go backwards round the ring.
  int NewestDaySlot() const { return m_newestDaySlot; }

 private:
  std::uint32_t m_seed = 0;
  WatchImageValues m_values;
  int m_newestDaySlot = 0;
};

}  // namespace tempovia
