// The tuning tool: the counts it fits agree with the expert's own sums, the
// fit finds weights that were hidden in made-up results, the header it
// writes reads back to the same weights and command, the checked-in header
// is exactly what it writes for the weights the expert compiles in, and a
// tiny fixed run repeats and round-trips.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "LogisticFit.h"
#include "PositionFeatures.h"
#include "RandomPositions.h"
#include "TestBoard.h"
#include "TunedWeights.h"
#include "Tuning.h"
#include "WeightsSource.h"

namespace quintar::tune {
namespace {

using expert::TEvaluationWeights;
using expert::TExpertBoard;
using expert::TunedWeights;

TEST(PositionFeaturesTest, AddUpToTheBoardsOwnTotals) {
  TRandom Random(20240611);
  for (int Round = 0; Round < 40; ++Round) {
    const int Side = 9 + Round % 12;
    const TTestBoard Marks = PlayedLookingBoard(Random, Side, Side, 4 + Round * 2);
    TExpertBoard Board;
    Board.Load(Marks.View());
    for (int Mover = 0; Mover < 2; ++Mover) {
      const TPositionFeatures Features = FeaturesOf(Board, Mover);
      EXPECT_EQ(SideValue(Features.Mover, TunedWeights), Board.TotalValue(Mover)) << "round " << Round;
      EXPECT_EQ(SideValue(Features.Other, TunedWeights), Board.TotalValue(expert::Opposite(Mover)));
      int Lines = 0;
      for (const int Count : Features.Mover.Lines) Lines += Count;
      EXPECT_EQ(Lines, expert::DirectionCount * Board.EmptyCount());
    }
  }
}

// Crosses on (5..7, 5) and (8, 6), (8, 7): (8, 5) makes a four along row 5
// and an open three down column 8.
TTestBoard FourThreeForCrosses() {
  TTestBoard Board(15, 15);
  for (const int Col : {5, 6, 7}) Board.Put(Col, 5, 1);
  Board.Put(4, 5, -1);
  Board.Put(8, 6, 1);
  Board.Put(8, 7, 1);
  Board.Put(0, 14, -1);
  Board.Put(14, 0, -1);
  return Board;
}

TEST(PositionFeaturesTest, GiveTheFourThreeBonusOnlyWhenTheOtherSideHasNoFour) {
  TTestBoard Marks = FourThreeForCrosses();
  TExpertBoard Board;
  Board.Load(Marks.View());
  ASSERT_EQ(Board.Threat(0, TExpertBoard::IndexOf(8, 5)), expert::thFourThree);
  EXPECT_TRUE(IsQuiet(Board, 0));
  EXPECT_TRUE(FeaturesOf(Board, 0).FourThree);
  EXPECT_FALSE(FeaturesOf(Board, 0).DoubleThree);
  EXPECT_FALSE(FeaturesOf(Board, 1).FourThree);
  // Three noughts in a row give them a four to answer with.
  for (const int Row : {10, 11, 12}) Marks.Put(1, Row, -1);
  Board.Load(Marks.View());
  EXPECT_FALSE(FeaturesOf(Board, 0).FourThree);
  // An open four for crosses is no quiet position for either side to judge.
  Marks.Put(8, 8, 1);
  Board.Load(Marks.View());
  EXPECT_FALSE(IsQuiet(Board, 0));
  EXPECT_FALSE(IsQuiet(Board, 1));
}

// Made-up positions whose results follow Truth at Scale exactly, as
// probabilities, so that the best fit is Truth itself.
std::vector<TSample> SamplesFollowing(const TRealWeights& Truth, double Scale, int Count, std::uint32_t Seed) {
  std::mt19937 Random(Seed);
  std::uniform_int_distribution<int> Lines(0, 40);
  std::uniform_int_distribution<int> Threats(0, 3);
  std::vector<TSample> Samples;
  for (int I = 0; I < Count; ++I) {
    TSample Sample;
    for (TSideCounts* Counts : {&Sample.Features.Mover, &Sample.Features.Other}) {
      for (int Line = expert::lpBlock1; Line < expert::lpFive; ++Line) Counts->Lines[Line] = Lines(Random) / (Line + 1);
      for (int Threat = expert::thThree; Threat < expert::thFive; ++Threat)
        Counts->Threats[Threat] = Threats(Random) / 2;
    }
    Sample.Features.FourThree = Random() % 9 == 0;
    Sample.Features.DoubleThree = !Sample.Features.FourThree && Random() % 7 == 0;
    Sample.Result = 1 / (1 + std::exp(-Score(Sample.Features, Truth) / Scale));
    Samples.push_back(Sample);
  }
  return Samples;
}

TRealWeights HiddenWeights() {
  TEvaluationWeights Hidden = TunedWeights;
  Hidden.LineValues = {0, 3, 9, 12, 40, 25, 150, 90, 700, 3000};
  Hidden.ThreatBonuses = {0, 200, 900, 300, 1500, 2500, 5000};
  Hidden.MoverPercent = 140;
  Hidden.FourThreeBonus = 30000;
  Hidden.DoubleThreeBonus = 15000;
  return RealWeights(Hidden);
}

TEST(LogisticFitTest, FindsTheScaleResultsFollow) {
  const TRealWeights Truth = RealWeights(TunedWeights);
  const std::vector<TSample> Samples = SamplesFollowing(Truth, 3000, 400, 7);
  EXPECT_NEAR(FitScale(Samples, Truth), 3000, 30);
}

TEST(LogisticFitTest, MovesTowardsTheWeightsResultsFollow) {
  const TRealWeights Truth = HiddenWeights();
  const double Scale = 1000;
  const std::vector<TSample> Samples = SamplesFollowing(Truth, Scale, 2000, 11);
  const TRealWeights Start = RealWeights(TunedWeights);
  const double Best = LogLoss(Samples, Truth, Scale);
  const double Before = LogLoss(Samples, Start, Scale);
  const TRealWeights Fitted = FitWeights(Samples, Start, Scale, 400);
  const double After = LogLoss(Samples, Fitted, Scale);
  ASSERT_GT(Before - Best, 0.03);
  // Most of the way to the best there is.
  EXPECT_LT(After - Best, (Before - Best) / 10);
  EXPECT_NEAR(Fitted.MoverFactor, Truth.MoverFactor, 0.1);
  // The weights it holds stay where they started.
  EXPECT_EQ(Fitted.LineValues[expert::lpNone], Start.LineValues[expert::lpNone]);
  EXPECT_EQ(Fitted.LineValues[expert::lpFive], Start.LineValues[expert::lpFive]);
  EXPECT_EQ(Fitted.ThreatBonuses[expert::thFive], Start.ThreatBonuses[expert::thFive]);
}

TEST(LogisticFitTest, FittingTheBonusesAloneLeavesEveryLineValue) {
  TRealWeights Truth = HiddenWeights();
  const TRealWeights Start = RealWeights(TunedWeights);
  Truth.LineValues = Start.LineValues;
  const double Scale = 1000;
  const std::vector<TSample> Samples = SamplesFollowing(Truth, Scale, 2000, 13);
  const double Best = LogLoss(Samples, Truth, Scale);
  const double Before = LogLoss(Samples, Start, Scale);
  const TRealWeights Fitted = FitWeights(Samples, Start, Scale, 400, TFitted::Bonuses);
  ASSERT_GT(Before - Best, 0.01);
  EXPECT_LT(LogLoss(Samples, Fitted, Scale) - Best, (Before - Best) / 10);
  EXPECT_EQ(Fitted.LineValues, Start.LineValues);
  EXPECT_NEAR(Fitted.MoverFactor, Truth.MoverFactor, 0.1);
}

TEST(LogisticFitTest, RoundsToWholeNumbersNoneBelowZero) {
  TRealWeights Real = RealWeights(TunedWeights);
  Real.LineValues[1] = 2.5;
  Real.LineValues[2] = -3;
  Real.MoverFactor = 1.374;
  const TEvaluationWeights Rounded = RoundedWeights(Real);
  EXPECT_EQ(Rounded.LineValues[1], 3);
  EXPECT_EQ(Rounded.LineValues[2], 0);
  EXPECT_EQ(Rounded.MoverPercent, 137);
  EXPECT_EQ(RoundedWeights(RealWeights(TunedWeights)), TunedWeights);
}

TEST(WeightsSourceTest, ReadsBackWhatItWrites) {
  const TEvaluationWeights Weights = RoundedWeights(HiddenWeights());
  const std::string Command =
      "quintar-tune --games 12 --nodes 300 --seed 99 --boards 9,11,13,15,17,19 --iterations 20 --held-out-every 3 "
      "--output some/rather/long/path/to/the/weights/header/TunedWeights.h";
  const std::string Source = WeightsSource(Weights, Command);
  const std::optional<TWeightsSource> Read = ReadWeightsSource(Source);
  ASSERT_TRUE(Read.has_value()) << Source;
  EXPECT_EQ(Read->Weights, Weights);
  EXPECT_EQ(Read->Command, Command);
  // Long commands are broken over lines that keep to the code's width.
  std::istringstream Lines(Source);
  for (std::string Line; std::getline(Lines, Line);) EXPECT_LE(Line.size(), 120u) << Line;
}

TEST(WeightsSourceTest, RefusesAnythingElse) {
  // The hand-set numbers the fit started from, whose text the cases below change.
  constexpr TEvaluationWeights HandSet = {
      .LineValues = {0, 1, 4, 8, 24, 30, 100, 120, 500, 3000},
      .ThreatBonuses = {0, 0, 400, 0, 1000, 2000, 5000},
      .MoverPercent = 125,
      .FourThreeBonus = 40000,
      .DoubleThreeBonus = 20000,
  };
  const std::string Source = WeightsSource(HandSet, "quintar-tune --games 0");
  const auto Replaced = [&](const std::string& From, const std::string& To) {
    std::string Changed = Source;
    Changed.replace(Changed.find(From), From.size(), To);
    return Changed;
  };
  ASSERT_TRUE(ReadWeightsSource(Source).has_value());
  EXPECT_FALSE(ReadWeightsSource(Source.substr(0, Source.size() - 2)).has_value());
  EXPECT_FALSE(ReadWeightsSource(Source + "int Extra;\n").has_value());
  EXPECT_FALSE(ReadWeightsSource(Replaced("500, 3000}", "500}")).has_value());
  EXPECT_FALSE(ReadWeightsSource(Replaced("500, 3000}", "500, 3000, 1}")).has_value());
  EXPECT_FALSE(ReadWeightsSource(Replaced(".MoverPercent = 125", ".MoverPercent = 1.25")).has_value());
  EXPECT_FALSE(ReadWeightsSource(Replaced(".MoverPercent = 125", ".MoverPercent = x")).has_value());
  EXPECT_FALSE(ReadWeightsSource(Replaced("    .FourThreeBonus = 40000,\n", "")).has_value());
  EXPECT_FALSE(ReadWeightsSource(Replaced("//   quintar-tune --games 0\n", "")).has_value());
  EXPECT_FALSE(ReadWeightsSource("").has_value());
}

TEST(WeightsSourceTest, TheCheckedInHeaderIsWhatTheToolWritesForTheCompiledWeights) {
  std::ifstream File(TUNED_WEIGHTS_SOURCE, std::ios::binary);
  ASSERT_TRUE(File) << TUNED_WEIGHTS_SOURCE;
  const std::string Text{std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
  const std::optional<TWeightsSource> Read = ReadWeightsSource(Text);
  ASSERT_TRUE(Read.has_value());
  EXPECT_EQ(Read->Weights, TunedWeights);
  EXPECT_TRUE(Read->Command.starts_with("quintar-tune ")) << Read->Command;
  EXPECT_EQ(WeightsSource(TunedWeights, Read->Command), Text);
}

TTuningSettings TinyRun() {
  TTuningSettings Settings;
  Settings.Play = {6, 300, 7, {9, 11}};
  Settings.Iterations = 60;
  Settings.HeldOutEvery = 3;
  return Settings;
}

TEST(TuningTest, ATinyFixedRunRepeatsAndItsHeaderReadsBack) {
  const TTuningResult First = RunTuning(TinyRun(), TunedWeights);
  ASSERT_GT(First.TrainingPositions, 0);
  ASSERT_GT(First.HeldOutPositions, 0);
  EXPECT_LT(First.TrainingLossAfter, First.TrainingLossBefore);
  const TTuningResult Second = RunTuning(TinyRun(), TunedWeights);
  EXPECT_EQ(Second.Weights, First.Weights);
  EXPECT_EQ(Second.TrainingPositions, First.TrainingPositions);
  EXPECT_EQ(Second.HeldOutLossAfter, First.HeldOutLossAfter);

  const std::string Command = TuningCommand(TinyRun(), "TunedWeights.h");
  EXPECT_EQ(Command,
            "quintar-tune --games 6 --nodes 300 --seed 7 --boards 9,11 --iterations 60 --held-out-every 3 "
            "--output TunedWeights.h");
  const std::optional<TWeightsSource> Read = ReadWeightsSource(WeightsSource(First.Weights, Command));
  ASSERT_TRUE(Read.has_value());
  EXPECT_EQ(Read->Weights, First.Weights);
  EXPECT_EQ(Read->Command, Command);
}

TEST(TuningTest, NoGamesLeaveTheStartingWeights) {
  TTuningSettings Settings = TinyRun();
  Settings.Play.Games = 0;
  const TTuningResult Result = RunTuning(Settings, TunedWeights);
  EXPECT_EQ(Result.Weights, TunedWeights);
  EXPECT_EQ(Result.TrainingPositions, 0);
}

}  // namespace
}  // namespace quintar::tune
