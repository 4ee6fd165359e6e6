// Thinks out one computer move at a time on a worker thread, with a thinker
// of its own, and hands the answer back on the thread that asked. Asking
// again, cancelling or destroying it stops the thinking in progress; an
// answer to a cancelled question is never delivered.
#pragma once

#include <QObject>
#include <QPoint>
#include <atomic>
#include <memory>
#include <thread>

#include "ComputerThinker.h"
#include "ThinkRequest.h"

namespace quintar::desktop {

class BackgroundThinker : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundThinker(QObject* parent = nullptr);
  ~BackgroundThinker() override;

  void start(const game::TThinkRequest& turn);
  void cancel();
  bool busy() const { return m_thread.joinable(); }
  // The request being thought about; null when idle.
  const game::TThinkRequest* request() const { return busy() ? m_turn.get() : nullptr; }

 signals:
  // The answer to the turn started last, cell 0-based.
  void thought(const quintar::game::TThinkRequest& turn, QPoint cell);

 private:
  void finished(std::uint64_t ticket, std::optional<vcl::TPoint> cell);
  void join();

  game::TComputerThinker m_thinker;
  std::unique_ptr<game::TThinkRequest> m_turn;
  std::atomic<bool> m_stop{false};
  std::uint64_t m_ticket = 0;
  std::thread m_thread;
};

}  // namespace quintar::desktop
