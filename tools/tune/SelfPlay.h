// Self-play games that give the fit its positions: the expert against itself
// at a small fixed number of positions per move, from random openings on
// several board sizes. A game's positions keep its result, seen from the side
// to move. Everything follows from the seed, so a run can be repeated.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "PositionFeatures.h"

namespace quintar::tune {

struct TSelfPlaySettings {
  int Games = 0;
  std::int64_t NodesPerMove = 0;
  std::uint64_t Seed = 0;
  std::vector<int> BoardSides;  // each game is played on one of these, square
};

// One quiet position of a game, counted, and how the game ended for the side
// to move: 1 won, 0 lost, 0.5 drawn.
struct TSample {
  TPositionFeatures Features;
  double Result = 0.5;
  int Game = 0;
};

// Told after each game with the number of games played so far.
using TGameObserver = std::function<void(int)>;

std::vector<TSample> PlaySelfPlay(const TSelfPlaySettings& Settings, const TGameObserver& OnGame = {});

}  // namespace quintar::tune
