// The two sides of a match game, each a level of play: the control's choice
// at one of its three strengths, drawing from its own generator seeded for
// each game, or the expert search under a budget.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "Expert.h"
#include "Level.h"
#include "MatchBoard.h"
#include "Openings.h"

namespace quintar::match {

class TPlayer {
 public:
  virtual ~TPlayer() = default;
  // Every game starts with a seed of its own, so that a game repeats
  // whichever thread plays it.
  virtual void NewGame(std::uint64_t Seed) = 0;
  // The cell for the side to move; nothing when the player finds none.
  virtual std::optional<TCell> Choose(const TMatchBoard& Board) = 0;
};

// A player of Level; ExpertBudget is what the expert may spend on a move.
std::unique_ptr<TPlayer> MakePlayer(TLevel Level, const TSearchBudget& ExpertBudget);

}  // namespace quintar::match
