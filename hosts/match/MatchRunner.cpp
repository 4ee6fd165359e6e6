#include "MatchRunner.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "Mixing.h"
#include "Openings.h"
#include "Players.h"

namespace quintar::match {
namespace {

std::uint64_t GameSeed(std::uint64_t MatchSeed, int Number) {
  return Mixed(MatchSeed ^ Mixed(static_cast<std::uint64_t>(Number)));
}

// Even games give the first level crosses, odd ones noughts, on the opening
// they share.
TGameRecord PlayNumbered(const TMatchSettings& Settings, int Number, TPlayer& First, TPlayer& Second) {
  const std::vector<TCell> Opening = RandomOpening(Settings.Seed, Number / 2, Settings.ColCount, Settings.RowCount);
  const bool FirstPlaysCrosses = Number % 2 == 0;
  const std::uint64_t Seed = GameSeed(Settings.Seed, Number);
  First.NewGame(Seed, Settings.ColCount, Settings.RowCount);
  Second.NewGame(~Seed, Settings.ColCount, Settings.RowCount);
  TGameRecord Game = FirstPlaysCrosses ? PlayGame(Opening, Settings.ColCount, Settings.RowCount, First, Second)
                                       : PlayGame(Opening, Settings.ColCount, Settings.RowCount, Second, First);
  Game.Number = Number;
  Game.FirstPlaysCrosses = FirstPlaysCrosses;
  return Game;
}

}  // namespace

std::vector<TGameRecord> RunMatch(const TMatchSettings& Settings, const TGameFinished& Finished,
                                  const std::atomic<bool>* Stop) {
  std::vector<TGameRecord> Games(Settings.Games);
  std::atomic<int> NextGame = 0;
  std::mutex Reporting;
  const auto Work = [&] {
    const auto First = MakePlayer(Settings.First, Settings.ExpertBudget, Settings.BrainTime);
    const auto Second = MakePlayer(Settings.Second, Settings.ExpertBudget, Settings.BrainTime);
    const auto Stopped = [Stop] { return Stop != nullptr && Stop->load(); };
    for (int Number = NextGame++; Number < Settings.Games && !Stopped(); Number = NextGame++) {
      TGameRecord Game = PlayNumbered(Settings, Number, *First, *Second);
      const std::lock_guard<std::mutex> Lock(Reporting);
      Games[Number] = std::move(Game);
      if (Finished) Finished(Games[Number]);
    }
  };
  std::vector<std::thread> Helpers;
  for (int Job = 1; Job < Settings.Jobs; ++Job) Helpers.emplace_back(Work);
  Work();
  for (std::thread& Helper : Helpers) Helper.join();
  return Games;
}

}  // namespace quintar::match
