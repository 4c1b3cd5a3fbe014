#include "base/testing/FakeClock.h"

namespace tempovia {

LocalDateTime FakeClock::Now() const {
  return LocalDateTime::FromSerial(m_start.Serial() + (m_elapsedMs - m_startElapsedMs) / 1000);
}

void FakeClock::Sleep(std::chrono::milliseconds duration) {
  m_sleeps.push_back(duration.count());
  m_sleptMs += duration.count();
  m_elapsedMs += duration.count();
}

void FakeClock::Set(LocalDateTime now) {
  // The monotonic scale keeps running; only the wall clock jumps.
  m_start = now;
  m_startElapsedMs = m_elapsedMs;
}

}  // namespace tempovia
