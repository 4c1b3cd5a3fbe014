#pragma once
// Fails the run when the user-interface thread stops coming back to its
// event loop: the monkey's next event is late by more than a generous limit
// (a window that hangs, a wait that never ends).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "EventLog.h"

namespace tempovia::monkey {

class Watchdog {
 public:
  Watchdog(const EventLog& log, std::chrono::seconds limit);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // The user-interface thread is alive now.
  void Beat();

 private:
  void Watch();

  const EventLog& m_log;
  const std::chrono::seconds m_limit;
  std::atomic<std::chrono::steady_clock::rep> m_lastBeat;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_stop = false;
  std::thread m_thread;
};

}  // namespace tempovia::monkey
