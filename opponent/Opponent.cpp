#include "Opponent.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>

#include "LineBoards.h"
#include "LineScores.h"

namespace quintar {
namespace {

// Above this a best value can only mean completing five; such a list is never
// widened at the lowest strength.
constexpr std::int32_t WidestValueToWiden = 546100;

// Builds, in one pass over the cells in scan order, the head that sorting the
// list best first would give when equal values keep their scan order: the run
// of cells sharing the best value, written from the list's start, and the
// earliest cell holding the next lower value. Nothing else of the list is
// ever read, so nothing else is written.
class TListHead {
 public:
  // Only the lowest strength's widening ever needs the next lower value.
  TListHead(TCandidate* List, TStrength Strength) : FList(List), FKeepsNextBest(Strength == stLow) {}

  void Offer(std::int32_t Value, int Col, int Row) {
    if (Value > FBest) {
      // The old run's first cell is the earliest of what is now the next value.
      if (FRunLength > 0) FNextBest = FList[0];
      FBest = Value;
      FList[0] = {Value, Col, Row};
      FRunLength = 1;
    } else if (Value == FBest) {
      FList[FRunLength++] = {Value, Col, Row};
    } else if (Value > FNextBest.Score) {
      FNextBest = {Value, Col, Row};
    }
  }

  bool Empty() const { return FRunLength == 0; }
  // Offering a value no higher than this changes nothing that is read: below
  // the best when only the best run counts, up to the next lower value when
  // it is kept too. It never falls, so a value found ignorable stays
  // ignorable for the rest of the scan.
  std::int32_t IgnorableUpTo() const { return FKeepsNextBest ? FNextBest.Score : FBest - 1; }

  // How many leading entries the draw may pick from. The weakest opponent
  // may also pick the earliest cell of the next lower value, unless its best
  // cell completes five.
  int Eligible(TStrength Strength) {
    if (Strength == stLow && FNextBest.Score >= 0 && FBest <= WidestValueToWiden) {
      FList[FRunLength] = FNextBest;
      return FRunLength + 1;
    }
    return FRunLength;
  }

 private:
  TCandidate* FList;
  bool FKeepsNextBest;
  std::int32_t FBest = -1;
  int FRunLength = 0;
  TCandidate FNextBest = {-1, 0, 0};
};

struct TCellValues {
  std::int32_t Cross;
  std::int32_t Nought;
};

// At the top strength a side's four line scores add up; below it only the
// strongest line counts.
template <bool AddAllLines>
TCellValues ValueLines(const TLineBoards& Boards, const TLineScoreTable& Scores, int Col, int Row) {
  TCellValues Values = {0, 0};
  const auto AddLine = [&](THalfLineCodes Codes) {
    const TLineScore Line = Scores.Score(Codes.Left, Codes.Right);
    if constexpr (AddAllLines) {
      Values.Cross += Line.Cross;
      Values.Nought += Line.Nought;
    } else {
      Values.Cross = std::max(Values.Cross, Line.Cross);
      Values.Nought = std::max(Values.Nought, Line.Nought);
    }
  };
  AddLine(Boards.Codes(ldHorizontal, Col, Row));
  AddLine(Boards.Codes(ldVertical, Col, Row));
  AddLine(Boards.Codes(ldDiagonal, Col, Row));
  AddLine(Boards.Codes(ldAntiDiagonal, Col, Row));
  return Values;
}

TCellValues ValueLines(const TLineBoards& Boards, const TLineScoreTable& Scores, TStrength Strength, int Col, int Row) {
  return Strength == stHigh ? ValueLines<true>(Boards, Scores, Col, Row) : ValueLines<false>(Boards, Scores, Col, Row);
}

// A cell no pattern values is worth more the nearer it lies to the middle of
// the board; the value stays below the smallest pattern score.
int CentreValue(int Index, int Count) { return Count / 2 - std::abs(Index - Count / 2); }

// The rows whose own share of the centre value, Count / 2 - |row - Count / 2|,
// exceeds Floor: a run around the middle row.
std::uint64_t RowsWithCentreValueAbove(int Floor, int Count) {
  const int Middle = Count / 2;
  const int Spread = Middle - Floor - 1;
  if (Spread < 0) return 0;
  const int First = std::max(0, Middle - Spread);
  const int Last = std::min(Count - 1, Middle + Spread);
  return ((std::uint64_t{1} << (Last - First + 1)) - 1) << First;
}

}  // namespace

// Only cells with a mark near them along some line can score, unless the
// table values lines without marks. Every other cell is worth its centre
// value to both sides, and is looked at only when that value could still
// change the head of one of the lists. Once both lists hold values that no
// cell with few marks next to it along any line can reach, only the cells
// with two or more of one side's marks next to them along a line are valued.
TSelection SelectMove(const TBoardView& Board, int Turn, TStrength Strength, const TPattern* Patterns,
                      TCandidate* CrossList, TCandidate* NoughtList, const TRandomDraw& Draw) {
  std::optional<TLineScoreTable> OwnScores;
  const TLineScoreTable* Scores = StandardLineScoresFor(Patterns);
  if (Scores == nullptr) Scores = &OwnScores.emplace(Patterns);
  const TLineBoards Boards(Board);
  TListHead Crosses(CrossList, Strength);
  TListHead Noughts(NoughtList, Strength);
  const std::int32_t FewNearMarksCellMax = std::max((Strength == stHigh ? 4 : 1) * Scores->LineWithFewNearMarksMax(),
                                                    Board.ColCount / 2 + Board.RowCount / 2);
  for (int Col = 0; Col < Board.ColCount; ++Col) {
    const std::uint64_t Empty = Boards.EmptyRows(Col);
    const std::uint64_t CanScore = Scores->ScoresLinesWithoutMarks() ? Empty : Empty & Boards.RowsNearMarks(Col);
    const std::int32_t CrossIgnorable = Crosses.IgnorableUpTo();
    const std::int32_t NoughtIgnorable = Noughts.IgnorableUpTo();
    const std::uint64_t Valued =
        FewNearMarksCellMax <= std::min(CrossIgnorable, NoughtIgnorable)
            ? CanScore & (Boards.RowsWithTwoNearMarks(0, Col) | Boards.RowsWithTwoNearMarks(1, Col))
            : CanScore;
    const int ColCentreValue = CentreValue(Col, Board.ColCount);
    const int Ignorable = std::min(CrossIgnorable, NoughtIgnorable);
    const std::uint64_t WorthALook =
        Valued | (Empty & ~CanScore & RowsWithCentreValueAbove(Ignorable - ColCentreValue, Board.RowCount));
    for (std::uint64_t Rows = WorthALook; Rows != 0; Rows &= Rows - 1) {
      const int Row = std::countr_zero(Rows);
      const std::int32_t Centre = ColCentreValue + CentreValue(Row, Board.RowCount);
      TCellValues Values = {0, 0};
      if ((Valued >> Row) & 1) Values = ValueLines(Boards, *Scores, Strength, Col, Row);
      Crosses.Offer(Values.Cross != 0 ? Values.Cross : Centre, Col, Row);
      Noughts.Offer(Values.Nought != 0 ? Values.Nought : Centre, Col, Row);
    }
  }

  TSelection Selection;
  if (Crosses.Empty()) return Selection;
  Selection.Found = true;
  Selection.CrossEligible = Crosses.Eligible(Strength);
  Selection.NoughtEligible = Noughts.Eligible(Strength);
  Selection.CrossDraw = Draw() % Selection.CrossEligible;
  Selection.NoughtDraw = Draw() % Selection.NoughtEligible;

  // The side to move keeps its own cell on a tie: building comes before blocking.
  const TCandidate& Cross = CrossList[Selection.CrossDraw];
  const TCandidate& Nought = NoughtList[Selection.NoughtDraw];
  const bool CrossCellWins = Turn == 1 ? !(Cross.Score < Nought.Score) : Nought.Score < Cross.Score;
  const TCandidate& Chosen = CrossCellWins ? Cross : Nought;
  Selection.Col = Chosen.Col;
  Selection.Row = Chosen.Row;
  return Selection;
}

}  // namespace quintar
