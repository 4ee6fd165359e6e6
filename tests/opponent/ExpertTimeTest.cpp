// When the expert stops thinking: at once when its move is decided, after a
// few settled depths once its soft target has passed, and at its hard limit
// otherwise; what it tells an observer on the way; and the size of its table
// within the memory a host allows. Every budget here counts positions or
// reads time on a manual clock, never the world's, so that each case is
// repeatable.
#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <vector>

#include "Expert.h"
#include "ManualTime.h"
#include "RandomPositions.h"
#include "TestBoard.h"
#include "TranspositionTable.h"

namespace quintar {
namespace {

constexpr int Cross = 1;
constexpr int Nought = -1;
// A hard limit the decided positions must never come near.
constexpr std::int64_t Plenty = 2'000'000;

struct TCell {
  int Col;
  int Row;
};

void Put(TTestBoard& Board, int Mark, std::initializer_list<TCell> Cells) {
  for (const TCell& Cell : Cells) Board.Put(Cell.Col, Cell.Row, Mark);
}

TSearchBudget Positions(std::int64_t Nodes, std::int64_t SoftNodes = 0) {
  TSearchBudget Budget;
  Budget.Nodes = Nodes;
  Budget.SoftNodes = SoftNodes;
  return Budget;
}

// Noughts have two open threes; crosses have nothing to answer with.
TTestBoard TwoOpenThrees(bool Crossing) {
  TTestBoard Board(15, 15);
  Put(Board, Nought, {{5, 7}, {6, 7}, {7, 7}});
  // Crossing: the column's three ends where the row's three would become an
  // open four, so one cell spoils both.
  if (Crossing)
    Put(Board, Nought, {{8, 4}, {8, 5}, {8, 6}});
  else
    Put(Board, Nought, {{11, 1}, {11, 2}, {11, 3}});
  Put(Board, Cross, {{0, 0}, {14, 14}, {0, 14}, {14, 0}, {1, 12}});
  return Board;
}

TEST(ExpertStops, WhenOnlyOneMoveEscapesALossAtOnce) {
  TExpertSearch Search(3);
  const TExpertChoice Choice = Search.Choose(TwoOpenThrees(true).View(), Cross, Positions(Plenty));
  ASSERT_TRUE(Choice.Found);
  EXPECT_EQ(Choice.Col, 8);
  EXPECT_EQ(Choice.Row, 7);
  EXPECT_FALSE(Choice.ForcedLoss);
  EXPECT_EQ(Choice.Depth, 1);
  EXPECT_LT(Choice.Nodes, 5000);
}

TEST(ExpertStops, WhenTheLossIsProven) {
  TExpertSearch Search(3);
  const TExpertChoice Choice = Search.Choose(TwoOpenThrees(false).View(), Cross, Positions(Plenty));
  ASSERT_TRUE(Choice.Found);
  EXPECT_TRUE(Choice.ForcedLoss);
  EXPECT_LE(Choice.Depth, 1);
  EXPECT_LT(Choice.Nodes, 5000);
}

TEST(ExpertStops, BeforeAnySearchWhenAFiveOrAnOpenFourIsThere) {
  TTestBoard Board(20, 20);
  Put(Board, Cross, {{4, 4}, {5, 4}, {6, 4}});
  Put(Board, Nought, {{10, 10}, {11, 11}, {15, 2}});
  TExpertSearch Search(3);
  const TExpertChoice OpenFour = Search.Choose(Board.View(), Cross, Positions(Plenty));
  EXPECT_TRUE(OpenFour.ForcedWin);
  EXPECT_EQ(OpenFour.Depth, 0);
  Put(Board, Cross, {{7, 4}});
  Put(Board, Nought, {{3, 4}});
  const TExpertChoice Five = Search.Choose(Board.View(), Cross, Positions(Plenty));
  EXPECT_EQ(Five.Col, 8);
  EXPECT_EQ(Five.Row, 4);
  EXPECT_EQ(Five.Depth, 0);
  EXPECT_EQ(Five.Nodes, 0);
}

using std::chrono::milliseconds;
using testing::TManualTime;

TSearchBudget Time(TManualTime& Clock, int Hard, int Soft = 0) {
  TSearchBudget Budget;
  Budget.Milliseconds = Hard;
  Budget.SoftMilliseconds = Soft;
  Budget.Time = &Clock;
  return Budget;
}

// From the search's first reading, which starts its deadlines, to its last.
milliseconds Spent(const TManualTime& Clock) {
  return std::chrono::duration_cast<milliseconds>(Clock.Shown() - TTimeSource::TTime{} - Clock.Step());
}

TEST(ExpertDeadline, TheHardLimitEndsTheSearchOnTheClockItIsGiven) {
  TRandom Random(10);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 8);
  TManualTime Clock(milliseconds(1));
  TExpertSearch Search(3);
  const TExpertChoice Choice = Search.Choose(Board.View(), Cross, Time(Clock, 300));
  ASSERT_TRUE(Choice.Found);
  EXPECT_EQ(Board.At(Choice.Col, Choice.Row), 0);
  EXPECT_GE(Choice.Depth, 2);
  // It stops at the first reading at or past its deadline.
  EXPECT_EQ(Spent(Clock), milliseconds(300));
  // A deadline on a clock that moves only as it is read is as repeatable as
  // a number of positions.
  TManualTime Again(milliseconds(1));
  const TExpertChoice Repeated = Search.Choose(Board.View(), Cross, Time(Again, 300));
  EXPECT_EQ(Repeated.Nodes, Choice.Nodes);
  EXPECT_EQ(Repeated.Col, Choice.Col);
  EXPECT_EQ(Repeated.Row, Choice.Row);
}

TEST(ExpertDeadline, TheSoftTargetEndsASettledSearchLongBeforeTheHardLimit) {
  TRandom Random(10);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 8);
  TManualTime Clock(milliseconds(1));
  TExpertSearch Search(3);
  const TExpertChoice Choice = Search.Choose(Board.View(), Cross, Time(Clock, 60000, 100));
  ASSERT_TRUE(Choice.Found);
  EXPECT_GE(Spent(Clock), milliseconds(100));
  EXPECT_LT(Spent(Clock), milliseconds(60000));
  EXPECT_GE(Choice.Depth, 3) << "a best move held over three depths";
}

TEST(ExpertDeadline, ADecidedMoveTakesNoTimeWhateverItMayTake) {
  TTestBoard Five(20, 20);
  Put(Five, Cross, {{4, 4}, {5, 4}, {6, 4}, {7, 4}});
  Put(Five, Nought, {{3, 4}, {10, 10}, {11, 11}, {15, 2}});
  for (const TTestBoard& Board : {Five, TwoOpenThrees(true), TwoOpenThrees(false)}) {
    TManualTime Clock(milliseconds(1));
    TExpertSearch Search(3);
    const TExpertChoice Choice = Search.Choose(Board.View(), Cross, Time(Clock, 60000, 30000));
    ASSERT_TRUE(Choice.Found);
    // A few readings while the one depth that decides it runs, at most.
    EXPECT_LT(Spent(Clock), milliseconds(100));
  }
}

// What an observer hears: one report per completed depth, in order.
struct TReports {
  std::vector<TSearchProgress> Heard;
  TSearchObserver Observer = [this](const TSearchProgress& Progress) { Heard.push_back(Progress); };
};

TExpertChoice ChooseHeard(const TTestBoard& Board, int Turn, TSearchBudget Budget, TReports& Reports) {
  Budget.OnDepth = &Reports.Observer;
  TExpertSearch Search(11);
  return Search.Choose(Board.View(), Turn, Budget);
}

TEST(ExpertStops, OnceTheSoftTargetHasPassedAndTheBestMoveHasSettled) {
  TRandom Random(10);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 8);
  TReports Settling;
  const TExpertChoice Settled = ChooseHeard(Board, Cross, Positions(Plenty, 1), Settling);
  ASSERT_GE(Settling.Heard.size(), 3u);
  EXPECT_LT(Settled.Nodes, Plenty);
  // It stopped at the first depth that made three alike in a row.
  const auto SameMove = [](const TSearchProgress& A, const TSearchProgress& B) { return A.Best.Cell == B.Best.Cell; };
  const std::vector<TSearchProgress>& Heard = Settling.Heard;
  for (std::size_t I = 2; I < Heard.size(); ++I) {
    const bool ThreeAlike = SameMove(Heard[I], Heard[I - 1]) && SameMove(Heard[I - 1], Heard[I - 2]);
    EXPECT_EQ(ThreeAlike, I + 1 == Heard.size()) << "depth " << Heard[I].Depth;
  }
  EXPECT_EQ((TBoardCell{Settled.Col, Settled.Row}), Heard.back().Best.Cell);
  // Without a soft target the same search goes on to its hard limit.
  TReports Unhurried;
  const TExpertChoice Full = ChooseHeard(Board, Cross, Positions(Settled.Nodes * 4), Unhurried);
  EXPECT_GT(Full.Depth, Settled.Depth);
}

TEST(ExpertProgress, IsToldOncePerCompletedDepthInOrder) {
  TRandom Random(5);
  const TTestBoard Board = PlayedLookingBoard(Random, 15, 15, 10);
  TReports Reports;
  const TExpertChoice Choice = ChooseHeard(Board, Nought, Positions(30000), Reports);
  ASSERT_EQ(Reports.Heard.size(), static_cast<std::size_t>(Choice.Depth));
  for (std::size_t I = 0; I < Reports.Heard.size(); ++I) {
    const TSearchProgress& Progress = Reports.Heard[I];
    EXPECT_EQ(Progress.Depth, static_cast<int>(I) + 1);
    EXPECT_EQ(Board.At(Progress.Best.Cell.Col, Progress.Best.Cell.Row), 0);
    if (I > 0) {
      EXPECT_GE(Progress.Nodes, Reports.Heard[I - 1].Nodes);
    }
    EXPECT_LE(Progress.Nodes, Choice.Nodes);
  }
}

// The line told with each depth is read from the table once the depth is
// done, without counting positions or moving anything the search reads: the
// same search unheard visits the same positions and plays the same move.
TEST(ExpertProgress, TellsTheBestMovesLineAndChangesNothingByIt) {
  TRandom Random(12);
  for (int I = 0; I < 8 && !HasFailure(); ++I) {
    const int Side = 15 + I % 2 * 5;
    const TTestBoard Board = PlayedLookingBoard(Random, Side, Side, 6 + 4 * I);
    const int Turn = I % 2 == 0 ? Cross : Nought;
    TReports Reports;
    const TExpertChoice Heard = ChooseHeard(Board, Turn, Positions(40000), Reports);
    const TExpertChoice Unheard = TExpertSearch(11).Choose(Board.View(), Turn, Positions(40000));
    EXPECT_EQ((TBoardCell{Heard.Col, Heard.Row}), (TBoardCell{Unheard.Col, Unheard.Row})) << "position " << I;
    EXPECT_EQ(Heard.Nodes, Unheard.Nodes) << "position " << I;
    EXPECT_EQ(Heard.Depth, Unheard.Depth) << "position " << I;
    for (const TSearchProgress& Progress : Reports.Heard) {
      ASSERT_FALSE(Progress.Best.Line.empty());
      EXPECT_EQ(Progress.Best.Line.front(), Progress.Best.Cell);
      // Only a claimed result reaches either end of the scale.
      const bool AtAnEnd = Progress.Best.Advantage.Value == 100 || Progress.Best.Advantage.Value == -100;
      EXPECT_EQ(AtAnEnd, Progress.Best.Outcome != ocUnproven);
      EXPECT_EQ(Progress.Best.Advantage.Value > 0, AdvantageOf(Progress.Best.Score).Value > 0);
    }
    // A quiet depth beyond the first expects replies.
    if (Reports.Heard.size() > 1 && Reports.Heard.back().Best.Outcome == ocUnproven) {
      EXPECT_GT(Reports.Heard.back().Best.Line.size(), 1u) << "position " << I;
    }
  }
}

TEST(ExpertMemory, TheTableIsThePowerOfTwoThatFitsWithinItsFloorAndCeiling) {
  using expert::TTranspositionTable;
  constexpr std::size_t Entry = sizeof(expert::TTableEntry);
  struct TCase {
    std::size_t Bytes;
    int Bits;
  };
  for (const TCase& Case : {TCase{0, 12}, TCase{std::size_t{1} << 40, 19}, TCase{Entry << 19, 19},
                            TCase{(Entry << 19) - 1, 18}, TCase{Entry << 15, 15}, TCase{(Entry << 15) + Entry, 15},
                            TCase{Entry << 12, 12}, TCase{Entry << 11, 12}, TCase{1, 12}})
    EXPECT_EQ(TTranspositionTable::BitsWithin(Case.Bytes, 12, 19), Case.Bits) << Case.Bytes << " bytes";
  TTranspositionTable Table(14);
  Table.Store(42, 7, 3, 2, expert::bdExact);
  Table.Resize(14);
  ASSERT_NE(Table.Find(42), nullptr) << "the same size keeps what the table holds";
  Table.Resize(13);
  EXPECT_EQ(Table.Bits(), 13);
  EXPECT_EQ(Table.Find(42), nullptr);
}

TEST(ExpertMemory, ASmallTableStillRepeatsItsChoiceForASeed) {
  TRandom Random(10);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 8);
  TExpertSearch Small(4);
  Small.LimitMemory(64 * 1024);
  const TExpertChoice First = Small.Choose(Board.View(), Cross, Positions(20000));
  Small.LimitMemory(0);
  Small.LimitMemory(64 * 1024);
  const TExpertChoice Again = Small.Choose(Board.View(), Cross, Positions(20000));
  ASSERT_TRUE(First.Found);
  EXPECT_GT(First.Depth, 2) << "a position that needs the table";
  EXPECT_EQ(Board.At(First.Col, First.Row), 0);
  EXPECT_EQ(Again.Col, First.Col);
  EXPECT_EQ(Again.Row, First.Row);
  EXPECT_EQ(Again.Nodes, First.Nodes);
}

}  // namespace
}  // namespace quintar
