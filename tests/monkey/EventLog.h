#pragma once
// What the monkey did, event by event: every line goes to a log file as it
// happens (a crash loses nothing), and the last ones are kept in memory to
// be printed with the seed when the run fails, so it can be replayed.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>

namespace tempovia::monkey {

class EventLog {
 public:
  EventLog(std::uint64_t seed, const std::string& path);
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  void Add(const std::string& event);
  long long Count() const;
  // The seed, the number of events and the last of them, on standard error.
  // Safe to call from another thread (the watchdog) and from a dying process.
  void PrintTail(const char* why) const;

 private:
  std::uint64_t m_seed;
  std::string m_path;
  std::FILE* m_file = nullptr;
  mutable std::mutex m_mutex;
  std::deque<std::string> m_last;
  long long m_count = 0;
};

}  // namespace tempovia::monkey
