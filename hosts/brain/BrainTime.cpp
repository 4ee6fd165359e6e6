#include "BrainTime.h"

#include <algorithm>
#include <climits>

namespace quintar::brain {
namespace {

// What is kept back of a turn: a fifth, and never less than this.
constexpr int LeastTurnMargin = 50;
// The rest of the match is planned as if this many moves were still to come.
constexpr int MovesStillToCome = 25;

}  // namespace

TSearchBudget ExpertBudgetFor(const TTimeLimits& Limits) {
  const bool MatchLimited = Limits.Match > 0 && Limits.Left.has_value();
  if (Limits.Turn <= 0 && !MatchLimited) return DefaultExpertBudget();
  int Milliseconds = INT_MAX;
  if (Limits.Turn > 0) Milliseconds = Limits.Turn - std::max(Limits.Turn / 5, LeastTurnMargin);
  if (MatchLimited) {
    const int Share = std::max(*Limits.Left, 0) / MovesStillToCome;
    Milliseconds = std::min(Milliseconds, Share - std::max(Share / 5, LeastTurnMargin));
  }
  // Even with no time to spare a move must be made: the least budget still
  // finds fives, blocks and the best-looking cell.
  return {std::max(Milliseconds, 1), 0, nullptr};
}

}  // namespace quintar::brain
