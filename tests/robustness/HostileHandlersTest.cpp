// Handlers that call back into the control from inside its events: the game
// must stay consistent and every access stay on the board.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Invariants.h"
#include "Quintar.h"

namespace quintar::testing {
namespace {

void ExpectConsistent(const TQuintar& Control) {
  const std::string Broken = InvariantViolation(Control);
  EXPECT_TRUE(Broken.empty()) << Broken;
}

// Self-play by events: every legal move is answered from inside its own
// event, so the calls nest as deep as the game is long.
TEST(HostileHandlers, ComputerAnsweringEveryMoveFromItsEventFinishesTheLargestGame) {
  TQuintar Control(nullptr);
  Control.SetColCount(50);
  Control.SetRowCount(50);
  Control.SetPlayingStrength(stLow);
  int Placed = 0;
  Control.OnLegalMove = [&](vcl::TObject*) {
    ++Placed;
    Control.ComputerMove();
  };
  std::srand(3);
  Control.ComputerMove();
  EXPECT_TRUE(Control.GameOver());
  EXPECT_GT(Placed, 8);
  ExpectConsistent(Control);
}

TEST(HostileHandlers, ShrinkingTheBoardInsideAMoveOnItsFarCornerKeepsToTheNewBoard) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  // Crosses along the bottom row, so that the old board would hold a five
  // through the cell the referee is still to look at.
  for (int Col = 16; Col <= 19; ++Col) {
    Control.Move(Col, 20);
    Control.Move(Col, 1);
  }
  Control.OnLegalMove = [&](vcl::TObject*) {
    Control.OnLegalMove = nullptr;
    Control.SetRowCount(5);
  };
  Control.Move(20, 20);
  EXPECT_FALSE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
  EXPECT_EQ(Control.Turn(), 1);
  ExpectConsistent(Control);
}

TEST(HostileHandlers, MovingForTheOtherSideInsideAWinningMoveIsRefusedAndTheFiveRecorded) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  for (int Col = 1; Col <= 4; ++Col) {
    Control.Move(Col, 1);
    Control.Move(Col, 3);
  }
  bool Answered = false;
  Control.OnLegalMove = [&](vcl::TObject*) {
    if (std::exchange(Answered, true)) return;
    Control.Move(10, 10);  // noughts ask to move before the referee sees the crosses' five
  };
  Control.Move(5, 1);
  EXPECT_TRUE(Control.GameOver());
  EXPECT_TRUE(Control.WinFound());
  EXPECT_EQ(Control.Cell(9, 9), 0);
  EXPECT_EQ(Control.Turn(), -1);
  ExpectConsistent(Control);
}

TEST(HostileHandlers, ResizingToNothingInsideAMoveStillDrawsSafely) {
  TQuintar Control(nullptr);
  Control.OnLegalMove = [&](vcl::TObject*) { Control.SetBounds(0, 0, 0, -10); };
  Control.MouseDown(vcl::mbLeft, vcl::TShiftState{}, 5, 5);
  EXPECT_EQ(Control.Width(), 0);
  EXPECT_EQ(Control.Height(), 0);
  EXPECT_EQ(Control.Cell(0, 0), 1);
  Control.MouseDown(vcl::mbLeft, vcl::TShiftState{}, 5, 5);  // no area, no cell: nothing happens
  Control.Repaint();
  ExpectConsistent(Control);
}

TEST(HostileHandlers, LockingFromInsideAMoveStopsTheComputersAnswer) {
  TQuintar Control(nullptr);
  Control.OnLegalMove = [&](vcl::TObject*) { Control.SetLock(true); };
  Control.Move(3, 3);
  EXPECT_EQ(Control.Turn(), -1);  // the answer was refused by the lock
  ExpectConsistent(Control);
}

}  // namespace
}  // namespace quintar::testing
