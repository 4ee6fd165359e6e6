// Reviews one game at a time on a worker thread, with a thinker of its own,
// at the review's own budget, telling the thread that asked how far it has
// got after every move and handing it the review at the end. cancel() or
// destroying it ends the review under way, and nothing of it arrives after.
#pragma once

#include <QObject>
#include <cstddef>

#include "BackgroundWorker.h"
#include "ComputerThinker.h"
#include "Review.h"

namespace quintar::desktop {

class BackgroundReviewer : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundReviewer(QObject* parent = nullptr);

  void start(const game::TReviewRequest& request);
  void cancel() { m_worker.cancel(); }
  bool busy() const { return m_worker.busy(); }

 signals:
  void progressed(std::size_t judged, std::size_t moves);
  void reviewed(const quintar::game::TReviewRequest& request, const quintar::game::TReview& review);

 private:
  game::TComputerThinker m_thinker;
  // Stops, and waits for, the review before the thinker goes.
  BackgroundWorker m_worker;
};

}  // namespace quintar::desktop
