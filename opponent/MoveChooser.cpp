#include "MoveChooser.h"

namespace quintar {

TMoveChooser::TMoveChooser(std::uint64_t ExpertSeed, TExpertMaker MakeExpert)
    : FExpertSeed(ExpertSeed),
      FMakeExpert(MakeExpert),
      FPatterns(std::make_unique<TPattern[]>(PatternCount)),
      FCrossList(std::make_unique<TCandidate[]>(CandidateCapacity)),
      FNoughtList(std::make_unique<TCandidate[]>(CandidateCapacity)) {
  FillPatternTable(FPatterns.get());
}

TMoveChooser::~TMoveChooser() = default;

void TMoveChooser::SeedExpert(std::uint64_t Seed) {
  FExpertSeed = Seed;
  if (FExpert) FExpert->Seed(Seed);
}

void TMoveChooser::SetExpertThreatDefence(const TThreatDefence& Defence) {
  FExpertDefence = Defence;
  if (FExpert) FExpert->SetThreatDefence(Defence);
}

void TMoveChooser::LimitExpertMemory(std::size_t Bytes) {
  FExpertMemory = Bytes;
  if (FExpert) FExpert->LimitMemory(Bytes);
}

std::optional<TChosenCell> TMoveChooser::Choose(const TBoardView& Board, int Turn, TLevel Level,
                                                const TRandomDraw& Draw, const TSearchBudget& ExpertBudget) {
  if (const std::optional<TStrength> Strength = ControlStrength(Level)) {
    const TSelection Choice =
        SelectMove(Board, Turn, *Strength, FPatterns.get(), FCrossList.get(), FNoughtList.get(), Draw);
    if (!Choice.Found) return std::nullopt;
    return TChosenCell{Choice.Col, Choice.Row};
  }
  return ChooseAsExpert(Board, Turn, ExpertBudget);
}

std::optional<TChosenCell> TMoveChooser::ChooseAsExpert(const TBoardView& Board, int Turn,
                                                        const TSearchBudget& Budget) {
  TExpertPlayer* Player = Expert();
  if (!Player) return std::nullopt;
  const TExpertChoice Choice = Player->Choose(Board, Turn, Budget);
  if (!Choice.Found) return std::nullopt;
  return TChosenCell{Choice.Col, Choice.Row};
}

TAnalysis TMoveChooser::Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget,
                                const TAnalysisObserver* OnDepth) {
  if (TExpertPlayer* Player = Expert()) return Player->Analyse(Board, Turn, Budget, OnDepth);
  TAnalysis Nothing;
  Nothing.Turn = Turn;
  return Nothing;
}

TExpertPlayer* TMoveChooser::Expert() {
  if (!FExpert && FMakeExpert) {
    FExpert = FMakeExpert(FExpertSeed);
    FExpert->LimitMemory(FExpertMemory);
    FExpert->SetThreatDefence(FExpertDefence);
  }
  return FExpert.get();
}

}  // namespace quintar
