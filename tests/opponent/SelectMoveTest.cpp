// The move choice on hand-made positions whose outcome can be worked out on
// paper: which cells become eligible in each list, with which values and in
// which order, and which cell every pair of draws leads to.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "Opponent.h"
#include "ReferenceOpponent.h"
#include "TestBoard.h"

namespace quintar {
namespace {

constexpr int Cross = 1;
constexpr int Nought = -1;
constexpr std::array<TStrength, 3> AllStrengths = {stLow, stMedium, stHigh};

struct TCell {
  int Col;
  int Row;
};

class SelectMoveTest : public ::testing::TestWithParam<TSelectMoveFunction> {
 protected:
  TSelectionOutcome Select(const TTestBoard& Board, int Turn, TStrength Strength, std::vector<int> Draws = {0, 0},
                           const TPattern* Patterns = StandardPatterns()) {
    return RunSelection(GetParam(), Board, Turn, Strength, Patterns, std::move(Draws));
  }

  // Plays every pair of generator values below the given bounds and expects
  // the cell that Expected names for the pair of list indices it leads to.
  template <typename TExpected>
  void ExpectChoiceForEveryDraw(const TTestBoard& Board, int Turn, TStrength Strength, int CrossBound, int NoughtBound,
                                TExpected Expected) {
    for (int F = 0; F < CrossBound; ++F) {
      for (int G = 0; G < NoughtBound; ++G) {
        // Raw values past the bounds check that the index is taken modulo the bound.
        const TSelectionOutcome Outcome = Select(Board, Turn, Strength, {F + 7 * CrossBound, G + 5 * NoughtBound});
        SCOPED_TRACE(::testing::Message() << "strength " << int{Strength} << " f " << F << " g " << G);
        ASSERT_TRUE(Outcome.Selection.Found);
        EXPECT_EQ(Outcome.DrawCalls, 2);
        EXPECT_EQ(Outcome.Selection.CrossDraw, F);
        EXPECT_EQ(Outcome.Selection.NoughtDraw, G);
        const TCell Cell = Expected(F, G);
        EXPECT_EQ(Outcome.Selection.Col, Cell.Col);
        EXPECT_EQ(Outcome.Selection.Row, Cell.Row);
      }
    }
  }
};

TTestBoard EmptyBoard(int ColCount, int RowCount) { return TTestBoard(ColCount, RowCount); }

// A full board that no pattern can value, with the given cells left empty;
// the cells must lie more than four steps apart along every shared line.
TTestBoard BoardEmptyOnlyAt(int ColCount, int RowCount, std::initializer_list<TCell> Empty) {
  TTestBoard Board(ColCount, RowCount);
  Board.FillWithoutThrees();
  for (const TCell& Cell : Empty) Board.Put(Cell.Col, Cell.Row, 0);
  return Board;
}

// Crosses at (9, 9) and (10, 9), a nought at (9, 10): crosses threaten an
// open three along row 9 and noughts are to move.
TTestBoard OpenTwoAgainstOneNought() {
  TTestBoard Board(20, 20);
  Board.Put(9, 9, Cross);
  Board.Put(10, 9, Cross);
  Board.Put(9, 10, Nought);
  return Board;
}

// Crosses can complete five at (10, 9) or (10, 14), and a fifth cross lies
// beside (10, 14) on one of its other lines. Noughts can complete five at
// (1, 5) or (6, 5).
TTestBoard BothSidesOneMoveFromFive(TCell FifthCross = {11, 14}) {
  TTestBoard Board(20, 20);
  for (int Row = 10; Row <= 13; ++Row) Board.Put(10, Row, Cross);
  Board.Put(FifthCross.Col, FifthCross.Row, Cross);
  for (int Col = 2; Col <= 5; ++Col) Board.Put(Col, 5, Nought);
  return Board;
}

// --- The opening move on an empty board ------------------------------------

TEST_P(SelectMoveTest, EmptyBoardTakesTheCentreForEitherSideAboveLowStrength) {
  for (const TStrength Strength : {stMedium, stHigh}) {
    for (const int Turn : {Cross, Nought}) {
      const TSelectionOutcome Outcome = Select(EmptyBoard(20, 20), Turn, Strength, {12345, 678});
      EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{20, 10, 10}}));
      EXPECT_EQ(Outcome.NoughtEligible, (std::vector<TCandidate>{{20, 10, 10}}));
      EXPECT_EQ(Outcome.DrawCalls, 2);
      EXPECT_EQ(Outcome.Selection.Col, 10);
      EXPECT_EQ(Outcome.Selection.Row, 10);
    }
  }
}

// Both lists widen to the centre and the first cell one step from it in scan
// order; only drawing that neighbour in both lists makes a tie that keeps it.
TEST_P(SelectMoveTest, EmptyBoardAtLowStrengthMissesTheCentreOnlyWhenBothDrawsPickTheNeighbour) {
  const TTestBoard Board = EmptyBoard(20, 20);
  const TSelectionOutcome Outcome = Select(Board, Cross, stLow);
  const std::vector<TCandidate> Widened = {{20, 10, 10}, {19, 9, 10}};
  EXPECT_EQ(Outcome.CrossEligible, Widened);
  EXPECT_EQ(Outcome.NoughtEligible, Widened);
  ExpectChoiceForEveryDraw(Board, Cross, stLow, 2, 2, [](int F, int G) {
    return F == 1 && G == 1 ? TCell{9, 10} : TCell{10, 10};
  });
}

TEST_P(SelectMoveTest, BoardsOfEverySizeOpenInTheirOwnCentre) {
  struct TCase {
    int ColCount, RowCount;
    TCandidate Centre, FirstNeighbour;
  };
  const TCase Cases[] = {
      {5, 5, {4, 2, 2}, {3, 1, 2}},
      {50, 50, {50, 25, 25}, {49, 24, 25}},
      {9, 30, {19, 4, 15}, {18, 3, 15}},
      {30, 9, {19, 15, 4}, {18, 14, 4}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(::testing::Message() << Case.ColCount << "x" << Case.RowCount);
    const TTestBoard Board = EmptyBoard(Case.ColCount, Case.RowCount);
    const TSelectionOutcome High = Select(Board, Cross, stHigh);
    EXPECT_EQ(High.CrossEligible, (std::vector<TCandidate>{Case.Centre}));
    EXPECT_EQ(High.Selection.Col, Case.Centre.Col);
    EXPECT_EQ(High.Selection.Row, Case.Centre.Row);
    const TSelectionOutcome Low = Select(Board, Nought, stLow);
    EXPECT_EQ(Low.NoughtEligible, (std::vector<TCandidate>{Case.Centre, Case.FirstNeighbour}));
  }
}

// --- Blocking an open three ------------------------------------------------

TEST_P(SelectMoveTest, OpenThreeThreatIsBlockedAtEitherEndAtHighStrength) {
  const TTestBoard Board = OpenTwoAgainstOneNought();
  const TSelectionOutcome Outcome = Select(Board, Nought, stHigh);
  EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{136500, 8, 9}, {136500, 11, 9}}));
  EXPECT_EQ(Outcome.NoughtEligible,
            (std::vector<TCandidate>{{8500, 8, 9}, {8500, 8, 10}, {8500, 10, 10}, {8500, 10, 11}}));
  ExpectChoiceForEveryDraw(Board, Nought, stHigh, 2, 4, [](int F, int) { return F == 0 ? TCell{8, 9} : TCell{11, 9}; });
}

// Adding the lines at the top strength is what lifts (10, 8) and (10, 10) to
// 17000; one line alone gives them 8500, which the medium strength keeps.
TEST_P(SelectMoveTest, OpenThreeThreatIsBlockedTheSameWayAtMediumStrength) {
  const TTestBoard Board = OpenTwoAgainstOneNought();
  const TSelectionOutcome Outcome = Select(Board, Nought, stMedium);
  EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{136500, 8, 9}, {136500, 11, 9}}));
  EXPECT_EQ(Outcome.NoughtEligible.size(), 4u);
  ExpectChoiceForEveryDraw(Board, Nought, stMedium, 2, 4, [](int F, int) {
    return F == 0 ? TCell{8, 9} : TCell{11, 9};
  });
}

// At the lowest strength each list also offers its earliest cell of the next
// value. Drawing it for crosses ties with any 8500 cell of the noughts, which
// then keep their own cell, and beats the noughts' extra 100 cell.
TEST_P(SelectMoveTest, OpenThreeThreatAtLowStrengthCanBeMissedThroughTheWidenedEntries) {
  const TTestBoard Board = OpenTwoAgainstOneNought();
  const TSelectionOutcome Outcome = Select(Board, Nought, stLow);
  EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{136500, 8, 9}, {136500, 11, 9}, {8500, 8, 8}}));
  const std::vector<TCandidate> Noughts = {{8500, 8, 9}, {8500, 8, 10}, {8500, 10, 10}, {8500, 10, 11}, {100, 5, 6}};
  EXPECT_EQ(Outcome.NoughtEligible, Noughts);
  ExpectChoiceForEveryDraw(Board, Nought, stLow, 3, 5, [&](int F, int G) {
    if (F == 0) return TCell{8, 9};
    if (F == 1) return TCell{11, 9};
    if (G == 4) return TCell{8, 8};
    return TCell{Noughts[G].Col, Noughts[G].Row};
  });
}

// --- Completing five against blocking five ---------------------------------

// Added up, the crosses' winning cell next to a fifth cross outweighs the
// noughts' own win, so the top strength blocks instead of winning.
TEST_P(SelectMoveTest, TopStrengthBlocksAFiveThatAlsoScoresOnAnotherLineInsteadOfWinning) {
  // Beside (10, 14) horizontally, diagonally and anti-diagonally.
  for (const TCell FifthCross : {TCell{11, 14}, TCell{11, 15}, TCell{11, 13}}) {
    SCOPED_TRACE(::testing::Message() << "fifth cross at " << FifthCross.Col << "," << FifthCross.Row);
    const TTestBoard Board = BothSidesOneMoveFromFive(FifthCross);
    const TSelectionOutcome Outcome = Select(Board, Nought, stHigh);
    EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{2193100, 10, 14}}));
    EXPECT_EQ(Outcome.NoughtEligible, (std::vector<TCandidate>{{2184600, 1, 5}, {2184600, 6, 5}}));
    ExpectChoiceForEveryDraw(Board, Nought, stHigh, 1, 2, [](int, int) { return TCell{10, 14}; });
  }
}

// Counting only the strongest line, both fives are worth the same and the tie
// goes to the side to move; a list led by a five never widens.
TEST_P(SelectMoveTest, LowerStrengthsCompleteTheirOwnFiveOnATie) {
  const TTestBoard Board = BothSidesOneMoveFromFive();
  for (const TStrength Strength : {stLow, stMedium}) {
    const TSelectionOutcome Outcome = Select(Board, Nought, Strength);
    EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{2184600, 10, 9}, {2184600, 10, 14}}));
    EXPECT_EQ(Outcome.NoughtEligible, (std::vector<TCandidate>{{2184600, 1, 5}, {2184600, 6, 5}}));
    ExpectChoiceForEveryDraw(Board, Nought, Strength, 2, 2, [](int, int G) {
      return G == 0 ? TCell{1, 5} : TCell{6, 5};
    });
  }
}

// An open four is not yet a win, so even a list led by one offers its next
// value at the lowest strength and the open four may be missed; a five never is.
TEST_P(SelectMoveTest, LowStrengthWidensAListLedByAnOpenFourButNotOneLedByAFive) {
  TTestBoard Board(20, 20);
  for (int Col = 5; Col <= 7; ++Col) Board.Put(Col, 3, Nought);
  const TSelectionOutcome OpenFour = Select(Board, Cross, stLow);
  EXPECT_EQ(OpenFour.NoughtEligible, (std::vector<TCandidate>{{546100, 4, 3}, {546100, 8, 3}, {34100, 3, 3}}));

  Board.Put(8, 3, Nought);
  const TSelectionOutcome Five = Select(Board, Cross, stLow);
  EXPECT_EQ(Five.NoughtEligible, (std::vector<TCandidate>{{2184600, 4, 3}, {2184600, 9, 3}}));
}

// --- Runs of equal values and the centre value -----------------------------

TEST_P(SelectMoveTest, CellsOfEqualValueFormOneRunInScanOrderThatTheEndOfTheListStops) {
  const TTestBoard Board = BoardEmptyOnlyAt(5, 5, {{4, 4}, {0, 4}, {4, 0}, {0, 0}});
  const std::vector<TCandidate> Corners = {{0, 0, 0}, {0, 0, 4}, {0, 4, 0}, {0, 4, 4}};
  for (const TStrength Strength : AllStrengths) {
    const TSelectionOutcome Outcome = Select(Board, Cross, Strength, {3, 2});
    EXPECT_EQ(Outcome.CrossEligible, Corners);
    EXPECT_EQ(Outcome.NoughtEligible, Corners);
    EXPECT_EQ(Outcome.Selection.Col, 4);
    EXPECT_EQ(Outcome.Selection.Row, 4);
  }
}

TEST_P(SelectMoveTest, UnvaluedCellsAreWorthTheirClosenessToTheCentre) {
  struct TCase {
    TCell Better, Worse;
    std::int32_t BetterValue, WorseValue;
  };
  const TCase Cases[] = {
      {{9, 10}, {19, 19}, 19, 2},
      {{10, 10}, {0, 0}, 20, 0},
      {{10, 11}, {0, 19}, 19, 1},
  };
  for (const TCase& Case : Cases) {
    const TTestBoard Board = BoardEmptyOnlyAt(20, 20, {Case.Better, Case.Worse});
    const TSelectionOutcome Outcome = Select(Board, Nought, stLow);
    const std::vector<TCandidate> Expected = {{Case.BetterValue, Case.Better.Col, Case.Better.Row},
                                              {Case.WorseValue, Case.Worse.Col, Case.Worse.Row}};
    EXPECT_EQ(Outcome.CrossEligible, Expected);
    EXPECT_EQ(Outcome.NoughtEligible, Expected);
  }
}

TEST_P(SelectMoveTest, OneEmptyCellIsTheOnlyChoiceEvenAtLowStrength) {
  const TTestBoard Board = BoardEmptyOnlyAt(7, 6, {{6, 5}});
  const TSelectionOutcome Outcome = Select(Board, Cross, stLow, {9, 4});
  EXPECT_EQ(Outcome.CrossEligible, (std::vector<TCandidate>{{1, 6, 5}}));
  EXPECT_EQ(Outcome.Selection.Col, 6);
  EXPECT_EQ(Outcome.Selection.Row, 5);
  EXPECT_EQ(Outcome.DrawCalls, 2);
}

TEST_P(SelectMoveTest, FullBoardFindsNoCellAndNeverDraws) {
  TTestBoard Board(5, 5);
  Board.FillWithoutThrees();
  for (const TStrength Strength : AllStrengths) {
    const TSelectionOutcome Outcome = Select(Board, Cross, Strength, {});
    EXPECT_FALSE(Outcome.Selection.Found);
    EXPECT_EQ(Outcome.DrawCalls, 0);
  }
}

// --- Windows cut by the edge or by the other side --------------------------

// A lone nought on column 1: the edge cuts every eight-cell window through it
// except the vertical ones, so only the cells above and below it get 8500.
TEST_P(SelectMoveTest, BoardEdgeSpoilsEveryWindowThatReachesPastIt) {
  TTestBoard Board(20, 20);
  Board.Put(1, 10, Nought);
  for (const TStrength Strength : AllStrengths) {
    const TSelectionOutcome Outcome = Select(Board, Cross, Strength);
    EXPECT_EQ(Outcome.NoughtEligible.front(), (TCandidate{8500, 1, 9}));
    EXPECT_EQ(Outcome.NoughtEligible[1], (TCandidate{8500, 1, 11}));
  }
  EXPECT_EQ(Select(Board, Cross, stMedium).NoughtEligible.size(), 2u);
}

// A cross two cells to the right of a nought takes the horizontal 8500 from
// both of the nought's horizontal neighbours; its six other neighbours keep it.
TEST_P(SelectMoveTest, OpponentMarkSpoilsEveryWindowThatHoldsIt) {
  TTestBoard Board(20, 20);
  Board.Put(10, 10, Nought);
  Board.Put(12, 10, Cross);
  const TSelectionOutcome Outcome = Select(Board, Cross, stMedium);
  EXPECT_EQ(Outcome.NoughtEligible,
            (std::vector<TCandidate>{
                {8500, 9, 9}, {8500, 9, 11}, {8500, 10, 9}, {8500, 10, 11}, {8500, 11, 9}, {8500, 11, 11}}));
}

// Three crosses from (1, 0): the corner sees only windows that start at it, so
// it counts the three with one gap (34100), not the open four it would make
// if the edge were an empty cell.
TEST_P(SelectMoveTest, CornerCellIsValuedOnlyByWindowsThatStartAtIt) {
  TTestBoard Board(20, 20);
  for (int Col = 1; Col <= 3; ++Col) Board.Put(Col, 0, Cross);
  EXPECT_EQ(Select(Board, Nought, stMedium).CrossEligible, (std::vector<TCandidate>{{546100, 4, 0}}));
  EXPECT_EQ(Select(Board, Nought, stLow).CrossEligible, (std::vector<TCandidate>{{546100, 4, 0}, {34100, 0, 0}}));
}

// --- The table passed in decides -------------------------------------------

// With the rows in reverse order the last matching row is the weakest one,
// so a neighbour of a lone cross is worth 100, not 8500.
TEST_P(SelectMoveTest, LastMatchingRowOfThePassedTableGivesTheLineItsScore) {
  std::array<TPattern, PatternCount> Reversed;
  std::copy(StandardPatterns(), StandardPatterns() + PatternCount, Reversed.rbegin());
  TTestBoard Board(20, 20);
  Board.Put(10, 10, Cross);
  const TSelectionOutcome Outcome = Select(Board, Nought, stMedium, {0, 0}, Reversed.data());
  ASSERT_FALSE(Outcome.CrossEligible.empty());
  EXPECT_EQ(Outcome.CrossEligible.front().Score, 100);
}

// The fast opponent the control uses, and the plain one it is checked against.
INSTANTIATE_TEST_SUITE_P(Opponent, SelectMoveTest, ::testing::Values(&SelectMove, &reference::SelectMove),
                         [](const ::testing::TestParamInfo<TSelectMoveFunction>& Info) {
                           return Info.param == &SelectMove ? "Fast" : "Reference";
                         });

}  // namespace
}  // namespace quintar
