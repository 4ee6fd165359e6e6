#include "Players.h"

#include <random>
#include <vector>

namespace quintar::match {
namespace {

class TControlStrengthPlayer : public TPlayer {
 public:
  explicit TControlStrengthPlayer(TStrength Strength)
      : FStrength(Strength), FPatterns(PatternCount), FCrossList(CandidateCapacity), FNoughtList(CandidateCapacity) {
    FillPatternTable(FPatterns.data());
  }

  void NewGame(std::uint64_t Seed) override { FRandom.seed(Seed); }

  std::optional<TCell> Choose(const TMatchBoard& Board) override {
    // Non-negative draws, as the control's generator gives.
    const TRandomDraw Draw = [this] { return static_cast<int>(FRandom() >> 1); };
    const TSelection Selection = SelectMove(Board.View(), Board.Turn(), FStrength, FPatterns.data(),
                                            FCrossList.data(), FNoughtList.data(), Draw);
    if (!Selection.Found) return std::nullopt;
    return TCell{Selection.Col, Selection.Row};
  }

 private:
  TStrength FStrength;
  std::vector<TPattern> FPatterns;
  std::vector<TCandidate> FCrossList;
  std::vector<TCandidate> FNoughtList;
  std::mt19937 FRandom;
};

class TExpertPlayer : public TPlayer {
 public:
  explicit TExpertPlayer(const TSearchBudget& Budget) : FBudget(Budget) {}

  void NewGame(std::uint64_t Seed) override { FSearch.Seed(Seed); }

  std::optional<TCell> Choose(const TMatchBoard& Board) override {
    const TExpertChoice Choice = FSearch.Choose(Board.View(), Board.Turn(), FBudget);
    if (!Choice.Found) return std::nullopt;
    return TCell{Choice.Col, Choice.Row};
  }

 private:
  TSearchBudget FBudget;
  TExpertSearch FSearch;
};

}  // namespace

std::unique_ptr<TPlayer> MakePlayer(TLevel Level, const TSearchBudget& ExpertBudget) {
  if (const std::optional<TStrength> Strength = ControlStrength(Level))
    return std::make_unique<TControlStrengthPlayer>(*Strength);
  return std::make_unique<TExpertPlayer>(ExpertBudget);
}

}  // namespace quintar::match
