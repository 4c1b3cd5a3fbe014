#pragma once
// The clock of the sample pictures: it starts at a chosen moment and moves
// only by the pauses asked of it, so every run renders the same days and
// dates and never waits.

#include <chrono>
#include <cstdint>

#include "base/Clock.h"

namespace tempovia {

class SampleClock final : public Clock {
 public:
  explicit SampleClock(const LocalDateTime& start) : m_start(start) {}

  LocalDateTime Now() const override { return LocalDateTime::FromSerial(m_start.Serial() + m_elapsedMs / 1000); }
  void Sleep(std::chrono::milliseconds duration) override {
    if (duration.count() > 0) m_elapsedMs += duration.count();
  }
  std::int64_t MonotonicMs() const override { return m_elapsedMs; }

 private:
  LocalDateTime m_start;
  std::int64_t m_elapsedMs = 0;
};

}  // namespace tempovia
