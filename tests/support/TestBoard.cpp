#include "TestBoard.h"

#include <stdexcept>

namespace quintar {

TTestBoard::TTestBoard(int ColCount, int RowCount) : FColCount(ColCount), FRowCount(RowCount) {}

// Along a row the marks repeat XXOO, along a column XO, and along both
// diagonals XXOO again, so no line ever holds three of one side in a row.
void TTestBoard::FillWithoutThrees() {
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) FCells[Col][Row] = (Col + 2 * Row) % 4 < 2 ? 1 : -1;
}

int TTestBoard::EmptyCount() const {
  int Count = 0;
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) Count += FCells[Col][Row] == 0;
  return Count;
}

TRandomDraw TScriptedDraw::Source() {
  return [this] {
    if (FCalls >= static_cast<int>(FValues.size())) throw std::logic_error("drew more often than scripted");
    return FValues[FCalls++];
  };
}

TSelectionOutcome RunSelection(TSelectMoveFunction SelectMove, const TTestBoard& Board, int Turn, TStrength Strength,
                               const TPattern* Patterns, std::vector<int> Draws) {
  std::vector<TCandidate> CrossList(CandidateCapacity);
  std::vector<TCandidate> NoughtList(CandidateCapacity);
  TScriptedDraw Draw(std::move(Draws));
  TSelectionOutcome Outcome;
  Outcome.Selection =
      SelectMove(Board.View(), Turn, Strength, Patterns, CrossList.data(), NoughtList.data(), Draw.Source());
  Outcome.DrawCalls = Draw.Calls();
  if (Outcome.Selection.Found) {
    Outcome.CrossEligible.assign(CrossList.begin(), CrossList.begin() + Outcome.Selection.CrossEligible);
    Outcome.NoughtEligible.assign(NoughtList.begin(), NoughtList.begin() + Outcome.Selection.NoughtEligible);
  }
  return Outcome;
}

const TPattern* StandardPatterns() {
  static const std::array<TPattern, PatternCount> Table = [] {
    std::array<TPattern, PatternCount> Filled{};
    FillPatternTable(Filled.data());
    return Filled;
  }();
  return Table.data();
}

bool operator==(const TCandidate& Left, const TCandidate& Right) {
  return Left.Score == Right.Score && Left.Col == Right.Col && Left.Row == Right.Row;
}

std::ostream& operator<<(std::ostream& Out, const TCandidate& Candidate) {
  return Out << "{" << Candidate.Score << " at " << Candidate.Col << "," << Candidate.Row << "}";
}

}  // namespace quintar
