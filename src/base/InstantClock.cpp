#include "base/InstantClock.h"

namespace tempovia {

InstantClock::InstantClock(const Clock& real) : m_real(real) {}

InstantClock::InstantClock(const Clock& real, const LocalDateTime& start)
    : m_real(real), m_shiftSeconds(start.Serial() - real.Now().Serial()) {}

LocalDateTime InstantClock::Now() const {
  return LocalDateTime::FromSerial(m_real.Now().Serial() + m_shiftSeconds + m_pausedMs / 1000);
}

void InstantClock::Sleep(std::chrono::milliseconds duration) {
  if (duration.count() > 0) m_pausedMs.fetch_add(duration.count());
}

std::int64_t InstantClock::MonotonicMs() const {
  return m_real.MonotonicMs() + m_pausedMs;
}

}  // namespace tempovia
