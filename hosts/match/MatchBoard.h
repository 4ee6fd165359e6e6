// A board a match plays on: marks, whose turn it is, and the referee's
// verdict after each move (five or more in a row wins; a full board is a draw).
#pragma once

#include "Opponent.h"

namespace quintar::match {

enum class TVerdict { Going, CrossWon, NoughtWon, Draw };

class TMatchBoard {
 public:
  TMatchBoard(int ColCount, int RowCount);

  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  int Turn() const { return FTurn; }
  int At(int Col, int Row) const { return FCells[Col][Row]; }
  bool IsFree(int Col, int Row) const;
  TBoardView View() const { return {FCells, FColCount, FRowCount}; }

  // Places the mark of the side to move on a free cell, passes the turn and
  // judges the move.
  TVerdict Play(int Col, int Row);

 private:
  int FCells[MaxBoardSide][MaxBoardSide] = {};
  int FColCount;
  int FRowCount;
  int FTurn = 1;
  int FEmptyCount;
};

}  // namespace quintar::match
