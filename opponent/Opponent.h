// The computer opponent: values every empty cell for both sides with the
// pattern table and picks the cell to play. It works on any position given as
// a board view, so the control, the tournament brain and the tests share it.
#pragma once

#include <cstdint>
#include <functional>

#include "Patterns.h"

namespace quintar {

// How the four line scores of a cell are combined, and (at stLow) how many
// cells the random draw may choose from.
enum TStrength : std::uint8_t { stLow, stMedium, stHigh };

// One valued empty cell. Score -1 marks the end of a list.
struct TCandidate {
  std::int32_t Score;
  std::int32_t Col;
  std::int32_t Row;
};

// Every board, whatever shows it, is 5 to 50 cells a side: five in a row
// must fit, and the largest fits the fixed arrays below.
inline constexpr int MinBoardSide = 5;
inline constexpr int MaxBoardSide = 50;
// One entry per cell of the largest board plus room for the end marker.
inline constexpr int CandidateCapacity = MaxBoardSide * MaxBoardSide + 1;

// A read-only view of a board: Cells[col][row] holds 0 (empty), 1 (cross) or
// -1 (nought); only ColCount x RowCount of it is in play.
struct TBoardView {
  const int (*Cells)[MaxBoardSide];
  int ColCount;
  int RowCount;
};

// The process-wide generator's next non-negative value; the control passes
// std::rand, tests pass a scripted sequence.
using TRandomDraw = std::function<int()>;

// What one selection decided. When Found is false the board had no empty cell:
// nothing was drawn from the generator and the lists hold nothing meaningful.
// Otherwise entries 0 .. CrossEligible-1 of the cross list (and likewise for
// noughts) are the cells the draw could pick, best value first, equal values in
// scan order; CrossDraw and NoughtDraw are the drawn indices into them.
struct TSelection {
  bool Found = false;
  int CrossEligible = 0;
  int NoughtEligible = 0;
  int CrossDraw = 0;
  int NoughtDraw = 0;
  int Col = 0;
  int Row = 0;
};

// Chooses the move for the side Turn (1 crosses, -1 noughts). Patterns is the
// 55-row table; CrossList and NoughtList have CandidateCapacity entries and are
// used as working space. Draws exactly twice (crosses' index first) when an
// empty cell exists, never otherwise. Allocates nothing.
TSelection SelectMove(const TBoardView& Board, int Turn, TStrength Strength, const TPattern* Patterns,
                      TCandidate* CrossList, TCandidate* NoughtList, const TRandomDraw& Draw);

}  // namespace quintar
