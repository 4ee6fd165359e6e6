// A game as a .psq record, the form tournament managers save games in, written
// by the game's own record writer so that the game opens what a match saved:
// a header line with the board size, one line per move with 1-based column,
// row and the milliseconds it took, crosses first, and -1 at the end.
#pragma once

#include <ostream>
#include <string>

#include "Contender.h"
#include "MatchGame.h"

namespace quintar::match {

// First and Second are the match's contenders; the record names them after the
// moves, crosses first, since the colours swap from game to game.
void WritePsq(std::ostream& Out, const TGameRecord& Game, const TContender& First, const TContender& Second);
// Writes the game to Folder/game-NNNN.psq (numbered from 1); false with the
// reason when the file cannot be written.
bool SavePsq(const std::string& Folder, const TGameRecord& Game, const TContender& First, const TContender& Second,
             std::string& Error);

}  // namespace quintar::match
