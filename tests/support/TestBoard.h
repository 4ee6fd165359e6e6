// Positions and draw sources for exercising the opponent: a board the tests
// set up freely, a generator that replays chosen values, and one call of a
// selection with everything it leaves behind collected for comparison.
#pragma once

#include <array>
#include <ostream>
#include <vector>

#include "Opponent.h"

namespace quintar {

// Both implementations of the move choice share this signature.
using TSelectMoveFunction = TSelection (*)(const TBoardView&, int, TStrength, const TPattern*, TCandidate*, TCandidate*,
                                           const TRandomDraw&);

class TTestBoard {
 public:
  TTestBoard(int ColCount, int RowCount);

  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  int At(int Col, int Row) const { return FCells[Col][Row]; }
  void Put(int Col, int Row, int Mark) { FCells[Col][Row] = Mark; }
  // Covers the board with marks that never put three of a side in a row
  // along any line, so that no pattern can match around a cell left empty
  // away from other empty cells.
  void FillWithoutThrees();
  int EmptyCount() const;
  TBoardView View() const { return {FCells, FColCount, FRowCount}; }

 private:
  int FCells[MaxBoardSide][MaxBoardSide] = {};
  int FColCount;
  int FRowCount;
};

// Replays Values in order as the generator's output and counts the calls; a
// call beyond the script fails the test by throwing.
class TScriptedDraw {
 public:
  explicit TScriptedDraw(std::vector<int> Values) : FValues(std::move(Values)) {}
  // The returned source refers to this object, which must outlive it.
  TRandomDraw Source();
  int Calls() const { return FCalls; }

 private:
  std::vector<int> FValues;
  int FCalls = 0;
};

// One selection's observable outcome: the decision, the eligible entries of
// both lists and how often the generator was drawn.
struct TSelectionOutcome {
  TSelection Selection;
  std::vector<TCandidate> CrossEligible;
  std::vector<TCandidate> NoughtEligible;
  int DrawCalls = 0;
};

TSelectionOutcome RunSelection(TSelectMoveFunction SelectMove, const TTestBoard& Board, int Turn, TStrength Strength,
                               const TPattern* Patterns, std::vector<int> Draws);

// The standard pattern table, filled once.
const TPattern* StandardPatterns();

bool operator==(const TCandidate& Left, const TCandidate& Right);
std::ostream& operator<<(std::ostream& Out, const TCandidate& Candidate);

}  // namespace quintar
