// pbrain-quintar as a manager meets it: a process on two pipes.
#include <gtest/gtest.h>

#include <algorithm>

#include "BrainDriver.h"
#include "ChildProcess.h"

namespace quintar::testing {
namespace {

// The small driver a tournament manager is: it referees two brains playing
// each other on a 15 x 15 board.
TEST(BrainProcess, PlaysACompleteGameAgainstItself) {
  TChildProcess First({QUINTAR_BRAIN_PROGRAM}), Second({QUINTAR_BRAIN_PROGRAM, "--strength", "medium"});
  First.Send("START 15\r\n");
  Second.Send("START 15\r\n");
  ASSERT_EQ(First.ReadLine(), "OK");
  ASSERT_EQ(Second.ReadLine(), "OK");
  brain::testing::TReferee Referee(15, 15);
  First.Send("BEGIN\n");
  int Player = 1, X = 0, Y = 0;
  bool Ended = false;
  for (int Move = 0; Move < 15 * 15 && !Ended; ++Move) {
    TChildProcess& Mover = Player == 1 ? First : Second;
    const std::string Answer = Mover.ReadLine() + "\n";
    ASSERT_TRUE(Referee.Play(Answer, Player, X, Y)) << "move " << Move << ": " << Answer;
    Ended = Referee.FiveThrough(X, Y) || Referee.Full();
    Player = 3 - Player;
    (Player == 1 ? First : Second).Send("TURN " + std::to_string(X) + "," + std::to_string(Y) + "\n");
  }
  EXPECT_TRUE(Ended);
  First.Send("END\n");
  Second.Send("END\n");
  EXPECT_EQ(First.Wait(), 0);
  EXPECT_EQ(Second.Wait(), 0);
}

TEST(BrainProcess, AnswersEveryMalformedLineAndGoesOn) {
  TChildProcess Brain({QUINTAR_BRAIN_PROGRAM});
  Brain.Send("TURN 1,1\nSTART 3\nSTART 20\nHELLO\nTURN 20,20\nBOARD\n1,1,9\nDONE\n");
  Brain.Send(std::string(5000, '\xff') + "\n" + std::string("\0\0\n", 3) + "BEGIN\n");
  EXPECT_EQ(Brain.ReadAll(),
            "ERROR TURN needs a board: send START first\n"
            "ERROR unsupported size 3x3: boards of 5 to 50 cells a side only\n"
            "OK\n"
            "UNKNOWN command HELLO\n"
            "ERROR TURN 20,20 is off the 20x20 board\n"
            "ERROR BOARD owner of 1,1 must be 1 (own) or 2 (opponent); position unchanged\n"
            "ERROR line longer than 1024 characters\n"
            "UNKNOWN command \\x00\\x00\n"
            "10,10\n");
  EXPECT_EQ(Brain.Wait(), 0);
}

TEST(BrainProcess, RefusesUnknownArguments) {
  for (const char* Value : {"huge", "-1", "x"}) {
    TChildProcess BadStrength({QUINTAR_BRAIN_PROGRAM, "--strength", Value});
    EXPECT_EQ(BadStrength.Wait(), 2);
    TChildProcess BadSeed({QUINTAR_BRAIN_PROGRAM, "--seed", Value});
    EXPECT_EQ(BadSeed.Wait(), 2);
  }
  // The bench searches alone: a setting beside it would silently not apply.
  TChildProcess BenchWithASeed({QUINTAR_BRAIN_PROGRAM, "--bench", "--seed", "1"});
  EXPECT_EQ(BenchWithASeed.Wait(), 2);
}

// At the low strength nearly every answer is a draw among several cells, so
// two brains that ignored their seed would part ways within a few moves.
TEST(BrainProcess, TheSameSeedPlaysTheSameGame) {
  const auto Play = [] {
    TChildProcess Brain({QUINTAR_BRAIN_PROGRAM, "--strength", "low", "--seed", "8128"});
    Brain.Send("START 20\nBEGIN\nTURN 0,0\nTURN 19,19\nTURN 0,19\nTURN 19,0\nTURN 5,14\nTURN 14,5\nEND\n");
    return Brain.ReadAll();
  };
  const std::string First = Play();
  EXPECT_EQ(std::count(First.begin(), First.end(), '\n'), 8) << First;
  EXPECT_EQ(Play(), First);
}

TEST(BrainProcess, NamesARuleItDoesNotPlayBeforeItsMove) {
  TChildProcess Brain({QUINTAR_BRAIN_PROGRAM, "--seed", "1"});
  Brain.Send("INFO rule 4\nSTART 15\nBEGIN\nEND\n");
  EXPECT_EQ(Brain.ReadAll(),
            "OK\nERROR rule 4 asks for renju, which this brain does not play: it plays five or more in a row "
            "(freestyle)\n7,7\n");
}

}  // namespace
}  // namespace quintar::testing
