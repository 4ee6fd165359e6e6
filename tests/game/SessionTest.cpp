// The session beside a host: the host's handlers keep firing, a board
// changed behind the session's back is taken as it is, players move when
// stepped, and hints change nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ComputerThinker.h"
#include "EventLog.h"
#include "GameSession.h"

namespace quintar::game {
namespace {

using testing::TEventLog;
using testing::TNames;

TEST(SessionEvents, HostHandlersFireAsBeforeAndNotWhileReplaying) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TEventLog Log(Control);
  auto Session = std::make_unique<TGameSession>(Control);
  for (int I = 1; I <= 4; ++I) {
    Control.Move(I, 1);
    Control.Move(I, 2);
  }
  Control.Move(5, 1);
  EXPECT_EQ(Log.Take().size(), 9u + 2u);  // nine marks, then CrossWon and UserWon
  EXPECT_EQ(Session->Moves().size(), 9u);

  ASSERT_TRUE(Session->Undo());
  ASSERT_TRUE(Session->Redo());
  ASSERT_EQ(Session->OpenRecord(Session->SaveRecord()), "");
  EXPECT_EQ(Log.Take(), TNames{});

  // The host's handlers are its own again once the session goes.
  Session.reset();
  Control.NewGame();
  Control.Move(4, 4);
  EXPECT_EQ(Log.Take(), TNames{"LegalMove"});
}

TEST(SessionEvents, AComputerWinThroughTheSessionIsTheComputers) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TEventLog Log(Control);
  TGameSession Session(Control);
  for (int I = 1; I <= 4; ++I) {
    Control.Move(I, 1);
    Control.Move(I, 5);
  }
  Log.Take();
  Session.SetPlayer(1, {TPlayerKind::Computer, TLevel::Medium});
  ASSERT_TRUE(Session.PlayComputerMove());
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "CrossWon", "ComputerWon"}));
  EXPECT_EQ(Session.Moves().back().By, TPlayerKind::Computer);
}

// The control's highest strength blocks the crosses' four here instead of
// winning; the expert, which the session plays through Move, takes the win,
// and the host hears of it as the computer's.
TEST(SessionEvents, TheExpertTakesTheWinTheHighStrengthWouldBlock) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TEventLog Log(Control);
  TGameSession Session(Control);
  const vcl::TPoint Crosses[] = {{11, 11}, {11, 12}, {11, 13}, {11, 14}, {12, 15}};
  const vcl::TPoint Noughts[] = {{3, 6}, {4, 6}, {5, 6}, {6, 6}};
  for (int I = 0; I < 5; ++I) {
    Control.Move(Crosses[I].X, Crosses[I].Y);
    if (I < 4) Control.Move(Noughts[I].X, Noughts[I].Y);
  }
  Log.Take();
  Session.SetPlayer(-1, {TPlayerKind::Computer, TLevel::Expert});
  ASSERT_TRUE(Session.ComputerToMove());
  ASSERT_TRUE(Session.PlayComputerMove());
  EXPECT_EQ(Log.Take(), (TNames{"LegalMove", "NoughtWon", "ComputerWon"}));
  EXPECT_TRUE(Control.LastMove() == (vcl::TPoint{1, 5}) || Control.LastMove() == (vcl::TPoint{6, 5}));
  EXPECT_FALSE(Control.AutoResponse());
}

TEST(SessionBoard, ABoardChangedBehindItsBackIsTakenAsFound) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.Move(2, 2);
  Control.Move(3, 3);
  Control.Move(4, 4);
  TGameSession Session(Control);
  EXPECT_EQ(Session.Moves().size(), 3u);
  EXPECT_FALSE(Session.CanUndo());  // found on the board, not seen made
  Control.Move(5, 5);
  EXPECT_TRUE(Session.Undo());
  EXPECT_EQ(Control.Cell(4, 4), 0);
  EXPECT_EQ(Control.Cell(3, 3), 1);

  Control.SetColCount(9);                 // a new game on a new board, behind the session's back
  EXPECT_EQ(Session.Moves().size(), 3u);  // reads change nothing
  Session.BoardChanged();
  EXPECT_TRUE(Session.Moves().empty());
  EXPECT_FALSE(Session.CanRedo());
  Control.Move(1, 1);
  EXPECT_EQ(Session.Moves().size(), 1u);
}

// Found in the middle of a won game: setting it up again must end with the
// winning mark, or the five would close before the last marks were placed.
TEST(SessionBoard, AWonGameFoundOnTheBoardReplaysToTheSameWin) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  for (const int Col : {1, 2, 4, 5}) {
    Control.Move(Col, 1);
    Control.Move(Col, 9);
  }
  Control.Move(3, 1);
  ASSERT_TRUE(Control.WinFound());
  TGameSession Session(Control);
  ASSERT_EQ(Session.OpenRecord(Session.SaveRecord()), "");
  EXPECT_TRUE(Control.WinFound());
  EXPECT_EQ(Control.LastMove(), (vcl::TPoint{2, 0}));
}

TEST(SessionPlayers, TwoComputersPlayAPacedDemonstration) {
  TQuintar Control(nullptr);
  Control.SetColCount(9);
  Control.SetRowCount(9);
  std::srand(12);
  TGameSession Session(Control);
  Session.SetPlayer(1, {TPlayerKind::Computer, TLevel::Low});
  Session.SetPlayer(-1, {TPlayerKind::Computer, TLevel::High});
  EXPECT_FALSE(Control.AutoResponse());
  std::size_t Steps = 0;
  while (Session.ComputerDue().PaceMilliseconds == TGameSession::DemonstrationMilliseconds) {
    ASSERT_TRUE(Session.PlayComputerMove());
    EXPECT_EQ(Session.Moves().size(), ++Steps);
  }
  EXPECT_TRUE(Control.GameOver());
  EXPECT_FALSE(Session.ComputerToMove());
  ASSERT_TRUE(Session.Undo());  // with nobody to wait for, one move
  EXPECT_EQ(Session.Moves().size(), Steps - 1);
}

TEST(SessionPlayers, AnExpertMoveThoughtElsewhereIsDroppedOnceTheGameMovesOn) {
  TQuintar Control(nullptr);
  TGameSession Session(Control);
  Session.SetPlayer(-1, {TPlayerKind::Computer, TLevel::Expert});
  EXPECT_FALSE(Control.AutoResponse());
  EXPECT_EQ(Session.ComputerDue().Action, TComputerAction::None);
  Control.Move(10, 10);
  const TComputerDue Due = Session.ComputerDue();
  ASSERT_EQ(Due.Action, TComputerAction::ThinkElsewhere);
  EXPECT_EQ(Due.PaceMilliseconds, 0);
  EXPECT_EQ(Due.Request.Side, -1);
  EXPECT_EQ(Due.Request.Level, TLevel::Expert);
  EXPECT_EQ(Due.Request.Board.Cells[9][9], 1);
  EXPECT_FALSE(Session.PlayThoughtMove(Due.Request, {9, 9}));   // taken
  EXPECT_FALSE(Session.PlayThoughtMove(Due.Request, {20, 0}));  // off the board
  ASSERT_TRUE(Session.PlayThoughtMove(Due.Request, {9, 10}));
  EXPECT_EQ(Control.Cell(9, 10), -1);
  EXPECT_EQ(Session.Moves().back().By, TPlayerKind::Computer);
  EXPECT_FALSE(Session.PlayThoughtMove(Due.Request, {0, 0}));  // the game moved on
}

TEST(SessionHint, FinishesAFourAndChangesNothing) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TGameSession Session(Control);
  for (int Row = 5; Row <= 8; ++Row) {
    Control.Move(3, Row);
    Control.Move(12, 2 * Row);
  }
  // Crosses to move, with four in a column open at both ends.
  std::srand(99);
  const int NextDraw = std::rand();
  std::srand(99);
  const std::vector<int> Before = {Control.Turn(), Control.Cell(2, 3), Control.Cell(2, 8)};
  const std::optional<vcl::TPoint> Hint = Session.Hint();
  ASSERT_TRUE(Hint.has_value());
  EXPECT_TRUE(*Hint == (vcl::TPoint{2, 3}) || *Hint == (vcl::TPoint{2, 8}));
  EXPECT_EQ(std::rand(), NextDraw);
  EXPECT_EQ(Session.Moves().size(), 8u);
  EXPECT_EQ((std::vector<int>{Control.Turn(), Control.Cell(2, 3), Control.Cell(2, 8)}), Before);
}

// The hints at the low level, which draws among many cells, played one after
// another from the empty board.
std::vector<vcl::TPoint> LowHintsPlayed(TQuintar& Control, TGameSession& Session) {
  std::vector<vcl::TPoint> Hints;
  for (int I = 0; I < 8; ++I) {
    const std::optional<vcl::TPoint> Hint = Session.Hint();
    if (!Hint) break;
    Hints.push_back(*Hint);
    Control.Move(Hint->X + 1, Hint->Y + 1);
  }
  return Hints;
}

TEST(SessionComputer, ASeedGivenGivesTheSameChoicesInEverySession) {
  // Each session draws a fresh seed of its own; a seed given then rules.
  TQuintar First(nullptr);
  TQuintar Second(nullptr);
  std::vector<std::vector<vcl::TPoint>> Games;
  for (TQuintar* Control : {&First, &Second}) {
    Control->SetAutoResponse(false);
    TGameSession Session(*Control);
    for (const int Side : {1, -1}) Session.SetPlayer(Side, {TPlayerKind::Person, TLevel::Low});
    LowHintsPlayed(*Control, Session);  // whatever the fresh seed chose
    Session.NewGame();
    Session.SeedComputer(2024);
    Games.push_back(LowHintsPlayed(*Control, Session));
  }
  ASSERT_EQ(Games[0].size(), 8u);
  EXPECT_EQ(Games[0], Games[1]);
  // The thinker a host holds follows its seed the same way.
  TComputerThinker Thinker(2024);
  TThinkRequest Request;
  Request.Board.ColCount = First.ColCount();
  Request.Board.RowCount = First.RowCount();
  Request.Level = TLevel::Low;
  EXPECT_EQ(Thinker.Think(Request), Games[0][0]);
}

TEST(SessionClock, EachMoveTakesTheTimeSinceItsPositionArose) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  std::int64_t Now = 1000;
  TGameSession Session(Control, [&Now] { return Now; });
  Now += 250;
  Control.Move(1, 1);
  Now += 1200;
  Control.Move(2, 2);
  ASSERT_EQ(Session.Moves().size(), 2u);
  EXPECT_EQ(Session.Moves()[0].Milliseconds, 250);
  EXPECT_EQ(Session.Moves()[1].Milliseconds, 1200);
}

}  // namespace
}  // namespace quintar::game
