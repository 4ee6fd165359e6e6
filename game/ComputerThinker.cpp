#include "ComputerThinker.h"

namespace quintar::game {

TComputerThinker::TComputerThinker(std::uint64_t Seed)
    : FSeed(Seed),
      FRandom(static_cast<std::uint32_t>(Seed ^ Seed >> 32)),
      FPatterns(std::make_unique<TPattern[]>(PatternCount)),
      FCrossList(std::make_unique<TCandidate[]>(CandidateCapacity)),
      FNoughtList(std::make_unique<TCandidate[]>(CandidateCapacity)) {
  FillPatternTable(FPatterns.get());
}

TComputerThinker::~TComputerThinker() = default;

std::optional<vcl::TPoint> TComputerThinker::Think(const TThinkRequest& Turn, const std::atomic<bool>* Stop) {
  if (const std::optional<TStrength> Strength = ControlStrength(Turn.Level)) {
    const TSelection Choice = SelectMove(Turn.Board.View(), Turn.Side, *Strength, FPatterns.get(), FCrossList.get(),
                                         FNoughtList.get(), [this] { return static_cast<int>(FRandom()); });
    if (!Choice.Found) return std::nullopt;
    return vcl::TPoint{Choice.Col, Choice.Row};
  }
  if (!FExpert) FExpert = std::make_unique<TExpertSearch>(FSeed);
  TSearchBudget Budget = DefaultExpertBudget();
  Budget.Stop = Stop;
  const TExpertChoice Choice = FExpert->Choose(Turn.Board.View(), Turn.Side, Budget);
  if (!Choice.Found) return std::nullopt;
  return vcl::TPoint{Choice.Col, Choice.Row};
}

}  // namespace quintar::game
