// The positions `pbrain-quintar --bench` searches: middle games from real
// games on 15 x 15 and 20 x 20 boards, kept as the moves that led to them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "Opponent.h"

namespace quintar::brain {

struct TBenchPosition {
  int Side;                // the board is Side x Side
  std::string_view Moves;  // "x,y" pairs split by spaces, crosses first
};

// A position set up from its moves, with the side to move next.
struct TBenchBoard {
  int Cells[MaxBoardSide][MaxBoardSide] = {};
  int ColCount = 0;
  int RowCount = 0;
  int Turn = 1;  // 1 crosses, -1 noughts
  TBoardView View() const { return {Cells, ColCount, RowCount}; }
};

std::span<const TBenchPosition> BenchPositions();

// Nothing when the moves do not read as distinct cells on the board.
std::optional<TBenchBoard> BenchBoard(const TBenchPosition& Position);

}  // namespace quintar::brain
