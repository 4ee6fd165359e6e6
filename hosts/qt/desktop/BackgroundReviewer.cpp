#include "BackgroundReviewer.h"

namespace quintar::desktop {

BackgroundReviewer::BackgroundReviewer(QObject* parent) : QObject(parent) {}

// A review cut short by a stop is not a review of the game: only a whole one
// is handed back.
void BackgroundReviewer::start(const game::TReviewRequest& request) {
  m_worker.start([this, request](const std::atomic<bool>& stop, const BackgroundWorker::Post& post) {
    const std::size_t moves = request.Moves.size();
    const auto progress = [this, moves, &post](std::size_t judged) {
      post([this, judged, moves] { emit progressed(judged, moves); });
    };
    TSearchBudget budget = DefaultReviewBudget();
    budget.Stop = &stop;
    const game::TReview review = game::ReviewGame(request, m_thinker, budget, progress);
    if (!stop) post([this, request, review] { emit reviewed(request, review); });
  });
}

}  // namespace quintar::desktop
