// Times the control's two drawings beside one clear of the same surface in
// the same run, so that the ratio says how near the drawing is to what
// writing the memory costs, however busy the machine:
//   - a full Paint of a 1000 x 1000 control with 600 marks on 50 x 50;
//   - DrawGraphics after a move on a 600 x 600 control with 40 marks on
//     20 x 20: the boxes moved and every mark drawn again.
//
//   frame_bench [--benchmark_repetitions=N] [--benchmark_filter=REGEX] ...
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "MidgamePosition.h"
#include "Quintar.h"

namespace quintar {
namespace {

struct TFrame {
  const char* Name;
  int Side, Board, Marks;
};

constexpr TFrame FullPaint{"Paint/1000x1000/50x50/600", 1000, 50, 600};
constexpr TFrame AfterMove{"DrawGraphics/600x600/20x20/40", 600, 20, 40};

void Prepare(TQuintar& Control, const TFrame& Frame) {
  Control.SetBounds(0, 0, Frame.Side, Frame.Side);
  Control.SetAutoResponse(false);
  Control.SetColCount(Frame.Board);
  Control.SetRowCount(Frame.Board);
  Control.NewGame();
  const std::vector<vcl::TPoint> Moves =
      Frame.Board == 20 ? MidgameMoves(Frame.Marks) : CrowdedMoves(Frame.Board, Frame.Marks);
  for (const vcl::TPoint Move : Moves) Control.Move(Move.X + 1, Move.Y + 1);
  Control.Repaint();
}

void Paint(benchmark::State& State) {
  TQuintar Control(nullptr);
  Prepare(Control, FullPaint);
  for (auto _ : State) {
    Control.Repaint();
    benchmark::ClobberMemory();
  }
}

// The last move is boxed again where it is, which draws what a move draws.
void DrawAfterMove(benchmark::State& State) {
  TQuintar Control(nullptr);
  Prepare(Control, AfterMove);
  for (auto _ : State) {
    Control.DrawGraphics();
    benchmark::ClobberMemory();
  }
}

// The yardstick: one fill of the whole control.
void Clear(benchmark::State& State, TFrame Frame) {
  TQuintar Control(nullptr);
  Prepare(Control, Frame);
  vcl::TCanvas& Canvas = Control.Canvas();
  for (auto _ : State) {
    Canvas.FillRect({0, 0, Frame.Side, Frame.Side});
    benchmark::ClobberMemory();
  }
}

void PrintRatios(const std::map<std::string, double>& Times) {
  std::printf("\n%-32s %12s %12s %10s\n", "drawing", "us", "clear us", "ratio");
  for (const TFrame& Frame : {FullPaint, AfterMove}) {
    const auto Drawing = Times.find(Frame.Name);
    const auto Clearing = Times.find(std::string("Clear/") + Frame.Name);
    if (Drawing == Times.end() || Clearing == Times.end()) continue;
    std::printf("%-32s %12.1f %12.1f %10.2f\n", Frame.Name, Drawing->second, Clearing->second,
                Drawing->second / Clearing->second);
  }
}

}  // namespace
}  // namespace quintar

int main(int argc, char** argv) {
  using namespace quintar;
  if (!InitializeBenchmarks(argc, argv)) return 1;
  benchmark::RegisterBenchmark(FullPaint.Name, Paint)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((std::string("Clear/") + FullPaint.Name).c_str(), Clear, FullPaint)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark(AfterMove.Name, DrawAfterMove)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((std::string("Clear/") + AfterMove.Name).c_str(), Clear, AfterMove)
      ->Unit(benchmark::kMicrosecond);
  PrintRatios(RunBenchmarks());
  return 0;
}
