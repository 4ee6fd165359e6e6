// The rule every board shares, whoever keeps it: five or more of one side in
// an unbroken line wins. Tools that referee or check a game ask here rather
// than scan a board of their own.
#pragma once

#include "Opponent.h"

namespace quintar {

// A board side the game takes: 5 to 50 cells.
constexpr bool BoardSideFits(int Count) { return Count >= MinBoardSide && Count <= MaxBoardSide; }

// Whether (Col, Row), 0-based, is a cell of a board of that size.
constexpr bool OnBoard(int ColCount, int RowCount, int Col, int Row) {
  return Col >= 0 && Col < ColCount && Row >= 0 && Row < RowCount;
}

// Whether the mark on (Col, Row) has five or more of its side in a row,
// column or diagonal through that cell. False for an empty or off-board cell.
bool FiveThrough(const TBoardView& Board, int Col, int Row);

}  // namespace quintar
