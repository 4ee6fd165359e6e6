#include "BackgroundAnalyst.h"

namespace quintar::desktop {

BackgroundAnalyst::BackgroundAnalyst(QObject* parent) : QObject(parent) {}

void BackgroundAnalyst::start(std::uint32_t serial, const game::TThinkRequest& position) {
  m_worker.start([this, serial, position](const std::atomic<bool>& stop, const BackgroundWorker::Post& post) {
    const auto hand = [this, serial, &post](const TAnalysis& report) {
      post([this, serial, report] { emit reported(serial, report); });
    };
    TSearchBudget budget;
    budget.Milliseconds = longestMilliseconds;
    budget.Stop = &stop;
    const TAnalysis last = m_thinker.Analyse(position, budget, hand);
    if (!stop) hand(last);
  });
}

}  // namespace quintar::desktop
