// The search for wins by continuous fours on hand-made positions: it finds a
// win that needs two fours, claims none the defender's forced block refutes,
// keeps to the number of fours and positions it is given, and leaves the
// board as it found it.
#include <gtest/gtest.h>

#include <initializer_list>

#include "FourSearch.h"
#include "TestBoard.h"

namespace quintar::expert {
namespace {

constexpr int Crosses = 0;
constexpr int Noughts = 1;

struct TCell {
  int Col;
  int Row;
};

void Put(TTestBoard& Board, int Mark, std::initializer_list<TCell> Cells) {
  for (const TCell& Cell : Cells) Board.Put(Cell.Col, Cell.Row, Mark);
}

// Crosses on (2..4, 7), closed by a nought at (1, 7), and on (5, 4), (5, 5):
// (5, 7) makes a four along row 7 that only (6, 7) stops, and then (5, 6)
// makes an open four down column 5.
TTestBoard TwoFourWin() {
  TTestBoard Board(15, 15);
  Put(Board, 1, {{2, 7}, {3, 7}, {4, 7}, {5, 4}, {5, 5}});
  Put(Board, -1, {{1, 7}, {12, 1}, {12, 13}, {1, 13}});
  return Board;
}
const int WinningFour = TExpertBoard::IndexOf(5, 7);

// Runs one search on Board and checks that it leaves the board unchanged.
class FourSearchTest : public ::testing::Test {
 protected:
  int FindWin(const TTestBoard& Marks, int Side, int MaxFours, std::int64_t MaxNodes,
              TSearchBudget Budget = {0, 0, nullptr}) {
    FBoard.Load(Marks.View());
    const std::uint64_t Hash = FBoard.Hash();
    FClock.Start(Budget);
    const int Win = FSearch.FindWin(Side, MaxFours, MaxNodes);
    EXPECT_EQ(FBoard.Hash(), Hash);
    EXPECT_EQ(FBoard.Discrepancy(), "");
    return Win;
  }

  TExpertBoard FBoard;
  TSearchClock FClock;
  TFourSearch FSearch{FBoard, FClock};
};

TEST_F(FourSearchTest, FindsAWinThatNeedsTwoFours) {
  EXPECT_EQ(FindWin(TwoFourWin(), Crosses, 10, 0), WinningFour);
  EXPECT_EQ(FindWin(TwoFourWin(), Crosses, 2, 0), WinningFour);
  // Noughts have no four to start with.
  EXPECT_EQ(FindWin(TwoFourWin(), Noughts, 10, 0), TExpertBoard::NoCell);
}

TEST_F(FourSearchTest, NamesTheFiveWhenThereIsOne) {
  TTestBoard Board = TwoFourWin();
  Put(Board, 1, {{5, 7}});
  Put(Board, -1, {{9, 9}});
  EXPECT_EQ(FindWin(Board, Crosses, 1, 0), TExpertBoard::IndexOf(6, 7));
}

TEST_F(FourSearchTest, ClaimsNoWinTheForcedBlockRefutes) {
  // Noughts on (6, 8..10): the block at (6, 7) makes them an open four down
  // column 6, which wins before the crosses' open four can.
  TTestBoard Board = TwoFourWin();
  Put(Board, -1, {{6, 8}, {6, 9}, {6, 10}});
  Put(Board, 1, {{13, 3}, {10, 13}, {0, 0}});
  EXPECT_EQ(FindWin(Board, Crosses, 10, 0), TExpertBoard::NoCell);
  // Closing the noughts' column at the far end leaves them only a four, which
  // the crosses' next four blocks no better: (6, 6) is then their only move,
  // and it makes no four, so there is still no win.
  Put(Board, 1, {{6, 11}});
  EXPECT_EQ(FindWin(Board, Crosses, 10, 0), TExpertBoard::NoCell);
}

TEST_F(FourSearchTest, KeepsToTheFoursItIsGiven) {
  EXPECT_EQ(FindWin(TwoFourWin(), Crosses, 1, 0), TExpertBoard::NoCell);
  EXPECT_EQ(FindWin(TwoFourWin(), Crosses, 0, 0), TExpertBoard::NoCell);
}

// Crosses on (1..3, Row) closed by a nought at (0, Row) on every third row:
// two fours in each row, and none of them leads anywhere.
TTestBoard ManyFoursNoWin() {
  TTestBoard Board(15, 15);
  for (int Row = 1; Row < 15; Row += 3) {
    Put(Board, 1, {{1, Row}, {2, Row}, {3, Row}});
    Put(Board, -1, {{0, Row}});
  }
  Put(Board, -1, {{14, 0}, {14, 6}, {14, 12}, {10, 14}, {9, 0}, {8, 8}, {12, 4}, {11, 10}, {9, 13}, {13, 8}});
  return Board;
}

TEST_F(FourSearchTest, KeepsToItsNodeLimit) {
  ASSERT_EQ(FindWin(ManyFoursNoWin(), Crosses, 10, 0), TExpertBoard::NoCell);
  const std::int64_t Unlimited = FClock.Nodes();
  ASSERT_GT(Unlimited, 100);
  EXPECT_EQ(FindWin(ManyFoursNoWin(), Crosses, 10, 40), TExpertBoard::NoCell);
  EXPECT_LE(FClock.Nodes(), 40);
  // The same search repeats node for node.
  FindWin(ManyFoursNoWin(), Crosses, 10, 0);
  EXPECT_EQ(FClock.Nodes(), Unlimited);
  // The two-four win costs one position: the first four played.
  EXPECT_EQ(FindWin(TwoFourWin(), Crosses, 10, 1), WinningFour);
  EXPECT_EQ(FClock.Nodes(), 1);
}

TEST_F(FourSearchTest, KeepsToTheClocksBudget) {
  EXPECT_EQ(FindWin(ManyFoursNoWin(), Crosses, 10, 0, {0, 30, nullptr}), TExpertBoard::NoCell);
  EXPECT_LE(FClock.Nodes(), 30);
  EXPECT_TRUE(FClock.Spent());
}

}  // namespace
}  // namespace quintar::expert
