// Thinks out one computer move at a time on a worker thread, with a thinker
// of its own, and hands the answer back on the thread that asked. Asking
// again, cancelling or destroying it stops the thinking in progress; an
// answer to a cancelled question is never delivered.
#pragma once

#include <QObject>
#include <QPoint>
#include <cstdint>
#include <optional>

#include "BackgroundWorker.h"
#include "ComputerThinker.h"
#include "ThinkRequest.h"

namespace quintar::desktop {

class BackgroundThinker : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundThinker(QObject* parent = nullptr);

  // Serial names the question in the answer.
  void start(std::uint32_t serial, const game::TThinkRequest& turn);
  void cancel() { m_worker.cancel(); }
  bool busy() const { return m_worker.busy(); }

 signals:
  // The answer to the question started last, cell 0-based; nothing when
  // the thinking found no cell.
  void thought(std::uint32_t serial, std::optional<QPoint> cell);

 private:
  game::TComputerThinker m_thinker;
  // Stops, and waits for, the thinking before the thinker goes.
  BackgroundWorker m_worker;
};

}  // namespace quintar::desktop
