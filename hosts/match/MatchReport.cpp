#include "MatchReport.h"

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace quintar::match {
namespace {

std::string Name(const TContender& Contender) { return ContenderName(Contender); }

std::string BudgetText(const TSearchBudget& Budget) {
  const std::string Time = Budget.Milliseconds > 0 ? std::to_string(Budget.Milliseconds) + " ms" : "no time limit";
  const std::string Nodes = Budget.Nodes > 0 ? std::to_string(Budget.Nodes) + " positions" : "no position limit";
  return Time + ", " + Nodes;
}

bool HasExpert(const TMatchSettings& Settings) {
  return Settings.First == TLevel::Expert || Settings.Second == TLevel::Expert;
}

bool HasBrain(const TMatchSettings& Settings) { return Settings.First.IsBrain() || Settings.Second.IsBrain(); }

// An Elo difference, or which way it is infinite.
std::string EloText(double Score) {
  const std::optional<double> Elo = EloOf(Score);
  if (!Elo) return Score >= 1.0 ? "+inf" : "-inf";
  char Text[32];
  // Rounded first and added to zero, so that an even score reads +0, not -0.
  std::snprintf(Text, sizeof Text, "%+.0f", std::round(*Elo) + 0.0);
  return Text;
}

long PeakMegabytes() {
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  return Usage.ru_maxrss / 1024;
}

// An outside brain's processor time is its own process's, which the match
// does not see move by move: only the wall clock is shown for it.
void PrintTimes(std::FILE* Out, const TContender& Contender, const std::vector<TGameRecord>& Games, bool First) {
  const TMoveTimes Wall = MoveTimes(Games, First);
  std::fprintf(Out, "  %-7s %6d moves, median %7.2f ms, max %7.2f ms", Name(Contender).c_str(), Wall.Moves,
               Wall.MedianMilliseconds, Wall.MaxMilliseconds);
  if (!Contender.IsBrain()) {
    const TMoveTimes Cpu = MoveTimes(Games, First, true);
    std::fprintf(Out, " (its own processor time: median %7.2f ms, max %7.2f ms)", Cpu.MedianMilliseconds,
                 Cpu.MaxMilliseconds);
  }
  std::fprintf(Out, "\n");
}

// How many games were lost by faults, of which kind, and one line per game
// saying who lost it and why.
void PrintForfeits(std::FILE* Out, const TMatchSettings& Settings, const std::vector<TGameRecord>& Games,
                   const TTally& Tally) {
  if (Tally.Forfeits == 0) return;
  std::string Kinds;
  for (int Kind = 1; Kind < FaultCount; ++Kind) {
    if (Tally.Faults[Kind] == 0) continue;
    Kinds += (Kinds.empty() ? "" : ", ") + std::to_string(Tally.Faults[Kind]) + " " +
             std::string(FaultName(static_cast<TFault>(Kind)));
  }
  std::fprintf(Out, "forfeits: %d (%s)\n", Tally.Forfeits, Kinds.c_str());
  for (const TGameRecord& Game : Games) {
    if (!Game.Forfeit) continue;
    const bool FirstLost = FirstLevelResult(Game) < 0;
    const bool LoserHadCrosses = Game.Verdict == TVerdict::NoughtWon;
    std::fprintf(Out, "  game %d: %s (%s) lost by %s: %s\n", Game.Number + 1,
                 Name(FirstLost ? Settings.First : Settings.Second).c_str(), LoserHadCrosses ? "crosses" : "noughts",
                 std::string(FaultName(Game.Fault)).c_str(), Game.FaultReason.c_str());
  }
}

}  // namespace

void PrintHeader(std::FILE* Out, const TMatchSettings& Settings) {
  std::fprintf(Out, "%s vs %s: %d games on %dx%d, seed %llu, %d job%s", Name(Settings.First).c_str(),
               Name(Settings.Second).c_str(), Settings.Games, Settings.ColCount, Settings.RowCount,
               static_cast<unsigned long long>(Settings.Seed), Settings.Jobs, Settings.Jobs == 1 ? "" : "s");
  if (HasExpert(Settings)) std::fprintf(Out, ", expert budget %s", BudgetText(Settings.ExpertBudget).c_str());
  if (HasBrain(Settings)) {
    std::fprintf(Out, ", brain time %d ms a move", Settings.BrainTime.Turn);
    if (Settings.BrainTime.Match > 0) std::fprintf(Out, " and %d ms a game", Settings.BrainTime.Match);
    std::fprintf(Out, " (%d ms tolerance)", Settings.BrainTime.Tolerance);
  }
  std::fprintf(Out, "\n");
}

void PrintProgress(std::FILE* Out, const TMatchSettings& Settings, const TTally& Tally) {
  std::fprintf(Out, "\r%d/%d games  %s %d-%d-%d  score %.1f %%\033[K", Tally.Games(), Settings.Games,
               Name(Settings.First).c_str(), Tally.Wins, Tally.Losses, Tally.Draws, 100.0 * Tally.Score());
  std::fflush(Out);
}

void PrintResult(std::FILE* Out, const TMatchSettings& Settings, const std::vector<TGameRecord>& Games) {
  TTally Tally;
  for (const TGameRecord& Game : Games) Add(Tally, Game);
  const double Score = Tally.Score();
  const TInterval Interval = ScoreInterval(Score, Tally.Games());
  std::fprintf(Out, "%s: won %d, lost %d, drawn %d (W-L-D %d-%d-%d)\n", Name(Settings.First).c_str(), Tally.Wins,
               Tally.Losses, Tally.Draws, Tally.Wins, Tally.Losses, Tally.Draws);
  std::fprintf(Out, "score: %.1f %% (%.1f of %d), 95 %% interval %.1f %% .. %.1f %%\n", 100.0 * Score, Tally.Points(),
               Tally.Games(), 100.0 * Interval.Low, 100.0 * Interval.High);
  std::fprintf(Out, "Elo difference: %s (95 %%: %s .. %s)\n", EloText(Score).c_str(), EloText(Interval.Low).c_str(),
               EloText(Interval.High).c_str());
  for (const bool Crosses : {true, false}) {
    const TTally Side = TallyWith(Games, Crosses);
    if (Side.Games() == 0) {
      std::fprintf(Out, "  with %s: no games\n", Crosses ? "crosses" : "noughts");
      continue;
    }
    std::fprintf(Out, "  with %s: W-L-D %d-%d-%d, score %.1f %%\n", Crosses ? "crosses" : "noughts", Side.Wins,
                 Side.Losses, Side.Draws, 100.0 * Side.Score());
  }
  PrintForfeits(Out, Settings, Games, Tally);
  std::fprintf(Out, "time per move:\n");
  PrintTimes(Out, Settings.First, Games, true);
  PrintTimes(Out, Settings.Second, Games, false);
  std::fprintf(Out, "peak memory: %ld MB\n", PeakMegabytes());
}

}  // namespace quintar::match
