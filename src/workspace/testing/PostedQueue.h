#pragma once
// The user-interface thread's queue in tests: filled from any thread, run
// by the test on its own thread when it chooses.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace tempovia::test {

class PostedQueue {
 public:
  void Post(std::function<void()> fn);
  // Runs what was posted until done holds; false after a generous limit
  // with nothing to run.
  bool RunUntil(const std::function<bool()>& done);
  // Runs what is posted now, and what that posts, until nothing is left.
  void RunPosted();

 private:
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<std::function<void()>> m_queue;
};

}  // namespace tempovia::test
