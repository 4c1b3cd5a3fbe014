#include "workspace/testing/PostedQueue.h"

#include <chrono>

namespace tempovia::test {

void PostedQueue::Post(std::function<void()> fn) {
  {
    const std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(fn));
  }
  m_wake.notify_one();
}

bool PostedQueue::RunUntil(const std::function<bool()>& done) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done()) {
    std::function<void()> next;
    {
      std::unique_lock lock(m_mutex);
      if (!m_wake.wait_until(lock, limit, [this] { return !m_queue.empty(); })) return false;
      next = std::move(m_queue.front());
      m_queue.pop_front();
    }
    next();
  }
  return true;
}

void PostedQueue::RunPosted() {
  for (;;) {
    std::function<void()> next;
    {
      const std::lock_guard lock(m_mutex);
      if (m_queue.empty()) return;
      next = std::move(m_queue.front());
      m_queue.pop_front();
    }
    next();
  }
}

}  // namespace tempovia::test
