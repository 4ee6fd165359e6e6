// Matches against outside brains: each way a brain can fail loses it the
// game with the reason said and its process reaped, playing either colour,
// and our own tournament brain plays a whole match through the protocol.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>

#include "Contender.h"
#include "MatchRunner.h"
#include "MatchStats.h"

namespace quintar::match {
namespace {

TContender FakeBrain(const std::string& Script) { return *ContenderNamed("brain:/bin/sh " FAKE_BRAINS "/" + Script); }

// Time limits far beyond what any answer needs, so that only a brain that
// never answers runs out of them.
TTimeControl Generous() { return {10000, 0, 10000}; }

// Two games, one on each colour, between Brain and the low level.
std::vector<TGameRecord> PlayAgainstLow(const TContender& Brain, const TTimeControl& Time) {
  TMatchSettings Settings;
  Settings.First = Brain;
  Settings.Second = TLevel::Low;
  Settings.Games = 2;
  Settings.ColCount = Settings.RowCount = 15;
  Settings.Seed = 11;
  Settings.BrainTime = Time;
  return RunMatch(Settings, nullptr);
}

// No process the match started is left running or unreaped.
bool NoChildLeft() { return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

void ExpectBrainLostEveryGame(const std::vector<TGameRecord>& Games, TFault Fault, const std::string& Reason) {
  ASSERT_EQ(Games.size(), 2u);
  for (const TGameRecord& Game : Games) {
    SCOPED_TRACE("game " + std::to_string(Game.Number));
    EXPECT_EQ(FirstLevelResult(Game), -1);
    EXPECT_TRUE(Game.Forfeit);
    EXPECT_EQ(Game.Fault, Fault);
    EXPECT_NE(Game.FaultReason.find(Reason), std::string::npos) << Game.FaultReason;
    // The brain lost at its first move: only the opening and perhaps one
    // move of the level's are on the board.
    EXPECT_LE(Game.Moves.size(), static_cast<std::size_t>(Game.OpeningLength) + 1);
  }
  TTally Tally;
  for (const TGameRecord& Game : Games) Add(Tally, Game);
  EXPECT_EQ(Tally.Forfeits, 2);
  EXPECT_EQ(Tally.Faults[static_cast<int>(Fault)], 2);
  EXPECT_TRUE(NoChildLeft());
}

TEST(BrainMatch, ABrainThatEndsLosesByACrash) {
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("crashes.sh"), Generous()), TFault::Crashed, "status 3");
}

TEST(BrainMatch, ABrainThatPlaysATakenOrOffBoardCellLosesByAnIllegalMove) {
  // Its MESSAGE and DEBUG lines are passed over, not taken for its answer.
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("plays-taken.sh"), Generous()), TFault::Illegal, "taken");
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("plays-off-board.sh"), Generous()), TFault::Illegal,
                           "60,2, off the board");
}

TEST(BrainMatch, ABrainThatAnswersWithWordsLosesByNonsense) {
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("talks-nonsense.sh"), Generous()), TFault::Nonsense,
                           "\"I would rather not\"");
}

TEST(BrainMatch, ABrainThatNeverAnswersLosesByTime) {
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("never-moves.sh"), {200, 0, 10000}), TFault::TimedOut, "no answer");
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("never-starts.sh"), {10000, 0, 200}), TFault::TimedOut,
                           "no answer to START 15");
}

TEST(BrainMatch, AProgramThatCannotStartLosesByACrash) {
  ExpectBrainLostEveryGame(PlayAgainstLow(*ContenderNamed("brain:" FAKE_BRAINS "/no-such-brain"), Generous()),
                           TFault::Crashed, "cannot start");
}

TEST(BrainMatch, OurOwnBrainPlaysWholeGamesByTheRules) {
  TMatchSettings Settings;
  Settings.First = *ContenderNamed("brain:" OUR_BRAIN " --strength high --seed 5");
  Settings.Second = TLevel::Medium;
  Settings.Games = 4;
  Settings.ColCount = 15;
  Settings.RowCount = 12;  // not square: RECTSTART
  Settings.Seed = 3;
  Settings.BrainTime = Generous();
  Settings.BrainTime.Match = 600000;  // time_left is told before every move
  Settings.Jobs = 2;
  for (const TGameRecord& Game : RunMatch(Settings, nullptr)) {
    SCOPED_TRACE("game " + std::to_string(Game.Number));
    EXPECT_FALSE(Game.Forfeit) << FaultName(Game.Fault) << ": " << Game.FaultReason;
    EXPECT_NE(Game.Verdict, TVerdict::Going);
    EXPECT_GT(Game.Moves.size(), static_cast<std::size_t>(Game.OpeningLength) + 4);
  }
  EXPECT_TRUE(NoChildLeft());
}

}  // namespace
}  // namespace quintar::match
