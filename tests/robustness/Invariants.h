// A consistency check of a control's whole state, for tests and fuzzers to
// call after every step: it trusts nothing the control says about its board
// and scans the board itself.
#pragma once

#include <string>

#include "Quintar.h"

namespace quintar::testing {

// True when a run of five equal marks lies anywhere on the board in play.
bool BoardHasFive(const TQuintar& Control);
bool BoardIsFull(const TQuintar& Control);

// The first broken rule, described; empty when the state is consistent:
//  - every cell in play is 0, 1 or -1, and the crosses lead the noughts by
//    one mark exactly when noughts are to move;
//  - the turn is 1 or -1; the last move is a mark on the board, or no cell;
//  - a five on the board means the game is over, and a recorded win is five
//    equal marks in a line on the board; a game over without a win is a full
//    board;
//  - the surface has the control's size.
std::string InvariantViolation(const TQuintar& Control);

}  // namespace quintar::testing
