// Moves by Move and by mouse presses: guards, events and their order.
#include <gtest/gtest.h>

#include <cstdlib>

#include "EventLog.h"
#include "Quintar.h"
#include "QuintarAccess.h"

namespace quintar {
namespace {

using testing::TEventLog;
using testing::TNames;

// Plays the given 1-based cells in turn with the computer switched off.
void Play(TQuintar& Control, std::initializer_list<vcl::TPoint> Cells) {
  const bool Auto = Control.AutoResponse();
  Control.SetAutoResponse(false);
  for (const vcl::TPoint Cell : Cells) Control.Move(Cell.X, Cell.Y);
  Control.SetAutoResponse(Auto);
}

void Press(TQuintar& Control, int X, int Y) { Control.MouseDown(vcl::mbLeft, vcl::TShiftState{}, X, Y); }

// A 5 x 5 board without five anywhere and its centre empty, noughts to move.
void NearlyFullSmallBoard(TQuintar& Control) {
  Control.SetColCount(5);
  Control.SetRowCount(5);
  const char* Rows[5] = {"XOXOX", "XOXOX", "OX.XO", "OXOXO", "XOXOX"};
  for (int Row = 0; Row < 5; ++Row)
    for (int Col = 0; Col < 5; ++Col)
      TQuintarAccess::SetCell(Control, Col, Row, Rows[Row][Col] == 'X' ? 1 : Rows[Row][Col] == 'O' ? -1 : 0);
  TQuintarAccess::SetTurn(Control, -1);
}

TEST(EventOrder, HumanPressAnsweredByTheComputer) {
  TQuintar Control(nullptr);
  TEventLog Log(Control);
  Press(Control, 55, 55);
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "LegalMove", "MouseDown"}));
  EXPECT_EQ(Control.Cell(5, 5), 1);
  EXPECT_EQ(Control.Turn(), 1);
  EXPECT_NE(Control.LastMove(), (vcl::TPoint{5, 5}));
}

TEST(EventOrder, HumanWinEndsTheGameWithoutAComputerMove) {
  TQuintar Control(nullptr);
  Play(Control, {{1, 1}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 3}, {4, 1}, {4, 3}});
  TEventLog Log(Control);
  Control.Move(5, 1);
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "CrossWon", "UserWon"}));
  EXPECT_TRUE(Control.GameOver());
  EXPECT_EQ(Control.Turn(), -1);
}

TEST(EventOrder, NoughtsWinInATwoPlayerGameAlsoRaisesUserWon) {
  TQuintar Control(nullptr);
  Play(Control, {{1, 1}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 3}, {4, 1}, {4, 3}, {9, 9}});
  TEventLog Log(Control);
  Control.SetAutoResponse(false);
  Control.Move(5, 3);
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "NoughtWon", "UserWon"}));
}

TEST(EventOrder, ComputerWinRaisesComputerWonLast) {
  TQuintar Control(nullptr);
  // Noughts hold four on the top row; crosses lie scattered.
  Play(Control, {{2, 10}, {1, 1}, {6, 14}, {2, 1}, {12, 4}, {3, 1}, {17, 18}, {4, 1}});
  TEventLog Log(Control);
  Control.Move(10, 16);
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "LegalMove", "NoughtWon", "ComputerWon"}));
  EXPECT_EQ(Control.Cell(4, 0), -1);
  EXPECT_EQ(Control.WinCells()[0], (vcl::TPoint{4, 0}));
}

TEST(EventOrder, FillingTheLastCellWithoutFiveIsADraw) {
  TQuintar Control(nullptr);
  NearlyFullSmallBoard(Control);
  TEventLog Log(Control);
  Control.Move(3, 3);
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "Draw"}));
  EXPECT_TRUE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
}

TEST(EventOrder, NewGameInsideAWinHandlerLetsTheMoveFinish) {
  TQuintar Control(nullptr);
  Play(Control, {{1, 1}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 3}, {4, 1}, {4, 3}});
  TEventLog Log(Control);
  Control.OnCrossWon = [&](vcl::TObject*) { Control.NewGame(); };
  Control.Move(5, 1);
  // UserWon still follows, and the computer opens the emptied board.
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "UserWon", "LegalMove"}));
  EXPECT_FALSE(Control.GameOver());
  EXPECT_EQ(Control.Cell(10, 10), 1);
  EXPECT_EQ(Control.Turn(), -1);
}

// A host that answers each move from its legal-move handler, as it would
// with the computer's own answer switched off.
TEST(EventOrder, AMoveAskedForInsideTheEventOfAWinningMoveIsNotPlayed) {
  TQuintar Control(nullptr);
  Play(Control, {{1, 1}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 3}, {4, 1}, {4, 3}});
  Control.SetAutoResponse(false);
  TEventLog Log(Control);
  int Moves = 0;
  Control.OnLegalMove = [&](vcl::TObject*) {
    ++Moves;
    Control.ComputerMove();
  };
  Control.Move(5, 1);
  EXPECT_EQ(Moves, 1);
  EXPECT_EQ(Log.Take(), (TNames{"CrossWon", "UserWon"}));
  EXPECT_EQ(Control.Turn(), -1);
}

// Answered that way from the first move on, a game ends once: one result,
// the board never played past it.
TEST(EventOrder, MovesAskedForInsideEveryMovesEventEndTheGameOnce) {
  for (int Side : {5, 20}) {
    TQuintar Control(nullptr);
    Control.SetColCount(Side);
    Control.SetRowCount(Side);
    Control.SetAutoResponse(false);
    std::srand(11);
    TEventLog Log(Control);
    int Marks = 0;
    Control.OnLegalMove = [&](vcl::TObject*) {
      ++Marks;
      Control.ComputerMove();
    };
    Control.ComputerMove();
    const TNames Results = Log.Take();
    EXPECT_TRUE(Control.GameOver());
    ASSERT_FALSE(Results.empty());
    EXPECT_EQ(Results.size(), Control.WinFound() ? 2u : 1u) << Side;
    if (Control.WinFound()) {
      EXPECT_EQ(Control.Cell(Control.LastMove().X, Control.LastMove().Y), -Control.Turn());
    }
    EXPECT_EQ(Control.Turn(), Marks % 2 == 0 ? 1 : -1);
  }
}

TEST(Guards, IllegalMovesAreReportedAndChangeNothing) {
  TQuintar Control(nullptr);
  Play(Control, {{4, 4}});
  TEventLog Log(Control);
  Control.Move(0, 5);
  Control.Move(21, 1);
  Control.Move(1, 21);
  Control.Move(1, 0);
  Control.Move(4, 4);
  Control.Move(INT_MIN, INT_MAX);
  EXPECT_EQ(Log.Take(), TNames(6, "IllegalMove"));
  EXPECT_EQ(Control.Turn(), -1);
  EXPECT_EQ(Control.LastMove(), (vcl::TPoint{3, 3}));
}

TEST(Guards, LockIgnoresMovesButNotPressesOrNewGame) {
  TQuintar Control(nullptr);
  Control.SetLock(true);
  TEventLog Log(Control);
  Control.Move(1, 1);
  Control.Move(0, 0);
  Control.ComputerMove();
  Press(Control, 5, 5);
  EXPECT_EQ(Log.Take(), (TNames{"MouseDown"}));
  EXPECT_EQ(Control.Cell(0, 0), 0);
  Control.SetColCount(7);
  EXPECT_EQ(Control.ColCount(), 7);
}

TEST(Guards, AfterTheGameIsOverMovesRaiseNothing) {
  TQuintar Control(nullptr);
  Play(Control, {{1, 1}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 3}, {4, 1}, {4, 3}, {5, 1}});
  ASSERT_TRUE(Control.GameOver());
  TEventLog Log(Control);
  std::srand(11);
  const int Expected = std::rand();
  std::srand(11);
  Control.Move(10, 10);
  Control.Move(0, 0);
  Control.ComputerMove();
  EXPECT_TRUE(Log.Names().empty());
  EXPECT_EQ(Control.Cell(9, 9), 0);
  EXPECT_EQ(std::rand(), Expected);  // no draw was taken
}

TEST(Guards, ClickResponseOffIgnoresPressesEntirely) {
  TQuintar Control(nullptr);
  Control.SetClickResponse(false);
  TEventLog Log(Control);
  int Clicks = 0;
  int Releases = 0;
  Control.OnClick = [&](vcl::TObject*) { ++Clicks; };
  Control.OnMouseUp = [&](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) { ++Releases; };
  Press(Control, 50, 50);
  Press(Control, -50, 50);
  Control.MouseUp(vcl::mbLeft, vcl::TShiftState{}, 50, 50);
  Control.Click();
  EXPECT_TRUE(Log.Names().empty());
  EXPECT_EQ(Control.Cell(5, 5), 0);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Releases, 1);
}

TEST(Guards, WithoutAutoResponseTwoMovesPlaceACrossThenANought) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.Move(2, 3);
  Control.Move(4, 5);
  EXPECT_EQ(Control.Cell(1, 2), 1);
  EXPECT_EQ(Control.Cell(3, 4), -1);
  EXPECT_EQ(Control.Turn(), 1);
}

TEST(PressMapping, PixelsMapToCellsOfTheBoard) {
  struct TCase {
    int Width, Height, Cols, Rows, X, Y, Col, Row;
  };
  const TCase Cases[] = {
      {200, 200, 20, 20, 0, 0, 0, 0},   {200, 200, 20, 20, 199, 199, 19, 19}, {200, 200, 20, 20, 10, 9, 1, 0},
      {300, 200, 20, 20, 14, 10, 0, 1}, {300, 200, 20, 20, 15, 10, 1, 1},     {97, 61, 7, 5, 96, 60, 6, 4},
      {97, 61, 7, 5, 13, 12, 0, 0},     {97, 61, 7, 5, 14, 13, 1, 1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(::testing::Message() << Case.Width << "x" << Case.Height << " at " << Case.X << "," << Case.Y);
    TQuintar Control(nullptr);
    Control.SetAutoResponse(false);
    Control.SetBounds(0, 0, Case.Width, Case.Height);
    Control.SetColCount(Case.Cols);
    Control.SetRowCount(Case.Rows);
    Press(Control, Case.X, Case.Y);
    EXPECT_EQ(Control.LastMove(), (vcl::TPoint{Case.Col, Case.Row}));
  }
}

// Hosts map pixels to cells through the control: each pixel's cell is the
// one a press there plays, and the cells' press areas tile the control.
TEST(PressMapping, CellAtAndCellBoundsAgreeWithPresses) {
  for (const vcl::TPoint Size : {vcl::TPoint{200, 200}, vcl::TPoint{97, 61}, vcl::TPoint{13, 40}, vcl::TPoint{3, 2}}) {
    SCOPED_TRACE(::testing::Message() << Size.X << "x" << Size.Y);
    TQuintar Control(nullptr);
    Control.SetAutoResponse(false);
    Control.SetBounds(0, 0, Size.X, Size.Y);
    Control.SetColCount(7);
    Control.SetRowCount(6);
    long long Covered = 0;
    for (int Col = 0; Col < 7; ++Col)
      for (int Row = 0; Row < 6; ++Row) {
        const vcl::TRect Bounds = Control.CellBounds(Col, Row);
        if (Bounds.IsEmpty()) continue;
        Covered += static_cast<long long>(Bounds.Right - Bounds.Left) * (Bounds.Bottom - Bounds.Top);
        for (const vcl::TPoint Corner :
             {vcl::TPoint{Bounds.Left, Bounds.Top}, vcl::TPoint{Bounds.Right - 1, Bounds.Bottom - 1}})
          EXPECT_EQ(Control.CellAt(Corner.X, Corner.Y), (vcl::TPoint{Col, Row}));
      }
    EXPECT_EQ(Covered, static_cast<long long>(Size.X) * Size.Y);
    for (int X = 0; X < Size.X; X += 5)
      for (int Y = 0; Y < Size.Y; Y += 7) {
        Control.NewGame();
        Press(Control, X, Y);
        ASSERT_EQ(Control.LastMove(), Control.CellAt(X, Y)) << X << "," << Y;
      }
  }
}

TEST(PressMapping, CellAtNamesNoCellOffTheBoardAndCellBoundsIsEmptyThere) {
  TQuintar Control(nullptr);
  for (const vcl::TPoint Pixel : {vcl::TPoint{-1, 0}, vcl::TPoint{0, -1}, vcl::TPoint{200, 5}, vcl::TPoint{5, 200},
                                  vcl::TPoint{INT_MIN, INT_MAX}})
    EXPECT_EQ(Control.CellAt(Pixel.X, Pixel.Y), TQuintar::NoCell);
  EXPECT_EQ(Control.CellBounds(19, 19), (vcl::TRect{190, 190, 200, 200}));
  for (const vcl::TPoint Cell : {vcl::TPoint{-1, 0}, vcl::TPoint{20, 0}, vcl::TPoint{0, 20}, TQuintar::NoCell})
    EXPECT_TRUE(Control.CellBounds(Cell.X, Cell.Y).IsEmpty());
  Control.SetBounds(0, 0, 0, 50);
  EXPECT_EQ(Control.CellAt(0, 0), TQuintar::NoCell);
}

TEST(Winner, IsTheSideWithFiveAndNoneOtherwise) {
  for (const int Side : {1, -1}) {
    TQuintar Control(nullptr);
    if (Side == -1) Play(Control, {{10, 10}});
    Play(Control, {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}, {4, 1}, {4, 2}});
    EXPECT_EQ(Control.Winner(), 0);
    Play(Control, {{5, 1}});
    EXPECT_EQ(Control.Winner(), Side);
    Control.NewGame();
    EXPECT_EQ(Control.Winner(), 0);
  }
}

TEST(PressMapping, PressesOutsideTheControlAreIllegalOnEverySide) {
  TQuintar Control(nullptr);
  TEventLog Log(Control);
  Press(Control, -1, 50);
  Press(Control, 50, -9);
  Press(Control, 200, 50);
  Press(Control, 50, 200);
  Press(Control, INT_MAX, INT_MIN);
  EXPECT_EQ(Log.Take(), (TNames{"IllegalMove", "MouseDown", "IllegalMove", "MouseDown", "IllegalMove", "MouseDown",
                                "IllegalMove", "MouseDown", "IllegalMove", "MouseDown"}));
}

TEST(PressMapping, ControlWithoutAreaMakesNoMoveButReportsThePress) {
  for (const vcl::TPoint Size : {vcl::TPoint{0, 200}, vcl::TPoint{200, 0}, vcl::TPoint{-4, -4}}) {
    TQuintar Control(nullptr);
    Control.SetBounds(0, 0, Size.X, Size.Y);
    TEventLog Log(Control);
    Press(Control, 0, 0);
    EXPECT_EQ(Log.Take(), (TNames{"MouseDown"}));
    EXPECT_EQ(Control.LastMove(), TQuintar::NoCell);
  }
}

TEST(ComputerMove, OpensAFreshGameInTheCentre) {
  TQuintar Control(nullptr);
  TEventLog Log(Control);
  Control.ComputerMove();
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove"}));
  EXPECT_EQ(Control.Cell(10, 10), 1);
  EXPECT_EQ(Control.Turn(), -1);
  EXPECT_EQ(Control.LastMove(), (vcl::TPoint{10, 10}));
}

TEST(ComputerMove, OnABoardFilledByAHandlerDoesNothing) {
  TQuintar Control(nullptr);
  NearlyFullSmallBoard(Control);
  Control.SetAutoResponse(false);
  TEventLog Log(Control);
  std::srand(5);
  const int Expected = std::rand();
  std::srand(5);
  int Calls = 0;
  Control.OnLegalMove = [&](vcl::TObject*) {
    ++Calls;
    Control.ComputerMove();
  };
  Control.Move(3, 3);
  EXPECT_EQ(Calls, 1);  // the handler's computer move placed nothing
  EXPECT_EQ(Log.Take(), (TNames{"Draw"}));
  EXPECT_EQ(Control.Turn(), 1);
  EXPECT_EQ(Control.LastMove(), (vcl::TPoint{2, 2}));
  EXPECT_EQ(std::rand(), Expected);
}

}  // namespace
}  // namespace quintar
