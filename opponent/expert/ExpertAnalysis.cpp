#include "ExpertAnalysis.h"

#include <algorithm>
#include <cstdlib>

#include "TranspositionTable.h"

namespace quintar {
namespace {

// A score this far from even shows as half way to sure. An unanswerable
// four-three, nearly always a win though not a proven one, scores several
// times more and shows near the end of the scale.
constexpr int HalfwayScore = 10000;

TStanding StandingOf(int Magnitude) {
  if (Magnitude < 15) return sdEven;
  if (Magnitude < 40) return sdAhead;
  if (Magnitude < 75) return sdWellAhead;
  return sdWinning;
}

}  // namespace

TAdvantage AdvantageOf(int Score) {
  if (Score >= expert::DecidedScore) return {100, sdWinning};
  if (Score <= -expert::DecidedScore) return {-100, sdWinning};
  const std::int64_t Magnitude = std::abs(Score);
  const int Value = static_cast<int>(MostUnproven * Magnitude / (Magnitude + HalfwayScore));
  return {Score < 0 ? -Value : Value, StandingOf(Value)};
}

}  // namespace quintar
