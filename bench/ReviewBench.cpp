// Times a review of a whole game: the expert's report on the position before
// each of the 60 moves of a 20 x 20 game, at the default review budget, as a
// review judges every move against it. Two strong players of the control's
// own (the high strength, seeded) play the game; a game that ends sooner is
// reviewed up to its end, and the counters say how many moves it had.
//
//   review_bench [--benchmark_repetitions=N] ...
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "Expert.h"
#include "Rules.h"
#include "TestBoard.h"

namespace quintar {
namespace {

constexpr int GameMoves = 60;
constexpr int Side = 20;

struct TPosition {
  TTestBoard Board;
  int Turn;
};

std::vector<TPosition> PositionsOfAGame(std::uint32_t Seed) {
  TTestBoard Board(Side, Side);
  std::mt19937 Random(Seed);
  std::vector<TCandidate> CrossList(CandidateCapacity);
  std::vector<TCandidate> NoughtList(CandidateCapacity);
  std::vector<TPosition> Positions;
  int Turn = 1;
  for (int Move = 0; Move < GameMoves; ++Move) {
    Positions.push_back({Board, Turn});
    const TSelection Selection = SelectMove(Board.View(), Turn, stHigh, StandardPatterns(), CrossList.data(),
                                            NoughtList.data(), [&Random] { return static_cast<int>(Random() >> 1); });
    if (!Selection.Found) break;
    Board.Put(Selection.Col, Selection.Row, Turn);
    if (FiveThrough(Board.View(), Selection.Col, Selection.Row)) break;
    Turn = -Turn;
  }
  return Positions;
}

void ReviewGame(benchmark::State& State, const std::vector<TPosition>& Positions) {
  TExpertSearch Expert(1);
  std::int64_t Nodes = 0;
  for (auto _ : State) {
    Nodes = 0;
    for (const TPosition& Position : Positions) {
      const TAnalysis Report = Expert.Analyse(Position.Board.View(), Position.Turn, DefaultReviewBudget());
      Nodes += Report.Nodes;
      benchmark::DoNotOptimize(Report);
    }
  }
  State.counters["moves"] = static_cast<double>(Positions.size());
  State.counters["positions"] = static_cast<double>(Nodes);
  State.counters["budget"] = static_cast<double>(DefaultReviewBudget().Nodes);
}

}  // namespace
}  // namespace quintar

int main(int argc, char** argv) {
  using namespace quintar;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const std::vector<TPosition> Game = PositionsOfAGame(3);
  benchmark::RegisterBenchmark("Review/20x20/60moves", ReviewGame, Game)->Unit(benchmark::kMillisecond)->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
