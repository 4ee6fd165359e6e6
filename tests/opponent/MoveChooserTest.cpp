// The level chooser against what it stands for: at the three strengths the
// control's own selection with the same draws, at the expert level the search
// with the same seed and budget (or nothing, where the expert is left out),
// and nothing on a full board.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>

#include "Expert.h"
#include "Level.h"
#include "MoveChooser.h"
#include "RandomPositions.h"
#include "TestBoard.h"

namespace quintar {

void PrintTo(const TChosenCell& Cell, std::ostream* Out) { *Out << Cell.Col << "," << Cell.Row; }

namespace {

constexpr std::array<TStrength, 3> AllStrengths = {stLow, stMedium, stHigh};

// Positions only, never time, so that the expert repeats itself.
constexpr TSearchBudget Positions(std::int64_t Nodes) { return {0, Nodes, nullptr}; }

std::optional<TChosenCell> ChooseWithDraws(TMoveChooser& Chooser, const TTestBoard& Board, int Turn, TLevel Level,
                                           std::vector<int> Draws, int& DrawCalls) {
  TScriptedDraw Draw(std::move(Draws));
  const std::optional<TChosenCell> Cell = Chooser.Choose(Board.View(), Turn, Level, Draw.Source(), Positions(2000));
  DrawCalls = Draw.Calls();
  return Cell;
}

TEST(MoveChooserStrengths, ChooseWhatTheControlsSelectionChoosesForTheSameDraws) {
  TRandom Random(20240611);
  TMoveChooser Chooser;
  for (int Game = 0; Game < 40; ++Game) {
    const int Cols = 5 + Game % 16;
    const int Rows = 5 + (Game * 7) % 21;
    const TTestBoard Board = PlayedLookingBoard(Random, Cols, Rows, 1 + Game % (Cols * Rows / 2));
    const int Turn = Game % 2 == 0 ? 1 : -1;
    for (const TStrength Strength : AllStrengths) {
      const std::vector<int> Draws = {static_cast<int>(Random() >> 1), static_cast<int>(Random() >> 1)};
      const TSelectionOutcome Direct = RunSelection(SelectMove, Board, Turn, Strength, StandardPatterns(), Draws);
      int DrawCalls = 0;
      const std::optional<TChosenCell> Cell =
          ChooseWithDraws(Chooser, Board, Turn, LevelOf(Strength), Draws, DrawCalls);
      SCOPED_TRACE(::testing::Message() << "game " << Game << " strength " << int{Strength});
      ASSERT_TRUE(Direct.Selection.Found);
      ASSERT_TRUE(Cell.has_value());
      EXPECT_EQ(*Cell, (TChosenCell{Direct.Selection.Col, Direct.Selection.Row}));
      EXPECT_EQ(DrawCalls, 2);
    }
  }
}

TEST(MoveChooserStrengths, FindNothingOnAFullBoardWithoutDrawing) {
  TTestBoard Full(7, 6);
  Full.FillWithoutThrees();
  TMoveChooser Chooser;
  for (const TLevel Level : {TLevel::Low, TLevel::Medium, TLevel::High, TLevel::Expert}) {
    int DrawCalls = 0;
    EXPECT_FALSE(ChooseWithDraws(Chooser, Full, 1, Level, {}, DrawCalls).has_value()) << LevelName(Level);
    EXPECT_EQ(DrawCalls, 0);
  }
}

TEST(MoveChooserExpert, PlaysAnEmptyCellAsTheSearchWouldWithoutDrawing) {
  TRandom Random(77);
  for (int Game = 0; Game < 6; ++Game) {
    const TTestBoard Board = PlayedLookingBoard(Random, 15, 15, 4 + 3 * Game);
    const std::uint64_t Seed = 1000u + static_cast<std::uint64_t>(Game);
    TMoveChooser Chooser(Seed);
    int DrawCalls = 0;
    const std::optional<TChosenCell> Cell = ChooseWithDraws(Chooser, Board, 1, TLevel::Expert, {}, DrawCalls);
    TExpertSearch Search(Seed);
    const TExpertChoice Expected = Search.Choose(Board.View(), 1, Positions(2000));
    ASSERT_TRUE(Cell.has_value());
    EXPECT_EQ(Board.At(Cell->Col, Cell->Row), 0);
    EXPECT_EQ(*Cell, (TChosenCell{Expected.Col, Expected.Row}));
    EXPECT_EQ(DrawCalls, 0);
  }
}

// A lone cross in the centre leaves the search many equally good answers, so
// the seed decides among them.
TEST(MoveChooserExpert, TakesANewSeedBeforeAndAfterTheSearchIsMade) {
  TTestBoard Board(15, 15);
  Board.Put(7, 7, 1);
  const auto Fresh = [&](std::uint64_t Seed) {
    TExpertSearch Search(Seed);
    const TExpertChoice Choice = Search.Choose(Board.View(), -1, Positions(500));
    return TChosenCell{Choice.Col, Choice.Row};
  };
  std::uint64_t Other = 1;
  while (Fresh(Other) == Fresh(0) && Other < 64) ++Other;
  ASSERT_NE(Fresh(Other), Fresh(0)) << "no seed changes the answer on this position";

  const auto Choose = [&](TMoveChooser& Chooser) {
    return *Chooser.Choose(
        Board.View(), -1, TLevel::Expert, [] { return 0; }, Positions(500));
  };
  TMoveChooser Chooser(0);
  Chooser.SeedExpert(Other);
  EXPECT_EQ(Choose(Chooser), Fresh(Other));

  // Once made, the search keeps its tables; the new seed must still reach it.
  const auto Twice = [&](std::optional<std::uint64_t> SecondSeed) {
    TExpertSearch Search(Other);
    Search.Choose(Board.View(), -1, Positions(500));
    if (SecondSeed) Search.Seed(*SecondSeed);
    const TExpertChoice Choice = Search.Choose(Board.View(), -1, Positions(500));
    return TChosenCell{Choice.Col, Choice.Row};
  };
  ASSERT_NE(Twice(0), Twice(std::nullopt)) << "the second seed changes nothing on this position";
  Chooser.SeedExpert(0);
  EXPECT_EQ(Choose(Chooser), Twice(0));
}

// A program that thinks the expert elsewhere still plays the three strengths
// here, and its expert level finds nothing rather than searching.
TEST(MoveChooserWithoutExpert, PlaysTheStrengthsAndFindsNoExpertMove) {
  TRandom Random(5);
  const TTestBoard Board = PlayedLookingBoard(Random, 15, 15, 6);
  TMoveChooser Chooser(0, NoExpertHere);
  int DrawCalls = 0;
  EXPECT_TRUE(ChooseWithDraws(Chooser, Board, 1, TLevel::High, {3, 4}, DrawCalls).has_value());
  EXPECT_FALSE(ChooseWithDraws(Chooser, Board, 1, TLevel::Expert, {}, DrawCalls).has_value());
  const TAnalysis Report = Chooser.Analyse(Board.View(), -1, Positions(500));
  EXPECT_EQ(Report.Turn, -1);
  EXPECT_TRUE(Report.Lines.empty());
}

}  // namespace
}  // namespace quintar
