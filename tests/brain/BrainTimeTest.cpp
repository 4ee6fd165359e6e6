// The brain's time at tournament controls, on a manual clock: two expert
// brains play a whole game through the protocol while a manager keeps each
// one's match clock by the same clock, as a tournament manager would. The
// clock moves only as it is read, so every game here is repeatable and none
// waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "BrainDriver.h"
#include "CommandLines.h"
#include "ManualTime.h"

namespace quintar::brain {
namespace {

using quintar::testing::TManualTime;
using std::chrono::milliseconds;
using testing::TBrainSession;
using testing::TReferee;

constexpr int Side = 20;

struct TControl {
  int Match;
  int Turn;
  // How far the clock moves at each reading: as if the expert searched 128
  // positions in that time, slow enough that a game takes little real time.
  milliseconds Step;
};

// What the brain keeps back of any limit for reading, answering and the
// manager's own delays.
int Margin(int Limit) { return std::max(Limit / 5, 50); }

// The brain reads the clock when asked and when it answers, and the search
// reads it twice as it starts: what any move costs beyond its search.
constexpr int ReadingsOfAnyChoice = 4;

// On a 20 x 20 board nothing is decided this early between two experts:
// these moves have to think.
constexpr std::size_t OpeningPlies = 10;

// Whether the manager tells what is left of the match before every move, as
// most do, or never, leaving the brain to keep its own account.
enum class TTelling { EveryMove, Never };

struct TTimedMove {
  int Left;  // of the mover's match before the move, by the manager's count
  int Spent;
  bool Forced;  // the first move, a win in one, a five to block or the last empty cell
};

// The move an answer ends with, after any MESSAGE lines.
std::string MoveOf(const std::string& Answer) {
  const std::size_t LastBreak = Answer.rfind('\n', Answer.size() - 2);
  return LastBreak == std::string::npos ? Answer : Answer.substr(LastBreak + 1);
}

// Plays one game between two seeded expert brains and gives every move's
// time, by the manager's count, in order.
std::vector<TTimedMove> PlayTimedGame(const TControl& Control, TTelling Telling) {
  TManualTime Clock(Control.Step);
  TBrainSession First(TLevel::Expert, 1, Clock), Second(TLevel::Expert, 2, Clock);
  int Left[2] = {Control.Match, Control.Match};
  for (TBrainSession* Send : {&First, &Second}) {
    (*Send)("START " + std::to_string(Side));
    (*Send)("INFO timeout_turn " + std::to_string(Control.Turn));
    (*Send)("INFO timeout_match " + std::to_string(Control.Match));
  }
  TReferee Referee(Side, Side);
  std::vector<TTimedMove> Moves;
  std::string Command = "BEGIN";
  for (int Ply = 0; Ply < Side * Side; ++Ply) {
    const int Player = 1 + Ply % 2;
    TBrainSession& Send = Player == 1 ? First : Second;
    int& PlayerLeft = Left[Player - 1];
    if (Telling == TTelling::EveryMove) Send("INFO time_left " + std::to_string(PlayerLeft));
    const bool Forced = Referee.Forced(Player);
    const TTimeSource::TTime Asked = Clock.Shown();
    const std::string Answer = Send(Command);
    const int Spent = static_cast<int>(std::chrono::ceil<milliseconds>(Clock.Shown() - Asked).count());
    Moves.push_back({PlayerLeft, Spent, Forced});
    PlayerLeft -= Spent;
    int X = 0, Y = 0;
    if (!Referee.Play(MoveOf(Answer), Player, X, Y)) {
      ADD_FAILURE() << "move " << Ply << ": " << Answer;
      break;
    }
    if (Referee.FiveThrough(X, Y)) break;
    Command = "TURN " + std::to_string(X) + "," + std::to_string(Y);
  }
  return Moves;
}

void ExpectKeptTime(const TControl& Control, TTelling Telling) {
  const std::vector<TTimedMove> Moves = PlayTimedGame(Control, Telling);
  ASSERT_GT(Moves.size(), OpeningPlies);
  const int AnyChoice = ReadingsOfAnyChoice * static_cast<int>(Control.Step.count());
  for (std::size_t Ply = 0; Ply < Moves.size(); ++Ply) {
    const TTimedMove& Move = Moves[Ply];
    const std::string Where = "move " + std::to_string(Ply) + " with " + std::to_string(Move.Left) + " ms left";
    EXPECT_LE(Move.Spent, Control.Turn - Margin(Control.Turn) + AnyChoice) << Where;
    EXPECT_LE(Move.Spent, Move.Left - Margin(Move.Left) + AnyChoice) << Where;
    // What is left is shared out over the moves still to come: what the
    // brain knows is left. Told nothing, it cannot see the time between the
    // manager's reading and its own first one, here a step of the clock a
    // move, so it believes it has that much more.
    const int OwnMovesBefore = static_cast<int>(Ply / 2);
    const int Believed =
        Move.Left + (Telling == TTelling::Never ? OwnMovesBefore * static_cast<int>(Control.Step.count()) : 0);
    EXPECT_LE(Move.Spent, Believed / 15 + AnyChoice) << Where;
    if (Move.Forced) {
      EXPECT_LE(Move.Spent, AnyChoice) << Where << ": forced, nothing to search";
    } else if (Ply < OpeningPlies) {
      EXPECT_GE(Move.Spent, std::min(Control.Turn / 2, Move.Left / 50)) << Where << ": the time is there to be used";
    }
  }
}

TEST(BrainTimeKeeper, LeftIsWhatTheManagerLastToldLessWhatTheBrainSpentSince) {
  TTimeKeeper Keeper;
  Keeper.TellTurn(5000);
  Keeper.Spend(1000);
  EXPECT_EQ(Keeper.Reckoned().Left, std::nullopt) << "no match limit, nothing to reckon";
  Keeper.TellMatch(180000);
  EXPECT_EQ(Keeper.Reckoned().Left, 179000) << "untold: the whole match less this game's moves";
  Keeper.TellLeft(100000);
  EXPECT_EQ(Keeper.Reckoned().Left, 100000) << "told: believed as it is";
  Keeper.Spend(3000);
  Keeper.Spend(2000);
  EXPECT_EQ(Keeper.Reckoned().Left, 95000);
  Keeper.Spend(-7);
  EXPECT_EQ(Keeper.Reckoned().Left, 95000);
  Keeper.Spend(INT_MAX);
  EXPECT_EQ(Keeper.Reckoned().Left, 0);
  Keeper.NewGame();
  EXPECT_EQ(Keeper.Reckoned().Left, 180000) << "a new game: the last game's time left is forgotten";
  EXPECT_EQ(Keeper.Reckoned().Turn, 5000);
}

TEST(BrainTimedGame, KeepsToThreeMinutesWithHalfMinuteTurns) {
  ExpectKeptTime({180000, 30000, milliseconds(20)}, TTelling::EveryMove);
}

TEST(BrainTimedGame, KeepsToOneThousandSecondsWithMinuteTurns) {
  ExpectKeptTime({1000000, 60000, milliseconds(40)}, TTelling::EveryMove);
}

TEST(BrainTimedGame, KeepsToShortTurnsUsedInFull) {
  ExpectKeptTime({20000, 1000, milliseconds(10)}, TTelling::EveryMove);
}

TEST(BrainTimedGame, KeepsItsOwnAccountWhenTheManagerNeverTellsWhatIsLeft) {
  ExpectKeptTime({30000, 30000, milliseconds(20)}, TTelling::Never);
}

// END read while the expert thinks a quiet move ends the search at once with
// the move it has, not at the turn's limit.
TEST(BrainEnd, ReadDuringAThinkStopsItWithAMove) {
  TManualTime Clock(milliseconds(1));
  TBrainSession Send(TLevel::Expert, 1, Clock);
  const std::atomic<bool> EndRead{true};
  Send.Brain().StopWhen(EndRead);
  Send("START 20");
  Send("INFO timeout_turn 60000");
  Send("BEGIN");
  const TTimeSource::TTime Asked = Clock.Shown();
  const std::string Answer = Send("TURN 11,11");
  EXPECT_LT(Clock.Shown() - Asked, milliseconds(50));
  TReferee Referee(20, 20);
  int X = 0, Y = 0;
  ASSERT_TRUE(Referee.Play("10,10\n", 1, X, Y));
  ASSERT_TRUE(Referee.Play("11,11\n", 2, X, Y));
  EXPECT_TRUE(Referee.Play(MoveOf(Answer), 1, X, Y)) << Answer;
}

// The manager's lines are read ahead of the brain, so END is seen while the
// brain is busy, and nothing is read past it.
TEST(BrainEnd, LinesAreReadAheadUpToEnd) {
  std::istringstream In("BEGIN\n" + std::string(2000, 'x') + "\n end \nABOUT\n");
  TCommandLines Lines(In, MaxLineLength);
  EXPECT_EQ(Lines.Next()->Text, "BEGIN");
  EXPECT_TRUE(Lines.Next()->Truncated);
  EXPECT_EQ(Lines.Next()->Text, " end ");
  EXPECT_TRUE(Lines.EndRead());
  EXPECT_FALSE(Lines.Next());
}

}  // namespace
}  // namespace quintar::brain
