#pragma once
// A clock for tests: time stands still except when Sleep or Advance moves it,
// and every pause asked for is recorded.

#include <chrono>
#include <cstdint>
#include <vector>

#include "base/Clock.h"

namespace tempovia {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(LocalDateTime start = LocalDateTime::From(2009, 12, 31, 23, 59, 0)) : m_start(start) {}

  LocalDateTime Now() const override;
  void Sleep(std::chrono::milliseconds duration) override;
  std::int64_t MonotonicMs() const override { return m_elapsedMs; }

  void Advance(std::chrono::milliseconds duration) { m_elapsedMs += duration.count(); }
  void Set(LocalDateTime now);

  // Sum and list of every pause asked for through Sleep.
  std::int64_t TotalSleptMs() const { return m_sleptMs; }
  const std::vector<std::int64_t>& Sleeps() const { return m_sleeps; }

 private:
  LocalDateTime m_start;
  std::int64_t m_elapsedMs = 0;
  std::int64_t m_startElapsedMs = 0;  // elapsed time when m_start was set
  std::int64_t m_sleptMs = 0;
  std::vector<std::int64_t> m_sleeps;
};

}  // namespace tempovia
