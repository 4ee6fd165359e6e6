#include "game/ComputerThinker.h"

namespace quintar::game {

TComputerThinker::TComputerThinker(std::uint64_t Seed)
    : FRandom(static_cast<std::uint32_t>(Seed ^ Seed >> 32)),
      FPatterns(std::make_unique<TPattern[]>(PatternCount)),
      FCrossList(std::make_unique<TCandidate[]>(CandidateCapacity)),
      FNoughtList(std::make_unique<TCandidate[]>(CandidateCapacity)) {
  FillPatternTable(FPatterns.get());
}

TComputerThinker::~TComputerThinker() = default;

std::optional<vcl::TPoint> TComputerThinker::Think(const TComputerTurn& Turn, const std::atomic<bool>* Stop) {
  static_cast<void>(Stop);
  const std::optional<TStrength> Strength = SpecifiedStrength(Turn.Level);
  const TSelection Choice = SelectMove(Turn.Board.View(), Turn.Side, Strength.value_or(stHigh), FPatterns.get(),
                                       FCrossList.get(), FNoughtList.get(), [this] { return static_cast<int>(FRandom()); });
  if (!Choice.Found) return std::nullopt;
  return vcl::TPoint{Choice.Col, Choice.Row};
}

}  // namespace quintar::game
