// The mid-game position the click benchmarks start from, and the cell a
// player would click there.
#pragma once

#include <vector>

#include "Quintar.h"

namespace quintar {

// The computer plays both sides of a default board from a fixed seed, so
// every run starts from the same position: the first Marks moves.
std::vector<vcl::TPoint> MidgameMoves(int Marks);
// The first empty cell from the centre outwards.
vcl::TPoint EmptyCellNearTheCentre(const TQuintar& Control);

}  // namespace quintar
