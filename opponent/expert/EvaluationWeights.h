// The numbers the expert's evaluation weighs a position with. They are data:
// TunedWeights.h holds the ones the expert plays with, written by the tuning
// tool (tools/tune), which fits them to the results of self-play games.
#pragma once

#include <array>
#include <cstdint>

#include "ExpertBoard.h"

namespace quintar::expert {

struct TEvaluationWeights {
  // What a line pattern is worth to the side that can play it, for every
  // empty cell and each of its four lines.
  std::array<std::int32_t, LinePatternCount> LineValues;
  // What a cell's threat adds beyond its lines.
  std::array<std::int32_t, ThreatKinds> ThreatBonuses;
  // The side to move makes its threats first: what the cells offer it counts
  // at this many hundredths of what they offer the other side.
  std::int32_t MoverPercent;
  // A four-three or two threes the other side cannot answer with a four:
  // nearly always a win, though not a proven one.
  std::int32_t FourThreeBonus;
  std::int32_t DoubleThreeBonus;

  bool operator==(const TEvaluationWeights&) const = default;
};

}  // namespace quintar::expert
