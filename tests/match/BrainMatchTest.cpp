// Matches against outside brains: each way a brain can fail loses it the
// game with the reason said and its process reaped, playing either colour,
// and our own tournament brain plays a whole match through the protocol.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "BrainProcess.h"
#include "Contender.h"
#include "MatchOptions.h"
#include "MatchReport.h"
#include "MatchRunner.h"
#include "MatchStats.h"

namespace quintar::match {
namespace {

TContender FakeBrain(const std::string& Script) { return *ContenderNamed("brain:/bin/sh " FAKE_BRAINS "/" + Script); }

// Time limits far beyond what any answer needs, so that only a brain that
// never answers runs out of them.
TTimeControl Generous() { return {10000, 0, 10000, 500}; }

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
  // A refused board size is its answer, not a complaint to wait past.
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("refuses-size.sh"), {200, 0, 10000, 50}), TFault::Nonsense,
                           "answered START 15 with \"ERROR unsupported size\"");
}

TEST(BrainMatch, ABrainThatNeverAnswersLosesByTime) {
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("never-moves.sh"), {200, 0, 10000, 50}), TFault::TimedOut,
                           "no answer");
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("never-starts.sh"), {10000, 0, 200, 50}), TFault::TimedOut,
                           "no answer to START 15");
  ExpectBrainLostEveryGame(PlayAgainstLow(FakeBrain("chatters.sh"), {200, 0, 10000, 50}), TFault::TimedOut,
                           "no answer");
}

TEST(BrainMatch, ABrainThatAnswersTwiceLosesWhenAskedForItsNextMove) {
  const TContender Brain = *ContenderNamed("brain:/bin/sh " FAKE_BRAINS "/answers-twice.sh " OUR_BRAIN);
  for (const TGameRecord& Game : PlayAgainstLow(Brain, Generous())) {
    EXPECT_EQ(FirstLevelResult(Game), -1);
    EXPECT_EQ(Game.Fault, TFault::Nonsense);
    EXPECT_NE(Game.FaultReason.find("answered twice"), std::string::npos) << Game.FaultReason;
  }
  EXPECT_TRUE(NoChildLeft());
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

// How many lines of Text begin with Start.
int LinesStarting(const std::string& Text, const std::string& Start) {
  std::istringstream Lines(Text);
  int Count = 0;
  for (std::string Line; std::getline(Lines, Line);) Count += Line.rfind(Start, 0) == 0;
  return Count;
}

TEST(BrainMatch, TellsTheWholeBoardOnceAGameAndTheOpponentsMovesAfterThat) {
  const std::string Log = testing::TempDir() + "brain-transcript.log";
  std::remove(Log.c_str());
  TMatchSettings Settings;
  Settings.First = *ContenderNamed("brain:/bin/sh " FAKE_BRAINS "/recording.sh " + Log + " " OUR_BRAIN " --seed 8");
  Settings.Second = TLevel::High;
  Settings.Games = 2;
  Settings.ColCount = Settings.RowCount = 13;
  Settings.Seed = 21;
  Settings.BrainTime = {9000, 700000, 10000, 500};
  const std::vector<TGameRecord> Games = RunMatch(Settings, nullptr);
  int BrainMoves = 0;
  for (const TGameRecord& Game : Games) {
    ASSERT_FALSE(Game.Forfeit) << Game.FaultReason;
    for (std::size_t Move = Game.OpeningLength; Move < Game.Moves.size(); ++Move)
      BrainMoves += (Move % 2 == 0) == Game.FirstPlaysCrosses;
  }
  std::ifstream In(Log);
  std::stringstream Transcript;
  Transcript << In.rdbuf();
  const std::string Text = Transcript.str();
  EXPECT_EQ(LinesStarting(Text, "START 13"), 2) << Text;
  EXPECT_EQ(LinesStarting(Text, "INFO timeout_turn 9000"), 2);
  EXPECT_EQ(LinesStarting(Text, "INFO timeout_match 700000"), 2);
  EXPECT_EQ(LinesStarting(Text, "INFO time_left "), BrainMoves);
  EXPECT_EQ(LinesStarting(Text, "BOARD"), 2);
  EXPECT_EQ(LinesStarting(Text, "DONE"), 2);
  EXPECT_EQ(LinesStarting(Text, "TURN "), BrainMoves - 2);
  EXPECT_EQ(LinesStarting(Text, "END"), 2);
  std::remove(Log.c_str());
}

TEST(BrainMatchOptions, ABrainTakesThePlaceOfALevelAndTheTurnTimeBindsTheExpert) {
  TMatchOptions Options;
  std::string Error;
  ASSERT_TRUE(ParseMatchOptions({"brain:/opt/pbrain-x  --strength\texpert", "expert", "--turn-ms", "200", "--match-ms",
                                 "30000", "--tolerance-ms", "80"},
                                Options, Error))
      << Error;
  const TMatchSettings& Settings = Options.Settings;
  ASSERT_TRUE(Settings.First.IsBrain());
  EXPECT_EQ(CommandWords(Settings.First.BrainCommand),
            (std::vector<std::string>{"/opt/pbrain-x", "--strength", "expert"}));
  EXPECT_EQ(ContenderName(Settings.First), "brain:/opt/pbrain-x  --strength\texpert");
  EXPECT_EQ(Settings.Second, TContender(TLevel::Expert));
  EXPECT_EQ(Settings.BrainTime.Turn, 200);
  EXPECT_EQ(Settings.BrainTime.Match, 30000);
  EXPECT_EQ(Settings.BrainTime.Tolerance, 80);
  EXPECT_EQ(Settings.ExpertBudget.Milliseconds, 200);
  EXPECT_EQ(Settings.ExpertBudget.Nodes, 0);
  // A budget of the expert's own is kept.
  TMatchOptions Own;
  ASSERT_TRUE(ParseMatchOptions({"brain:b", "expert", "--expert-nodes", "900", "--turn-ms", "200"}, Own, Error));
  EXPECT_EQ(Own.Settings.ExpertBudget.Nodes, 900);
  EXPECT_EQ(Own.Settings.ExpertBudget.Milliseconds, DefaultExpertBudget().Milliseconds);
  for (const std::vector<std::string_view>& Bad :
       std::vector<std::vector<std::string_view>>{{"brain:", "high"},
                                                  {"brain: \t", "high"},
                                                  {"brain:b", "high", "--turn-ms", "0"},
                                                  {"brain:b", "high", "--match-ms", "-1"},
                                                  {"brain:b", "high", "--tolerance-ms", "60001"},
                                                  {"Brain:b", "high"}}) {
    TMatchOptions Refused;
    EXPECT_FALSE(ParseMatchOptions(Bad, Refused, Error)) << Bad[0];
    EXPECT_EQ(Error.find('\n'), std::string::npos);
  }
}

TDeadline Soon() { return std::chrono::steady_clock::now() + std::chrono::seconds(10); }

TEST(BrainProcess, ReadsLinesWhateverTheirEndsAndSaysHowTheProgramEnded) {
  TBrainProcess Process;
  std::string Error;
  ASSERT_TRUE(Process.Start({"/bin/sh", "-c",
                             "read -r a; printf 'got %s\\r\\nsplit' \"$a\"; sleep 0; printf ' line\\nbare\\r'; sleep "
                             "0; printf '\\nrest'; exit 3"},
                            Error))
      << Error;
  ASSERT_TRUE(Process.WriteLine("hello", Soon()));
  std::string Line;
  ASSERT_EQ(Process.ReadLine(Line, Soon()), TBrainProcess::TRead::Line);
  EXPECT_EQ(Line, "got hello");
  ASSERT_EQ(Process.ReadLine(Line, Soon()), TBrainProcess::TRead::Line);
  EXPECT_EQ(Line, "split line");
  ASSERT_EQ(Process.ReadLine(Line, Soon()), TBrainProcess::TRead::Line);
  EXPECT_EQ(Line, "bare") << "a carriage return alone ends a line too, and a line feed after it ends none";
  // A last line without its end is no answer.
  EXPECT_EQ(Process.ReadLine(Line, Soon()), TBrainProcess::TRead::Closed);
  EXPECT_EQ(Process.Stop(std::chrono::seconds(10)), "exited with status 3");
  EXPECT_FALSE(Process.Running());
  EXPECT_FALSE(Process.WriteLine("anyone?", Soon()));

  ASSERT_TRUE(Process.Start({"/bin/sh", "-c", "kill -TERM $$"}, Error)) << Error;
  EXPECT_EQ(Process.ReadLine(Line, Soon()), TBrainProcess::TRead::Closed);
  EXPECT_EQ(Process.Stop(std::chrono::seconds(10)).rfind("killed by signal 15", 0), 0u);

  ASSERT_TRUE(Process.Start({"/bin/sh", "-c", "head -c 70000 /dev/zero | tr '\\0' x; echo; sleep 100"}, Error));
  EXPECT_EQ(Process.ReadLine(Line, Soon()), TBrainProcess::TRead::TooLong);
  // One that would sleep on is killed, what it started with it, and reaped.
  EXPECT_EQ(Process.Stop(std::chrono::milliseconds(0)).rfind("killed by signal 9", 0), 0u);
  EXPECT_TRUE(NoChildLeft());
}

TEST(BrainMatchReport, CountsForfeitsByKindAndSaysWhoLostEachAndWhy) {
  TMatchSettings Settings;
  Settings.First = *ContenderNamed("brain:./b");
  Settings.Second = TLevel::Low;
  Settings.Games = 4;
  std::vector<TGameRecord> Games(4);
  for (int Number = 0; Number < 4; ++Number) {
    Games[Number].Number = Number;
    Games[Number].FirstPlaysCrosses = Number % 2 == 0;
    Games[Number].Verdict = TVerdict::CrossWon;
  }
  Games[3].Verdict = TVerdict::NoughtWon;  // the brain's second win
  Games[1].Forfeit = true;                 // the brain had noughts and lost
  Games[1].Fault = TFault::TimedOut;
  Games[1].FaultReason = "no answer to TURN 3,4 within 200 ms";
  Games[2].Verdict = TVerdict::NoughtWon;  // the brain had crosses and lost
  Games[2].Forfeit = true;
  Games[2].Fault = TFault::Crashed;
  Games[2].FaultReason = "ended";
  char* Text = nullptr;
  std::size_t Size = 0;
  std::FILE* Out = open_memstream(&Text, &Size);
  PrintResult(Out, Settings, Games);
  std::fclose(Out);
  const std::string Report(Text, Size);
  std::free(Text);
  EXPECT_NE(Report.find("brain:./b: won 2, lost 2, drawn 0"), std::string::npos) << Report;
  EXPECT_NE(Report.find("forfeits: 2 (1 crash, 1 time-out)\n"), std::string::npos) << Report;
  EXPECT_NE(Report.find("Elo difference: +0 ("), std::string::npos) << Report;  // even, not -0
  EXPECT_NE(Report.find("  game 2: brain:./b (noughts) lost by time-out: no answer to TURN 3,4 within 200 ms\n"),
            std::string::npos)
      << Report;
  EXPECT_NE(Report.find("  game 3: brain:./b (crosses) lost by crash: ended\n"), std::string::npos) << Report;
}

}  // namespace
}  // namespace quintar::match
