// Times what a player waits for after a click on a 600 x 600 control with a
// 20 x 20 board in mid-game: the press mapped to a cell, the move drawn and
// refereed, the computer's answer chosen, drawn and refereed.
//
//   click_path_bench [--benchmark_repetitions=N] ...
#include <benchmark/benchmark.h>

#include <vector>

#include "MidgamePosition.h"
#include "Quintar.h"

namespace quintar {
namespace {

constexpr int ControlSide = 600;
constexpr int BoardSide = 20;
constexpr int MidgameMarks = 30;

void ClickAnsweredByTheComputer(benchmark::State& State) {
  const std::vector<vcl::TPoint> Moves = MidgameMoves(MidgameMarks);
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
