// Times the expert's choice with the default budget's positions (and no time
// limit, so that the clock does not cut it short) on positions from games
// the expert played against the high strength on 20 x 20 and 50 x 50.
//
//   expert_bench [--benchmark_repetitions=N] ...
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "Expert.h"
#include "TestBoard.h"

namespace quintar {
namespace {

struct TGamePosition {
  TTestBoard Board;
  int Turn;
};

// The expert plays crosses against the high strength from the centre; every
// tenth position on the way is kept, with the expert to move.
std::vector<TGamePosition> PositionsFromAGame(int Side, std::uint32_t Seed) {
  TTestBoard Board(Side, Side);
  TExpertSearch Expert(Seed);
  std::mt19937 Random(Seed);
  std::vector<TCandidate> CrossList(CandidateCapacity);
  std::vector<TCandidate> NoughtList(CandidateCapacity);
  std::vector<TGamePosition> Kept;
  const TSearchBudget Budget = {0, DefaultExpertBudget().Nodes, nullptr};
  for (int Move = 0; Move < 60 && Board.EmptyCount() > 0; ++Move) {
    int Col = 0;
    int Row = 0;
    if (Move % 2 == 0) {
      if (Move % 10 == 0 && Move > 0) Kept.push_back({Board, 1});
      const TExpertChoice Choice = Expert.Choose(Board.View(), 1, Budget);
      if (Choice.ForcedWin) break;
      Col = Choice.Col;
      Row = Choice.Row;
    } else {
      const TSelection Selection = SelectMove(Board.View(), -1, stHigh, StandardPatterns(), CrossList.data(),
                                              NoughtList.data(), [&Random] { return static_cast<int>(Random() >> 1); });
      Col = Selection.Col;
      Row = Selection.Row;
    }
    Board.Put(Col, Row, Move % 2 == 0 ? 1 : -1);
  }
  return Kept;
}

void TimeChoice(benchmark::State& State, const TGamePosition& Position) {
  TExpertSearch Expert(1);
  const TSearchBudget Budget = {0, DefaultExpertBudget().Nodes, nullptr};
  std::int64_t Nodes = 0;
  for (auto _ : State) {
    const TExpertChoice Choice = Expert.Choose(Position.Board.View(), Position.Turn, Budget);
    Nodes = Choice.Nodes;
    benchmark::DoNotOptimize(Choice);
  }
  State.counters["positions"] = static_cast<double>(Nodes);
}

}  // namespace
}  // namespace quintar

int main(int argc, char** argv) {
  using namespace quintar;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::vector<std::vector<TGamePosition>> Games;
  for (const int Side : {20, 50}) {
    Games.push_back(PositionsFromAGame(Side, 11));
    for (std::size_t I = 0; I < Games.back().size(); ++I)
      benchmark::RegisterBenchmark(
          ("Expert/" + std::to_string(Side) + "x" + std::to_string(Side) + "/move" + std::to_string(10 * (I + 1)))
              .c_str(),
          TimeChoice, Games.back()[I])
          ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
