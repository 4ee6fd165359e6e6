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
// target, what a quiet move should take: with a match limit, a share of what
// is left of the match; without one, a 25th of a long turn (a turn of a
// second or so is used in full). The hard limit lets a move whose best keeps
// changing think twice the target, and stays inside the turn and what is left
// of the match by a margin for reading, answering and the manager's own
// delays, so that the brain never runs out of time. The search then has no
// node limit.
TSearchBudget ExpertBudgetFor(const TTimeLimits& Limits);

// The limits as the manager told them, and the brain's own account of what
// it has spent on its moves, which stands in for what the manager has not
// told: what is left of the match is what the manager last said, less what
// the brain has spent since; until the manager says, the whole match less
// what the brain has spent this game. A manager that tells what is left
// before every move is believed as it is; one that tells it once, or never,
// cannot leave the brain planning every move as if the match had just begun.
class TTimeKeeper {
 public:
  const TTimeLimits& Told() const { return FTold; }
  void TellTurn(int Milliseconds) { FTold.Turn = Milliseconds; }
  void TellMatch(int Milliseconds) { FTold.Match = Milliseconds; }
  void TellLeft(int Milliseconds);
  // A new game: none of its match spent yet, and what was left of the last
  // one no longer counts.
  void NewGame();
  void Spend(int Milliseconds);
  // What the next move is planned by.
  TTimeLimits Reckoned() const;

 private:
  TTimeLimits FTold;
  int FSpentSinceTold = 0;
};

}  // namespace quintar::brain
