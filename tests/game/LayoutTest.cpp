// How the desktop lays a board out: the cell side that fits both ways, and
// edge numbers that thin out rather than crowd.
#include <gtest/gtest.h>

#include "BoardLayout.h"
#include "Opponent.h"

namespace quintar::game {
namespace {

TEST(SquareCellSide, TheTighterWayDecidesAndLeftoverPixelsAreDropped) {
  EXPECT_EQ(SquareCellSide(600, 400, 20, 10), 30);
  EXPECT_EQ(SquareCellSide(400, 600, 10, 20), 30);
  EXPECT_EQ(SquareCellSide(599, 599, 20, 20), 29);
  // Never less than a pixel, whatever the room or the counts.
  EXPECT_EQ(SquareCellSide(10, 10, 50, 50), 1);
  EXPECT_EQ(SquareCellSide(-5, 100, 20, 20), 1);
  EXPECT_EQ(SquareCellSide(100, 100, 0, 20), 1);
}

TEST(EdgeNumberStep, ThinsOutOnlyAsFarAsTheNumbersNeed) {
  EXPECT_EQ(EdgeNumberStep(10, 10), 1);
  EXPECT_EQ(EdgeNumberStep(10, 11), 2);
  EXPECT_EQ(EdgeNumberStep(10, 21), 5);
  EXPECT_EQ(EdgeNumberStep(10, 51), 10);
  // Too crowded even every ten cells: only a 50th cell would be numbered.
  EXPECT_EQ(EdgeNumberStep(1, 30), MaxBoardSide);
}

}  // namespace
}  // namespace quintar::game
