#include "MatchBoard.h"

namespace quintar::match {

TMatchBoard::TMatchBoard(int ColCount, int RowCount)
    : FColCount(ColCount), FRowCount(RowCount), FEmptyCount(ColCount * RowCount) {}

bool TMatchBoard::IsFree(int Col, int Row) const {
  return Col >= 0 && Col < FColCount && Row >= 0 && Row < FRowCount && FCells[Col][Row] == 0;
}

TVerdict TMatchBoard::Play(int Col, int Row) {
  const int Mark = FTurn;
  FCells[Col][Row] = Mark;
  FTurn = -FTurn;
  --FEmptyCount;
  if (MakesFive(Col, Row)) return Mark == 1 ? TVerdict::CrossWon : TVerdict::NoughtWon;
  return FEmptyCount == 0 ? TVerdict::Draw : TVerdict::Going;
}

// Five or more of the mark on (Col, Row) in an unbroken line through it.
bool TMatchBoard::MakesFive(int Col, int Row) const {
  static constexpr int Steps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  const int Mark = FCells[Col][Row];
  for (const auto& Step : Steps) {
    int Run = 1;
    for (const int Sign : {-1, 1}) {
      int C = Col + Sign * Step[0];
      int R = Row + Sign * Step[1];
      for (; C >= 0 && C < FColCount && R >= 0 && R < FRowCount && FCells[C][R] == Mark; C += Sign * Step[0], R += Sign * Step[1])
        ++Run;
    }
    if (Run >= 5) return true;
  }
  return false;
}

}  // namespace quintar::match
