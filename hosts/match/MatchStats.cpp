#include "MatchStats.h"

#include <algorithm>
#include <cmath>

namespace quintar::match {

double TTally::Score() const { return Games() == 0 ? 0.5 : Points() / Games(); }

void Add(TTally& Tally, const TGameRecord& Game) {
  const int Result = FirstLevelResult(Game);
  Tally.Wins += Result > 0;
  Tally.Losses += Result < 0;
  Tally.Draws += Result == 0;
  Tally.Forfeits += Game.Forfeit;
  if (Game.Forfeit) ++Tally.Faults[static_cast<int>(Game.Fault)];
}

TTally TallyWith(const std::vector<TGameRecord>& Games, bool Crosses) {
  TTally Tally;
  for (const TGameRecord& Game : Games)
    if (Game.FirstPlaysCrosses == Crosses) Add(Tally, Game);
  return Tally;
}

std::optional<double> EloOf(double Score) {
  if (Score <= 0.0 || Score >= 1.0) return std::nullopt;
  return -400.0 * std::log10(1.0 / Score - 1.0);
}

TInterval ScoreInterval(double Score, int Games) {
  if (Games <= 0) return {0.0, 1.0};
  constexpr double Z = 1.959964;
  const double N = Games;
  const double Spread = 1.0 + Z * Z / N;
  const double Centre = (Score + Z * Z / (2 * N)) / Spread;
  const double Half = Z * std::sqrt(Score * (1 - Score) / N + Z * Z / (4 * N * N)) / Spread;
  return {std::max(0.0, Centre - Half), std::min(1.0, Centre + Half)};
}

TMoveTimes MoveTimes(const std::vector<TGameRecord>& Games, bool First, bool Cpu) {
  std::vector<double> Times;
  for (const TGameRecord& Game : Games) {
    for (std::size_t I = Game.OpeningLength; I < Game.Moves.size(); ++I) {
      const bool ByCrosses = I % 2 == 0;
      const TRecordedMove& Move = Game.Moves[I];
      if ((ByCrosses == Game.FirstPlaysCrosses) == First)
        Times.push_back(Cpu ? Move.CpuMilliseconds : Move.Milliseconds);
    }
  }
  TMoveTimes Result;
  Result.Moves = static_cast<int>(Times.size());
  if (Times.empty()) return Result;
  std::sort(Times.begin(), Times.end());
  const std::size_t Middle = Times.size() / 2;
  Result.MedianMilliseconds = Times.size() % 2 == 1 ? Times[Middle] : (Times[Middle - 1] + Times[Middle]) / 2;
  Result.MaxMilliseconds = Times.back();
  return Result;
}

}  // namespace quintar::match
