// A request to think: a position copied out of the control, the side to
// move and the level to think at, so that the thinking may happen on another
// thread while the game goes on.
#pragma once

#include <cstdint>

#include "Level.h"
#include "Opponent.h"

namespace quintar::game {

// A board copied out of the control, to be thought about on another thread
// while the game may go on or be taken back.
struct TBoardCopy {
  int Cells[MaxBoardSide][MaxBoardSide] = {};
  int ColCount = 0;
  int RowCount = 0;
  TBoardView View() const { return {Cells, ColCount, RowCount}; }
};

// A computer move to think about: the position, the side and level, and the
// position's generation, which changes with every move, undo, redo and game.
struct TThinkRequest {
  TBoardCopy Board;
  int Side = 1;
  TLevel Level = TLevel::High;
  std::uint64_t Generation = 0;
};

}  // namespace quintar::game
