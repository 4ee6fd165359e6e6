// Plays a match between two contenders (levels or outside brains): Games
// games from Games / 2 random openings, each opening once with the first on
// crosses and once with the colours swapped, on one or more threads with
// players of their own. Every game's opening and seeds follow from the match
// seed and the game's number alone, so a match between levels repeats
// whatever the number of threads (outside brains draw their own seeds).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "Contender.h"
#include "Expert.h"
#include "MatchGame.h"
#include "Players.h"

namespace quintar::match {

struct TMatchSettings {
  TContender First = TLevel::Expert;
  TContender Second = TLevel::High;
  int Games = 100;  // even
  int ColCount = 20;
  int RowCount = 20;
  std::uint64_t Seed = 0;
  int Jobs = 1;
  TSearchBudget ExpertBudget = DefaultExpertBudget();
  TTimeControl BrainTime;  // for outside brains
};

// Called once per finished game, from the thread that played it but never
// from two threads at once.
using TGameFinished = std::function<void(const TGameRecord&)>;

// The games in order of their numbers. Once Stop (if given) is raised no
// game is begun; those in progress are played out, and those never begun
// are left Going.
std::vector<TGameRecord> RunMatch(const TMatchSettings& Settings, const TGameFinished& Finished,
                                  const std::atomic<bool>* Stop = nullptr);

}  // namespace quintar::match
