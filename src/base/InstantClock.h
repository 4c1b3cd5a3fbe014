#pragma once
// The clock of the watch simulator without the watch's pauses
// (--simulate-instant). It reads the real date and time, and a pause moves it
// on by the time asked for instead of waiting: the time the simulated watch is
// given stays plausible, and every time-out the driver measures still runs
// out, only at once.

#include <atomic>
#include <chrono>
#include <cstdint>

#include "base/Clock.h"

namespace tempovia {

class InstantClock final : public Clock {
 public:
  // Follows real, plus the pauses asked for so far.
  explicit InstantClock(const Clock& real);
  // The same, set so that it reads start now (a chosen day taken as today).
  InstantClock(const Clock& real, const LocalDateTime& start);

  LocalDateTime Now() const override;
  void Sleep(std::chrono::milliseconds duration) override;
  std::int64_t MonotonicMs() const override;

 private:
  const Clock& m_real;
  std::int64_t m_shiftSeconds = 0;
  // The driver pauses on the download's worker thread while the window may
  // read the time.
  std::atomic<std::int64_t> m_pausedMs{0};
};

}  // namespace tempovia
