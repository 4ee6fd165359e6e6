// Wins by continuous fours: the attacker makes a four with every move, so
// the defender's only reply is the cell that would complete it, until the
// attacker makes a flexible four or two fours at once. When the defender's
// forced block makes a four of its own, the attacker must block it with a
// four of its own to go on.
#pragma once

#include <cstdint>

#include "ExpertBoard.h"
#include "SearchClock.h"

namespace quintar::expert {

class TFourSearch {
 public:
  TFourSearch(TExpertBoard& Board, TSearchClock& Clock) : FBoard(Board), FClock(Clock) {}

  // The first move of a win by at most MaxFours fours for Side, to move now;
  // TExpertBoard::NoCell when none is found within the clock's budget or
  // MaxNodes more positions (0: no limit of its own). Leaves the board as it
  // was.
  int FindWin(int Side, int MaxFours, std::int64_t MaxNodes);

 private:
  // Whether Attacker, to move, wins by fours; the winning first move in FWinningMove.
  bool Wins(int Attacker, int FoursLeft);
  int CollectFours(int Attacker, int* Moves) const;
  bool OutOfNodes();

  TExpertBoard& FBoard;
  TSearchClock& FClock;
  std::int64_t FNodeCeiling = 0;
  int FWinningMove = TExpertBoard::NoCell;
};

}  // namespace quintar::expert
