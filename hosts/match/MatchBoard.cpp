#include "MatchBoard.h"

#include "Rules.h"

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
  if (FiveThrough(View(), Col, Row)) return Mark == 1 ? TVerdict::CrossWon : TVerdict::NoughtWon;
  return FEmptyCount == 0 ? TVerdict::Draw : TVerdict::Going;
}

}  // namespace quintar::match
