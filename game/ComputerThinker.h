// Thinks out a computer move on a copy of the board, so that a host can do
// it away from its user interface thread while the game goes on; the
// session answers hints with one too. Choices among equally good cells draw
// from a generator of the thinker's own, never the process-wide one the
// control's computer moves use, seeded afresh for every thinker so that one
// game does not repeat another.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>

#include "MoveChooser.h"
#include "ThinkRequest.h"
#include "Types.h"

namespace quintar::game {

class TComputerThinker {
 public:
  // Seeded from FreshSeed(). MakeExpert makes the expert when it first
  // thinks (NoExpertHere: the expert finds no move here).
  explicit TComputerThinker(TExpertMaker MakeExpert = MakeExpertSearch);
  explicit TComputerThinker(std::uint64_t Seed, TExpertMaker MakeExpert = MakeExpertSearch);
  ~TComputerThinker();
  TComputerThinker(const TComputerThinker&) = delete;
  TComputerThinker& operator=(const TComputerThinker&) = delete;

  // The cell the computer chooses for Turn's side at Turn's level; nothing
  // when no cell is empty. The expert thinks within its default budget;
  // another thread may set Stop to cut that short, and the answer is then
  // the best found so far.
  std::optional<vcl::TPoint> Think(const TThinkRequest& Turn, const std::atomic<bool>* Stop = nullptr);
  // The expert's cell for Turn's side, whatever Turn's level: what a program
  // that holds only the expert thinks with (the web page's expert module).
  std::optional<vcl::TPoint> ThinkAsExpert(const TThinkRequest& Turn, const std::atomic<bool>* Stop = nullptr);

  // What the expert finds in Turn's position for the side to move, within
  // Budget: OnReport (if given) hears the first report at once, then, while
  // the search deepens, each deeper report and the positions visited in
  // between, at most one every ReportMilliseconds; the last report is
  // returned.
  TAnalysis Analyse(const TThinkRequest& Turn, const TSearchBudget& Budget,
                    const std::function<void(const TAnalysis&)>& OnReport = {});
  static constexpr int ReportMilliseconds = 100;

  // Starts the choices among equally good cells again from Seed, so that the
  // same moves get the same answers.
  void Seed(std::uint64_t Seed);

 private:
  std::minstd_rand FRandom;
  TMoveChooser FChooser;
};

}  // namespace quintar::game
