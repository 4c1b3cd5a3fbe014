#include "EventLog.h"

namespace tempovia::monkey {

namespace {

constexpr std::size_t kKept = 60;

}  // namespace

EventLog::EventLog(std::uint64_t seed, const std::string& path) : m_seed(seed), m_path(path) {
  if (!path.empty()) m_file = std::fopen(path.c_str(), "w");
  if (m_file != nullptr) std::fprintf(m_file, "seed %llu\n", static_cast<unsigned long long>(seed));
}

EventLog::~EventLog() {
  if (m_file != nullptr) std::fclose(m_file);
}

void EventLog::Add(const std::string& event) {
  const std::lock_guard lock(m_mutex);
  ++m_count;
  if (m_file != nullptr) {
    std::fprintf(m_file, "%lld %s\n", m_count, event.c_str());
    std::fflush(m_file);
  }
  m_last.push_back(std::to_string(m_count) + " " + event);
  if (m_last.size() > kKept) m_last.pop_front();
}

long long EventLog::Count() const {
  const std::lock_guard lock(m_mutex);
  return m_count;
}

void EventLog::PrintTail(const char* why) const {
  // A failing run may hold the lock in the thread that died: take it only if
  // it is free, and print what is there anyway.
  const bool locked = m_mutex.try_lock();
  std::fprintf(stderr, "\nmonkey: %s\nmonkey: seed %llu, %lld events; replay with --seed %llu", why,
               static_cast<unsigned long long>(m_seed), m_count, static_cast<unsigned long long>(m_seed));
  std::fprintf(stderr, " (all events in %s)\nmonkey: the last events:\n", m_path.empty() ? "no file" : m_path.c_str());
  for (const std::string& line : m_last) std::fprintf(stderr, "  %s\n", line.c_str());
  std::fflush(stderr);
  if (locked) m_mutex.unlock();
}

}  // namespace tempovia::monkey
