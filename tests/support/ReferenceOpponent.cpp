#include "ReferenceOpponent.h"

#include <cstdlib>
#include <utility>

namespace quintar::reference {
namespace {

constexpr std::int32_t EndMarker = -1;

// Above this a best value can only mean completing five; such a list is never
// widened at the lowest strength.
constexpr std::int32_t WidestValueToWiden = 546100;

// How far one step along each line moves, in columns and in rows.
constexpr int LineColStep[LineCount] = {1, 0, 1, 1};
constexpr int LineRowStep[LineCount] = {0, 1, 1, -1};

bool OnBoard(const TBoardView& Board, int Col, int Row) {
  return Col >= 0 && Col < Board.ColCount && Row >= 0 && Row < Board.RowCount;
}

// At the top strength every line counts. Below it only the strongest line
// does: the first line that scores at least as much as each of the others
// keeps its score and the others are cleared.
std::int32_t CombineLines(const std::int32_t (&Lines)[LineCount], TStrength Strength) {
  if (Strength == stHigh) return Lines[0] + Lines[1] + Lines[2] + Lines[3];
  int Strongest = 0;
  for (int Line = 1; Line < LineCount; ++Line)
    if (Lines[Line] > Lines[Strongest]) Strongest = Line;
  return Lines[Strongest];
}

// A cell no pattern values is worth more the nearer it lies to the middle of
// the board; the value stays below the smallest pattern score.
std::int32_t CentreValue(const TBoardView& Board, int Col, int Row) {
  const int HalfCols = Board.ColCount / 2;
  const int HalfRows = Board.RowCount / 2;
  return HalfCols - std::abs(Col - HalfCols) + HalfRows - std::abs(Row - HalfRows);
}

std::int32_t TotalOrCentreValue(const std::int32_t (&Lines)[LineCount], TStrength Strength, const TBoardView& Board,
                                int Col, int Row) {
  const std::int32_t Total = CombineLines(Lines, Strength);
  return Total != 0 ? Total : CentreValue(Board, Col, Row);
}

void PlaceEndMarkers(TCandidate* CrossList, TCandidate* NoughtList, int CellCount) {
  for (int I = 0; I <= CellCount; ++I) {
    CrossList[I].Score = EndMarker;
    NoughtList[I].Score = EndMarker;
  }
}

// Values every empty cell for both sides, column by column and each column
// from row 0 down, and returns how many cells it listed.
int ValueEmptyCells(const TBoardView& Board, TStrength Strength, const TPattern* Patterns, TCandidate* CrossList,
                    TCandidate* NoughtList) {
  int Count = 0;
  for (int Col = 0; Col < Board.ColCount; ++Col) {
    for (int Row = 0; Row < Board.RowCount; ++Row) {
      if (Board.Cells[Col][Row] != 0) continue;
      const TLineScores Lines = ScoreLines(Board, Patterns, Col, Row);
      CrossList[Count] = {TotalOrCentreValue(Lines.Cross, Strength, Board, Col, Row), Col, Row};
      NoughtList[Count] = {TotalOrCentreValue(Lines.Nought, Strength, Board, Col, Row), Col, Row};
      ++Count;
    }
  }
  return Count;
}

// Exchange sort, best value first. Only strictly smaller values move down, so
// equal values keep their scan order. Both lists are passed over together
// until a pass changes neither.
void SortBestFirst(TCandidate* CrossList, TCandidate* NoughtList, int Count) {
  bool Swapped = true;
  while (Swapped) {
    Swapped = false;
    for (int M = 0; M + 1 < Count; ++M) {
      if (CrossList[M].Score < CrossList[M + 1].Score) {
        std::swap(CrossList[M], CrossList[M + 1]);
        Swapped = true;
      }
      if (NoughtList[M].Score < NoughtList[M + 1].Score) {
        std::swap(NoughtList[M], NoughtList[M + 1]);
        Swapped = true;
      }
    }
  }
}

// How many leading entries share the best value; the end marker stops the run.
int BestRunLength(const TCandidate* List) {
  int Length = 1;
  while (List[Length].Score == List[Length - 1].Score) ++Length;
  return Length;
}

// The weakest opponent may also pick the earliest cell of the next lower
// value, unless its best cell completes five.
int WidenedForLowStrength(const TCandidate* List, int RunLength) {
  if (List[RunLength].Score != EndMarker && List[0].Score <= WidestValueToWiden) return RunLength + 1;
  return RunLength;
}

int RandomIndexBelow(int Bound, const TRandomDraw& Draw) { return Bound == 0 ? 0 : Draw() % Bound; }

}  // namespace

// Each line ends with the score of the last row that matches along it for the
// side, so a later row replaces an earlier one. Every window cell is visited;
// one beyond the edge fails the row for both sides.
TLineScores ScoreLines(const TBoardView& Board, const TPattern* Patterns, int Col, int Row) {
  TLineScores Scores;
  for (int P = 0; P < PatternCount; ++P) {
    const TPattern& Pattern = Patterns[P];
    for (int Line = 0; Line < LineCount; ++Line) {
      bool CrossMatches = true;
      bool NoughtMatches = true;
      for (int D = Pattern.Lo; D <= Pattern.Hi; ++D) {
        const int Wanted = Pattern.Cells[D - Pattern.Lo];
        const int C = Col + D * LineColStep[Line];
        const int R = Row + D * LineRowStep[Line];
        if (!OnBoard(Board, C, R)) {
          CrossMatches = NoughtMatches = false;
        } else {
          CrossMatches = CrossMatches && Board.Cells[C][R] == Wanted;
          NoughtMatches = NoughtMatches && Board.Cells[C][R] == -Wanted;
        }
      }
      if (CrossMatches) Scores.Cross[Line] = Pattern.Score;
      if (NoughtMatches) Scores.Nought[Line] = Pattern.Score;
    }
  }
  return Scores;
}

TRanking RankCells(const TBoardView& Board, TStrength Strength, const TPattern* Patterns, TCandidate* CrossList,
                   TCandidate* NoughtList) {
  PlaceEndMarkers(CrossList, NoughtList, Board.ColCount * Board.RowCount);
  const int Count = ValueEmptyCells(Board, Strength, Patterns, CrossList, NoughtList);
  // With no empty cell the best run would never meet a real value and would
  // read past the lists, so nothing is ranked.
  TRanking Ranking;
  if (Count == 0) return Ranking;

  SortBestFirst(CrossList, NoughtList, Count);
  Ranking.Found = true;
  Ranking.CrossEligible = BestRunLength(CrossList);
  Ranking.NoughtEligible = BestRunLength(NoughtList);
  if (Strength == stLow) {
    Ranking.CrossEligible = WidenedForLowStrength(CrossList, Ranking.CrossEligible);
    Ranking.NoughtEligible = WidenedForLowStrength(NoughtList, Ranking.NoughtEligible);
  }
  return Ranking;
}

TSelection ChooseFromRanking(const TRanking& Ranking, int Turn, const TCandidate* CrossList,
                             const TCandidate* NoughtList, const TRandomDraw& Draw) {
  TSelection Selection;
  if (!Ranking.Found) return Selection;
  Selection.Found = true;
  Selection.CrossEligible = Ranking.CrossEligible;
  Selection.NoughtEligible = Ranking.NoughtEligible;
  Selection.CrossDraw = RandomIndexBelow(Selection.CrossEligible, Draw);
  Selection.NoughtDraw = RandomIndexBelow(Selection.NoughtEligible, Draw);

  // The side to move keeps its own cell on a tie: building comes before blocking.
  const TCandidate& Cross = CrossList[Selection.CrossDraw];
  const TCandidate& Nought = NoughtList[Selection.NoughtDraw];
  const bool CrossCellWins = Turn == 1 ? !(Cross.Score < Nought.Score) : Nought.Score < Cross.Score;
  const TCandidate& Chosen = CrossCellWins ? Cross : Nought;
  Selection.Col = Chosen.Col;
  Selection.Row = Chosen.Row;
  return Selection;
}

TSelection SelectMove(const TBoardView& Board, int Turn, TStrength Strength, const TPattern* Patterns,
                      TCandidate* CrossList, TCandidate* NoughtList, const TRandomDraw& Draw) {
  const TRanking Ranking = RankCells(Board, Strength, Patterns, CrossList, NoughtList);
  return ChooseFromRanking(Ranking, Turn, CrossList, NoughtList, Draw);
}

}  // namespace quintar::reference
