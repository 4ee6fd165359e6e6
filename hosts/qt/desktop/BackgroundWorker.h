// One job at a time on a thread of its own, for the thinking the window must
// never wait for: the computer's moves, the analysis of the position, the
// review of a game. Starting another job, cancelling or destroying the
// worker raises the running job's stop flag and waits for it (the expert
// answers a stop within milliseconds); what a job posts back runs on the
// worker's own thread, and only while that job is still the current one, so
// that nothing of a job cancelled ever arrives.
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace quintar::desktop {

class BackgroundWorker : public QObject {
  Q_OBJECT

 public:
  // Hands Delivery to the worker's thread.
  using Post = std::function<void(std::function<void()> delivery)>;
  // Runs on the job's thread; it should end soon after Stop is raised.
  using Job = std::function<void(const std::atomic<bool>& stop, const Post& post)>;

  explicit BackgroundWorker(QObject* parent = nullptr);
  ~BackgroundWorker() override;

  void start(Job job);
  void cancel();
  // A job has started and not yet ended.
  bool busy() const { return m_thread.joinable(); }

 private:
  void join();

  std::atomic<bool> m_stop{false};
  // Names the current job; read and changed only on the thread the worker
  // belongs to.
  std::uint64_t m_ticket = 0;
  std::thread m_thread;
};

}  // namespace quintar::desktop
