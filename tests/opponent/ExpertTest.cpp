// The expert on hand-built positions whose answer can be worked out on paper:
// it completes five, blocks the opponent's five, wins by continuous fours,
// never names a taken or off-board cell, stays within its node budget, and
// repeats itself for a seed.
#include <gtest/gtest.h>

#include <atomic>
#include <initializer_list>
#include <random>

#include "Expert.h"
#include "Level.h"
#include "RandomPositions.h"
#include "TestBoard.h"

namespace quintar {
namespace {

constexpr int Cross = 1;
constexpr int Nought = -1;

struct TCell {
  int Col;
  int Row;
};

// A budget the tests can count on: positions only, never time.
constexpr TSearchBudget Positions(std::int64_t Nodes) { return {0, Nodes, nullptr}; }

void Put(TTestBoard& Board, int Mark, std::initializer_list<TCell> Cells) {
  for (const TCell& Cell : Cells) Board.Put(Cell.Col, Cell.Row, Mark);
}

TExpertChoice Choose(const TTestBoard& Board, int Turn, std::int64_t Nodes = 20000, std::uint64_t Seed = 0) {
  TExpertSearch Search(Seed);
  return Search.Choose(Board.View(), Turn, Positions(Nodes));
}

void ExpectCell(const TExpertChoice& Choice, TCell Expected) {
  ASSERT_TRUE(Choice.Found);
  EXPECT_EQ(Choice.Col, Expected.Col);
  EXPECT_EQ(Choice.Row, Expected.Row);
}

TEST(ExpertFive, CompletesFiveAlongEveryKindOfLine) {
  // Horizontal, one end closed by a nought.
  TTestBoard Row(15, 15);
  Put(Row, Cross, {{5, 7}, {6, 7}, {7, 7}, {8, 7}});
  Put(Row, Nought, {{4, 7}, {1, 1}, {13, 2}, {2, 12}});
  ExpectCell(Choose(Row, Cross), {9, 7});
  // Diagonal into the corner, the far end closed.
  TTestBoard Corner(20, 20);
  Put(Corner, Cross, {{1, 1}, {2, 2}, {3, 3}, {4, 4}});
  Put(Corner, Nought, {{5, 5}, {10, 2}, {15, 15}, {2, 17}});
  ExpectCell(Choose(Corner, Cross), {0, 0});
  // Vertical across the whole height of a flat board.
  TTestBoard Flat(50, 5);
  Put(Flat, Nought, {{30, 0}, {30, 1}, {30, 3}, {30, 4}});
  Put(Flat, Cross, {{10, 2}, {20, 2}, {40, 0}, {45, 4}, {49, 2}});
  ExpectCell(Choose(Flat, Nought), {30, 2});
  // Anti-diagonal at the far corner of the largest board.
  TTestBoard Large(50, 50);
  Put(Large, Nought, {{45, 4}, {46, 3}, {47, 2}, {48, 1}});
  Put(Large, Cross, {{44, 5}, {10, 10}, {20, 30}, {3, 40}, {25, 25}});
  ExpectCell(Choose(Large, Nought), {49, 0});
}

TEST(ExpertFive, AnOverlineWins) {
  // The only cell that completes a line makes six in a row along the top edge.
  TTestBoard Board(12, 9);
  Put(Board, Cross, {{0, 0}, {1, 0}, {2, 0}, {4, 0}, {5, 0}});
  Put(Board, Nought, {{6, 0}, {3, 4}, {8, 6}, {10, 2}, {1, 7}});
  const TExpertChoice Choice = Choose(Board, Cross);
  ExpectCell(Choice, {3, 0});
  EXPECT_TRUE(Choice.ForcedWin);
}

TEST(ExpertFive, WinsRatherThanBlocks) {
  TTestBoard Board(20, 20);
  Put(Board, Cross, {{10, 10}, {10, 11}, {10, 12}, {10, 13}, {11, 14}});
  Put(Board, Nought, {{2, 5}, {3, 5}, {4, 5}, {5, 5}, {10, 9}});
  ExpectCell(Choose(Board, Cross), {10, 14});
  // The same for noughts, whose four is closed at one end.
  Put(Board, Cross, {{1, 5}});
  ExpectCell(Choose(Board, Nought), {6, 5});
}

TEST(ExpertBlock, StopsTheOpponentsOnlyFiveCell) {
  // A broken four down a column of a narrow board.
  TTestBoard Narrow(7, 20);
  Put(Narrow, Nought, {{3, 2}, {3, 3}, {3, 5}, {3, 6}});
  Put(Narrow, Cross, {{0, 10}, {6, 15}, {1, 18}, {5, 12}});
  ExpectCell(Choose(Narrow, Cross), {3, 4});
  // A four closed at one end that runs into a corner.
  TTestBoard Large(50, 50);
  Put(Large, Nought, {{45, 4}, {46, 3}, {47, 2}, {48, 1}, {30, 30}});
  Put(Large, Cross, {{44, 5}, {10, 10}, {20, 30}, {3, 40}, {25, 25}, {40, 40}});
  const TExpertChoice Choice = Choose(Large, Cross);
  ExpectCell(Choice, {49, 0});
  EXPECT_FALSE(Choice.ForcedLoss);
}

TEST(ExpertBlock, KnowsAnOpenFourCannotBeStopped) {
  TTestBoard Board(15, 15);
  Put(Board, Nought, {{5, 7}, {6, 7}, {7, 7}, {8, 7}});
  Put(Board, Cross, {{1, 1}, {13, 2}, {2, 12}, {12, 12}});
  const TExpertChoice Choice = Choose(Board, Cross);
  ASSERT_TRUE(Choice.Found);
  EXPECT_TRUE(Choice.ForcedLoss);
  EXPECT_EQ(Choice.Row, 7);
  EXPECT_TRUE(Choice.Col == 4 || Choice.Col == 9);
}

// Crosses at (c+1, r), (c+2, r), (c+3, r) with the cell before them closed
// (by a nought, or by the edge when c is -1), and at (c+4, r-3), (c+4, r-2).
// Crosses at (c+4, r) make a four along the row that only (c+5, r) stops,
// and a broken three up the column; after the block, (c+4, r-1) makes an
// open four. No cross has a four or better before that.
struct TFourThreeWin {
  int ColCount, RowCount;
  int C, R;
};

class ExpertFours : public ::testing::TestWithParam<TFourThreeWin> {};

TEST_P(ExpertFours, FindsTheWinByContinuousFours) {
  const TFourThreeWin& Case = GetParam();
  TTestBoard Board(Case.ColCount, Case.RowCount);
  const int C = Case.C;
  const int R = Case.R;
  Put(Board, Cross, {{C + 1, R}, {C + 2, R}, {C + 3, R}, {C + 4, R - 3}, {C + 4, R - 2}});
  if (C >= 0) Put(Board, Nought, {{C, R}});
  // Noughts far from the crosses, never two on a line near each other.
  const TCell Far[] = {{0, Case.RowCount - 1},
                       {Case.ColCount - 1, Case.RowCount - 1},
                       {Case.ColCount - 1, 0},
                       {Case.ColCount / 2 + 3, Case.RowCount - 2},
                       {0, 0}};
  int Noughts = C >= 0 ? 1 : 0;
  for (const TCell& Cell : Far)
    if (Noughts < 5 && Board.At(Cell.Col, Cell.Row) == 0 && std::abs(Cell.Col - C - 3) + std::abs(Cell.Row - R) > 6) {
      Board.Put(Cell.Col, Cell.Row, Nought);
      ++Noughts;
    }
  const TExpertChoice Choice = Choose(Board, Cross);
  ExpectCell(Choice, {C + 4, R});
  EXPECT_TRUE(Choice.ForcedWin);
}

INSTANTIATE_TEST_SUITE_P(Expert, ExpertFours,
                         ::testing::Values(TFourThreeWin{15, 15, 2, 7}, TFourThreeWin{20, 20, -1, 10},
                                           TFourThreeWin{50, 50, 40, 45}, TFourThreeWin{30, 9, 20, 4},
                                           TFourThreeWin{9, 9, -1, 4}));

TEST(ExpertSafety, NamesOnlyEmptyCellsOnTheBoard) {
  TRandom Random(12);
  TExpertSearch Search(5);
  for (int I = 0; I < 400 && !HasFailure(); ++I) {
    const TRandomPosition Position = RandomPosition(Random, 5, 50);
    const std::int64_t Nodes = std::uniform_int_distribution<std::int64_t>(1, 400)(Random);
    const TExpertChoice Choice = Search.Choose(Position.Board.View(), Position.Turn, Positions(Nodes));
    SCOPED_TRACE(::testing::Message() << "position " << I << ", " << Position.Board.ColCount() << "x"
                                      << Position.Board.RowCount() << ", " << Nodes << " positions");
    ASSERT_EQ(Choice.Found, Position.Board.EmptyCount() > 0);
    if (!Choice.Found) continue;
    ASSERT_GE(Choice.Col, 0);
    ASSERT_LT(Choice.Col, Position.Board.ColCount());
    ASSERT_GE(Choice.Row, 0);
    ASSERT_LT(Choice.Row, Position.Board.RowCount());
    EXPECT_EQ(Position.Board.At(Choice.Col, Choice.Row), 0);
    EXPECT_LE(Choice.Nodes, Nodes);
  }
}

TEST(ExpertSafety, FillsTheLastCellAndFindsNoneOnAFullBoard) {
  TTestBoard Board(11, 7);
  Board.FillWithoutThrees();
  EXPECT_FALSE(Choose(Board, Cross).Found);
  Board.Put(10, 6, 0);
  ExpectCell(Choose(Board, Cross), {10, 6});
}

TEST(ExpertSafety, OpensInTheCentre) {
  ExpectCell(Choose(TTestBoard(20, 20), Cross), {10, 10});
  ExpectCell(Choose(TTestBoard(5, 9), Cross), {2, 4});
}

TEST(ExpertBudget, ARaisedStopFlagEndsTheSearchBeforeItStarts) {
  TRandom Random(3);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 30);
  const std::atomic<bool> Stop = true;
  TExpertSearch Search;
  const TExpertChoice Choice = Search.Choose(Board.View(), Cross, {0, 0, &Stop});
  ASSERT_TRUE(Choice.Found);
  EXPECT_EQ(Board.At(Choice.Col, Choice.Row), 0);
  EXPECT_EQ(Choice.Nodes, 0);
  EXPECT_EQ(Choice.Depth, 0);
}

TEST(ExpertBudget, SearchesDeeperWithMorePositions) {
  TRandom Random(4);
  const TTestBoard Board = PlayedLookingBoard(Random, 15, 15, 12);
  const TExpertChoice Small = Choose(Board, Cross, 200);
  const TExpertChoice Large = Choose(Board, Cross, 20000);
  EXPECT_LE(Small.Nodes, 200);
  EXPECT_LE(Large.Nodes, 20000);
  EXPECT_GT(Large.Depth, Small.Depth);
}

TEST(ExpertRepeatability, TheSameSeedPositionAndBudgetGiveTheSameMove) {
  TRandom Random(9);
  TExpertSearch Reused(77);
  for (int I = 0; I < 20; ++I) {
    const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 6 + I);
    const int Turn = I % 2 == 0 ? Cross : Nought;
    const TExpertChoice First = Choose(Board, Turn, 3000, 77);
    // An instance that has searched other positions since remembers nothing
    // of them.
    const TExpertChoice Again = Reused.Choose(Board.View(), Turn, Positions(3000));
    EXPECT_EQ(Again.Col, First.Col) << "position " << I;
    EXPECT_EQ(Again.Row, First.Row) << "position " << I;
    EXPECT_EQ(Again.Nodes, First.Nodes) << "position " << I;
  }
}

TEST(Levels, AreNamedInAnyCaseAndMapToTheControlsStrengths) {
  EXPECT_EQ(LevelNamed("low"), TLevel::Low);
  EXPECT_EQ(LevelNamed("MEDIUM"), TLevel::Medium);
  EXPECT_EQ(LevelNamed("High"), TLevel::High);
  EXPECT_EQ(LevelNamed("eXpErt"), TLevel::Expert);
  EXPECT_EQ(LevelNamed("experts"), std::nullopt);
  EXPECT_EQ(LevelNamed(""), std::nullopt);
  for (const TLevel Level : {TLevel::Low, TLevel::Medium, TLevel::High, TLevel::Expert})
    EXPECT_EQ(LevelNamed(LevelName(Level)), Level);
  EXPECT_EQ(ControlStrength(TLevel::Low), stLow);
  EXPECT_EQ(ControlStrength(TLevel::High), stHigh);
  EXPECT_EQ(ControlStrength(TLevel::Expert), std::nullopt);
  EXPECT_EQ(LevelName(static_cast<TLevel>(9)), "");
}

}  // namespace
}  // namespace quintar
