// Why a hint is what it is: one hand-made position for each reason, and on
// many seeded positions no win claimed that the rules, played out, do not
// bear, with the same length as the expert's report gives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <vector>

#include "Expert.h"
#include "HintReason.h"
#include "RandomPositions.h"
#include "Rules.h"
#include "TestBoard.h"

namespace quintar {
namespace {

constexpr int Cross = 1;
constexpr int Nought = -1;

void Put(TTestBoard& Board, int Mark, std::initializer_list<TBoardCell> Cells) {
  for (const TBoardCell& Cell : Cells) Board.Put(Cell.Col, Cell.Row, Mark);
}

// A 15 x 15 board with a few marks of each side in the corners, far from
// anything the cases build, so that either side may be the one to move.
TTestBoard Quiet() {
  TTestBoard Board(15, 15);
  Put(Board, Cross, {{0, 0}, {14, 14}});
  Put(Board, Nought, {{0, 14}, {14, 0}});
  return Board;
}

// For Mark: a closed three along row 7 whose four at (6, 7) also makes a
// broken three down column 6, which the block at (7, 7) leaves to become an
// open four: a win by fours in three moves from (6, 7), and none shorter.
TTestBoard FourThenOpenFour(int Mark) {
  TTestBoard Board = Quiet();
  Put(Board, Mark, {{3, 7}, {4, 7}, {5, 7}, {6, 9}, {6, 10}});
  Put(Board, -Mark, {{2, 7}});
  return Board;
}

struct TReasonCase {
  const char* Name;
  TTestBoard Board;
  int Turn;
  TBoardCell Cell;
  THintReason Reason;
};

std::vector<TReasonCase> ReasonCases() {
  std::vector<TReasonCase> Cases;
  TTestBoard Four = Quiet();
  Put(Four, Cross, {{3, 7}, {4, 7}, {5, 7}, {6, 7}});
  Put(Four, Nought, {{2, 7}});
  Cases.push_back({"makes five", Four, Cross, {7, 7}, {hkMakesFive, 1}});
  Cases.push_back({"blocks five", Four, Nought, {7, 7}, {hkBlocksFive, 1}});
  TTestBoard Three = Quiet();
  Put(Three, Cross, {{5, 7}, {6, 7}, {7, 7}});
  Cases.push_back({"makes an open four", Three, Cross, {8, 7}, {hkMakesOpenFour, 2}});
  Cases.push_back({"blocks an open four", Three, Nought, {4, 7}, {hkBlocksOpenFour, 2}});
  Cases.push_back({"starts a win by fours", FourThenOpenFour(Cross), Cross, {6, 7}, {hkStartsWinByFours, 3}});
  Cases.push_back(
      {"blocks a win by fours at its start", FourThenOpenFour(Nought), Cross, {6, 7}, {hkBlocksWinByFours, 3}});
  Cases.push_back(
      {"blocks a win by fours at its first block", FourThenOpenFour(Nought), Cross, {7, 7}, {hkBlocksWinByFours, 3}});
  TTestBoard Two = Quiet();
  Put(Two, Nought, {{6, 7}, {7, 7}});
  Cases.push_back({"makes an open three", Two, Nought, {8, 7}, {hkMakesOpenThree, 0}});
  Cases.push_back({"blocks an open three", Two, Cross, {8, 7}, {hkBlocksOpenThree, 0}});
  Cases.push_back({"nothing sharper", Two, Cross, {7, 9}, {hkBestFound, 0}});
  // A block of a five that is also the four of a win is told as the win.
  TTestBoard Answer = FourThenOpenFour(Cross);
  Put(Answer, Nought, {{2, 3}, {3, 4}, {4, 5}, {5, 6}});
  Put(Answer, Cross, {{1, 2}});
  Cases.push_back({"a block that starts a win", Answer, Cross, {6, 7}, {hkStartsWinByFours, 3}});
  // Two fours at once are no open four, but win just as soon.
  TTestBoard Crossing = Quiet();
  Put(Crossing, Cross, {{3, 7}, {4, 7}, {5, 7}, {6, 8}, {6, 9}, {6, 10}});
  Put(Crossing, Nought, {{2, 7}, {6, 11}});
  Cases.push_back({"two fours at once", Crossing, Cross, {6, 7}, {hkStartsWinByFours, 2}});
  // An open four does not win while the other side has a five to make.
  TTestBoard Race = Three;
  Put(Race, Nought, {{3, 2}, {4, 2}, {5, 2}, {6, 2}});
  Cases.push_back({"no win past a five", Race, Cross, {8, 7}, {hkBestFound, 0}});
  // A four that leads nowhere wins nothing.
  TTestBoard Lone = Quiet();
  Put(Lone, Cross, {{3, 7}, {4, 7}, {5, 7}});
  Put(Lone, Nought, {{2, 7}});
  Cases.push_back({"a four alone", Lone, Cross, {6, 7}, {hkBestFound, 0}});
  return Cases;
}

TEST(HintReason, NamesWhatEachMoveDoes) {
  for (const TReasonCase& Case : ReasonCases()) {
    const THintReason Reason = HintReasonFor(Case.Board.View(), Case.Turn, Case.Cell.Col, Case.Cell.Row);
    EXPECT_EQ(Reason.Kind, Case.Reason.Kind) << Case.Name;
    EXPECT_EQ(Reason.MovesToFive, Case.Reason.MovesToFive) << Case.Name;
  }
}

TEST(HintReason, GivesNoReasonForACellThatCannotBePlayed) {
  TTestBoard Board = Quiet();
  Put(Board, Cross, {{5, 7}, {6, 7}, {7, 7}});
  for (const TBoardCell Cell : {TBoardCell{7, 7}, TBoardCell{-1, 7}, TBoardCell{15, 7}, TBoardCell{3, 15}})
    EXPECT_EQ(HintReasonFor(Board.View(), Cross, Cell.Col, Cell.Row), THintReason{}) << Cell.Col << "," << Cell.Row;
}

// The empty cells where Mark would make five, among those Near lists.
std::vector<TBoardCell> FiveCellsAmong(TTestBoard& Board, int Mark, const std::vector<TBoardCell>& Near) {
  std::vector<TBoardCell> Cells;
  for (const TBoardCell& Cell : Near) {
    if (Board.At(Cell.Col, Cell.Row) != 0) continue;
    Board.Put(Cell.Col, Cell.Row, Mark);
    if (FiveThrough(Board.View(), Cell.Col, Cell.Row)) Cells.push_back(Cell);
    Board.Put(Cell.Col, Cell.Row, 0);
  }
  return Cells;
}

std::vector<TBoardCell> AllCells(const TTestBoard& Board) {
  std::vector<TBoardCell> Cells;
  for (int Col = 0; Col < Board.ColCount(); ++Col)
    for (int Row = 0; Row < Board.RowCount(); ++Row) Cells.push_back({Col, Row});
  return Cells;
}

// The cells within four steps of Cell along its four lines: the only ones
// where a mark on Cell can make a new five possible.
std::vector<TBoardCell> LinesThrough(const TTestBoard& Board, TBoardCell Cell) {
  std::vector<TBoardCell> Cells;
  for (const TBoardCell Step : {TBoardCell{1, 0}, TBoardCell{0, 1}, TBoardCell{1, 1}, TBoardCell{1, -1}})
    for (int Distance = -4; Distance <= 4; ++Distance) {
      const TBoardCell Near = {Cell.Col + Distance * Step.Col, Cell.Row + Distance * Step.Row};
      if (Distance != 0 && OnBoard(Board.ColCount(), Board.RowCount(), Near.Col, Near.Row)) Cells.push_back(Near);
    }
  return Cells;
}

bool Contains(const std::vector<TBoardCell>& Cells, TBoardCell Cell) {
  return std::find(Cells.begin(), Cells.end(), Cell) != Cells.end();
}

// By the rules alone: whether Mark, playing Cell, makes five within Moves of
// its own moves with every move but the last a four, whatever the other side
// does. DefenderFives are the cells where the other side would make five
// now: with one left after the move, it wins first. Otherwise it must block
// the four; two fives to block at once cannot both be.
bool ForcesFiveByFours(TTestBoard& Board, int Mark, TBoardCell Cell, int Moves,
                       const std::vector<TBoardCell>& DefenderFives) {
  if (Moves <= 0) return false;
  Board.Put(Cell.Col, Cell.Row, Mark);
  bool Forced = false;
  if (FiveThrough(Board.View(), Cell.Col, Cell.Row)) {
    Forced = true;
  } else if (Moves >= 2 && DefenderFives.size() == (Contains(DefenderFives, Cell) ? 1u : 0u)) {
    const std::vector<TBoardCell> Fives = FiveCellsAmong(Board, Mark, LinesThrough(Board, Cell));
    if (Fives.size() >= 2) {
      Forced = true;
    } else if (Fives.size() == 1) {
      const TBoardCell Block = Fives[0];
      Board.Put(Block.Col, Block.Row, -Mark);
      // The block is the only new mark of the other side's.
      const std::vector<TBoardCell> BlockFives = FiveCellsAmong(Board, -Mark, LinesThrough(Board, Block));
      for (const TBoardCell& Next : AllCells(Board))
        if (!Forced && Board.At(Next.Col, Next.Row) == 0)
          Forced = ForcesFiveByFours(Board, Mark, Next, Moves - 1, BlockFives);
      Board.Put(Block.Col, Block.Row, 0);
    }
  }
  Board.Put(Cell.Col, Cell.Row, 0);
  return Forced;
}

bool Wins(THintKind Kind) { return Kind == hkMakesFive || Kind == hkMakesOpenFour || Kind == hkStartsWinByFours; }

// Every cell of many seeded positions, for both sides: a win claimed is one
// the rules bear out, in exactly the moves claimed; and a win by fours the
// expert's report names is claimed for its first move, just as long.
TEST(HintReason, NeverClaimsAWinThatIsNotThere) {
  TRandom Random(41);
  int Claims = 0;
  int Reported = 0;
  for (int Position = 0; Position < 30 && !HasFailure(); ++Position) {
    const int Side = std::uniform_int_distribution<int>(12, 16)(Random);
    TTestBoard Board = PlayedLookingBoard(Random, Side, Side, std::uniform_int_distribution<int>(12, 36)(Random));
    for (const int Mark : {Cross, Nought}) {
      const std::vector<TBoardCell> DefenderFives = FiveCellsAmong(Board, -Mark, AllCells(Board));
      for (const TBoardCell& Cell : AllCells(Board)) {
        if (Board.At(Cell.Col, Cell.Row) != 0) continue;
        const THintReason Reason = HintReasonFor(Board.View(), Mark, Cell.Col, Cell.Row);
        if (!Wins(Reason.Kind)) continue;
        ++Claims;
        EXPECT_TRUE(ForcesFiveByFours(Board, Mark, Cell, Reason.MovesToFive, DefenderFives))
            << "position " << Position << " cell " << Cell.Col << "," << Cell.Row;
        EXPECT_FALSE(ForcesFiveByFours(Board, Mark, Cell, Reason.MovesToFive - 1, DefenderFives))
            << "position " << Position << " cell " << Cell.Col << "," << Cell.Row;
      }
      const TAnalysis Report = TExpertSearch(1).Analyse(Board.View(), Mark, {0, 20000, nullptr});
      if (Report.Lines.empty() || !Report.Lines[0].ByFours || Report.Lines[0].Outcome != ocWin) continue;
      ++Reported;
      const TCandidateLine& Win = Report.Lines[0];
      const THintReason Reason = HintReasonFor(Board.View(), Mark, Win.Cell.Col, Win.Cell.Row);
      EXPECT_TRUE(Wins(Reason.Kind)) << "position " << Position;
      EXPECT_EQ(Reason.MovesToFive, Win.MovesToFive) << "position " << Position;
    }
  }
  EXPECT_GE(Claims, 100);
  EXPECT_GE(Reported, 25);
}

}  // namespace
}  // namespace quintar
