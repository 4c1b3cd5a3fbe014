#pragma once
// The clock of the sample pictures: it stands at one moment, so every run
// renders the same days and dates.

#include <chrono>
#include <cstdint>

#include "Clock.h"

namespace tempovia {

class SampleClock final : public Clock {
 public:
  explicit SampleClock(const LocalDateTime& now) : m_now(now) {}

  LocalDateTime Now() const override { return m_now; }
  void Sleep(std::chrono::milliseconds) override {}
  std::int64_t MonotonicMs() const override { return 0; }

 private:
  LocalDateTime m_now;
};

}  // namespace tempovia
