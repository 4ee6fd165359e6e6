// Analyses one position at a time on a worker thread, with a thinker of its
// own, and hands the reports back on the thread that asked as the expert
// finds them: the first at once, then about one every tenth of a second
// while the search deepens, and the last when it has gone as deep as it goes
// or its time is up. Another position, stop() or destroying it ends the
// analysis under way at once, and none of its reports arrives after that.
#pragma once

#include <QObject>
#include <cstdint>

#include "BackgroundWorker.h"
#include "ComputerThinker.h"
#include "ThinkRequest.h"

namespace quintar::desktop {

class BackgroundAnalyst : public QObject {
  Q_OBJECT

 public:
  // The longest a position is analysed, so that a board left alone does not
  // keep a core busy for ever.
  static constexpr int longestMilliseconds = 30000;

  explicit BackgroundAnalyst(QObject* parent = nullptr);

  // Serial names the position in its reports.
  void start(std::uint32_t serial, const game::TThinkRequest& position);
  void stop() { m_worker.cancel(); }
  bool busy() const { return m_worker.busy(); }

 signals:
  void reported(std::uint32_t serial, const quintar::TAnalysis& report);

 private:
  game::TComputerThinker m_thinker;
  // Stops, and waits for, the analysis before the thinker goes.
  BackgroundWorker m_worker;
};

}  // namespace quintar::desktop
