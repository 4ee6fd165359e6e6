#include "BrainTime.h"

#include <algorithm>
#include <climits>

namespace quintar::brain {
namespace {

// What is kept back of a turn or of the match's share: a fifth, and never
// less than this.
constexpr int LeastMargin = 50;
// The rest of the match is planned as if this many moves were still to come.
constexpr int MovesStillToCome = 25;
// With no match limit, a long turn is not a reason to think long: a quiet
// move aims at this share of it...
constexpr int TurnShare = 25;
// ...but a turn of a second or so is used in full, as a short turn needs.
constexpr int QuickTurn = 1000;
// A move whose best keeps changing may think this many times the target.
constexpr int Stretch = 2;

int LessMargin(int Milliseconds) { return Milliseconds - std::max(Milliseconds / 5, LeastMargin); }

}  // namespace

TSearchBudget ExpertBudgetFor(const TTimeLimits& Limits) {
  const bool MatchLimited = Limits.Match > 0 && Limits.Left.has_value();
  if (Limits.Turn <= 0 && !MatchLimited) return DefaultExpertBudget();
  int Hard = Limits.Turn > 0 ? LessMargin(Limits.Turn) : INT_MAX;
  int Target = 0;
  if (MatchLimited) {
    // The match's time is there to be spent: it is shared out over the moves
    // still to come, and the turn only caps a move.
    const int Left = std::max(*Limits.Left, 0);
    Hard = std::min(Hard, LessMargin(Left));
    Target = LessMargin(Left / MovesStillToCome);
  } else {
    Target = std::max(Limits.Turn / TurnShare, std::min(Hard, QuickTurn));
  }
  // Even with no time to spare a move must be made: the least budget still
  // finds fives, blocks and the best-looking cell.
  Target = std::max(Target, 1);
  Hard = std::max(std::min(Hard, Target > INT_MAX / Stretch ? INT_MAX : Target * Stretch), 1);
  TSearchBudget Budget;
  Budget.Milliseconds = Hard;
  Budget.SoftMilliseconds = std::min(Target, Hard);
  return Budget;
}

void TTimeKeeper::TellLeft(int Milliseconds) {
  FTold.Left = Milliseconds;
  FSpentSinceTold = 0;
}

void TTimeKeeper::NewGame() {
  FTold.Left.reset();
  FSpentSinceTold = 0;
}

void TTimeKeeper::Spend(int Milliseconds) {
  FSpentSinceTold = Milliseconds >= INT_MAX - FSpentSinceTold ? INT_MAX : FSpentSinceTold + std::max(Milliseconds, 0);
}

TTimeLimits TTimeKeeper::Reckoned() const {
  TTimeLimits Limits = FTold;
  if (FTold.Left.has_value())
    Limits.Left = std::max(*FTold.Left - FSpentSinceTold, 0);
  else if (FTold.Match > 0)
    Limits.Left = std::max(FTold.Match - FSpentSinceTold, 0);
  return Limits;
}

}  // namespace quintar::brain
