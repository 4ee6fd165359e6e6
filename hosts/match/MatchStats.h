// What a match's games add up to: wins, losses and draws of the first level,
// with either colour and both, its score, the Elo difference that score means and a 95 % interval for it,
// and how long each level took over its moves.
#pragma once

#include <optional>
#include <vector>

#include "MatchGame.h"

namespace quintar::match {

struct TTally {
  int Wins = 0;
  int Losses = 0;
  int Draws = 0;
  int Forfeits = 0;             // games lost by a fault, by either side
  int Faults[FaultCount] = {};  // those games by the fault (TFault as the index)
  int Games() const { return Wins + Losses + Draws; }
  // The first level's points: a win 1, a draw one half.
  double Points() const { return Wins + 0.5 * Draws; }
  // Points over games, 0.5 before any game.
  double Score() const;
};

void Add(TTally& Tally, const TGameRecord& Game);

// The first level's tally over the games in which it had crosses (Crosses),
// which move first, or noughts: a level can be strong with one and weak with
// the other, which the whole match's score hides.
TTally TallyWith(const std::vector<TGameRecord>& Games, bool Crosses);

// The Elo difference a score means; nothing for a score of 0 or 1, where it
// has no finite value.
std::optional<double> EloOf(double Score);

// The Wilson score interval at 95 % for the score over Games games.
struct TInterval {
  double Low;
  double High;
};
TInterval ScoreInterval(double Score, int Games);

struct TMoveTimes {
  int Moves = 0;
  double MedianMilliseconds = 0;
  double MaxMilliseconds = 0;
};

// How long the first level (First true) or the second took over each of its
// moves in Games, the openings left out: by the clock on the wall, or (Cpu)
// by what the thread itself spent.
TMoveTimes MoveTimes(const std::vector<TGameRecord>& Games, bool First, bool Cpu = false);

}  // namespace quintar::match
