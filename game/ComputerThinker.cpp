#include "ComputerThinker.h"

#include "FreshSeed.h"

namespace quintar::game {
namespace {

std::uint32_t GeneratorSeed(std::uint64_t Seed) { return static_cast<std::uint32_t>(Seed ^ Seed >> 32); }

}  // namespace

TComputerThinker::TComputerThinker() : TComputerThinker(FreshSeed()) {}

TComputerThinker::TComputerThinker(std::uint64_t Seed) : FRandom(GeneratorSeed(Seed)), FChooser(Seed) {}

TComputerThinker::~TComputerThinker() = default;

std::optional<vcl::TPoint> TComputerThinker::Think(const TThinkRequest& Turn, const std::atomic<bool>* Stop) {
  TSearchBudget Budget = DefaultExpertBudget();
  Budget.Stop = Stop;
  const std::optional<TChosenCell> Cell = FChooser.Choose(
      Turn.Board.View(), Turn.Side, Turn.Level, [this] { return static_cast<int>(FRandom()); }, Budget);
  if (!Cell) return std::nullopt;
  return vcl::TPoint{Cell->Col, Cell->Row};
}

void TComputerThinker::Seed(std::uint64_t Seed) {
  FRandom.seed(GeneratorSeed(Seed));
  FChooser.SeedExpert(Seed);
}

}  // namespace quintar::game
