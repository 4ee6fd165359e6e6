// Times what a player waits for after a click on a 600 x 600 control with a
// 20 x 20 board in mid-game: the press mapped to a cell, the move drawn and
// refereed, the computer's answer chosen, drawn and refereed.
//
//   click_path_bench [--benchmark_repetitions=N] ...
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "Quintar.h"

namespace quintar {
namespace {

constexpr int ControlSide = 600;
constexpr int BoardSide = 20;
constexpr int MidgameMarks = 30;

// The computer plays both sides from a fixed seed, so every run starts from
// the same position.
std::vector<vcl::TPoint> MidgameMoves() {
  TQuintar Control(nullptr);
  std::srand(7);
  std::vector<vcl::TPoint> Moves;
  while (static_cast<int>(Moves.size()) < MidgameMarks && !Control.GameOver()) {
    Control.ComputerMove();
    Moves.push_back(Control.LastMove());
  }
  return Moves;
}

// The first empty cell from the centre outwards: where a player would click.
vcl::TPoint EmptyCellNearTheCentre(const TQuintar& Control) {
  for (int Ring = 0; Ring < BoardSide; ++Ring)
    for (int Col = BoardSide / 2 - Ring; Col <= BoardSide / 2 + Ring; ++Col)
      for (int Row = BoardSide / 2 - Ring; Row <= BoardSide / 2 + Ring; ++Row)
        if (Col >= 0 && Row >= 0 && Col < BoardSide && Row < BoardSide && Control.Cell(Col, Row) == 0)
          return {Col, Row};
  return {0, 0};
}

void ClickAnsweredByTheComputer(benchmark::State& State) {
  const std::vector<vcl::TPoint> Moves = MidgameMoves();
  TQuintar Control(nullptr);
  Control.SetBounds(0, 0, ControlSide, ControlSide);
  const int CellSide = ControlSide / BoardSide;
  for (auto _ : State) {
    State.PauseTiming();
    Control.NewGame();
    Control.SetAutoResponse(false);
    for (const vcl::TPoint Move : Moves) Control.Move(Move.X + 1, Move.Y + 1);
    Control.SetAutoResponse(true);
    Control.Repaint();
    const vcl::TPoint Cell = EmptyCellNearTheCentre(Control);
    State.ResumeTiming();
    Control.MouseDown(vcl::mbLeft, vcl::TShiftState{}, Cell.X * CellSide + CellSide / 2,
                      Cell.Y * CellSide + CellSide / 2);
    benchmark::DoNotOptimize(Control.LastMove());
  }
}

BENCHMARK(ClickAnsweredByTheComputer)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quintar

BENCHMARK_MAIN();
