#include "AttemptRunner.h"

namespace tempovia {

void ThreadAttemptRunner::Run(std::function<bool()> work, std::function<void(bool)> done) {
  if (m_thread.joinable()) m_thread.join();
  m_running = true;
  const unsigned generation = m_generation;
  m_thread = std::thread([this, work = std::move(work), done = std::move(done), generation]() mutable {
    const bool result = work();
    m_post([this, done = std::move(done), result, generation] {
      if (generation != m_generation) return;  // Wait gave up on it
      if (m_thread.joinable()) m_thread.join();
      m_running = false;
      done(result);
    });
  });
}

void ThreadAttemptRunner::Wait() {
  ++m_generation;
  if (m_thread.joinable()) m_thread.join();
  m_running = false;
}

}  // namespace tempovia
