#include "workspace/AttemptRunner.h"

namespace tempovia {

void ThreadAttemptRunner::Run(std::function<bool()> work, std::function<void(bool)> done) {
  if (m_thread.joinable()) m_thread.join();
  m_running = true;
  const unsigned generation = m_generation;
  m_thread = std::thread([this, alive = std::weak_ptr<int>(m_alive), work = std::move(work), done = std::move(done),
                          generation]() mutable {
    const bool result = work();
    m_post([this, alive, done = std::move(done), result, generation] {
      // The runner may be gone by the time this runs; then nothing is left to do.
      if (alive.expired() || generation != m_generation) return;  // or Wait gave up on it
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
