// Times one move choice by the fast opponent and by the plain reference on
// the same positions, then prints the median of each and their ratio.
//
//   opponent_bench [--benchmark_repetitions=N] [--benchmark_filter=REGEX] ...
//
// Without --benchmark_repetitions each benchmark is repeated five times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Opponent.h"
#include "RandomPositions.h"
#include "ReferenceOpponent.h"
#include "TestBoard.h"

namespace quintar {
namespace {

struct TBenchPosition {
  const char* Name;
  TTestBoard Board;
};

// Fixed seeds, so every run times the same boards.
std::vector<TBenchPosition> BenchPositions() {
  TRandom Random(20240601);
  return {
      {"Empty20x20", TTestBoard(20, 20)},
      {"Midgame20x20", PlayedLookingBoard(Random, 20, 20, 40)},
      {"Empty50x50", TTestBoard(50, 50)},
      {"Played50x50", PlayedLookingBoard(Random, 50, 50, 300)},
      {"Scattered20x20", ScatteredBoard(Random, 20, 20, 80)},
      {"Scattered50x50", ScatteredBoard(Random, 50, 50, 300)},
  };
}

void TimeSelection(benchmark::State& State, TSelectMoveFunction SelectMove, const TTestBoard& Board) {
  std::vector<TCandidate> CrossList(CandidateCapacity);
  std::vector<TCandidate> NoughtList(CandidateCapacity);
  const int MarkCount = Board.ColCount() * Board.RowCount() - Board.EmptyCount();
  const int Turn = MarkCount % 2 == 0 ? 1 : -1;
  int Generator = 0;
  const TRandomDraw Draw = [&Generator] { return Generator++; };
  for (auto _ : State) {
    const TSelection Selection =
        SelectMove(Board.View(), Turn, stHigh, StandardPatterns(), CrossList.data(), NoughtList.data(), Draw);
    benchmark::DoNotOptimize(Selection);
    benchmark::ClobberMemory();
  }
}

void PrintRatios(const std::vector<TBenchPosition>& Positions, const std::map<std::string, double>& Times) {
  std::printf("\n%-14s %14s %12s %10s\n", "position", "reference us", "fast us", "ratio");
  for (const TBenchPosition& Position : Positions) {
    const auto Reference = Times.find(std::string("Reference/") + Position.Name);
    const auto Fast = Times.find(std::string("Fast/") + Position.Name);
    if (Reference == Times.end() || Fast == Times.end()) continue;
    std::printf("%-14s %14.1f %12.2f %10.0f\n", Position.Name, Reference->second, Fast->second,
                Reference->second / Fast->second);
  }
}

}  // namespace
}  // namespace quintar

int main(int argc, char** argv) {
  using namespace quintar;
  if (!InitializeBenchmarks(argc, argv)) return 1;

  const std::vector<TBenchPosition> Positions = BenchPositions();
  for (const TBenchPosition& Position : Positions) {
    benchmark::RegisterBenchmark((std::string("Reference/") + Position.Name).c_str(), TimeSelection,
                                 &reference::SelectMove, Position.Board)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("Fast/") + Position.Name).c_str(), TimeSelection, &SelectMove,
                                 Position.Board)
        ->Unit(benchmark::kMicrosecond);
  }
  PrintRatios(Positions, RunBenchmarks());
  return 0;
}
