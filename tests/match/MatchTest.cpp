// The match runner: its referee, openings, colour swaps, records, statistics
// and command line, and that a match repeats whatever the number of threads.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <variant>

#include "GameRecord.h"
#include "MatchBoard.h"
#include "MatchOptions.h"
#include "MatchRunner.h"
#include "MatchStats.h"
#include "Openings.h"
#include "PsqRecord.h"

namespace quintar::match {
namespace {

TEST(MatchReferee, FiveOrMoreWinsAndAFullBoardIsADraw) {
  TMatchBoard Board(9, 9);
  // Crosses build X X . X X along row 0 while noughts play row 8.
  for (const int Col : {0, 1, 3, 4}) {
    EXPECT_EQ(Board.Play(Col, 0), TVerdict::Going);
    EXPECT_EQ(Board.Play(Col, 8), TVerdict::Going);
  }
  EXPECT_EQ(Board.Play(5, 0), TVerdict::Going);  // X X . X X X: no five yet
  EXPECT_EQ(Board.Play(8, 4), TVerdict::Going);
  EXPECT_EQ(Board.Play(2, 0), TVerdict::CrossWon);  // six in a row
  TMatchBoard Tiny(5, 5);
  TVerdict Last = TVerdict::Going;
  // Filled in an order that never lets either side make five.
  const int Order[25][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {0, 4},
                            {2, 0}, {1, 4}, {2, 1}, {2, 3}, {2, 2}, {3, 0}, {2, 4}, {3, 1}, {3, 2},
                            {3, 4}, {3, 3}, {4, 1}, {4, 0}, {4, 2}, {4, 3}, {4, 4}};
  for (const auto& Cell : Order) {
    ASSERT_EQ(Last, TVerdict::Going);
    Last = Tiny.Play(Cell[0], Cell[1]);
  }
  EXPECT_EQ(Last, TVerdict::Draw);
}

TEST(MatchOpenings, AreRepeatableSmallNearTheCentreAndNotCloseToAFour) {
  std::set<std::size_t> Sizes;
  for (int Number = 0; Number < 200; ++Number) {
    const std::vector<TCell> Opening = RandomOpening(42, Number, 15, 15);
    const std::vector<TCell> Again = RandomOpening(42, Number, 15, 15);
    ASSERT_EQ(Opening.size(), Again.size());
    Sizes.insert(Opening.size());
    std::set<std::pair<int, int>> Cells;
    for (std::size_t I = 0; I < Opening.size(); ++I) {
      EXPECT_EQ(Opening[I].Col, Again[I].Col);
      EXPECT_EQ(Opening[I].Row, Again[I].Row);
      EXPECT_LE(std::abs(Opening[I].Col - 7), 3);
      EXPECT_LE(std::abs(Opening[I].Row - 7), 3);
      Cells.insert({Opening[I].Col, Opening[I].Row});
    }
    EXPECT_EQ(Cells.size(), Opening.size()) << "a cell taken twice";
    EXPECT_FALSE(OneSideCloseToFour(Opening, 15, 15));
  }
  EXPECT_EQ(Sizes, (std::set<std::size_t>{2, 3, 4, 5, 6}));
}

TEST(MatchOpenings, ThreeInFiveWithNothingAgainstThemIsCloseToAFour) {
  EXPECT_TRUE(OneSideCloseToFour({{5, 5}, {0, 0}, {6, 5}, {9, 9}, {8, 5}}, 15, 15));
  EXPECT_FALSE(OneSideCloseToFour({{5, 5}, {7, 5}, {6, 5}, {9, 9}, {8, 5}}, 15, 15));
  EXPECT_TRUE(OneSideCloseToFour({{1, 1}, {5, 5}, {3, 3}, {9, 9}, {4, 4}}, 15, 15));
}

TSearchBudget Quick() { return {0, 300, nullptr}; }

// A match stopped (Ctrl-C) begins no more games and leaves them Going.
TEST(MatchRunner, StoppedBeginsNoMoreGames) {
  TMatchSettings Settings;
  Settings.First = TLevel::Low;
  Settings.Second = TLevel::Low;
  Settings.Games = 4;
  std::atomic<bool> Stop = false;
  const std::vector<TGameRecord> Games = RunMatch(
      Settings, [&](const TGameRecord&) { Stop = true; }, &Stop);
  ASSERT_EQ(Games.size(), 4u);
  EXPECT_NE(Games[0].Verdict, TVerdict::Going);
  for (std::size_t Number = 1; Number < Games.size(); ++Number) EXPECT_EQ(Games[Number].Verdict, TVerdict::Going);
}

TEST(MatchRunner, PlaysEachOpeningTwiceWithColoursSwapped) {
  TMatchSettings Settings;
  Settings.First = TLevel::Expert;
  Settings.Second = TLevel::Low;
  Settings.Games = 6;
  Settings.ColCount = Settings.RowCount = 12;
  Settings.Seed = 5;
  Settings.ExpertBudget = Quick();
  int Reported = 0;
  const std::vector<TGameRecord> Games = RunMatch(Settings, [&](const TGameRecord&) { ++Reported; });
  ASSERT_EQ(Games.size(), 6u);
  EXPECT_EQ(Reported, 6);
  for (std::size_t Pair = 0; Pair < 3; ++Pair) {
    const TGameRecord& A = Games[2 * Pair];
    const TGameRecord& B = Games[2 * Pair + 1];
    EXPECT_TRUE(A.FirstPlaysCrosses);
    EXPECT_FALSE(B.FirstPlaysCrosses);
    ASSERT_EQ(A.OpeningLength, B.OpeningLength);
    for (int I = 0; I < A.OpeningLength; ++I) {
      EXPECT_EQ(A.Moves[I].Cell.Col, B.Moves[I].Cell.Col);
      EXPECT_EQ(A.Moves[I].Cell.Row, B.Moves[I].Cell.Row);
    }
    EXPECT_NE(A.Verdict, TVerdict::Going);
    EXPECT_FALSE(A.Forfeit);
    EXPECT_FALSE(B.Forfeit);
  }
}

TEST(MatchRunner, RepeatsWhateverTheNumberOfThreads) {
  TMatchSettings Settings;
  Settings.First = TLevel::Medium;
  Settings.Second = TLevel::Expert;
  Settings.Games = 8;
  Settings.ColCount = 10;
  Settings.RowCount = 13;
  Settings.Seed = 99;
  Settings.ExpertBudget = Quick();
  const std::vector<TGameRecord> Alone = RunMatch(Settings, nullptr);
  Settings.Jobs = 2;
  const std::vector<TGameRecord> Together = RunMatch(Settings, nullptr);
  ASSERT_EQ(Alone.size(), Together.size());
  for (std::size_t Game = 0; Game < Alone.size(); ++Game) {
    ASSERT_EQ(Alone[Game].Moves.size(), Together[Game].Moves.size()) << "game " << Game;
    for (std::size_t Move = 0; Move < Alone[Game].Moves.size(); ++Move) {
      EXPECT_EQ(Alone[Game].Moves[Move].Cell.Col, Together[Game].Moves[Move].Cell.Col);
      EXPECT_EQ(Alone[Game].Moves[Move].Cell.Row, Together[Game].Moves[Move].Cell.Row);
    }
    EXPECT_EQ(Alone[Game].Verdict, Together[Game].Verdict);
  }
}

TEST(MatchRecords, ArePsqWithOneBasedMovesCrossesFirst) {
  TGameRecord Game;
  Game.ColCount = 20;
  Game.RowCount = 15;
  Game.Moves = {{{9, 9}, 0.0, 0.0}, {{10, 9}, 12.6, 1.0}, {{0, 14}, 3.2, 1.0}};
  std::ostringstream Out;
  WritePsq(Out, Game, TLevel::Expert, TLevel::Medium);
  EXPECT_EQ(Out.str(), "Piskvorky 20x15, 11:11, 0\n10,10,0\n11,10,13\n1,15,3\nexpert\nmedium\n-1\n");
  // With the colours swapped the first level played noughts.
  Game.FirstPlaysCrosses = false;
  std::ostringstream Swapped;
  WritePsq(Swapped, Game, TLevel::Expert, TLevel::Medium);
  EXPECT_EQ(Swapped.str(), "Piskvorky 20x15, 11:11, 0\n10,10,0\n11,10,13\n1,15,3\nmedium\nexpert\n-1\n");
}

TEST(MatchRecords, OpenInTheGameAsTheyWerePlayed) {
  TMatchSettings Settings;
  Settings.First = TLevel::High;
  Settings.Second = TLevel::Low;
  Settings.Games = 4;
  Settings.ColCount = 11;
  Settings.RowCount = 9;
  Settings.Seed = 3;
  for (const TGameRecord& Game : RunMatch(Settings, nullptr)) {
    std::ostringstream Out;
    WritePsq(Out, Game, Settings.First, Settings.Second);
    const auto Read = game::ReadRecord(Out.str());
    ASSERT_TRUE(std::holds_alternative<game::TRecord>(Read)) << std::get<game::TRecordError>(Read).Message;
    const game::TRecord& Record = std::get<game::TRecord>(Read);
    EXPECT_EQ(Record.ColCount, 11);
    EXPECT_EQ(Record.RowCount, 9);
    ASSERT_EQ(Record.Moves.size(), Game.Moves.size()) << "game " << Game.Number;
    for (std::size_t Move = 0; Move < Game.Moves.size(); ++Move) {
      EXPECT_EQ(Record.Moves[Move].Col, Game.Moves[Move].Cell.Col);
      EXPECT_EQ(Record.Moves[Move].Row, Game.Moves[Move].Cell.Row);
      EXPECT_EQ(Record.Moves[Move].Milliseconds, std::llround(Game.Moves[Move].Milliseconds));
    }
  }
}

TEST(MatchStatistics, ScoreEloAndInterval) {
  TTally Tally;
  TGameRecord Won;
  Won.Verdict = TVerdict::CrossWon;
  TGameRecord Lost = Won;
  Lost.FirstPlaysCrosses = false;
  TGameRecord Drawn;
  Drawn.Verdict = TVerdict::Draw;
  for (int I = 0; I < 6; ++I) Add(Tally, Won);
  Add(Tally, Lost);
  Add(Tally, Drawn);
  EXPECT_EQ(Tally.Wins, 6);
  EXPECT_EQ(Tally.Losses, 1);
  EXPECT_EQ(Tally.Draws, 1);
  EXPECT_DOUBLE_EQ(Tally.Score(), 6.5 / 8);
  const TTally WithNoughts = TallyWith({Won, Lost, Drawn, Drawn}, false);
  EXPECT_EQ(WithNoughts.Games(), 1);
  EXPECT_EQ(WithNoughts.Losses, 1);
  const TTally WithCrosses = TallyWith({Won, Lost, Drawn, Drawn}, true);
  EXPECT_EQ(WithCrosses.Wins, 1);
  EXPECT_EQ(WithCrosses.Draws, 2);
  EXPECT_NEAR(*EloOf(0.5), 0.0, 1e-9);
  EXPECT_NEAR(*EloOf(0.75), 190.85, 0.01);
  EXPECT_NEAR(*EloOf(0.25), -190.85, 0.01);
  EXPECT_FALSE(EloOf(1.0).has_value());
  EXPECT_FALSE(EloOf(0.0).has_value());
  // Every game won still leaves a finite lower bound.
  const TInterval All = ScoreInterval(1.0, 400);
  EXPECT_DOUBLE_EQ(All.High, 1.0);
  EXPECT_NEAR(All.Low, 400 / (400 + 1.959964 * 1.959964), 1e-6);
  const TInterval Half = ScoreInterval(0.5, 100);
  EXPECT_NEAR(Half.Low, 0.404, 0.001);
  EXPECT_NEAR(Half.High, 0.596, 0.001);
}

TEST(MatchStatistics, MoveTimesLeaveOpeningsOutAndFollowTheLevel) {
  TGameRecord Game;
  Game.OpeningLength = 2;
  Game.FirstPlaysCrosses = false;  // the first level plays noughts: moves 3, 5
  Game.Moves = {{{0, 0}, 100.0, 0.0}, {{1, 0}, 100.0, 0.0}, {{2, 0}, 1.0, 0.5},
                {{3, 0}, 4.0, 3.0},   {{4, 0}, 2.0, 1.5},   {{5, 0}, 8.0, 7.0}};
  const TMoveTimes First = MoveTimes({Game}, true);
  EXPECT_EQ(First.Moves, 2);
  EXPECT_DOUBLE_EQ(First.MedianMilliseconds, 6.0);
  EXPECT_DOUBLE_EQ(First.MaxMilliseconds, 8.0);
  const TMoveTimes Second = MoveTimes({Game}, false);
  EXPECT_EQ(Second.Moves, 2);
  EXPECT_DOUBLE_EQ(Second.MaxMilliseconds, 2.0);
  EXPECT_DOUBLE_EQ(MoveTimes({Game}, true, true).MaxMilliseconds, 7.0);
}

TEST(MatchOptions, ReadsEveryOption) {
  TMatchOptions Options;
  std::string Error;
  ASSERT_TRUE(ParseMatchOptions({"expert", "High", "--games", "40", "--board", "30x12", "--seed", "7", "--jobs", "2",
                                 "--psq", "out", "--expert-ms", "0", "--expert-nodes", "500"},
                                Options, Error))
      << Error;
  const TMatchSettings& Settings = Options.Settings;
  EXPECT_EQ(Settings.First, TLevel::Expert);
  EXPECT_EQ(Settings.Second, TLevel::High);
  EXPECT_EQ(Settings.Games, 40);
  EXPECT_EQ(Settings.ColCount, 30);
  EXPECT_EQ(Settings.RowCount, 12);
  EXPECT_EQ(Settings.Seed, 7u);
  EXPECT_TRUE(Options.SeedGiven);
  EXPECT_EQ(Settings.Jobs, 2);
  EXPECT_EQ(Options.PsqFolder, "out");
  EXPECT_EQ(Settings.ExpertBudget.Milliseconds, 0);
  EXPECT_EQ(Settings.ExpertBudget.Nodes, 500);
  TMatchOptions Square;
  ASSERT_TRUE(ParseMatchOptions({"low", "medium", "--board", "9"}, Square, Error));
  EXPECT_EQ(Square.Settings.ColCount, 9);
  EXPECT_EQ(Square.Settings.RowCount, 9);
  EXPECT_FALSE(Square.SeedGiven);
}

TEST(MatchOptions, RefusesWhatMakesNoSenseInOneLine) {
  const std::vector<std::vector<std::string_view>> Bad = {
      {},
      {"expert"},
      {"expert", "high", "low"},
      {"expert", "master"},
      {"expert", "high", "--games", "3"},
      {"expert", "high", "--games", "0"},
      {"expert", "high", "--games", "x"},
      {"expert", "high", "--board", "4"},
      {"expert", "high", "--board", "51x10"},
      {"expert", "high", "--board", "10x"},
      {"expert", "high", "--jobs", "0"},
      {"expert", "high", "--jobs", "17"},
      {"expert", "high", "--seed", "-1"},
      {"expert", "high", "--expert-ms", "-5"},
      {"expert", "high", "--expert-ms", "0", "--expert-nodes", "0"},
      {"expert", "high", "--psq", ""},
      {"expert", "high", "--games"},
      {"expert", "high", "--fast"},
  };
  for (const auto& Arguments : Bad) {
    TMatchOptions Options;
    std::string Error;
    EXPECT_FALSE(ParseMatchOptions(Arguments, Options, Error));
    EXPECT_FALSE(Error.empty());
    EXPECT_EQ(Error.find('\n'), std::string::npos) << Error;
  }
  // A value past the largest allowed is told the range it missed.
  TMatchOptions TooLong;
  std::string Error;
  EXPECT_FALSE(ParseMatchOptions({"low", "high", "--turn-ms", "3600001"}, TooLong, Error));
  EXPECT_EQ(Error, "--turn-ms expects milliseconds, 1 to 3600000, not \"3600001\"");
}

}  // namespace
}  // namespace quintar::match
