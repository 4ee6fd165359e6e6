// The brain's protocol: every command, every refusal, whole games, and the
// same choice as the control's computer move.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "BrainDriver.h"
#include "Quintar.h"

namespace quintar::brain {
namespace {

using testing::TBrainSession;
using testing::TReferee;

TEST(BrainStart, AcceptsBoardsOfFiveToFiftyASide) {
  TBrainSession Send;
  EXPECT_EQ(Send("START 20"), "OK\n");
  EXPECT_EQ(Send("START 5"), "OK\n");
  EXPECT_EQ(Send("START 50"), "OK\n");
  EXPECT_EQ(Send("RECTSTART 30,10"), "OK\n");
  EXPECT_EQ(Send.Brain().Board().Width(), 30);
  EXPECT_EQ(Send.Brain().Board().Height(), 10);
  EXPECT_EQ(Send("start 7"), "OK\n");  // letter case is not the peer's problem
}

TEST(BrainStart, RefusesOtherSizesWithAReasonAndKeepsTheBoard) {
  TBrainSession Send;
  ASSERT_EQ(Send("START 20"), "OK\n");
  ASSERT_EQ(Send("TURN 3,3").rfind("ERROR", 0), std::string::npos);
  EXPECT_EQ(Send("START 4"), "ERROR unsupported size 4x4: boards of 5 to 50 cells a side only\n");
  EXPECT_EQ(Send("START 51"), "ERROR unsupported size 51x51: boards of 5 to 50 cells a side only\n");
  EXPECT_EQ(Send("RECTSTART 5,51"), "ERROR unsupported size 5x51: boards of 5 to 50 cells a side only\n");
  for (const char* Malformed : {"START", "START x", "START -20", "START 20 20", "START 99999999999", "RECTSTART 20",
                                "RECTSTART 20,", "RECTSTART ,20", "RECTSTART 20,,20", "RECTSTART 20,20,20"})
    EXPECT_EQ(Send(Malformed).rfind("ERROR ", 0), 0u) << Malformed;
  EXPECT_EQ(Send.Brain().Board().Width(), 20);
  EXPECT_EQ(Send.Brain().Board().At(3, 3), TStone::Opponent);
}

TEST(BrainMoves, NeedABoardFirst) {
  TBrainSession Send;
  EXPECT_EQ(Send("BEGIN"), "ERROR no board yet: send START first\n");
  EXPECT_EQ(Send("TURN 1,1"), "ERROR TURN needs a board: send START first\n");
  EXPECT_EQ(Send("TAKEBACK 1,1"), "ERROR TAKEBACK needs a board: send START first\n");
  EXPECT_EQ(Send("RESTART"), "ERROR no board yet: send START first\n");
  Send("BOARD");
  EXPECT_EQ(Send("DONE"), "ERROR no board yet: send START first; position unchanged\n");
}

TEST(BrainMoves, BeginOpensInTheCentreAndTurnAnswersTheOpponent) {
  TBrainSession Send;
  Send("START 20");
  EXPECT_EQ(Send("BEGIN"), "10,10\n");
  EXPECT_EQ(Send.Brain().Board().At(10, 10), TStone::Own);
  const std::string Answer = Send("TURN 11,11");
  TReferee Referee(20, 20);
  int X = 0, Y = 0;
  EXPECT_TRUE(Referee.Play(Answer, 1, X, Y)) << Answer;
  EXPECT_EQ(Send.Brain().Board().At(11, 11), TStone::Opponent);
  EXPECT_EQ(Send.Brain().Board().At(X, Y), TStone::Own);
  // Opening a game that is under way would play twice in a row.
  EXPECT_EQ(Send("BEGIN"), "ERROR BEGIN opens an empty board, and this one holds stones: send RESTART first\n");
}

// A manager reads one answer per command, so a block of lines up to DONE
// gets one, whatever its lines.
TEST(BrainBoard, ABlockItCannotTakeGetsOneAnswerAtDone) {
  TBrainSession Send;
  Send("START 15");
  for (const char* Line : {"SWAP2BOARD", "7,7", "8,7", "9,9"}) EXPECT_EQ(Send(Line), "") << Line;
  EXPECT_EQ(Send("DONE"), "UNKNOWN command SWAP2BOARD\n");
  for (const char* Line : {"BOARD now", "7,7,1"}) EXPECT_EQ(Send(Line), "") << Line;
  EXPECT_EQ(Send("DONE"), "ERROR BOARD takes no arguments; position unchanged\n");
  EXPECT_EQ(Send("BEGIN"), "7,7\n");
}

TEST(BrainMoves, RefuseTakenOffBoardAndMalformedCellsAndChangeNothing) {
  TBrainSession Send;
  Send("RECTSTART 20,10");
  Send("BEGIN");  // (10, 5)
  EXPECT_EQ(Send("TURN 10,5"), "ERROR TURN 10,5 is taken\n");
  EXPECT_EQ(Send("TURN 20,3"), "ERROR TURN 20,3 is off the 20x10 board\n");
  EXPECT_EQ(Send("TURN 3,10"), "ERROR TURN 3,10 is off the 20x10 board\n");
  EXPECT_EQ(Send("TURN -1,3"), "ERROR TURN expects x,y, not \"-1,3\"\n");
  for (const char* Malformed : {"TURN", "TURN 3", "TURN 3,", "TURN 3 4", "TURN a,b", "TURN 3,4,1", "TURN 1,2x"})
    EXPECT_EQ(Send(Malformed).rfind("ERROR TURN ", 0), 0u) << Malformed;
  int Stones = 0;
  for (int X = 0; X < 20; ++X)
    for (int Y = 0; Y < 10; ++Y) Stones += Send.Brain().Board().At(X, Y) != TStone::Empty;
  EXPECT_EQ(Stones, 1);
  EXPECT_EQ(Send("TURN 3 , 4").rfind("ERROR", 0), std::string::npos);  // spaces around the comma are fine
}

TEST(BrainMoves, TakebackRemovesAStoneOfEitherSide) {
  TBrainSession Send;
  Send("START 15");
  Send("BEGIN");  // (7, 7)
  EXPECT_EQ(Send("TAKEBACK 7,7"), "OK\n");
  EXPECT_EQ(Send.Brain().Board().At(7, 7), TStone::Empty);
  EXPECT_EQ(Send("TAKEBACK 7,7"), "ERROR TAKEBACK 7,7 holds no stone\n");
  EXPECT_EQ(Send("TAKEBACK 15,0"), "ERROR TAKEBACK 15,0 is off the 15x15 board\n");
  EXPECT_EQ(Send("TAKEBACK x"), "ERROR TAKEBACK expects x,y, not \"x\"\n");
  EXPECT_EQ(Send("BEGIN"), "7,7\n");  // the empty board again
}

TEST(BrainMoves, RestartEmptiesTheBoardOfTheSameSize) {
  TBrainSession Send;
  Send("RECTSTART 9,7");
  Send("BEGIN");
  EXPECT_EQ(Send("RESTART"), "OK\n");
  EXPECT_EQ(Send.Brain().Board().At(4, 3), TStone::Empty);
  EXPECT_EQ(Send.Brain().Board().Width(), 9);
  EXPECT_EQ(Send("RESTART now"), "ERROR RESTART takes no arguments\n");
}

TEST(BrainBoard, SetsUpAPositionGivenInAnyOrderAndPlaysTheSideToMove) {
  TBrainSession Send;
  Send("START 20");
  Send("BEGIN");  // replaced by the position below
  EXPECT_EQ(Send("BOARD"), "");
  // Crosses (the opponent, 2) at (9,9) and (10,9), a nought (own, 1) at
  // (9,10): two against one, so the brain plays noughts and must close the
  // crosses' open two at one of its ends.
  for (const char* Stone : {"9,10,1", "", "10,9,2", "9,9,2"}) EXPECT_EQ(Send(Stone), "");
  const std::string Answer = Send("DONE");
  EXPECT_TRUE(Answer == "8,9\n" || Answer == "11,9\n") << Answer;
  EXPECT_EQ(Send.Brain().Board().At(10, 10), TStone::Empty);
  EXPECT_EQ(Send.Brain().Board().At(9, 9), TStone::Opponent);
}

TEST(BrainBoard, OwnStonesAreCrossesWhenBothSidesHaveAsMany) {
  TBrainBoard Board;
  Board.Reset(10, 10);
  EXPECT_EQ(Board.OwnSide(), 1);
  Board.Put(1, 1, TStone::Opponent);
  EXPECT_EQ(Board.OwnSide(), -1);
  Board.Put(2, 2, TStone::Own);
  EXPECT_EQ(Board.OwnSide(), 1);
  Board.Put(1, 1, TStone::Own);  // a stone changing hands counts once: two against none
  EXPECT_EQ(Board.OwnSide(), -1);
  Board.Put(3, 3, TStone::Opponent);
  EXPECT_EQ(Board.OwnSide(), -1);
  Board.Put(1, 1, TStone::Empty);
  EXPECT_EQ(Board.OwnSide(), 1);
}

TEST(BrainBoard, ABadStoneLineRefusesTheWholePositionAtDone) {
  const char* Cases[][2] = {
      {"20,0,1", "ERROR BOARD 20,0 is off the 20x20 board; position unchanged\n"},
      {"3,3,3", "ERROR BOARD owner of 3,3 must be 1 (own) or 2 (opponent); position unchanged\n"},
      {"5,5,2", "ERROR BOARD 5,5 given twice; position unchanged\n"},
      {"TURN 1,1", "ERROR BOARD expects x,y,owner lines up to DONE, not \"TURN 1,1\"; position unchanged\n"},
      {"1,1", "ERROR BOARD expects x,y,owner lines up to DONE, not \"1,1\"; position unchanged\n"},
  };
  for (const auto& [Line, Expected] : Cases) {
    TBrainSession Send;
    Send("START 20");
    Send("TURN 0,0");
    Send("BOARD");
    Send("5,5,1");
    EXPECT_EQ(Send(Line), "");
    Send("6,6,2");
    EXPECT_EQ(Send("DONE"), Expected) << Line;
    EXPECT_EQ(Send.Brain().Board().At(0, 0), TStone::Opponent) << Line;
    EXPECT_EQ(Send.Brain().Board().At(5, 5), TStone::Empty) << Line;
    EXPECT_EQ(Send("TURN 19,19").rfind("ERROR", 0), std::string::npos) << "the brain goes on after " << Line;
  }
}

TEST(BrainBoard, AFloodOfStonesKeepsOnlyTheFirstReason) {
  TBrainSession Send;
  Send("START 50");
  Send("BOARD");
  for (int I = 0; I < 20000; ++I) Send(std::to_string(I % 50) + "," + std::to_string(I / 50 % 50) + ",1");
  EXPECT_EQ(Send("DONE"), "ERROR BOARD 0,0 given twice; position unchanged\n");
}

TEST(BrainBoard, AFullBoardHasNoMoveToAnswer) {
  TBrainSession Send;
  Send("START 5");
  Send("BOARD");
  for (int X = 0; X < 5; ++X)
    for (int Y = 0; Y < 5; ++Y)
      Send(std::to_string(X) + "," + std::to_string(Y) + "," + ((X + 2 * Y) % 4 < 2 ? "1" : "2"));
  EXPECT_EQ(Send("DONE"), "ERROR no empty cell left to play\n");
}

TEST(BrainBoard, NoMoveAfterAFiveOfEitherSide) {
  TBrainSession Send;
  Send("START 15");
  Send("BOARD");
  for (int X = 0; X < 5; ++X) Send(std::to_string(X) + ",0,1");
  EXPECT_EQ(Send("DONE"), "ERROR the game is over: five in a row stand on the board\n");
  // The opponent's four, whatever the brain answers to it, then its five.
  Send("BOARD");
  for (int X = 0; X < 4; ++X) Send(std::to_string(X) + ",7,2");
  for (const char* Own : {"10,0,1", "12,3,1", "14,6,1", "10,12,1"}) Send(Own);
  Send("DONE");
  Send("TAKEBACK 4,7");
  EXPECT_EQ(Send("TURN 4,7"), "ERROR the game is over: five in a row stand on the board\n");
  // Once the five stands, a refused move leaves no stone behind.
  EXPECT_EQ(Send("TURN 9,9"), "ERROR the game is over: five in a row stand on the board\n");
  EXPECT_EQ(Send("TAKEBACK 9,9"), "ERROR TAKEBACK 9,9 holds no stone\n");
}

TEST(BrainInfo, StrengthIsSetAndEveryOtherKeyPassesSilently) {
  TBrainSession Send(TLevel::Medium);
  EXPECT_EQ(Send("INFO strength low"), "");
  EXPECT_EQ(Send.Brain().Level(), TLevel::Low);
  EXPECT_EQ(Send("INFO strength Expert"), "");
  EXPECT_EQ(Send.Brain().Level(), TLevel::Expert);
  EXPECT_EQ(Send("INFO strength HIGH"), "");
  EXPECT_EQ(Send.Brain().Level(), TLevel::High);
  EXPECT_EQ(Send("INFO strength wild"), "ERROR INFO strength expects low, medium, high or expert\n");
  EXPECT_EQ(Send("INFO strength"), "ERROR INFO strength expects low, medium, high or expert\n");
  EXPECT_EQ(Send.Brain().Level(), TLevel::High);
  for (const char* Known :
       {"INFO timeout_turn 5000", "INFO timeout_match 180000", "INFO time_left 100", "INFO max_memory 83886080",
        "INFO game_type 1", "INFO rule 0", "INFO evaluate 3,4", "INFO folder /tmp/x", "INFO colour purple", "INFO x"})
    EXPECT_EQ(Send(Known), "") << Known;
  EXPECT_EQ(Send("INFO"), "ERROR INFO expects a key and a value\n");
}

TEST(BrainInfo, TimeLimitsAreKeptInMilliseconds) {
  TBrainSession Send(TLevel::Expert);
  EXPECT_EQ(Send("INFO timeout_turn 5000"), "");
  EXPECT_EQ(Send("INFO timeout_match 180000"), "");
  EXPECT_EQ(Send("INFO time_left -20"), "");
  EXPECT_EQ(Send.Brain().TimeLimits().Turn, 5000);
  EXPECT_EQ(Send.Brain().TimeLimits().Match, 180000);
  EXPECT_EQ(Send.Brain().TimeLimits().Left, 0);
  EXPECT_EQ(Send("INFO timeout_turn soon"), "ERROR INFO timeout_turn expects milliseconds, not \"soon\"\n");
  EXPECT_EQ(Send.Brain().TimeLimits().Turn, 5000);
}

TEST(BrainTime, WithoutLimitsTheExpertThinksAsInTheGame) {
  for (const TTimeLimits& Untold : {TTimeLimits{}, TTimeLimits{0, 0, 5000}, TTimeLimits{0, 100000, std::nullopt}}) {
    const TSearchBudget Budget = ExpertBudgetFor(Untold);
    EXPECT_EQ(Budget.Milliseconds, DefaultExpertBudget().Milliseconds);
    EXPECT_EQ(Budget.Nodes, DefaultExpertBudget().Nodes);
    EXPECT_EQ(Budget.SoftMilliseconds, DefaultExpertBudget().SoftMilliseconds);
  }
}

TEST(BrainTime, AQuietMoveAimsAtItsShareAndNeverPassesAnyLimit) {
  struct TCase {
    TTimeLimits Limits;
    int Hard;
    int Soft;
  };
  const TCase Cases[] = {
      // A long turn and no match limit: a 25th, stretched to twice that.
      {{300000, 0, std::nullopt}, 24000, 12000},
      {{5000, 0, std::nullopt}, 2000, 1000},
      // A short turn is used in full, less its margin of a fifth (50 ms at least).
      {{1000, 0, std::nullopt}, 800, 800},
      {{100, 0, std::nullopt}, 50, 50},
      {{30, 0, std::nullopt}, 1, 1},
      // A match of which 50 s are left: 2 s a move less a fifth, stretched.
      {{0, 100000, 50000}, 3200, 1600},
      {{1000, 100000, 50000}, 800, 800},
      // A match sets the pace, not the turn's 25th: its time is there to be spent.
      {{30000, 180000, 180000}, 11520, 5760},
      {{60000, 1000000, 1000000}, 48000, 32000},
      {{300000, 900000, 600000}, 38400, 19200},
      // Little time left: the least there is, whatever the turn allows.
      {{300000, 180000, 1000}, 2, 1},
      {{0, 100000, 0}, 1, 1},
  };
  for (const TCase& Case : Cases) {
    const TSearchBudget Budget = ExpertBudgetFor(Case.Limits);
    const std::string Name = std::to_string(Case.Limits.Turn) + " " + std::to_string(Case.Limits.Match) + " " +
                             std::to_string(Case.Limits.Left.value_or(-1));
    EXPECT_EQ(Budget.Milliseconds, Case.Hard) << Name;
    EXPECT_EQ(Budget.SoftMilliseconds, Case.Soft) << Name;
    EXPECT_EQ(Budget.Nodes, 0) << Name;
  }
}

TEST(BrainExpert, TellsEachDepthItCompletesBeforeItsMove) {
  TBrainSession Send(TLevel::Expert);
  Send("INFO timeout_turn 10000");
  Send("START 15");
  Send("BOARD");
  // Two open threes of the opponent's: every answer loses, which the first
  // depth proves.
  for (const char* Stone : {"5,7,2", "6,7,2", "7,7,2", "11,1,2", "11,2,2", "11,3,2", "0,0,1", "14,14,1", "0,14,1",
                            "14,0,1", "1,12,1", "3,3,1"})
    Send(Stone);
  const std::string Answer = Send("DONE");
  EXPECT_EQ(Answer.rfind("MESSAGE depth 1 nodes ", 0), 0u) << Answer;
  EXPECT_NE(Answer.find(" score -"), std::string::npos) << Answer;
  ASSERT_EQ(std::count(Answer.begin(), Answer.end(), '\n'), 2) << Answer;
  const std::string Move = Answer.substr(Answer.find('\n') + 1);
  EXPECT_NE(Move.find(','), std::string::npos);
  EXPECT_EQ(Move.rfind("MESSAGE", 0), std::string::npos);
}

TEST(BrainInfo, MaxMemoryIsTakenInBytes) {
  TBrainSession Send(TLevel::Expert);
  EXPECT_EQ(Send("INFO max_memory 1048576"), "");
  EXPECT_EQ(Send("INFO max_memory 0"), "");
  EXPECT_EQ(Send("INFO max_memory 18446744073709551615"), "");
  EXPECT_EQ(Send("INFO max_memory lots"), "ERROR INFO max_memory expects bytes, not \"lots\"\n");
  EXPECT_EQ(Send("INFO max_memory -1"), "ERROR INFO max_memory expects bytes, not \"-1\"\n");
  Send("INFO max_memory 65536");
  Send("START 15");
  Send("BOARD");
  for (const char* Stone : {"5,5,1", "6,5,1", "7,5,1", "8,5,1", "4,5,2", "2,2,2", "12,12,2", "3,11,2"}) Send(Stone);
  EXPECT_EQ(Send("DONE"), "9,5\n");
}

TEST(BrainExpert, CompletesItsFiveAndBlocksTheOpponents) {
  TBrainSession Send(TLevel::Expert);
  Send("START 15");
  Send("BOARD");
  for (const char* Stone : {"5,5,1", "6,5,1", "7,5,1", "8,5,1", "4,5,2", "2,2,2", "12,12,2", "3,11,2"}) Send(Stone);
  EXPECT_EQ(Send("DONE"), "9,5\n");
  Send("RESTART");
  Send("BOARD");
  for (const char* Stone : {"0,3,2", "0,4,2", "0,6,2", "0,7,2", "9,9,1", "12,2,1", "5,13,1"}) Send(Stone);
  EXPECT_EQ(Send("DONE"), "0,5\n");
}

TEST(BrainInfo, ARuleItDoesNotPlayIsToldOnceBeforeItsNextMove) {
  TBrainSession Send;
  Send("START 15");
  EXPECT_EQ(Send("INFO rule 2"), "");
  EXPECT_EQ(Send("BEGIN"),
            "ERROR rule 2 asks for continuous game, which this brain does not play: it plays five or more in a row "
            "(freestyle)\n7,7\n");
  EXPECT_EQ(Send("INFO rule 5"), "");
  const std::string Told = Send("TURN 0,0");
  EXPECT_EQ(Told.substr(0, Told.find('\n')),
            "ERROR rule 5 asks for exact five and renju, which this brain does not play: it plays five or more "
            "in a row (freestyle)");
  EXPECT_EQ(std::count(Told.begin(), Told.end(), '\n'), 2) << "the move follows: " << Told;
  EXPECT_EQ(Send("INFO rule 5"), "");
  EXPECT_EQ(Send("TURN 14,14").rfind("ERROR", 0), std::string::npos) << "told once";
  Send("INFO rule 24");
  EXPECT_NE(Send("TURN 14,0").find("caro and unknown flags 16"), std::string::npos);
  EXPECT_EQ(Send("INFO rule renju").rfind("ERROR INFO rule expects a number", 0), 0u);
  EXPECT_NE(Send("ABOUT").find("rules=\"freestyle"), std::string::npos);
}

TEST(BrainOther, AboutUnknownBlankAndEnd) {
  TBrainSession Send;
  EXPECT_EQ(Send("ABOUT").rfind("name=\"Quintar\", version=\"", 0), 0u);
  EXPECT_EQ(Send("PLAY 1,1"), "UNKNOWN command PLAY\n");
  EXPECT_EQ(Send(std::string("\x01\xff\0z\\", 5)), "UNKNOWN command \\x01\\xff\\x00z\\\\\n");
  EXPECT_EQ(Send(std::string(100, 'A')), "UNKNOWN command " + std::string(40, 'A') + "...\n");
  EXPECT_EQ(Send(""), "");
  EXPECT_EQ(Send("   "), "");
  EXPECT_FALSE(Send.Brain().Ended());
  EXPECT_EQ(Send("END"), "");
  EXPECT_TRUE(Send.Brain().Ended());
}

TEST(BrainOther, EndInsideBoardStillEnds) {
  TBrainSession Send;
  Send("START 20");
  Send("BOARD");
  Send("END");
  EXPECT_TRUE(Send.Brain().Ended());
}

std::string RunWhole(const std::string& Input) {
  std::istringstream In(Input);
  std::ostringstream Out;
  RunBrain(In, Out, TLevel::High, 1);
  return Out.str();
}

TEST(BrainRun, TakesEveryLineEndAndStopsAtEnd) {
  EXPECT_EQ(RunWhole("START 20\rBEGIN\r\nTURN 11,11\nEND\nABOUT\n").substr(0, 9), "OK\n10,10\n");
  EXPECT_EQ(RunWhole("START 20\rBEGIN\r\nEND\nABOUT\n"), "OK\n10,10\n");
}

TEST(BrainRun, SurvivesHostileInputWithBoundedAnswers) {
  EXPECT_EQ(RunWhole("START 20\n" + std::string(1 << 20, 'x') + "\nBEGIN\n"),
            "OK\nERROR line longer than 1024 characters\n10,10\n");
  EXPECT_EQ(RunWhole("START 20\nBOARD\n1,1,1\n"), "OK\n");  // no DONE before the end
  std::mt19937 Random(7);
  std::string Garbage;
  for (int I = 0; I < 100000; ++I) Garbage.push_back(static_cast<char>(Random()));
  const std::string Answers = RunWhole(Garbage);
  std::istringstream Lines(Answers);
  for (std::string Line; std::getline(Lines, Line);) {
    EXPECT_TRUE(Line.rfind("ERROR ", 0) == 0 || Line.rfind("UNKNOWN ", 0) == 0 || Line == "OK") << Line;
    EXPECT_TRUE(std::all_of(Line.begin(), Line.end(), [](char Byte) { return Byte >= ' ' && Byte <= '~'; })) << Line;
    EXPECT_LE(Line.size(), 300u);
  }
}

// Two brains play each other through the protocol until one makes five or
// the board is full; every answer must be an empty cell.
TEST(BrainGame, TwoBrainsPlayACompleteGame) {
  for (const auto& [Width, Height] : {std::pair{15, 15}, std::pair{5, 5}, std::pair{12, 7}}) {
    TBrainSession First(TLevel::High), Second(TLevel::Low);
    const std::string Start = "RECTSTART " + std::to_string(Width) + "," + std::to_string(Height);
    ASSERT_EQ(First(Start), "OK\n");
    ASSERT_EQ(Second(Start), "OK\n");
    TReferee Referee(Width, Height);
    int X = 0, Y = 0;
    std::string Answer = First("BEGIN");
    int Player = 1;
    bool Ended = false;
    for (int Move = 0; Move < Width * Height; ++Move) {
      ASSERT_TRUE(Referee.Play(Answer, Player, X, Y)) << "move " << Move << ": " << Answer;
      if (Referee.FiveThrough(X, Y) || Referee.Full()) {
        Ended = true;
        break;
      }
      TBrainSession& Next = Player == 1 ? Second : First;
      Answer = Next("TURN " + std::to_string(X) + "," + std::to_string(Y));
      Player = 3 - Player;
    }
    EXPECT_TRUE(Ended) << Width << "x" << Height;
  }
}

// The brain's answer is the control's computer move on the same position
// with the same draws, at every strength and on boards of many shapes.
TEST(BrainChoice, IsTheControlsComputerMove) {
  std::mt19937 Random(2024);
  const auto Below = [&Random](int Limit) { return static_cast<int>(Random() % static_cast<unsigned>(Limit)); };
  for (int Trial = 0; Trial < 120; ++Trial) {
    const int Width = 5 + Below(46), Height = 5 + Below(46);
    const auto Strength = static_cast<TStrength>(Below(3));
    TQuintar Control(nullptr);
    Control.SetAutoResponse(false);
    Control.SetColCount(Width);
    Control.SetRowCount(Height);
    Control.SetPlayingStrength(Strength);
    TBrainSession Send(LevelOf(Strength));
    Send("RECTSTART " + std::to_string(Width) + "," + std::to_string(Height));
    const int Marks = Below(std::min(60, Width * Height - 1));
    for (int I = 0; I < Marks && !Control.GameOver(); ++I) {
      const int X = Below(Width), Y = Below(Height);
      if (Control.Cell(X, Y) == 0) Control.Move(X + 1, Y + 1);
    }
    if (Control.GameOver()) continue;
    // The brain plays the side to move: its stones are that side's.
    Send("BOARD");
    for (int X = 0; X < Width; ++X)
      for (int Y = 0; Y < Height; ++Y)
        if (Control.Cell(X, Y) != 0)
          Send(std::to_string(X) + "," + std::to_string(Y) + "," + (Control.Cell(X, Y) == Control.Turn() ? "1" : "2"));
    const auto Seed = static_cast<unsigned>(Random());
    std::srand(Seed);
    const std::string Answer = Send("DONE");
    std::srand(Seed);
    Control.ComputerMove();
    const vcl::TPoint Chosen = Control.LastMove();
    EXPECT_EQ(Answer, std::to_string(Chosen.X) + "," + std::to_string(Chosen.Y) + "\n")
        << "trial " << Trial << ", " << Width << "x" << Height << ", strength " << int{Strength};
  }
}

}  // namespace
}  // namespace quintar::brain
