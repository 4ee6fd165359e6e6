// A board's marks laid out as bit rows along each of the four line
// directions, so that the four cells on either side of any cell along any of
// its lines come out of one shift, and so that whole columns can be tested
// for empty cells and for cells near a mark at once.
#pragma once

#include <cstdint>

#include "LineScores.h"
#include "Opponent.h"

namespace quintar {

enum TLineDirection { ldHorizontal, ldVertical, ldDiagonal, ldAntiDiagonal, LineDirectionCount };

struct THalfLineCodes {
  unsigned Left;
  unsigned Right;
};

class TLineBoards {
 public:
  explicit TLineBoards(const TBoardView& Board);

  // Bit Row is set for each empty cell of column Col.
  std::uint64_t EmptyRows(int Col) const { return FEmptyRows[Col]; }
  // Bit Row is set for each cell of column Col that has a mark within four
  // steps along one of its lines; every other cell sees only empty cells and
  // edges along all its lines.
  std::uint64_t RowsNearMarks(int Col) const { return FRowsNearMarks[Col]; }
  // Bit Row is set for each cell of column Col that has, along one of its
  // lines, two or more marks of Side (0 crosses, 1 noughts) among the four
  // cells next to it (two each way).
  std::uint64_t RowsWithTwoNearMarks(int Side, int Col) const;

  // The half-line codes of the cell (Col, Row) along Direction.
  THalfLineCodes Codes(TLineDirection Direction, int Col, int Row) const {
    const int Line = LineThrough(Direction, Col, Row);
    const int Position = Direction == ldVertical ? Row : Col;
    const std::uint64_t Crosses = FCrosses[Direction][Line] >> Position;
    const std::uint64_t Noughts = FNoughts[Direction][Line] >> Position;
    return {static_cast<unsigned>((Crosses & 15u) | (Noughts & 15u) << 4),
            static_cast<unsigned>((Crosses >> 5 & 15u) | (Noughts >> 5 & 15u) << 4)};
  }

 private:
  // Lines are numbered by row, by column, by column minus row (shifted to
  // start at 0) and by column plus row; along each, a cell's position is its
  // row on vertical lines and its column on all others.
  int LineThrough(TLineDirection Direction, int Col, int Row) const {
    return Direction == ldHorizontal ? Row
           : Direction == ldVertical ? Col
           : Direction == ldDiagonal ? Col - Row + FRowCount - 1
                                     : Col + Row;
  }
  static constexpr int MaxLines = 2 * MaxBoardSide - 1;
  using TLines = std::uint64_t[LineDirectionCount][MaxLines];

  void BuildWalls();
  void AddColumn(int Col, std::uint64_t Rows, TLines& Lines);
  void FindEmptyRowsAndRowsNearMarks();

  // Four cells of wall on both sides of the board, as the deepest pattern
  // window reaches four cells past a candidate.
  static constexpr int Margin = 4;

  int FColCount;
  int FRowCount;
  // Position p of a line sits at bit p + Margin; a position off the board has
  // its bit set in both, so it spoils every window for either side.
  TLines FCrosses;
  TLines FNoughts;
  // Marks of each column by row, with Margin empty columns on both sides:
  // both sides' together, and each side's.
  std::uint64_t FMarks[MaxBoardSide + 2 * Margin];
  std::uint64_t FSideMarks[2][MaxBoardSide + 2 * Margin];
  std::uint64_t FEmptyRows[MaxBoardSide];
  std::uint64_t FRowsNearMarks[MaxBoardSide];
};

}  // namespace quintar
