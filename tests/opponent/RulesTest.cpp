// Five through a cell: runs of five and six in every direction through every
// one of their cells, a four that is not enough, a run broken by the other
// side or by the board's edge, and cells off the board or empty.
#include <gtest/gtest.h>

#include "Rules.h"
#include "TestBoard.h"

namespace quintar {
namespace {

struct TDirection {
  int ColStep;
  int RowStep;
  const char* Name;
};

constexpr TDirection Directions[] = {{1, 0, "row"}, {0, 1, "column"}, {1, 1, "diagonal"}, {1, -1, "anti-diagonal"}};

// Length marks of Mark from (Col, Row) on, Step by Step.
void PutRun(TTestBoard& Board, int Col, int Row, const TDirection& Step, int Length, int Mark) {
  for (int I = 0; I < Length; ++I) Board.Put(Col + I * Step.ColStep, Row + I * Step.RowStep, Mark);
}

TEST(FiveThrough, RunsOfFiveAndSixCountThroughEachOfTheirCells) {
  for (const TDirection& Step : Directions) {
    for (const int Length : {5, 6}) {
      for (const int Mark : {1, -1}) {
        TTestBoard Board(12, 12);
        // Runs that climb start low enough to stay on the board.
        const int FirstRow = Step.RowStep < 0 ? 10 : 4;
        PutRun(Board, 3, FirstRow, Step, Length, Mark);
        for (int I = 0; I < Length; ++I)
          EXPECT_TRUE(FiveThrough(Board.View(), 3 + I * Step.ColStep, FirstRow + I * Step.RowStep))
              << Step.Name << " of " << Length << " for " << Mark << " at cell " << I;
      }
    }
  }
}

TEST(FiveThrough, FourIsNotEnoughEvenWithTheOtherSideBeyondIt) {
  for (const TDirection& Step : Directions) {
    TTestBoard Board(12, 12);
    const int Row = Step.RowStep < 0 ? 9 : 2;
    PutRun(Board, 2, Row, Step, 4, 1);
    // The next cell along holds a nought, and a cross follows it.
    Board.Put(2 + 4 * Step.ColStep, Row + 4 * Step.RowStep, -1);
    Board.Put(2 + 5 * Step.ColStep, Row + 5 * Step.RowStep, 1);
    for (int I = 0; I < 4; ++I)
      EXPECT_FALSE(FiveThrough(Board.View(), 2 + I * Step.ColStep, Row + I * Step.RowStep))
          << Step.Name << " cell " << I;
    EXPECT_FALSE(FiveThrough(Board.View(), 2 + 4 * Step.ColStep, Row + 4 * Step.RowStep)) << Step.Name;
  }
}

TEST(FiveThrough, TheBoardEndsALineWhateverLiesBeyondIt) {
  // Four crosses reaching the last column and row, and a fifth in storage
  // just past each edge where a board of this size has no cell.
  TTestBoard Board(8, 6);
  PutRun(Board, 4, 0, Directions[0], 5, 1);   // columns 4..8: the last is off the board
  PutRun(Board, 0, 2, Directions[1], 5, -1);  // rows 2..6: the last is off the board
  EXPECT_FALSE(FiveThrough(Board.View(), 7, 0));
  EXPECT_FALSE(FiveThrough(Board.View(), 0, 5));
  // Rows do not run on into the next column.
  TTestBoard Wrap(8, 6);
  PutRun(Wrap, 3, 3, Directions[1], 3, 1);  // rows 3..5 of column 3
  PutRun(Wrap, 4, 0, Directions[1], 2, 1);  // rows 0..1 of column 4
  EXPECT_FALSE(FiveThrough(Wrap.View(), 3, 5));
  EXPECT_FALSE(FiveThrough(Wrap.View(), 4, 0));
}

TEST(FiveThrough, CellsOffTheBoardOrEmptyHaveNoFive) {
  TTestBoard Board(10, 7);
  PutRun(Board, 0, 0, Directions[0], 10, 1);
  EXPECT_TRUE(FiveThrough(Board.View(), 9, 0));
  const int OffBoard[][2] = {{-1, 0}, {10, 0}, {0, -1}, {0, 7}, {-5, -5}, {MaxBoardSide, 0}, {1000, 1000}};
  for (const auto& Cell : OffBoard)
    EXPECT_FALSE(FiveThrough(Board.View(), Cell[0], Cell[1])) << Cell[0] << "," << Cell[1];
  // An empty cell amid empty cells is no five of "nobody".
  EXPECT_FALSE(FiveThrough(Board.View(), 5, 4));
}

}  // namespace
}  // namespace quintar
