// The pattern table is the opponent's whole game knowledge. These tests check
// its shape and rebuild each group of rows from what the group stands for, so
// a mistyped cell or a missing placement shows up by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <compare>
#include <cstdint>
#include <set>
#include <vector>

#include "Patterns.h"

namespace quintar {
namespace {

// Marks every field, so a test can tell what the fill wrote and what it left.
constexpr std::int32_t Untouched = 0x5A5A5A5A;

// One more row than the table has, to see that the fill stops at the end.
using TOversizedTable = std::array<TPattern, PatternCount + 1>;

TOversizedTable FilledTable() {
  TOversizedTable Table;
  for (TPattern& Row : Table) {
    Row.Score = Row.Lo = Row.Hi = Untouched;
    std::fill(std::begin(Row.Cells), std::end(Row.Cells), Untouched);
  }
  FillPatternTable(Table.data());
  return Table;
}

int WindowLength(const TPattern& Row) { return Row.Hi - Row.Lo + 1; }

// What a row asks of the board, without its score.
struct TShape {
  int Lo;
  int Hi;
  std::vector<int> Cells;
  auto operator<=>(const TShape&) const = default;
};

TShape ShapeOf(const TPattern& Row) { return {Row.Lo, Row.Hi, {Row.Cells, Row.Cells + WindowLength(Row)}}; }

TShape Mirrored(const TShape& Shape) { return {-Shape.Hi, -Shape.Lo, {Shape.Cells.rbegin(), Shape.Cells.rend()}}; }

// Rows First..Last, numbered from 1 as the table is usually read.
std::vector<TPattern> Rows(const TOversizedTable& Table, int First, int Last) {
  return {Table.begin() + (First - 1), Table.begin() + Last};
}

std::set<TShape> ShapesOf(const std::vector<TPattern>& Group) {
  std::set<TShape> Shapes;
  for (const TPattern& Row : Group) Shapes.insert(ShapeOf(Row));
  return Shapes;
}

// Every way to lay a window of Length cells over the candidate.
std::vector<TShape> EmptyWindows(int Length) {
  std::vector<TShape> Windows;
  for (int Lo = -4; Lo <= 0; ++Lo) {
    const int Hi = Lo + Length - 1;
    if (Hi >= 0 && Hi <= 4) Windows.push_back({Lo, Hi, std::vector<int>(Length, 0)});
  }
  return Windows;
}

// Every five-cell window over the candidate with exactly OwnMarks own marks
// among its other four cells.
std::set<TShape> FiveCellWindowsWithOwnMarks(int OwnMarks) {
  std::set<TShape> Shapes;
  for (const TShape& Window : EmptyWindows(5)) {
    const int Candidate = -Window.Lo;
    for (int Chosen = 0; Chosen < 32; ++Chosen) {
      if ((Chosen >> Candidate) & 1) continue;
      if (std::popcount(static_cast<unsigned>(Chosen)) != OwnMarks) continue;
      TShape Shape = Window;
      for (int I = 0; I < 5; ++I) Shape.Cells[I] = (Chosen >> I) & 1;
      Shapes.insert(Shape);
    }
  }
  return Shapes;
}

// Every window of Length cells whose two end cells are empty and whose inner
// cells, the candidate among them, are all own marks.
std::set<TShape> SolidRunsWithFreeEnds(int Length) {
  std::set<TShape> Shapes;
  for (TShape Shape : EmptyWindows(Length)) {
    const int Candidate = -Shape.Lo;
    if (Candidate == 0 || Candidate == Length - 1) continue;
    for (int I = 1; I < Length - 1; ++I) Shape.Cells[I] = I == Candidate ? 0 : 1;
    Shapes.insert(Shape);
  }
  return Shapes;
}

void ExpectGroupScore(const std::vector<TPattern>& Group, std::int32_t Score) {
  for (const TPattern& Row : Group) EXPECT_EQ(Row.Score, Score);
}

TEST(PatternTableShape, FillsExactlyTheTableAndOnlyTheWindowCells) {
  const TOversizedTable Table = FilledTable();
  for (int I = 0; I < PatternCount; ++I) {
    const TPattern& Row = Table[I];
    SCOPED_TRACE(I + 1);
    ASSERT_NE(Row.Score, Untouched);
    for (int Cell = WindowLength(Row); Cell < 8; ++Cell) EXPECT_EQ(Row.Cells[Cell], Untouched);
  }
  const TPattern& PastTheEnd = Table[PatternCount];
  EXPECT_EQ(PastTheEnd.Score, Untouched);
  EXPECT_EQ(PastTheEnd.Lo, Untouched);
  EXPECT_EQ(PastTheEnd.Cells[0], Untouched);
}

TEST(PatternTableShape, EveryWindowCoversTheEmptyCandidateAndAsksOnlyForOwnMarksOrEmptyCells) {
  const TOversizedTable Table = FilledTable();
  for (int I = 0; I < PatternCount; ++I) {
    const TPattern& Row = Table[I];
    SCOPED_TRACE(I + 1);
    EXPECT_GE(Row.Lo, -4);
    EXPECT_LE(Row.Lo, 0);
    EXPECT_GE(Row.Hi, 0);
    EXPECT_LE(Row.Hi, 4);
    EXPECT_GE(WindowLength(Row), 5);
    EXPECT_LE(WindowLength(Row), 8);
    EXPECT_EQ(Row.Cells[-Row.Lo], 0);
    for (int Cell = 0; Cell < WindowLength(Row); ++Cell)
      EXPECT_TRUE(Row.Cells[Cell] == 0 || Row.Cells[Cell] == 1) << "cell " << Cell;
    EXPECT_GT(std::count(Row.Cells, Row.Cells + WindowLength(Row), 1), 0);
  }
}

// With each score above four times the one below, a single line of a group
// outweighs all four lines of the group below when the lines are added.
TEST(PatternTableScores, RiseThroughTheTableAndEachStepOutweighsFourLinesOfTheOneBelow) {
  const TOversizedTable Table = FilledTable();
  std::vector<std::int32_t> Distinct;
  for (int I = 0; I < PatternCount; ++I) {
    EXPECT_GT(Table[I].Score, 0);
    if (I > 0) {
      EXPECT_GE(Table[I].Score, Table[I - 1].Score) << "row " << I + 1;
    }
    if (Distinct.empty() || Distinct.back() != Table[I].Score) Distinct.push_back(Table[I].Score);
  }
  EXPECT_EQ(Distinct, (std::vector<std::int32_t>{100, 8500, 34100, 136500, 546100, 2184600}));
  for (std::size_t I = 1; I < Distinct.size(); ++I) EXPECT_GT(Distinct[I], std::int64_t{4} * Distinct[I - 1]);
}

// Walking a line from either end must give it the same value.
TEST(PatternTableSymmetry, EveryRowHasItsMirrorWithTheSameScoreAndNoRowRepeats) {
  const TOversizedTable Table = FilledTable();
  const std::vector<TPattern> All = Rows(Table, 1, PatternCount);
  EXPECT_EQ(ShapesOf(All).size(), static_cast<std::size_t>(PatternCount));
  for (const TPattern& Row : All) {
    const TShape Mirror = Mirrored(ShapeOf(Row));
    const auto Found =
        std::find_if(All.begin(), All.end(), [&](const TPattern& Other) { return ShapeOf(Other) == Mirror; });
    ASSERT_NE(Found, All.end()) << "no mirror for the row at Lo " << Row.Lo;
    EXPECT_EQ(Found->Score, Row.Score);
  }
}

TEST(PatternTableGroups, RowsOneToTwentyAreEveryFiveCellWindowWithOneOwnMark) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 1, 20);
  ExpectGroupScore(Group, 100);
  EXPECT_EQ(ShapesOf(Group), FiveCellWindowsWithOwnMarks(1));
}

TEST(PatternTableGroups, RowsTwentyOneAndTwentyTwoAreAnAdjacentMarkWithThreeFreeCellsEachSide) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 21, 22);
  ExpectGroupScore(Group, 8500);
  std::set<TShape> Expected;
  for (const int Mark : {-1, 1}) {
    TShape Shape{Mark < 0 ? -4 : -3, Mark < 0 ? 3 : 4, std::vector<int>(8, 0)};
    Shape.Cells[Mark - Shape.Lo] = 1;
    Expected.insert(Shape);
  }
  EXPECT_EQ(ShapesOf(Group), Expected);
}

TEST(PatternTableGroups, RowsTwentyThreeToFortyTwoAreEveryFiveCellWindowWithThreeOwnMarks) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 23, 42);
  ExpectGroupScore(Group, 34100);
  EXPECT_EQ(ShapesOf(Group), FiveCellWindowsWithOwnMarks(3));
}

TEST(PatternTableGroups, RowsFortyThreeToFortyFiveAreEveryOpenThree) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 43, 45);
  ExpectGroupScore(Group, 136500);
  EXPECT_EQ(ShapesOf(Group), SolidRunsWithFreeEnds(5));
}

TEST(PatternTableGroups, RowsFortySixToFortyNineAreEveryOpenFour) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 46, 49);
  ExpectGroupScore(Group, 546100);
  EXPECT_EQ(ShapesOf(Group), SolidRunsWithFreeEnds(6));
}

TEST(PatternTableGroups, RowFiftyIsTheSplitShapeThatCompletesFiveTwoWays) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 50, 50);
  ExpectGroupScore(Group, 546100);
  EXPECT_EQ(ShapesOf(Group), (std::set<TShape>{{-3, 3, {1, 0, 1, 0, 1, 0, 1}}}));
}

TEST(PatternTableGroups, RowsFiftyOneToFiftyFiveAreEveryFiveCellWindowWithFourOwnMarks) {
  const std::vector<TPattern> Group = Rows(FilledTable(), 51, 55);
  ExpectGroupScore(Group, 2184600);
  EXPECT_EQ(ShapesOf(Group), FiveCellWindowsWithOwnMarks(4));
}

}  // namespace
}  // namespace quintar
