#include "Players.h"

#include <random>

#include "MoveChooser.h"

namespace quintar::match {
namespace {

class TLevelPlayer : public TPlayer {
 public:
  TLevelPlayer(TLevel Level, const TSearchBudget& ExpertBudget) : FLevel(Level), FExpertBudget(ExpertBudget) {}

  void NewGame(std::uint64_t Seed) override {
    FRandom.seed(Seed);
    FChooser.SeedExpert(Seed);
  }

  std::optional<TCell> Choose(const TMatchBoard& Board) override {
    // Non-negative draws, as the control's generator gives.
    const TRandomDraw Draw = [this] { return static_cast<int>(FRandom() >> 1); };
    const std::optional<TChosenCell> Cell = FChooser.Choose(Board.View(), Board.Turn(), FLevel, Draw, FExpertBudget);
    if (!Cell) return std::nullopt;
    return TCell{Cell->Col, Cell->Row};
  }

 private:
  TLevel FLevel;
  TSearchBudget FExpertBudget;
  TMoveChooser FChooser;
  std::mt19937 FRandom;
};

}  // namespace

std::unique_ptr<TPlayer> MakePlayer(TLevel Level, const TSearchBudget& ExpertBudget) {
  return std::make_unique<TLevelPlayer>(Level, ExpertBudget);
}

}  // namespace quintar::match
