#include "BrainBench.h"

#include <algorithm>
#include <chrono>
#include <ostream>

#include "BenchPositions.h"
#include "Expert.h"

namespace quintar::brain {
namespace {

// Any fixed seed will do: it picks among equally good moves.
constexpr std::uint64_t BenchSeed = 1;

}  // namespace

std::optional<std::vector<TBenchSearch>> SearchBenchPositions() {
  TExpertSearch Expert(BenchSeed);
  const TSearchBudget Budget = {0, BenchNodesPerPosition, nullptr};
  std::vector<TBenchSearch> Searches;
  for (const TBenchPosition& Position : BenchPositions()) {
    const std::optional<TBenchBoard> Board = BenchBoard(Position);
    if (!Board) return std::nullopt;
    const TExpertChoice Choice = Expert.Choose(Board->View(), Board->Turn, Budget);
    Searches.push_back({Choice.Col, Choice.Row, Choice.Nodes});
  }
  return Searches;
}

std::int64_t Signature(const std::vector<TBenchSearch>& Searches) {
  std::int64_t Total = 0;
  for (const TBenchSearch& Search : Searches) Total += Search.Nodes;
  return Total;
}

bool RunBench(std::ostream& Out, std::ostream& Error) {
  const auto Start = std::chrono::steady_clock::now();
  const std::optional<std::vector<TBenchSearch>> Searches = SearchBenchPositions();
  const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - Start;
  if (!Searches) {
    Error << "pbrain-quintar: a bench position does not set up\n";
    return false;
  }
  for (std::size_t I = 0; I < Searches->size(); ++I) {
    const TBenchSearch& Search = (*Searches)[I];
    Out << "position " << I + 1 << ": move " << Search.Col << ',' << Search.Row << ", " << Search.Nodes << " nodes\n";
  }
  const std::int64_t Total = Signature(*Searches);
  Out << "signature (total nodes): " << Total << '\n';
  Out << "time: " << static_cast<std::int64_t>(Elapsed.count() * 1000) << " ms\n";
  Out << "speed: " << static_cast<std::int64_t>(static_cast<double>(Total) / std::max(Elapsed.count(), 1e-9))
      << " nodes per second\n";
  return true;
}

}  // namespace quintar::brain
