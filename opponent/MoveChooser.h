// The one place a level turns into a move: the control's three strengths
// through its own selection, the expert through its search. The game's
// thinker, the tournament brain and the match runner each hold one and differ
// only in where their random draws come from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "Expert.h"
#include "Level.h"
#include "Opponent.h"
#include "Patterns.h"

namespace quintar {

struct TChosenCell {
  int Col;
  int Row;
  friend bool operator==(const TChosenCell&, const TChosenCell&) = default;
};

class TMoveChooser {
 public:
  // ExpertSeed decides among moves the expert finds equally good; MakeExpert
  // makes the expert when it first plays (NoExpertHere: the expert level
  // finds no move, and its analysis is empty).
  explicit TMoveChooser(std::uint64_t ExpertSeed = 0, TExpertMaker MakeExpert = MakeExpertSearch);
  ~TMoveChooser();
  TMoveChooser(const TMoveChooser&) = delete;
  TMoveChooser& operator=(const TMoveChooser&) = delete;

  // A new seed for the expert, so that a game repeats whatever was played
  // before it.
  void SeedExpert(std::uint64_t Seed);
  // The memory the expert's tables may take, in bytes; 0 for their usual
  // size. Call it between moves.
  void LimitExpertMemory(std::size_t Bytes);
  // What the expert does about the opponent's wins by threats; off until set.
  void SetExpertThreatDefence(const TThreatDefence& Defence);

  // The cell for side Turn (1 crosses, -1 noughts) at Level; nothing when no
  // cell is empty. The three strengths draw twice from Draw (which must give
  // non-negative values) and ignore ExpertBudget; the expert never draws and
  // spends at most ExpertBudget, Stop included.
  std::optional<TChosenCell> Choose(const TBoardView& Board, int Turn, TLevel Level, const TRandomDraw& Draw,
                                    const TSearchBudget& ExpertBudget);
  // The expert's cell, as Choose at the expert level; a program that only
  // ever thinks as the expert calls this, and so leaves the strengths out.
  std::optional<TChosenCell> ChooseAsExpert(const TBoardView& Board, int Turn, const TSearchBudget& Budget);
  // What the expert finds for side Turn on Board, as TExpertSearch::Analyse
  // reports it.
  TAnalysis Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget,
                    const TAnalysisObserver* OnDepth = nullptr);

 private:
  std::uint64_t FExpertSeed;
  TExpertMaker FMakeExpert;
  std::size_t FExpertMemory = 0;
  TThreatDefence FExpertDefence;
  std::unique_ptr<TPattern[]> FPatterns;
  std::unique_ptr<TCandidate[]> FCrossList;
  std::unique_ptr<TCandidate[]> FNoughtList;
  // Its tables are large, so it is made when the expert first plays.
  std::unique_ptr<TExpertPlayer> FExpert;
  // Null when there is no expert here.
  TExpertPlayer* Expert();
};

}  // namespace quintar
