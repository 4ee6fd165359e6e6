// The time a tournament manager allows, as INFO tells it, and what that
// leaves the expert for one move. The other levels answer at once and need
// no budget.
#pragma once

#include <optional>

#include "Expert.h"

namespace quintar::brain {

// All in milliseconds; 0 for the turn or the match means no limit.
struct TTimeLimits {
  int Turn = 0;
  int Match = 0;
  std::optional<int> Left;  // of the match, when the manager has said
};

// Without any limit, the budget the game gives the expert. Otherwise the time
// of a turn, or a share of what is left of the match, whichever is less,
// minus a margin for reading, answering and the manager's own delays, so that
// the brain never runs out of time. The search then has no node limit: it
// uses the time it is given.
TSearchBudget ExpertBudgetFor(const TTimeLimits& Limits);

}  // namespace quintar::brain
