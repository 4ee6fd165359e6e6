// The game's words for what the control did, and the way its requests reach
// the control.
#include <gtest/gtest.h>

#include "Game.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;

TReply Execute(TGame& Game, std::string_view Line) { return Game.Execute(ParseCommand(Line)); }
TLines Said(TGame& Game, std::string_view Line) { return Execute(Game, Line).Lines; }
void Script(TGame& Game, std::initializer_list<const char*> Lines) {
  for (const char* Line : Lines) Execute(Game, Line);
}

TEST(GameMoves, ReportEachMarkAndWhoMadeIt) {
  TGame Game(3, 1);
  Script(Game, {"auto off"});
  const TReply First = Execute(Game, "1 1");
  EXPECT_EQ(First.Lines, TLines{"Cross on column 1, row 1."});
  EXPECT_TRUE(First.PositionChanged);
  EXPECT_EQ(Said(Game, "2,3"), TLines{"Nought on column 2, row 3."});
  const TLines Computer = Said(Game, "computer");
  ASSERT_EQ(Computer.size(), 1u);
  EXPECT_EQ(Computer[0].rfind("Cross by the computer (high) on column ", 0), 0u) << Computer[0];
  Script(Game, {"new", "auto on"});
  const TLines Answered = Said(Game, "10 10");
  ASSERT_EQ(Answered.size(), 2u);
  EXPECT_EQ(Answered[0], "Cross on column 10, row 10.");
  EXPECT_EQ(Answered[1].rfind("Nought by the computer (high) on column ", 0), 0u) << Answered[1];
}

TEST(GameMoves, TellATakenCellFromOneOffTheBoard) {
  TGame Game(3, 1);
  Script(Game, {"auto off", "size 20 15", "4 4"});
  const TReply Taken = Execute(Game, "4 4");
  EXPECT_EQ(Taken.Lines, TLines{"That cell is taken."});
  EXPECT_FALSE(Taken.PositionChanged);
  for (const char* Off : {"21 1", "1 16", "0 5"})
    EXPECT_EQ(Said(Game, Off), TLines{"That cell is off the board."}) << Off;
  EXPECT_EQ(Game.Control().Turn(), -1);
}

TEST(GameEnd, YourFiveAgainstTheComputer) {
  TGame Game(3, 1);
  Script(Game, {"auto off", "1 1", "1 2", "2 1", "2 2", "3 1", "3 2", "4 1", "4 2", "auto on"});
  EXPECT_EQ(Said(Game, "5 1"), (TLines{"Cross on column 5, row 1.", "Crosses won: you.", "Type new to play again."}));
  EXPECT_EQ(Said(Game, "9 9"), TLines{"The game is over. Type new to play again."});
  EXPECT_EQ(Said(Game, "computer"), TLines{"The game is over. Type new to play again."});
  EXPECT_TRUE(Game.Control().WinFound());
}

TEST(GameEnd, TheComputersFive) {
  TGame Game(3, 1);
  Script(Game, {"auto off", "1 1", "10 10", "2 1", "12 12", "3 1", "14 14", "4 1", "16 16"});
  EXPECT_EQ(Said(Game, "computer"), (TLines{"Cross by the computer (high) on column 5, row 1.",
                                            "Crosses won: the computer (high).", "Type new to play again."}));
}

TEST(GameEnd, BetweenTwoPeopleOnlyTheSideIsNamed) {
  TGame Game(3, 1);
  Script(Game, {"auto off", "1 1", "1 2", "2 1", "2 2", "3 1", "3 2", "4 1", "4 2", "9 9"});
  EXPECT_EQ(Said(Game, "5 2"), (TLines{"Nought on column 5, row 2.", "Noughts won.", "Type new to play again."}));
}

TEST(GameEnd, AFullBoardIsADraw) {
  TGame Game(3, 1);
  Script(Game, {"auto off", "size 5 5"});
  // Crosses and noughts in turn onto a pattern without five.
  const char* Rows[5] = {"XOXOX", "XOXOX", "OXOXO", "OXOXO", "XOXOX"};
  std::vector<std::string> Crosses, Noughts;
  for (int Row = 0; Row < 5; ++Row)
    for (int Col = 0; Col < 5; ++Col)
      (Rows[Row][Col] == 'X' ? Crosses : Noughts).push_back(std::to_string(Col + 1) + " " + std::to_string(Row + 1));
  ASSERT_EQ(Crosses.size(), 13u);
  for (std::size_t I = 0; I < Noughts.size(); ++I) {
    ASSERT_EQ(Said(Game, Crosses[I]).size(), 1u);
    ASSERT_EQ(Said(Game, Noughts[I]).size(), 1u);
  }
  EXPECT_EQ(Said(Game, Crosses.back()),
            (TLines{"Cross on column 5, row 5.", "Draw: the board is full.", "Type new to play again."}));
}

TEST(GameSettings, LockRefusesEveryMoveWithAReason) {
  TGame Game(3, 1);
  EXPECT_EQ(Said(Game, "lock on"), TLines{"The board is locked."});
  EXPECT_EQ(Said(Game, "5 5"), TLines{"The board is locked. Type lock off to play on."});
  EXPECT_EQ(Said(Game, "computer"), TLines{"The board is locked. Type lock off to play on."});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 0, 0).Lines, TLines{"The board is locked. Type lock off to play on."});
  EXPECT_EQ(Said(Game, "lock off"), TLines{"The board is unlocked."});
  // The computer moves once for the person; its own side then answers.
  const TLines Moved = Said(Game, "computer");
  ASSERT_EQ(Moved.size(), 2u);
  EXPECT_EQ(Moved[0], "Cross by the computer (high) on column 11, row 11.");
  EXPECT_EQ(Moved[1].rfind("Nought by the computer (high) on column ", 0), 0u) << Moved[1];
  EXPECT_EQ(Game.Status().find("Crosses to move: you."), 0u) << Game.Status();
}

TEST(GameSettings, SizeStartsANewGameOnlyWhenItIsValid) {
  TGame Game(3, 1);
  Script(Game, {"auto off", "3 3"});
  for (const char* Bad : {"size 4 10", "size 10 51", "size -5 10"})
    EXPECT_EQ(Said(Game, Bad), TLines{"A board is 5 to 50 cells a side; the game goes on."}) << Bad;
  EXPECT_EQ(Game.Control().Cell(2, 2), 1);
  const TReply Resized = Execute(Game, "size 15 12");
  EXPECT_EQ(Resized.Lines, TLines{"New game on a 15 x 12 board."});
  EXPECT_TRUE(Resized.PositionChanged);
  EXPECT_EQ(Game.Control().Cell(2, 2), 0);
  EXPECT_EQ(Game.Control().Width(), 45);
  EXPECT_EQ(Game.Control().Height(), 12);
}

TEST(GameSettings, StrengthAutoHelpQuitAndStatus) {
  TGame Game(3, 1);
  EXPECT_EQ(Game.Status(), "Crosses to move: you. 20 x 20, crosses person, noughts computer, strength high, lock off");
  EXPECT_EQ(Said(Game, "strength low"), TLines{"Strength: low."});
  EXPECT_EQ(Game.Control().PlayingStrength(), stLow);
  EXPECT_EQ(Said(Game, "auto off"), TLines{"The computer waits: type computer to let it move."});
  EXPECT_FALSE(Game.Control().AutoResponse());
  EXPECT_EQ(Said(Game, "help").size(), 5u);
  EXPECT_TRUE(Execute(Game, "quit").Quit);
  EXPECT_FALSE(Execute(Game, "new").Quit);
  Script(Game, {"7 7", "lock on"});
  EXPECT_EQ(Game.Status(), "Noughts to move. 20 x 20, crosses person, noughts person, strength low, lock on");
}

TEST(GameSettings, PropertiesAreSetByNameAndTheControlRefitted) {
  TGame Game(3, 2);
  EXPECT_EQ(Game.Set("ColCount=15"), "");
  EXPECT_EQ(Game.Set(" RowCount = 7"), "");
  EXPECT_EQ(Game.Control().Width(), 45);
  EXPECT_EQ(Game.Control().Height(), 14);
  EXPECT_EQ(Game.Set("CrossColor=clGreen"), "");
  EXPECT_EQ(Game.Control().CrossColor(), vcl::clGreen);
  EXPECT_EQ(Game.Set("ColCount"), "expected Name=Value, not \"ColCount\"");
  EXPECT_NE(Game.Set("GameOver=True"), "");
  EXPECT_NE(Game.Set("Nothing=1"), "");
  EXPECT_EQ(Game.Control().ColCount(), 15);
}

// A press in host units reaches MouseDown unchanged; with three units a
// column and one a row, its mapping picks the cell under the press.
TEST(GamePresses, PlayTheCellUnderThePress) {
  TGame Game(3, 1);
  Script(Game, {"auto off"});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 0, 0).Lines, TLines{"Cross on column 1, row 1."});
  EXPECT_EQ(Game.Press(vcl::mbRight, {}, 5, 0).Lines, TLines{"Nought on column 2, row 1."});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 59, 19).Lines, TLines{"Cross on column 20, row 20."});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 2, 0).Lines, TLines{"That cell is taken."});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 60, 3).Lines, TLines{"That cell is off the board."});
  EXPECT_EQ(Game.Set("ClickResponse=False"), "");
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 30, 3).Lines, TLines{"Clicks do not play: type the column and row."});
  EXPECT_EQ(Game.Control().Cell(10, 3), 0);
}

TEST(GameSession, UndoRedoHintSaveAndOpen) {
  TGame Game(3, 1);
  std::srand(17);
  Script(Game, {"1 1", "20 20"});
  EXPECT_EQ(Said(Game, "undo"), (TLines{"Took back 2 moves.", "Crosses to move: you."}));
  EXPECT_EQ(Game.Control().Cell(19, 19), 0);
  EXPECT_EQ(Said(Game, "redo"), (TLines{"Played 2 moves again.", "Crosses to move: you."}));
  EXPECT_EQ(Game.Control().Cell(19, 19), 1);
  const TReply Hint = Execute(Game, "hint");
  ASSERT_TRUE(Game.Hint().has_value());
  EXPECT_EQ(Game.Control().Cell(Game.Hint()->X, Game.Hint()->Y), 0);
  EXPECT_EQ(Hint.Lines[0].rfind("Hint: ", 0), 0u);
  EXPECT_TRUE(Hint.PositionChanged);

  const std::string Path = ::testing::TempDir() + "terminal-game.psq";
  EXPECT_EQ(Said(Game, "save " + Path), TLines{"Saved 4 moves to \"" + Path + "\"."});
  Script(Game, {"new", "size 9 9"});
  EXPECT_EQ(Said(Game, "open " + Path),
            (TLines{"Opened \"" + Path + "\": 20 x 20, 4 moves.", "Crosses to move: you."}));
  EXPECT_EQ(Game.Control().Cell(19, 19), 1);
  EXPECT_FALSE(Game.Hint().has_value());
  EXPECT_EQ(Said(Game, "open /nonexistent/x.psq"), TLines{"Could not read \"/nonexistent/x.psq\"."});
  EXPECT_EQ(Said(Game, "open " + ::testing::TempDir()), TLines{"Could not read \"" + ::testing::TempDir() + "\"."});
  EXPECT_EQ(Game.Control().Cell(19, 19), 1);
}

// The expert is not one of the control's strengths: the game plays it.
TEST(GameSession, TheExpertAnswersAndMovesOnceWhenAsked) {
  TGame Game(3, 1);
  EXPECT_EQ(Said(Game, "strength expert"), TLines{"Strength: expert."});
  EXPECT_FALSE(Game.Control().AutoResponse());
  const TLines Answered = Said(Game, "10 10");
  ASSERT_EQ(Answered.size(), 2u);
  EXPECT_EQ(Answered[1].rfind("Nought by the computer (expert) on column ", 0), 0u);
  Script(Game, {"new"});
  const TLines Opened = Said(Game, "computer");
  ASSERT_EQ(Opened.size(), 2u);
  EXPECT_EQ(Opened[0].rfind("Cross by the computer (expert) on column ", 0), 0u) << Opened[0];
  EXPECT_NE(Game.Status().find("crosses person, noughts computer"), std::string::npos);
  const TLines Pressed = Game.Press(vcl::mbLeft, {}, 0, 0).Lines;
  ASSERT_EQ(Pressed.size(), 2u);
  EXPECT_EQ(Pressed[0], "Cross on column 1, row 1.");
  EXPECT_EQ(Pressed[1].rfind("Nought by the computer (expert) on column ", 0), 0u);
}

}  // namespace
}  // namespace quintar::terminal
