#pragma once
// Runs one watch transfer away from the user-interface thread, so the window
// stays responsive and shows its progress, and hands the result back on that
// thread.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace tempovia {

class AttemptRunner {
 public:
  virtual ~AttemptRunner() = default;
  // Starts work; done(result) runs later on the user-interface thread.
  virtual void Run(std::function<bool()> work, std::function<void(bool)> done) = 0;
  virtual bool Running() const = 0;
  // Waits until a running work has returned; its done is then never called.
  virtual void Wait() = 0;
};

// The real one: a thread per attempt. post queues a function on the
// user-interface thread and may be called from any thread.
class ThreadAttemptRunner final : public AttemptRunner {
 public:
  using Post = std::function<void(std::function<void()>)>;

  explicit ThreadAttemptRunner(Post post) : m_post(std::move(post)) {}
  ~ThreadAttemptRunner() override { Wait(); }
  ThreadAttemptRunner(const ThreadAttemptRunner&) = delete;
  ThreadAttemptRunner& operator=(const ThreadAttemptRunner&) = delete;

  void Run(std::function<bool()> work, std::function<void(bool)> done) override;
  bool Running() const override { return m_running; }
  void Wait() override;

 private:
  Post m_post;
  std::thread m_thread;
  std::atomic<bool> m_running{false};
  // Bumped by Wait so that a result posted before it is dropped.
  std::atomic<unsigned> m_generation{0};
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace tempovia
