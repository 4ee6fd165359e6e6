// Boards that play never reaches, for the drawing benchmarks and tests: every
// cell of the board in play holding the same mark.
#pragma once

#include "Quintar.h"

namespace quintar {

// Puts Mark (1 cross, -1 nought, 0 empty) on every cell of the board in play
// without playing: no event, no check, no drawing, the turn unchanged.
void FillBoard(TQuintar& Control, int Mark);

}  // namespace quintar
