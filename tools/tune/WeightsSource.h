// The evaluation's weights as the C++ header the expert compiles in
// (opponent/expert/TunedWeights.h), and read back from one. The header names
// the command that wrote it, so that anyone can make it again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "EvaluationWeights.h"

namespace quintar::tune {

std::string WeightsSource(const expert::TEvaluationWeights& Weights, std::string_view Command);

// What a source written by WeightsSource holds: its weights and the command
// it names.
struct TWeightsSource {
  expert::TEvaluationWeights Weights;
  std::string Command;
};

// Nothing when Text is not such a source: a field missing, a number of the
// wrong count or not a whole number, or anything else out of place.
std::optional<TWeightsSource> ReadWeightsSource(std::string_view Text);

}  // namespace quintar::tune
