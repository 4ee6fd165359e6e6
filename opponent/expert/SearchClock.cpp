#include "SearchClock.h"

namespace quintar::expert {

void TSearchClock::Start(const TSearchBudget& Budget) {
  FNodes = 0;
  FNodeLimit = Budget.Nodes > 0 ? Budget.Nodes : 0;
  FHasDeadline = Budget.Milliseconds > 0;
  FDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Budget.Milliseconds);
  FStop = Budget.Stop;
  FSpent = ClockSaysStop();
}

bool TSearchClock::ClockSaysStop() const {
  if (FStop != nullptr && FStop->load(std::memory_order_relaxed)) return true;
  return FHasDeadline && std::chrono::steady_clock::now() >= FDeadline;
}

}  // namespace quintar::expert
