// The expert's bench: every bench position searched to a fixed number of
// positions with no time limit. The total of positions visited is the
// search's signature: it stays the same from run to run and build to build,
// and changes exactly when the search behaves differently.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <vector>

namespace quintar::brain {

inline constexpr std::int64_t BenchNodesPerPosition = 25000;

struct TBenchSearch {
  int Col;
  int Row;
  std::int64_t Nodes;
};

// One search per bench position, in order, by one expert; nothing when a
// bench position does not set up.
std::optional<std::vector<TBenchSearch>> SearchBenchPositions();
std::int64_t Signature(const std::vector<TBenchSearch>& Searches);

// Searches the bench positions and prints each one's move and positions
// visited, then the signature and the speed; false, with a line on Error,
// when a bench position does not set up.
bool RunBench(std::ostream& Out, std::ostream& Error);

}  // namespace quintar::brain
