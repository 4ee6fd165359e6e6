#include "Rules.h"

namespace quintar {
namespace {

bool OnBoard(const TBoardView& Board, int Col, int Row) {
  return quintar::OnBoard(Board.ColCount, Board.RowCount, Col, Row);
}

// How many cells of Mark follow (Col, Row) one step after another, not
// counting the cell itself.
int RunFrom(const TBoardView& Board, int Col, int Row, int ColStep, int RowStep, int Mark) {
  int Run = 0;
  for (int C = Col + ColStep, R = Row + RowStep; OnBoard(Board, C, R) && Board.Cells[C][R] == Mark;
       C += ColStep, R += RowStep)
    ++Run;
  return Run;
}

}  // namespace

bool FiveThrough(const TBoardView& Board, int Col, int Row) {
  if (!OnBoard(Board, Col, Row)) return false;
  const int Mark = Board.Cells[Col][Row];
  if (Mark == 0) return false;
  static constexpr int Steps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  for (const auto& Step : Steps) {
    const int Ahead = RunFrom(Board, Col, Row, Step[0], Step[1], Mark);
    const int Behind = RunFrom(Board, Col, Row, -Step[0], -Step[1], Mark);
    if (1 + Ahead + Behind >= 5) return true;
  }
  return false;
}

}  // namespace quintar
