#include "ComputerThinker.h"

namespace quintar::game {

TComputerThinker::TComputerThinker(std::uint64_t Seed)
    : FRandom(static_cast<std::uint32_t>(Seed ^ Seed >> 32)), FChooser(Seed) {}

TComputerThinker::~TComputerThinker() = default;

std::optional<vcl::TPoint> TComputerThinker::Think(const TThinkRequest& Turn, const std::atomic<bool>* Stop) {
  TSearchBudget Budget = DefaultExpertBudget();
  Budget.Stop = Stop;
  const std::optional<TChosenCell> Cell = FChooser.Choose(
      Turn.Board.View(), Turn.Side, Turn.Level, [this] { return static_cast<int>(FRandom()); }, Budget);
  if (!Cell) return std::nullopt;
  return vcl::TPoint{Cell->Col, Cell->Row};
}

}  // namespace quintar::game
