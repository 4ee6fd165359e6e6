// The table as every face plays through it, with a recording face: why a
// request played nothing, asking before a game is thrown away, the keyboard's
// cell, the game kept and taken up again with who made each move, the result
// said once, and the expert's moves and hints thought out elsewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "GameTable.h"

namespace quintar::game {
namespace {

// Records what the table tells the face.
class TRecordingFace : public TTableListener {
 public:
  std::vector<std::string> Said;
  std::vector<std::pair<TBoardEvent, std::string>> Raised;
  std::vector<std::pair<std::uint32_t, TThinkRequest>> Requests;
  std::vector<int> Paces;
  int Changes = 0;

  void Announced(const std::string& Words) override { Said.push_back(Words); }
  void EventRaised(TBoardEvent Event, const std::string& Words) override { Raised.push_back({Event, Words}); }
  void Changed() override { ++Changes; }
  void ThinkingRequested(std::uint32_t Serial, const TThinkRequest& Turn) override {
    Requests.push_back({Serial, Turn});
  }
  void PaceRequested(int Milliseconds) override { Paces.push_back(Milliseconds); }

  std::vector<std::string> Take() { return std::exchange(Said, {}); }
};

constexpr TPlayer Person{TPlayerKind::Person, TLevel::High};
constexpr TPlayer Computer(TLevel Level) { return {TPlayerKind::Computer, Level}; }

class TableTest : public ::testing::Test {
 protected:
  explicit TableTest(TThinking Thinking = TThinking::Here, TExpertMaker MakeExpert = MakeExpertSearch)
      : Table(Control, Face, Thinking, TPhrasebook(), MakeExpert) {
    std::srand(7);
    Control.SetBounds(0, 0, 200, 200);
    Table.SetPlayers(Person, Person);
    Face.Take();
  }
  // Crosses on 1..4 of row 1, noughts on 1..4 of row 3, crosses to move.
  void FourEach() {
    for (int Col = 1; Col <= 4; ++Col) {
      Table.Move(Col, 1);
      Table.Move(Col, 3);
    }
    Face.Take();
  }

  TQuintar Control{nullptr};
  TRecordingFace Face;
  TGameTable Table;
  const TPhrasebook& Words() const { return Table.Words(); }
};

TEST_F(TableTest, ALockedBoardSaysSoAndInvitesNoMove) {
  Table.SetLock(true);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"The board is locked."}));
  Table.Move(5, 5);
  Table.Press(vcl::mbLeft, {}, 45, 45);
  Table.PlayFocusCell();
  EXPECT_EQ(Face.Take(), std::vector<std::string>(3, "The board is locked."));
  EXPECT_EQ(Table.Status(), "The board is locked.");
  EXPECT_FALSE(Table.PersonMayPlay());
  EXPECT_EQ(Control.Cell(4, 4), 0);
  Table.SetLock(false);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"The board is unlocked."}));
  EXPECT_TRUE(Table.PersonMayPlay());
}

TEST_F(TableTest, RefusedCellsAreTakenOrOffTheBoardAndPressesMayBeOff) {
  Table.Move(3, 3);
  Face.Take();
  Table.Move(3, 3);
  Table.Move(0, 3);
  Table.Press(vcl::mbLeft, {}, 25, 25);
  Table.SetClickResponse(false);
  Table.Press(vcl::mbLeft, {}, 95, 95);
  Table.PlayFocusCell();
  EXPECT_EQ(Face.Take(),
            (std::vector<std::string>{"That cell is taken.", "That cell is off the board.", "That cell is taken.",
                                      "The board takes no presses.", "The board takes no presses."}));
}

TEST_F(TableTest, AFinishedGameIsSaidOnceAndRefusesMoves) {
  FourEach();
  Table.Move(5, 1);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"Cross on column 5, row 1.", "Crosses won."}));
  // The control's second win event carries the same words for faces that
  // publish it.
  ASSERT_GE(Face.Raised.size(), 2u);
  EXPECT_EQ(Face.Raised[Face.Raised.size() - 2], (std::pair{TBoardEvent::CrossWon, std::string("Crosses won.")}));
  EXPECT_EQ(Face.Raised.back(), (std::pair{TBoardEvent::UserWon, std::string("Crosses won.")}));
  EXPECT_EQ(Table.Status(), "Crosses won.");
  Table.Move(9, 9);
  Table.ComputerMovesNow();
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"The game is over.", "The game is over."}));
  // Played again to its end, it says how it ended.
  ASSERT_TRUE(Table.Undo());
  ASSERT_TRUE(Table.Redo());
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"Took back 1 move.", "Played 1 move again.", "Crosses won."}));
}

TEST_F(TableTest, AsksBeforeDiscardingOnlyAGameChangedSinceItWasSavedOrOpened) {
  EXPECT_FALSE(Table.WouldDiscardGame());
  Table.Move(3, 3);
  EXPECT_TRUE(Table.WouldDiscardGame());
  const std::string Record = Table.SaveRecord();
  Table.Saved("game.psq");
  EXPECT_EQ(Face.Take().back(), "Saved 1 move to game.psq.");
  EXPECT_FALSE(Table.WouldDiscardGame());
  Table.Move(4, 4);
  EXPECT_TRUE(Table.WouldDiscardGame());
  Table.Undo();
  EXPECT_FALSE(Table.WouldDiscardGame());  // back to the game as saved
  Table.Move(5, 5);
  ASSERT_EQ(Table.OpenRecord(Record, "game.psq"), "");
  EXPECT_FALSE(Table.WouldDiscardGame());
  EXPECT_EQ(Face.Take().back(), "Opened game.psq: a 20 × 20 board, 1 move.");
  // Stepping back through it loses nothing while redo can bring it back.
  Table.Move(6, 6);
  Table.Saved("game.psq");
  Table.Undo();
  EXPECT_FALSE(Table.WouldDiscardGame());
  Table.Move(7, 7);
  EXPECT_TRUE(Table.WouldDiscardGame());
  Table.NewGame();
  FourEach();
  Table.Move(5, 1);
  EXPECT_FALSE(Table.WouldDiscardGame());  // a finished game loses nothing
  // Analysis turned on over it says why there is nothing to show.
  Face.Take();
  Table.SetAnalysing(true);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"Nothing to analyse: the game is over."}));
  EXPECT_EQ(Table.AnalysisWords(), "Nothing to analyse: the game is over.");
}

TEST_F(TableTest, TheKeyboardsCellStartsInTheMiddleStopsAtTheEdgesAndPlays) {
  EXPECT_EQ(Table.FocusCell(), (vcl::TPoint{10, 10}));
  Table.MoveFocus(-30, 2);
  EXPECT_EQ(Table.FocusCell(), (vcl::TPoint{0, 12}));
  EXPECT_EQ(Table.FocusWords(), "Column 1, row 13, empty.");
  Table.PlayFocusCell();
  EXPECT_EQ(Control.Cell(0, 12), 1);
  EXPECT_EQ(Table.FocusWords(), "Column 1, row 13, cross.");
  Table.SetFocusCell({25, 3});  // off the board
  EXPECT_EQ(Table.FocusCell(), (vcl::TPoint{0, 12}));
  Table.SetBoardSize(15, 9);
  EXPECT_EQ(Table.FocusCell(), (vcl::TPoint{7, 4}));
  EXPECT_EQ(Face.Take().back(), "New game on a 15 × 9 board.");
  Table.SetBoardSize(4, 9);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"A board is 5 to 50 cells a side; the game goes on."}));
  EXPECT_EQ(Control.ColCount(), 15);
}

TEST_F(TableTest, AKeptGameComesBackWithWhoMadeEachMove) {
  Table.SetPlayers(Person, Computer(TLevel::High));
  Table.Move(10, 10);
  Table.SetPlayers(Person, Computer(TLevel::Expert));
  Table.Move(12, 12);
  const std::vector<std::string> Line = Table.MoveLineWords();
  ASSERT_EQ(Line.size(), 4u);
  const std::string Kept = Table.GameToKeep();

  TQuintar OtherControl(nullptr);
  TRecordingFace OtherFace;
  TGameTable Restored(OtherControl, OtherFace, TThinking::Here);
  EXPECT_EQ(Restored.GameToKeep(), "");  // nothing worth keeping yet
  ASSERT_EQ(Restored.RestoreKeptGame(Kept), "");
  EXPECT_EQ(OtherFace.Said.back(), "The last game goes on.");
  EXPECT_TRUE(Restored.WouldDiscardGame());  // kept, never saved: a new game would lose it
  EXPECT_EQ(Restored.MoveLineWords(), Line);
  EXPECT_NE(Line[1], Line[3]);  // one answer by high, the other by the expert
  EXPECT_EQ(Restored.Player(-1), Computer(TLevel::Expert));
  EXPECT_EQ(Restored.RestoreKeptGame(std::string(LargestRecordBytes + 1, ' ')), Words().Phrase(TPhrase::FileTooLarge));

  // Moves taken back come back ready to redo, even all of them.
  for (const std::size_t Undone : {2u, 4u}) {
    ASSERT_TRUE(Table.Undo());
    TQuintar UndoneControl(nullptr);
    TGameTable Taken(UndoneControl, OtherFace, TThinking::Here);
    ASSERT_EQ(Taken.RestoreKeptGame(Table.GameToKeep()), "");
    EXPECT_EQ(Taken.MovesMade(), 4u - Undone);
    EXPECT_EQ(Taken.MoveLineWords(), Line);
    ASSERT_TRUE(Taken.CanRedo());
    Taken.Redo();
    EXPECT_EQ(Taken.MovesMade(), 6u - Undone);
  }
}

// Against the computer, a person's move comes with its answer: going to it
// where the game already stands says nothing, rather than "Played 0 moves".
TEST_F(TableTest, GoingToAMoveWhoseAnswerIsOnTheBoardSaysNothing) {
  Table.SetPlayers(Person, Computer(TLevel::Low));
  Table.Move(10, 10);
  Table.Move(12, 12);
  ASSERT_TRUE(Table.Undo());
  ASSERT_EQ(Table.MovesMade(), 2u);
  Face.Take();
  const int Changes = Face.Changes;
  Table.GoToMove(1);
  EXPECT_EQ(Table.MovesMade(), 2u);
  EXPECT_EQ(Face.Take(), std::vector<std::string>{});
  EXPECT_GT(Face.Changes, Changes);  // the face shows where the game is again
}

// A record of the computer against itself opens to be read: nothing plays
// on it, stepping back keeps its line, and the computer goes on when asked.
TEST_F(TableTest, AnOpenedRecordWaitsForAMoveToBeAskedFor) {
  ASSERT_EQ(Table.OpenRecord("Piskvorky 20x20, 11:11, 0\n10,10,0\n11,11,0\n10,11,0\nhigh\nmedium\n-1\n", "demo.psq"),
            "");
  EXPECT_EQ(Face.Take().back(), "Opened demo.psq: a 20 × 20 board, 3 moves. The computer moves when asked.");
  ASSERT_TRUE(Table.Undo());
  ASSERT_TRUE(Table.Undo());
  EXPECT_EQ(Table.MovesMade(), 1u);
  EXPECT_TRUE(Table.CanRedo());
  EXPECT_TRUE(Face.Paces.empty());
  Table.ComputerMovesNow();
  EXPECT_EQ(Table.MovesMade(), 2u);
  EXPECT_FALSE(Face.Paces.empty());  // and the demonstration goes on at its pace
}

TEST_F(TableTest, AHintMovesTheKeyboardsCellAndGoesWithThePosition) {
  Table.Move(10, 10);
  Face.Take();
  const std::string Status = Table.Status();
  Table.Hint();
  ASSERT_TRUE(Table.HintCell());
  EXPECT_EQ(Table.FocusCell(), *Table.HintCell());
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{Words().Hint(*Table.HintCell())}));
  EXPECT_EQ(Table.Status(), Status);  // the hint does not replace whose move it is
  Table.PlayFocusCell();
  EXPECT_FALSE(Table.HintCell());
}

TEST_F(TableTest, ADemonstrationWaitsForThePaceBeforeEachMove) {
  Table.SetPlayers(Computer(TLevel::Low), Computer(TLevel::Low));
  ASSERT_EQ(Face.Paces.size(), 1u);
  EXPECT_EQ(Table.MovesMade(), 0u);
  EXPECT_TRUE(Table.ComputerToMove());
  Table.Move(1, 1);
  EXPECT_EQ(Face.Take().back(), "The computer is to move.");
  Table.Continue();
  EXPECT_EQ(Table.MovesMade(), 1u);
  EXPECT_EQ(Face.Paces.size(), 2u);
  Table.NewGame();  // a new game is paced from its first move
  EXPECT_EQ(Table.MovesMade(), 0u);
  EXPECT_EQ(Face.Paces.size(), 3u);
}

// Stepped back, a game of the computer against itself waits to be looked
// at, its line kept, as an opened record does; the computer goes on when
// asked.
TEST_F(TableTest, ADemonstrationSteppedBackWaitsWithItsLine) {
  Table.SetPlayers(Computer(TLevel::Low), Computer(TLevel::Low));
  for (int Move = 0; Move < 3; ++Move) Table.Continue();
  ASSERT_EQ(Table.MovesMade(), 3u);
  const std::size_t Paces = Face.Paces.size();
  ASSERT_TRUE(Table.Undo());
  Table.Continue();
  EXPECT_EQ(Table.MovesMade(), 2u);
  EXPECT_TRUE(Table.CanRedo());
  EXPECT_EQ(Face.Paces.size(), Paces);
  Table.ComputerMovesNow();
  EXPECT_EQ(Table.MovesMade(), 3u);
  EXPECT_GT(Face.Paces.size(), Paces);
}

// A pace lapses with the move it was for: unlocked, or handed back to the
// computer, the demonstration asks for a new one and goes on.
TEST_F(TableTest, ADemonstrationPausedByALockOrAPersonAsksForItsPaceAgain) {
  Table.SetPlayers(Computer(TLevel::Low), Computer(TLevel::Low));
  ASSERT_EQ(Face.Paces.size(), 1u);
  Table.SetLock(true);
  Table.SetLock(false);
  EXPECT_EQ(Face.Paces.size(), 2u);
  Table.SetPlayers(Person, Computer(TLevel::Low));
  Table.SetPlayers(Computer(TLevel::Low), Computer(TLevel::Low));
  EXPECT_EQ(Face.Paces.size(), 3u);
  Table.Continue();
  EXPECT_EQ(Table.MovesMade(), 1u);
}

class ThinkingElsewhere : public TableTest {
 protected:
  explicit ThinkingElsewhere(TExpertMaker MakeExpert = MakeExpertSearch) : TableTest(TThinking::Elsewhere, MakeExpert) {
    Table.SetPlayers(Person, Computer(TLevel::Expert));
    Face.Take();
  }
  std::uint32_t LastSerial() const { return Face.Requests.back().first; }
};

TEST_F(ThinkingElsewhere, TheExpertsMoveGoesOutAndPressesWaitForIt) {
  Table.Move(10, 10);
  ASSERT_EQ(Face.Requests.size(), 1u);
  EXPECT_EQ(Face.Requests[0].second.Side, -1);
  EXPECT_EQ(Table.Status(), Words().Thinking(TLevel::Expert));
  Face.Take();
  Table.Move(1, 1);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"The computer is to move."}));
  EXPECT_EQ(Control.Cell(0, 0), 0);
  Table.Answer(LastSerial(), vcl::TPoint{4, 4});
  EXPECT_EQ(Control.Cell(4, 4), -1);
  EXPECT_TRUE(Table.LastMoveByComputer());
  EXPECT_EQ(Table.Status(), "Crosses to move: you.");
}

TEST_F(ThinkingElsewhere, StaleAnswersAreDroppedAndFailedThinkingIsDoneHere) {
  Table.Move(10, 10);
  const std::uint32_t Stale = LastSerial();
  ASSERT_TRUE(Table.Undo());
  Table.Answer(Stale, vcl::TPoint{4, 4});
  EXPECT_EQ(Control.Cell(4, 4), 0);
  Table.Move(10, 10);
  Table.Answer(LastSerial(), std::nullopt);
  EXPECT_EQ(Table.MovesMade(), 2u);
  EXPECT_FALSE(Table.ComputerToMove());
}

// A face that leaves the expert out (a web page) cannot have it think here:
// a failed answer leaves the move due, unasked until the computer is told to
// move, so that a failing worker is not asked again and again.
class ThinkingOnlyElsewhere : public ThinkingElsewhere {
 protected:
  ThinkingOnlyElsewhere() : ThinkingElsewhere(NoExpertHere) {}
};

TEST_F(ThinkingOnlyElsewhere, AFailedAnswerLeavesTheMoveDueUntilAskedAgain) {
  Table.Move(10, 10);
  Face.Take();
  EXPECT_TRUE(Table.Thinking());
  Table.Answer(LastSerial(), std::nullopt);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"The computer could not think of a move; ask it to move again."}));
  EXPECT_EQ(Table.MovesMade(), 1u);
  EXPECT_TRUE(Table.ComputerToMove());
  EXPECT_FALSE(Table.Thinking());
  EXPECT_EQ(Face.Requests.size(), 1u);
  Table.ComputerMovesNow();
  ASSERT_EQ(Face.Requests.size(), 2u);
  Table.Answer(LastSerial(), vcl::TPoint{4, 4});
  EXPECT_EQ(Control.Cell(4, 4), -1);
  // An expert's hint that fails the same way says so; the game is not over.
  Table.SetPlayers({TPlayerKind::Person, TLevel::Expert}, Computer(TLevel::Expert));
  Face.Take();
  Table.Hint();
  Table.Answer(LastSerial(), std::nullopt);
  EXPECT_EQ(Face.Take(), (std::vector<std::string>{"The computer could not think of a hint; ask again."}));
}

// Made to think here without the expert, the table must not wait for a move
// that never comes: it leaves the move due and returns.
TEST(TableWithoutExpert, ThinkingHereLeavesTheExpertsMoveDue) {
  TQuintar Control(nullptr);
  TRecordingFace Face;
  TGameTable Table(Control, Face, TThinking::Here, TPhrasebook(), NoExpertHere);
  Table.SetPlayers(Person, Computer(TLevel::Expert));
  Table.Move(10, 10);
  EXPECT_EQ(Table.MovesMade(), 1u);
  EXPECT_TRUE(Table.ComputerToMove());
}

TEST_F(ThinkingElsewhere, TheExpertsHintIsThoughtOutElsewhereAndDroppedWhenThePositionMovesOn) {
  Table.SetPlayers({TPlayerKind::Person, TLevel::Expert}, Computer(TLevel::Expert));
  Table.Move(10, 10);
  Table.Answer(LastSerial(), vcl::TPoint{4, 4});
  Table.Hint();
  const std::uint32_t Hint = LastSerial();
  EXPECT_TRUE(Table.HintPending());
  Table.Move(1, 1);
  Face.Take();
  Table.Answer(Hint, vcl::TPoint{7, 7});
  EXPECT_FALSE(Table.HintCell());
  EXPECT_TRUE(Face.Take().empty());
}

}  // namespace
}  // namespace quintar::game
