#include "Watchdog.h"

#include <cstdlib>
#include <string>

namespace tempovia::monkey {

Watchdog::Watchdog(const EventLog& log, std::chrono::seconds limit)
    : m_log(log), m_limit(limit), m_lastBeat(std::chrono::steady_clock::now().time_since_epoch().count()) {
  m_thread = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog() {
  {
    const std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_one();
  m_thread.join();
}

void Watchdog::Beat() {
  m_lastBeat = std::chrono::steady_clock::now().time_since_epoch().count();
}

void Watchdog::Watch() {
  std::unique_lock lock(m_mutex);
  while (!m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; })) {
    const auto last = std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(m_lastBeat.load()));
    if (std::chrono::steady_clock::now() - last < m_limit) continue;
    const std::string why =
        "the user-interface thread did not come back to its event loop for " + std::to_string(m_limit.count()) + " s";
    m_log.PrintTail(why.c_str());
    std::abort();
  }
}

}  // namespace tempovia::monkey
