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

// Without any limit, the budget the game gives the expert. Otherwise a soft
// target, what a quiet move should take: a 25th of a long turn (a turn
// of a second or so is used in full), and no more than a share of what is
// left of the match. The hard limit lets a move whose best keeps changing
// think twice the target, and stays inside the turn and what is left of the
// match by a margin for reading, answering and the manager's own delays, so
// that the brain never runs out of time. The search then has no node limit.
TSearchBudget ExpertBudgetFor(const TTimeLimits& Limits);

}  // namespace quintar::brain
