// What a line offers the side that plays its middle cell, from windows drawn
// as text: X own mark, O the other side's mark, # beyond the edge, . empty,
// ? the cell being played. And the bound the control's choice prunes with.
#include <gtest/gtest.h>

#include <string_view>

#include "LineBoards.h"
#include "LinePatterns.h"
#include "LineScores.h"
#include "TestBoard.h"

namespace quintar {
namespace {

using namespace expert;

// Nine characters, the fifth the '?'.
TLinePattern PatternOf(std::string_view Window) {
  int Key = 0;
  for (int Offset = -4; Offset <= 4; ++Offset) {
    if (Offset == 0) continue;
    const char Cell = Window[Offset + 4];
    const TNeighbour Neighbour = Cell == 'X' ? nbOwn : Cell == '.' ? nbEmpty : nbBlocked;
    Key += static_cast<int>(Neighbour) * NeighbourWeight(Offset);
  }
  return LinePatternTable()[Key];
}

TEST(LinePatterns, FivesAndFoursAreExact) {
  EXPECT_EQ(PatternOf("XXXX?...."), lpFive);
  EXPECT_EQ(PatternOf("####?XXXX"), lpFive);
  EXPECT_EQ(PatternOf("..XX?XX.."), lpFive);  // six in a row wins too
  EXPECT_EQ(PatternOf(".XXX?...."), lpFlex4);
  EXPECT_EQ(PatternOf("X.XX?.X.."), lpFlex4);  // two cells complete five
  EXPECT_EQ(PatternOf("OXXX?...."), lpBlock4);
  EXPECT_EQ(PatternOf("#XXX?.O.."), lpBlock4);
  EXPECT_EQ(PatternOf("XX.X?X..."), lpBlock4);  // the five it completes is an overline
  EXPECT_EQ(PatternOf("XX.X?O..."), lpBlock4);
}

TEST(LinePatterns, ThreesAndLessCountMovesToAFive) {
  EXPECT_EQ(PatternOf("..XX?...."), lpFlex3);
  EXPECT_EQ(PatternOf("..X.?X..."), lpFlex3);
  EXPECT_EQ(PatternOf("OXX.?...."), lpBlock3);
  EXPECT_EQ(PatternOf("...X?...."), lpFlex2);
  EXPECT_EQ(PatternOf("....?...."), lpFlex1);
  EXPECT_EQ(PatternOf("###O?...."), lpBlock1);
  // No five through the cell fits between the other side's marks.
  EXPECT_EQ(PatternOf("...O?XXO."), lpNone);
  EXPECT_EQ(PatternOf("##O.?.O##"), lpNone);
}

TEST(FewNearMarksBound, IsTheThreeOfFiveScoreForTheStandardTable) {
  // ?X.XX and its kind: three own marks in five cells with only one of
  // them next to the candidate; an open three needs two near marks.
  EXPECT_EQ(StandardLineScoresFor(StandardPatterns())->LineWithFewNearMarksMax(), 34100);
}

TEST(FewNearMarksBound, CellsWithTwoNearMarksAlongALine) {
  TTestBoard Board(12, 12);
  Board.Put(5, 5, 1);
  Board.Put(7, 5, 1);  // (6, 5) lies between them
  Board.Put(5, 7, -1);
  Board.Put(7, 9, -1);  // the diagonal (5, 7) .. (7, 9) through (6, 8)
  const TLineBoards Boards(Board.View());
  EXPECT_EQ(Boards.RowsWithTwoNearMarks(0, 6), std::uint64_t{1} << 5);
  EXPECT_EQ(Boards.RowsWithTwoNearMarks(1, 6), std::uint64_t{1} << 8);
  EXPECT_EQ(Boards.RowsWithTwoNearMarks(0, 3), 0u);
  EXPECT_EQ(Boards.RowsWithTwoNearMarks(1, 5), 0u);
}

}  // namespace
}  // namespace quintar
