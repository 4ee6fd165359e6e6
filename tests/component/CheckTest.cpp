// The referee: which fives are found, which cells are recorded, and when the
// game ends in a draw.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "EventLog.h"
#include "Quintar.h"
#include "QuintarAccess.h"

namespace quintar {
namespace {

using testing::TEventLog;
using testing::TNames;
using TCells = std::array<vcl::TPoint, 5>;

class Referee : public ::testing::Test {
 protected:
  void Put(int Mark, std::initializer_list<vcl::TPoint> Cells) {
    for (const vcl::TPoint Cell : Cells) TQuintarAccess::SetCell(Control, Cell.X, Cell.Y, Mark);
  }
  TQuintar Control{nullptr};
};

TEST_F(Referee, FiveReachedAtTheMarkOrAtTheFarEndRecordsTheSameCells) {
  const TCells Expected = {{{7, 9}, {6, 9}, {5, 9}, {4, 9}, {3, 9}}};
  Put(1, {{3, 9}, {4, 9}, {5, 9}, {6, 9}, {7, 9}});
  EXPECT_TRUE(Control.Check(7, 9));
  EXPECT_EQ(Control.WinCells(), Expected);
  Control.NewGame();
  Put(1, {{3, 9}, {4, 9}, {5, 9}, {6, 9}, {7, 9}});
  EXPECT_TRUE(Control.Check(3, 9));
  EXPECT_EQ(Control.WinCells(), Expected);
}

TEST_F(Referee, OverlineWinsWithTheFirstFiveMet) {
  Put(1, {{2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}});
  EXPECT_TRUE(Control.Check(4, 0));
  EXPECT_EQ(Control.WinCells(), (TCells{{{6, 0}, {5, 0}, {4, 0}, {3, 0}, {2, 0}}}));
  EXPECT_TRUE(Control.GameOver());
}

TEST_F(Referee, AntiDiagonalNoughtsRaiseOnlyNoughtWon) {
  TEventLog Log(Control);
  Put(-1, {{10, 14}, {11, 13}, {12, 12}, {13, 11}, {14, 10}});
  EXPECT_TRUE(Control.Check(14, 10));
  EXPECT_EQ(Log.Take(), (TNames{"NoughtWon"}));
  EXPECT_EQ(Control.WinCells(), (TCells{{{14, 10}, {13, 11}, {12, 12}, {11, 13}, {10, 14}}}));
}

TEST_F(Referee, TwoLinesAtTheSameOffsetRecordTheHorizontal) {
  TEventLog Log(Control);
  Put(1, {{6, 10}, {7, 10}, {8, 10}, {9, 10}, {10, 6}, {10, 7}, {10, 8}, {10, 9}, {10, 10}});
  EXPECT_TRUE(Control.Check(10, 10));
  EXPECT_EQ(Control.WinCells()[4], (vcl::TPoint{6, 10}));
  EXPECT_EQ(Log.Take(), (TNames{"CrossWon"}));  // one line, one event
}

TEST_F(Referee, TheLineCompletedAtTheLowerOffsetIsRecorded) {
  Put(1, {{10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 10}, {10, 8}, {10, 9}, {10, 11}, {10, 12}});
  EXPECT_TRUE(Control.Check(10, 10));
  EXPECT_EQ(Control.WinCells(), (TCells{{{10, 12}, {10, 11}, {10, 10}, {10, 9}, {10, 8}}}));
}

TEST_F(Referee, LinesEndAtTheEdgeOfTheBoard) {
  // Corner: only the lines that stay on the board can hold five.
  Put(1, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}});
  EXPECT_TRUE(Control.Check(0, 0));
  Control.NewGame();
  // Four on the board and the fifth would be beyond the edge.
  Put(1, {{16, 5}, {17, 5}, {18, 5}, {19, 5}});
  EXPECT_FALSE(Control.Check(19, 5));
  Put(1, {{0, 16}, {0, 17}, {0, 18}, {0, 19}});
  EXPECT_FALSE(Control.Check(0, 19));
  EXPECT_FALSE(Control.GameOver());
}

TEST_F(Referee, AFiveThatMissesTheCellIsNotFound) {
  Put(1, {{0, 3}});
  Put(-1, {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}});
  EXPECT_FALSE(Control.Check(0, 3));
  EXPECT_FALSE(Control.GameOver());
}

TEST_F(Referee, RunsAreNotJoinedAcrossAnEmptyCellOrTheOtherSide) {
  Put(1, {{3, 3}, {4, 3}, {6, 3}, {7, 3}, {8, 3}});
  EXPECT_FALSE(Control.Check(4, 3));
  Put(-1, {{5, 3}});
  EXPECT_FALSE(Control.Check(5, 3));
  EXPECT_FALSE(Control.Check(8, 3));
}

TEST_F(Referee, SmallBoardsOnlyHaveTheirOwnCells) {
  Control.SetColCount(5);
  Control.SetRowCount(5);
  Put(1, {{4, 0}, {3, 1}, {2, 2}, {1, 3}, {0, 4}});
  EXPECT_TRUE(Control.Check(2, 2));
  EXPECT_EQ(Control.WinCells()[0], (vcl::TPoint{4, 0}));
}

class FullBoard : public Referee {
 protected:
  // Fills a 5 x 5 board without five: rows of alternating marks, shifted so
  // that no column or diagonal is uniform either.
  void FillWithoutFive() {
    Control.SetColCount(5);
    Control.SetRowCount(5);
    const char* Rows[5] = {"XOXOX", "XOXOX", "OXOXO", "OXOXO", "XOXOX"};
    for (int Row = 0; Row < 5; ++Row)
      for (int Col = 0; Col < 5; ++Col) TQuintarAccess::SetCell(Control, Col, Row, Rows[Row][Col] == 'X' ? 1 : -1);
  }
};

TEST_F(FullBoard, LastCellWithoutFiveIsADrawAndDoesNotRedraw) {
  FillWithoutFive();
  Control.Repaint();
  vcl::TCanvasRecorder Recorder;
  Control.Canvas().SetObserver(&Recorder);
  TEventLog Log(Control);
  EXPECT_FALSE(Control.Check(2, 2));
  EXPECT_TRUE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
  EXPECT_EQ(Log.Take(), (TNames{"Draw"}));
  EXPECT_TRUE(Recorder.Calls().empty());
}

TEST_F(FullBoard, LastCellWithFiveIsAWinNotADraw) {
  FillWithoutFive();
  Put(1, {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}});
  TEventLog Log(Control);
  EXPECT_TRUE(Control.Check(4, 2));
  EXPECT_TRUE(Control.GameOver());
  EXPECT_TRUE(Control.WinFound());
  EXPECT_EQ(Log.Take(), (TNames{"CrossWon"}));
}

TEST_F(FullBoard, OneEmptyCellLeftChangesNothing) {
  FillWithoutFive();
  Put(0, {{4, 4}});
  TEventLog Log(Control);
  EXPECT_FALSE(Control.Check(2, 2));
  EXPECT_FALSE(Control.GameOver());
  EXPECT_TRUE(Log.Names().empty());
}

TEST_F(Referee, WinIsDrawnBeforeTheHandlerRuns) {
  Control.Repaint();
  Put(1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}});
  vcl::TCanvasRecorder Recorder;
  Control.Canvas().SetObserver(&Recorder);
  size_t CallsWhenRaised = 0;
  Control.OnCrossWon = [&](vcl::TObject*) { CallsWhenRaised = Recorder.Calls().size(); };
  EXPECT_TRUE(Control.Check(5, 1));
  EXPECT_GT(CallsWhenRaised, 0u);
  // Every cross of the five is drawn in the winning colour.
  int WinningStrokes = 0;
  for (const vcl::TCanvasCall& Call : Recorder.Calls())
    WinningStrokes += Call.Operation == vcl::TCanvasOperation::LineTo && Call.PenColor == vcl::clYellow;
  EXPECT_EQ(WinningStrokes, 10);
}

}  // namespace
}  // namespace quintar
