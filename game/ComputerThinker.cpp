#include "ComputerThinker.h"

#include "FreshSeed.h"
#include "GameSession.h"

namespace quintar::game {
namespace {

std::uint32_t GeneratorSeed(std::uint64_t Seed) { return static_cast<std::uint32_t>(Seed ^ Seed >> 32); }

std::optional<vcl::TPoint> PointOf(const std::optional<TChosenCell>& Cell) {
  if (!Cell) return std::nullopt;
  return vcl::TPoint{Cell->Col, Cell->Row};
}

TSearchBudget ExpertBudget(const std::atomic<bool>* Stop) {
  TSearchBudget Budget = DefaultExpertBudget();
  Budget.Stop = Stop;
  return Budget;
}

}  // namespace

TComputerThinker::TComputerThinker(TExpertMaker MakeExpert) : TComputerThinker(FreshSeed(), MakeExpert) {}

TComputerThinker::TComputerThinker(std::uint64_t Seed, TExpertMaker MakeExpert)
    : FRandom(GeneratorSeed(Seed)), FChooser(Seed, MakeExpert) {}

TComputerThinker::~TComputerThinker() = default;

std::optional<vcl::TPoint> TComputerThinker::Think(const TThinkRequest& Turn, const std::atomic<bool>* Stop) {
  return PointOf(FChooser.Choose(
      Turn.Board.View(), Turn.Side, Turn.Level, [this] { return static_cast<int>(FRandom()); }, ExpertBudget(Stop)));
}

std::optional<vcl::TPoint> TComputerThinker::ThinkAsExpert(const TThinkRequest& Turn, const std::atomic<bool>* Stop) {
  return PointOf(FChooser.ChooseAsExpert(Turn.Board.View(), Turn.Side, ExpertBudget(Stop)));
}

// A report is passed on when it is the first, or enough time has gone since
// the last one passed on; the caller has the last in any case.
TAnalysis TComputerThinker::Analyse(const TThinkRequest& Turn, const TSearchBudget& Budget,
                                    const std::function<void(const TAnalysis&)>& OnReport) {
  std::optional<std::int64_t> LastTold;
  const TAnalysisObserver Throttled = [&](const TAnalysis& Report) {
    const std::int64_t Now = SteadyMilliseconds();
    if (LastTold && Now - *LastTold < ReportMilliseconds) return;
    LastTold = Now;
    OnReport(Report);
  };
  TSearchBudget Reporting = Budget;
  if (OnReport) Reporting.OnProgress = &Throttled;
  return FChooser.Analyse(Turn.Board.View(), Turn.Side, Reporting, OnReport ? &Throttled : nullptr);
}

void TComputerThinker::Seed(std::uint64_t Seed) {
  FRandom.seed(GeneratorSeed(Seed));
  FChooser.SeedExpert(Seed);
}

}  // namespace quintar::game
