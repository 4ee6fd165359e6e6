// The rules of play every host follows through the session: what the
// computer must do next, "computer moves now", hints that go stale, and how
// a finished game ended.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GameSession.h"
#include "Phrasebook.h"

namespace quintar::game {
namespace {

constexpr TPlayer Person{TPlayerKind::Person, TLevel::High};
TPlayer Computer(TLevel Level) { return {TPlayerKind::Computer, Level}; }

// Crosses on row 1 and noughts on row 5, four each: crosses to move and one
// move from five at (5, 1).
void FourEach(TQuintar& Control) {
  for (int Col = 1; Col <= 4; ++Col) {
    Control.Move(Col, 1);
    Control.Move(Col, 5);
  }
}

TEST(ComputerDue, NamesHowEachLevelMovesAndWhenToPace) {
  TQuintar Control(nullptr);
  TGameSession Session(Control);
  Session.SetPlayer(1, Person);
  Session.SetPlayer(-1, Computer(TLevel::Medium));
  EXPECT_EQ(Session.ComputerDue().Action, TComputerAction::None);  // the person opens

  Session.SetPlayer(1, Computer(TLevel::Expert));
  const TComputerDue Expert = Session.ComputerDue();
  EXPECT_EQ(Expert.Action, TComputerAction::ThinkElsewhere);
  EXPECT_EQ(Expert.PaceMilliseconds, TGameSession::DemonstrationMilliseconds);

  Session.SetPlayer(1, Computer(TLevel::Low));
  EXPECT_EQ(Session.ComputerDue().Action, TComputerAction::PlayNow);
  Control.SetLock(true);
  EXPECT_EQ(Session.ComputerDue().Action, TComputerAction::None);
  EXPECT_FALSE(Session.PlayComputerMove());
  EXPECT_FALSE(Session.ComputerMovesNow());
  Control.SetLock(false);
  std::srand(5);
  ASSERT_TRUE(Session.PlayComputerMove());
  EXPECT_EQ(Session.Moves().size(), 1u);
  EXPECT_EQ(Session.Moves()[0].Level, TLevel::Low);
}

TEST(ComputerMovesNow, OneMoveForTheSideToMoveWithTheSeatsKept) {
  TQuintar Control(nullptr);
  TGameSession Session(Control);
  Session.SetPlayer(1, {TPlayerKind::Person, TLevel::Low});
  Session.SetPlayer(-1, Computer(TLevel::High));
  std::srand(9);
  ASSERT_TRUE(Session.ComputerMovesNow());
  const TComputerDue Due = Session.ComputerDue();
  EXPECT_EQ(Due.Action, TComputerAction::PlayNow);
  EXPECT_EQ(Due.PaceMilliseconds, 0);
  EXPECT_EQ(Due.Request.Level, TLevel::Low);  // the person's side's level
  ASSERT_TRUE(Session.PlayComputerMove());
  // The computer's own side answers as usual; then the person is to move.
  ASSERT_TRUE(Session.PlayComputerMove());
  EXPECT_FALSE(Session.ComputerToMove());
  EXPECT_EQ(Session.Player(1).Kind, TPlayerKind::Person);
  EXPECT_EQ(Session.Player(-1).Kind, TPlayerKind::Computer);
  ASSERT_EQ(Session.Moves().size(), 2u);
  EXPECT_EQ(Session.Moves()[0].By, TPlayerKind::Computer);
  EXPECT_EQ(Session.Moves()[0].Level, TLevel::Low);
  EXPECT_EQ(Session.Moves()[1].Level, TLevel::High);

  // Asked and then overtaken by the person's own move, which the control
  // answers, it lapses.
  ASSERT_TRUE(Session.ComputerMovesNow());
  Control.Move(1, 1);
  EXPECT_EQ(Session.Moves().size(), 4u);
  EXPECT_FALSE(Session.ComputerToMove());
  Control.SetLock(true);
  EXPECT_FALSE(Session.ComputerMovesNow());
}

TEST(ComputerMovesNow, AtTheExpertItIsThoughtOutLikeAnyExpertMove) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TGameSession Session(Control);
  Session.SetPlayer(1, {TPlayerKind::Person, TLevel::Expert});
  Session.SetPlayer(-1, {TPlayerKind::Person, TLevel::Expert});
  ASSERT_TRUE(Session.ComputerMovesNow());
  const TComputerDue Due = Session.ComputerDue();
  ASSERT_EQ(Due.Action, TComputerAction::ThinkElsewhere);
  ASSERT_TRUE(Session.PlayThoughtMove(Due.Request, {3, 3}));
  EXPECT_FALSE(Session.ComputerToMove());  // between two people nothing answers
  EXPECT_EQ(Session.Moves().back().By, TPlayerKind::Computer);
}

TEST(Hints, AnAnswerForAPositionThatMovedOnIsDropped) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TGameSession Session(Control);
  Control.Move(10, 10);
  const std::optional<TThinkRequest> Asked = Session.HintRequest();
  ASSERT_TRUE(Asked.has_value());
  EXPECT_EQ(Asked->Side, -1);
  EXPECT_EQ(Session.HintStillApplies(*Asked, {4, 4}), (vcl::TPoint{4, 4}));
  EXPECT_EQ(Session.HintStillApplies(*Asked, {9, 9}), std::nullopt);  // taken
  Control.Move(5, 5);
  EXPECT_EQ(Session.HintStillApplies(*Asked, {4, 4}), std::nullopt);
  ASSERT_TRUE(Session.Undo());  // the same marks again, but another position in time
  EXPECT_EQ(Session.HintStillApplies(*Asked, {4, 4}), std::nullopt);
  const std::optional<TThinkRequest> Again = Session.HintRequest();
  ASSERT_TRUE(Again.has_value());
  Session.SetPlayer(-1, Computer(TLevel::Expert));  // another level: another hint
  EXPECT_EQ(Session.HintStillApplies(*Again, {4, 4}), std::nullopt);
}

TEST(Result, IsKeptAsTheGameEndedWhateverThePlayersBecome) {
  TQuintar Control(nullptr);
  TGameSession Session(Control);
  Session.SetPlayer(1, Person);
  Session.SetPlayer(-1, Person);
  FourEach(Control);
  EXPECT_EQ(Session.Result(), std::nullopt);
  Session.SetPlayer(1, Computer(TLevel::Medium));
  Session.SetPlayer(-1, Person);
  std::srand(1);
  ASSERT_TRUE(Session.PlayComputerMove());  // the five at (5, 1)
  const TGameResult Won{1, TPlayerKind::Computer, TLevel::Medium, false};
  EXPECT_EQ(Session.Result(), Won);
  Session.SetPlayer(1, Person);
  Session.SetPlayer(-1, Computer(TLevel::Expert));
  EXPECT_EQ(Session.Result(), Won);
  EXPECT_EQ(TPhrasebook().Turn(Session), "Crosses won: the computer (medium).");
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Session.Result(), std::nullopt);
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(Session.Result(), Won);
}

TEST(Result, APersonsFiveAgainstTheComputerAndADraw) {
  TQuintar Control(nullptr);
  Control.SetColCount(5);
  Control.SetRowCount(5);
  TGameSession Session(Control);
  Session.SetPlayer(1, Person);
  Session.SetPlayer(-1, Person);
  // Columns filled in the order 1, 3, 5, 2, 4 break every line of five.
  for (int Col : {1, 3, 5, 2, 4})
    for (int Row = 1; Row <= 5; ++Row) Control.Move(Col, Row);
  EXPECT_EQ(Session.Result(), (TGameResult{}));
  EXPECT_EQ(TPhrasebook().Turn(Session), "Draw: the board is full.");

  Control.SetColCount(20);
  Session.SetPlayer(-1, Computer(TLevel::Expert));
  for (int Col = 1; Col <= 4; ++Col) {
    Control.Move(Col, 1);
    ASSERT_TRUE(Session.PlayThoughtMove(Session.ComputerDue().Request, {Col - 1, 4}));
  }
  Control.Move(5, 1);
  const std::optional<TGameResult> Won = Session.Result();
  ASSERT_TRUE(Won.has_value());
  EXPECT_TRUE(Won->AgainstComputer);
  EXPECT_EQ(TPhrasebook().Result(*Won), "Crosses won: you.");
}

TEST(MoveLine, GoingToAMoveAgainstTheComputerKeepsItsAnswer) {
  TQuintar Control(nullptr);
  TGameSession Session(Control);
  Session.SetPlayer(-1, Computer(TLevel::Expert));
  for (int Col = 1; Col <= 3; ++Col) {
    Control.Move(Col, 1);
    ASSERT_TRUE(Session.PlayThoughtMove(Session.ComputerDue().Request, {Col - 1, 5}));
  }
  ASSERT_TRUE(Session.GoToMove(3));  // the person's third move, answered in the line
  EXPECT_EQ(Session.Moves().size(), 4u);
  EXPECT_FALSE(Session.ComputerToMove());
  ASSERT_TRUE(Session.GoToMove(2));
  EXPECT_EQ(Session.Moves().size(), 2u);
  EXPECT_EQ(Session.MoveLine().size(), 6u);
  ASSERT_TRUE(Session.GoToMove(6));
  EXPECT_EQ(Control.Cell(2, 5), -1);
}

TEST(Records, KeepWhoPlaysAndAManagersNamesLeaveThePlayersAlone) {
  TQuintar Control(nullptr);
  TGameSession Session(Control);
  Session.SetPlayer(1, {TPlayerKind::Person, TLevel::Low});
  Session.SetPlayer(-1, Computer(TLevel::Expert));
  Control.Move(3, 3);
  ASSERT_TRUE(Session.PlayThoughtMove(Session.ComputerDue().Request, {5, 5}));
  const std::string Saved = Session.SaveRecord();

  TQuintar Other(nullptr);
  TGameSession Restored(Other);
  Restored.SetPlayer(1, Computer(TLevel::Medium));
  Restored.SetPlayer(-1, {TPlayerKind::Person, TLevel::High});
  ASSERT_EQ(Restored.OpenRecord(Saved), "");
  // A person keeps the level that side had for hints.
  EXPECT_EQ(Restored.Player(1), (TPlayer{TPlayerKind::Person, TLevel::Medium}));
  EXPECT_EQ(Restored.Player(-1), Computer(TLevel::Expert));
  ASSERT_EQ(Restored.Moves().size(), 2u);
  EXPECT_EQ(Restored.Moves()[1].Cell, (vcl::TPoint{5, 5}));
  EXPECT_EQ(Restored.Moves()[1].By, TPlayerKind::Computer);
  EXPECT_EQ(Restored.ComputerDue().Action, TComputerAction::None);

  ASSERT_EQ(Restored.OpenRecord("Piskvorky 20x20, 11:11, 0\n1,1,0\nengine.zip\nother.zip\n-1\n"), "");
  EXPECT_EQ(Restored.Player(-1), Computer(TLevel::Expert));
}

TEST(Phrasebook, TranslatesEachPatternAndWordBeforeFillingIn) {
  const TPhrasebook Upper([](std::string_view English, std::optional<std::size_t>) {
    std::string Said(English);
    for (char& Letter : Said)
      if (Letter >= 'a' && Letter <= 'z') Letter = static_cast<char>(Letter - 'a' + 'A');
    return Said;
  });
  EXPECT_EQ(Upper.Move({{10, 8}, -1, TPlayerKind::Computer, 0, TLevel::Expert, TPlayerKind::Person}),
            "NOUGHT BY THE COMPUTER (EXPERT) ON COLUMN 11, ROW 9.");
  const TPhrasebook Plain;
  EXPECT_EQ(Plain.Move({{0, 0}, 1, TPlayerKind::Person, 0}), "Cross on column 1, row 1.");
  EXPECT_EQ(Plain.TakenBack(1), "Took back 1 move.");
  EXPECT_EQ(Plain.TakenBack(2), "Took back 2 moves.");
  EXPECT_EQ(Plain.CellContents({2, 3}, 0), "Column 3, row 4, empty.");
  EXPECT_EQ(Plain.Result({-1, TPlayerKind::Person, TLevel::High, false}), "Noughts won.");
  EXPECT_EQ(Plain.NewBoard(8, 8), "New game on an 8 × 8 board.");
  EXPECT_EQ(Plain.NewBoard(30, 8), "New game on a 30 × 8 board.");
}

// A language with forms of its own for counts gets the count with the
// pattern; one that leaves the pattern as it is gets English's.
TEST(Phrasebook, CountsReachTheTranslationWithThePattern) {
  const TPhrasebook Counting([](std::string_view English, std::optional<std::size_t> Count) {
    if (English == "Took back %n moves." && Count) return std::string(*Count < 5 ? "%n tahy zpět." : "%n tahů zpět.");
    return std::string(English);
  });
  EXPECT_EQ(Counting.TakenBack(1), "1 tahy zpět.");
  EXPECT_EQ(Counting.TakenBack(7), "7 tahů zpět.");
  EXPECT_EQ(Counting.PlayedAgain(1), "Played 1 move again.");
  EXPECT_EQ(Counting.Saved("a.psq", 3), "Saved 3 moves to a.psq.");
  EXPECT_EQ(Counting.Saved("", 3), "Saved 3 moves.");  // a page that stores a game names no file
}

}  // namespace
}  // namespace quintar::game
