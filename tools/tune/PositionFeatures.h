// What the expert's evaluation sees in a position, counted rather than
// weighed: how many lines of each pattern and cells of each threat every
// side has, and whether a four-three or two threes stand unanswered. The
// evaluation is a weighted sum of these counts, so a fit of the weights
// needs only them.
#pragma once

#include <array>
#include <cstdint>

#include "EvaluationWeights.h"
#include "ExpertBoard.h"

namespace quintar::tune {

// The counts for one side: of its lines through empty cells by pattern, and
// of empty cells by the threat a move there makes.
struct TSideCounts {
  std::array<std::int32_t, expert::LinePatternCount> Lines{};
  std::array<std::int32_t, expert::ThreatKinds> Threats{};
};

struct TPositionFeatures {
  TSideCounts Mover;  // the side to move
  TSideCounts Other;
  bool FourThree = false;    // the evaluation's four-three bonus applies
  bool DoubleThree = false;  // its double-three bonus applies instead
};

// The evaluation looks at positions where nothing is forced: the side to
// move has no five and no flexible four, and the other side threatens no
// five. The search settles every other position before it evaluates.
bool IsQuiet(const expert::TExpertBoard& Board, int Side);

TPositionFeatures FeaturesOf(const expert::TExpertBoard& Board, int Side);

// What the counts of one side add up to under Weights: the board's
// TotalValue for that side when the weights are the expert's.
std::int64_t SideValue(const TSideCounts& Counts, const expert::TEvaluationWeights& Weights);

}  // namespace quintar::tune
