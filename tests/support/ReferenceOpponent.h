// The move choice written as plainly as it can be: every pattern row judged
// on every line of every empty cell, an exchange sort of both lists, and the
// run, widening, draws and choice read off the sorted lists. It is slow and
// kept only as the oracle the fast opponent is compared with.
#pragma once

#include <cstdint>

#include "Opponent.h"

namespace quintar::reference {

// The lines through a cell, in the order they are examined.
enum TLine { lnHorizontal, lnVertical, lnDiagonal, lnAntiDiagonal, LineCount };

// What each line through one cell scores for each side: the score of the last
// pattern row that matches along it, 0 when none does.
struct TLineScores {
  std::int32_t Cross[LineCount] = {};
  std::int32_t Nought[LineCount] = {};
};

TLineScores ScoreLines(const TBoardView& Board, const TPattern* Patterns, int Col, int Row);

// The lists valued for both sides, sorted best first and measured: how many
// leading entries of each the draw may pick from. Found is false when the
// board has no empty cell.
struct TRanking {
  bool Found = false;
  int CrossEligible = 0;
  int NoughtEligible = 0;
};

TRanking RankCells(const TBoardView& Board, TStrength Strength, const TPattern* Patterns, TCandidate* CrossList,
                   TCandidate* NoughtList);

// Draws twice (crosses' index first) and picks the cell from ranked lists;
// draws nothing when nothing was found.
TSelection ChooseFromRanking(const TRanking& Ranking, int Turn, const TCandidate* CrossList,
                             const TCandidate* NoughtList, const TRandomDraw& Draw);

// Ranks, then chooses: the same contract as quintar::SelectMove.
TSelection SelectMove(const TBoardView& Board, int Turn, TStrength Strength, const TPattern* Patterns,
                      TCandidate* CrossList, TCandidate* NoughtList, const TRandomDraw& Draw);

}  // namespace quintar::reference
