// Wins by continuous fours: the attacker makes a four with every move, so
// the defender's only reply is the cell that would complete it, until the
// attacker makes a flexible four or two fours at once. When the defender's
// forced block makes a four of its own, the attacker must block it with a
// four of its own to go on.
#pragma once

#include <array>
#include <cstdint>
#include <span>

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

  // The last win FindWin found, move by move: the attacker's fours and the
  // defender's forced blocks in turn, ending with the five or with the
  // flexible four (or two fours) that leaves the defender no block for both.
  // Empty when the last search found none.
  std::span<const int> WinLine() const { return {FLine.data(), static_cast<std::size_t>(FLineLength)}; }

  // More fours than this are never looked for: room for the line of the
  // longest win is kept without allocating.
  static constexpr int MostFours = 48;

 private:
  // Whether Attacker, to move, wins by fours; the winning first move in
  // FWinningMove, and the win's moves from this position on in the line from
  // Ply on.
  bool Wins(int Attacker, int FoursLeft, int Ply);
  int CollectFours(int Attacker, int* Moves) const;
  bool OutOfNodes();

  TExpertBoard& FBoard;
  TSearchClock& FClock;
  std::int64_t FNodeCeiling = 0;
  int FWinningMove = TExpertBoard::NoCell;
  std::array<int, 2 * MostFours + 1> FLine = {};
  int FLineLength = 0;
};

}  // namespace quintar::expert
