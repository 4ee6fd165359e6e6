#include "BoardLayout.h"

#include <algorithm>

#include "Opponent.h"

namespace quintar::game {

int SquareCellSide(int Width, int Height, int ColCount, int RowCount) {
  if (ColCount < 1 || RowCount < 1) return 1;
  return std::max(1, std::min(Width / ColCount, Height / RowCount));
}

int EdgeNumberStep(int CellSide, int Room) {
  for (const int Step : {1, 2, 5, 10})
    if (Step * CellSide >= Room) return Step;
  return MaxBoardSide;
}

}  // namespace quintar::game
