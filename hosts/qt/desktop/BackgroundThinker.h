// Thinks out one computer move at a time on a worker thread, with a thinker
// of its own, and hands the answer back on the thread that asked. Asking
// again, cancelling or destroying it stops the thinking in progress; an
// answer to a cancelled question is never delivered.
#pragma once

#include <QObject>
#include <QPoint>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "ComputerThinker.h"
#include "ThinkRequest.h"

namespace quintar::desktop {

class BackgroundThinker : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundThinker(QObject* parent = nullptr);
  ~BackgroundThinker() override;

  // Serial names the question in the answer.
  void start(std::uint32_t serial, const game::TThinkRequest& turn);
  void cancel();
  bool busy() const { return m_thread.joinable(); }

 signals:
  // The answer to the question started last, cell 0-based; nothing when
  // the thinking found no cell.
  void thought(std::uint32_t serial, std::optional<QPoint> cell);

 private:
  void finished(std::uint64_t ticket, std::optional<vcl::TPoint> cell);
  void join();

  game::TComputerThinker m_thinker;
  std::unique_ptr<game::TThinkRequest> m_turn;
  std::uint32_t m_serial = 0;
  std::atomic<bool> m_stop{false};
  std::uint64_t m_ticket = 0;
  std::thread m_thread;
};

}  // namespace quintar::desktop
