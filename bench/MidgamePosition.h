// The mid-game position the click benchmarks start from, the cell a player
// would click there, and a crowded board for the repaint benchmarks.
#pragma once

#include <vector>

#include "Quintar.h"

namespace quintar {

// The computer plays both sides of a default board from a fixed seed, so
// every run starts from the same position: the first Marks moves.
std::vector<vcl::TPoint> MidgameMoves(int Marks);
// The first empty cell from the centre outwards.
vcl::TPoint EmptyCellNearTheCentre(const TQuintar& Control);

// Marks on a Side x Side board laid out so that no line holds five of one
// side, crosses and noughts in turn (the cell (c, r) takes a cross when
// (c + 2r) mod 4 < 2): the first Marks moves, about a quarter of the board
// at most.
std::vector<vcl::TPoint> CrowdedMoves(int Side, int Marks);

}  // namespace quintar
