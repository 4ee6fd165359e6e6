// Times what every move costs in drawing: DrawGraphics redraws all marks on
// the board. Boards are full of one kind of mark at the sizes where marks
// are largest, smallest and most numerous, and on a control that is not
// square (so noughts are not circles). Prints, per board, the time of a
// full board of noughts and of crosses, each also as a multiple of one
// fill of the whole control.
//
//   marks_bench [--benchmark_repetitions=N] [--benchmark_filter=REGEX] ...
//
// Without --benchmark_repetitions each benchmark is repeated five times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "FilledBoard.h"
#include "Quintar.h"

namespace quintar {
namespace {

struct TBoardSize {
  const char* Name;
  int Width, Height, Cols, Rows;
};

const std::vector<TBoardSize> BoardSizes = {
    {"1000x1000/15x15", 1000, 1000, 15, 15},  // the widest pen, 16
    {"1000x700/15x15", 1000, 700, 15, 15},    // flattened noughts
    {"600x600/20x20", 600, 600, 20, 20},      // the default board, larger
    {"200x200/20x20", 200, 200, 20, 20},      // the default
    {"400x400/50x50", 400, 400, 50, 50},      // the most marks
};

void Prepare(TQuintar& Control, const TBoardSize& Size, int Mark) {
  Control.SetBounds(0, 0, Size.Width, Size.Height);
  Control.SetColCount(Size.Cols);
  Control.SetRowCount(Size.Rows);
  FillBoard(Control, Mark);
  Control.Repaint();
}

void DrawFullBoard(benchmark::State& State, TBoardSize Size, int Mark) {
  TQuintar Control(nullptr);
  Prepare(Control, Size, Mark);
  for (auto _ : State) {
    Control.DrawGraphics();
    benchmark::ClobberMemory();
  }
  State.counters["marks"] = Size.Cols * Size.Rows;
}

// The yardstick: one fill of the whole control, the least a repaint does.
void FillControl(benchmark::State& State, TBoardSize Size) {
  TQuintar Control(nullptr);
  Prepare(Control, Size, 0);
  vcl::TCanvas& Canvas = Control.Canvas();
  for (auto _ : State) {
    Canvas.FillRect({0, 0, Size.Width, Size.Height});
    benchmark::ClobberMemory();
  }
}

void PrintRatios(const std::map<std::string, double>& Times) {
  std::printf("\n%-16s %12s %12s %12s %10s %10s\n", "board", "fill us", "noughts us", "crosses us", "noughts/fill",
              "crosses/fill");
  for (const TBoardSize& Size : BoardSizes) {
    const auto Fill = Times.find(std::string("Fill/") + Size.Name);
    const auto Noughts = Times.find(std::string("Noughts/") + Size.Name);
    const auto Crosses = Times.find(std::string("Crosses/") + Size.Name);
    if (Fill == Times.end() || Noughts == Times.end() || Crosses == Times.end()) continue;
    std::printf("%-16s %12.1f %12.1f %12.1f %10.1f %10.1f\n", Size.Name, Fill->second, Noughts->second, Crosses->second,
                Noughts->second / Fill->second, Crosses->second / Fill->second);
  }
}

}  // namespace
}  // namespace quintar

int main(int argc, char** argv) {
  using namespace quintar;
  if (!InitializeBenchmarks(argc, argv)) return 1;

  for (const TBoardSize& Size : BoardSizes) {
    benchmark::RegisterBenchmark((std::string("Fill/") + Size.Name).c_str(), FillControl, Size)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("Noughts/") + Size.Name).c_str(), DrawFullBoard, Size, -1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("Crosses/") + Size.Name).c_str(), DrawFullBoard, Size, 1)
        ->Unit(benchmark::kMicrosecond);
  }
  PrintRatios(RunBenchmarks());
  return 0;
}
