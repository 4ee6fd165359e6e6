#include "LineBoards.h"

#include <algorithm>
#include <bit>

namespace quintar {
namespace {

// Every bit of a line's row except those of positions First..Last.
std::uint64_t WallOutside(int First, int Last, int Margin) {
  const std::uint64_t OnBoard = (std::uint64_t{1} << (Last - First + 1)) - 1;
  return ~(OnBoard << (First + Margin));
}

// Marks are few on most boards, so a block of eight cells is first tested
// for any mark at once and only looked at cell by cell when it holds one.
constexpr int BlockRows = 8;

bool BlockHasMark(const int* Cells) {
  int Any = 0;
  for (int Row = 0; Row < BlockRows; ++Row) Any |= Cells[Row];
  return Any != 0;
}

void AddMarks(const int* Cells, int First, int Last, std::uint64_t& Crosses, std::uint64_t& Noughts) {
  for (int Row = First; Row < Last; ++Row) {
    Crosses |= std::uint64_t{Cells[Row] == 1} << Row;
    Noughts |= std::uint64_t{Cells[Row] == -1} << Row;
  }
}

}  // namespace

TLineBoards::TLineBoards(const TBoardView& Board) : FColCount(Board.ColCount), FRowCount(Board.RowCount) {
  BuildWalls();
  std::fill(std::begin(FMarks), std::end(FMarks), 0);
  std::fill(&FSideMarks[0][0], &FSideMarks[0][0] + 2 * (MaxBoardSide + 2 * Margin), 0);
  for (int Col = 0; Col < FColCount; ++Col) {
    const int* Cells = Board.Cells[Col];
    std::uint64_t Crosses = 0;
    std::uint64_t Noughts = 0;
    int Row = 0;
    for (; Row + BlockRows <= FRowCount; Row += BlockRows)
      if (BlockHasMark(Cells + Row)) AddMarks(Cells, Row, Row + BlockRows, Crosses, Noughts);
    AddMarks(Cells, Row, FRowCount, Crosses, Noughts);
    AddColumn(Col, Crosses, FCrosses);
    AddColumn(Col, Noughts, FNoughts);
    FMarks[Col + Margin] = Crosses | Noughts;
    FSideMarks[0][Col + Margin] = Crosses;
    FSideMarks[1][Col + Margin] = Noughts;
  }
  FindEmptyRowsAndRowsNearMarks();
}

void TLineBoards::BuildWalls() {
  const int LastCol = FColCount - 1;
  const int LastRow = FRowCount - 1;
  for (int Row = 0; Row < FRowCount; ++Row) FCrosses[ldHorizontal][Row] = WallOutside(0, LastCol, Margin);
  for (int Col = 0; Col < FColCount; ++Col) FCrosses[ldVertical][Col] = WallOutside(0, LastRow, Margin);
  for (int Line = 0; Line < FColCount + FRowCount - 1; ++Line) {
    const int ColMinusRow = Line - LastRow;
    FCrosses[ldDiagonal][Line] =
        WallOutside(std::max(0, ColMinusRow), std::min(LastCol, LastRow + ColMinusRow), Margin);
    const int ColPlusRow = Line;
    FCrosses[ldAntiDiagonal][Line] =
        WallOutside(std::max(0, ColPlusRow - LastRow), std::min(LastCol, ColPlusRow), Margin);
  }
  const int LineCounts[LineDirectionCount] = {FRowCount, FColCount, FColCount + FRowCount - 1,
                                              FColCount + FRowCount - 1};
  for (int Direction = 0; Direction < LineDirectionCount; ++Direction)
    std::copy_n(FCrosses[Direction], LineCounts[Direction], FNoughts[Direction]);
}

// A column's marks go into its vertical line at once and, one by one, into
// the other lines through them.
void TLineBoards::AddColumn(int Col, std::uint64_t Rows, TLines& Lines) {
  Lines[ldVertical][Col] |= Rows << Margin;
  const std::uint64_t Bit = std::uint64_t{1} << (Col + Margin);
  for (; Rows != 0; Rows &= Rows - 1) {
    const int Row = std::countr_zero(Rows);
    Lines[ldHorizontal][Row] |= Bit;
    Lines[ldDiagonal][LineThrough(ldDiagonal, Col, Row)] |= Bit;
    Lines[ldAntiDiagonal][LineThrough(ldAntiDiagonal, Col, Row)] |= Bit;
  }
}

// The cell (c, r) sees the cell k steps along a line (dc, dr) at row r of
// column c + k dc shifted by k dr. Two or more of four masks: any two of
// them overlap.
std::uint64_t TLineBoards::RowsWithTwoNearMarks(int Side, int Col) const {
  static constexpr int Steps[LineDirectionCount][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  const std::uint64_t* Marks = FSideMarks[Side] + Col + Margin;
  const auto Seen = [&](const int(&Step)[2], int K) {
    const std::uint64_t Column = Marks[K * Step[0]];
    const int Shift = K * Step[1];
    return Shift >= 0 ? Column >> Shift : Column << -Shift;
  };
  std::uint64_t Rows = 0;
  for (const auto& Step : Steps) {
    const std::uint64_t A = Seen(Step, -2), B = Seen(Step, -1), C = Seen(Step, 1), D = Seen(Step, 2);
    Rows |= ((A | B) & (C | D)) | (A & B) | (C & D);
  }
  return Rows & ((std::uint64_t{1} << FRowCount) - 1);
}

// A cell (c, r) is near a mark k steps away when column c holds a mark at
// row r +- k, or column c +- k holds one at row r, r + k or r - k.
void TLineBoards::FindEmptyRowsAndRowsNearMarks() {
  const std::uint64_t AllRows = (std::uint64_t{1} << FRowCount) - 1;
  for (int Col = 0; Col < FColCount; ++Col) {
    const std::uint64_t* Marks = FMarks + Col + Margin;
    std::uint64_t Near = 0;
    for (int Step = 1; Step <= Margin; ++Step) {
      const std::uint64_t Before = Marks[-Step];
      const std::uint64_t After = Marks[Step];
      Near |= Marks[0] << Step | Marks[0] >> Step;
      Near |= Before | Before << Step | Before >> Step;
      Near |= After | After << Step | After >> Step;
    }
    FRowsNearMarks[Col] = Near & AllRows;
    FEmptyRows[Col] = ~Marks[0] & AllRows;
  }
}

}  // namespace quintar
