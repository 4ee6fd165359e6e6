#include "Players.h"

#include <random>

#include "BrainPlayer.h"
#include "MoveChooser.h"

namespace quintar::match {
namespace {

class TLevelPlayer : public TPlayer {
 public:
  TLevelPlayer(TLevel Level, const TSearchBudget& ExpertBudget) : FLevel(Level), FExpertBudget(ExpertBudget) {}

  void NewGame(std::uint64_t Seed, int, int) override {
    FRandom.seed(Seed);
    FChooser.SeedExpert(Seed);
  }

  TAnswer Choose(const TMatchBoard& Board) override {
    // Non-negative draws, as the control's generator gives.
    const TRandomDraw Draw = [this] { return static_cast<int>(FRandom() >> 1); };
    const std::optional<TChosenCell> Cell = FChooser.Choose(Board.View(), Board.Turn(), FLevel, Draw, FExpertBudget);
    if (!Cell) return {std::nullopt, TFault::NoMove, "found no cell to play"};
    return {TCell{Cell->Col, Cell->Row}, TFault::None, ""};
  }

 private:
  TLevel FLevel;
  TSearchBudget FExpertBudget;
  TMoveChooser FChooser;
  std::mt19937 FRandom;
};

}  // namespace

std::string_view FaultName(TFault Fault) {
  switch (Fault) {
    case TFault::None: return "";
    case TFault::NoMove: return "no move";
    case TFault::Illegal: return "illegal move";
    case TFault::Crashed: return "crash";
    case TFault::TimedOut: return "time-out";
    case TFault::Nonsense: return "nonsense";
  }
  return "";
}

std::unique_ptr<TPlayer> MakePlayer(const TContender& Contender, const TSearchBudget& ExpertBudget,
                                    const TTimeControl& Time) {
  if (Contender.IsBrain()) return std::make_unique<TBrainPlayer>(CommandWords(Contender.BrainCommand), Time);
  return std::make_unique<TLevelPlayer>(Contender.Level, ExpertBudget);
}

}  // namespace quintar::match
