#include "PositionFeatures.h"

namespace quintar::tune {

using expert::TExpertBoard;

bool IsQuiet(const TExpertBoard& Board, int Side) {
  return !Board.Has(Side, expert::thFlexFour) && !Board.Has(expert::Opposite(Side), expert::thFive);
}

namespace {

TSideCounts CountsOf(const TExpertBoard& Board, int Side) {
  TSideCounts Counts;
  for (int Col = 0; Col < Board.ColCount(); ++Col)
    for (int Row = 0; Row < Board.RowCount(); ++Row) {
      const int Index = TExpertBoard::IndexOf(Col, Row);
      if (!Board.IsEmpty(Index)) continue;
      for (int Direction = 0; Direction < expert::DirectionCount; ++Direction)
        ++Counts.Lines[Board.Line(Side, Index, Direction)];
    }
  for (int Threat = 0; Threat < expert::ThreatKinds; ++Threat)
    Counts.Threats[Threat] = Board.CountOf(Side, static_cast<expert::TThreat>(Threat));
  return Counts;
}

}  // namespace

TPositionFeatures FeaturesOf(const TExpertBoard& Board, int Side) {
  const int Other = expert::Opposite(Side);
  TPositionFeatures Features;
  Features.Mover = CountsOf(Board, Side);
  Features.Other = CountsOf(Board, Other);
  // As the evaluation judges them: a four of the other side answers both.
  if (!Board.Has(Other, expert::thFour)) {
    Features.FourThree = Board.Has(Side, expert::thFourThree);
    Features.DoubleThree = !Features.FourThree && Board.Has(Side, expert::thDoubleThree);
  }
  return Features;
}

std::int64_t SideValue(const TSideCounts& Counts, const expert::TEvaluationWeights& Weights) {
  std::int64_t Value = 0;
  for (int Line = 0; Line < expert::LinePatternCount; ++Line)
    Value += std::int64_t{Weights.LineValues[Line]} * Counts.Lines[Line];
  for (int Threat = 0; Threat < expert::ThreatKinds; ++Threat)
    Value += std::int64_t{Weights.ThreatBonuses[Threat]} * Counts.Threats[Threat];
  return Value;
}

}  // namespace quintar::tune
