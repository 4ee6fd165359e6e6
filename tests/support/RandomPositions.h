// Seeded random positions and pattern tables for comparing the two opponents
// and for benchmarks: every board size and shape, sparse and crowded boards,
// scattered and clustered marks, lines of four or open threes waiting for
// either side, and tables other than the standard one.
#pragma once

#include <array>
#include <random>

#include "Opponent.h"
#include "TestBoard.h"

namespace quintar {

using TRandom = std::mt19937;
using TPatternTable = std::array<TPattern, PatternCount>;

struct TRandomPosition {
  TTestBoard Board;
  int Turn;
  TStrength Strength;
};

// Side lengths between MinSide and MaxSide; square about a third of the time.
TRandomPosition RandomPosition(TRandom& Random, int MinSide, int MaxSide);

// A ColCount x RowCount board with about MarkCount marks of alternating sides,
// crosses first, each placed near an earlier one as in a game and never
// completing five, the first in the centre.
TTestBoard PlayedLookingBoard(TRandom& Random, int ColCount, int RowCount, int MarkCount);

// A ColCount x RowCount board with exactly MarkCount marks (at most the
// board's cells) on cells drawn at random, crosses and noughts in turn.
TTestBoard ScatteredBoard(TRandom& Random, int ColCount, int RowCount, int MarkCount);

// Rows of any window of up to eight cells within four of the candidate, cells 0 or 1 (now and
// then a 1 on the candidate itself, or no own mark at all), scores in no
// particular order.
TPatternTable RandomPatternTable(TRandom& Random);

}  // namespace quintar
