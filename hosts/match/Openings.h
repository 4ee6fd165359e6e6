// The openings a match starts its games from: two to six marks, crosses
// first and turns alternating, scattered around the centre of the board, and
// none giving either side three marks in a window of five with none of the
// other side's (a four to be made at once).
#pragma once

#include <cstdint>
#include <vector>

namespace quintar::match {

struct TCell {
  int Col;
  int Row;
};

// The same seed, board and number always give the same opening.
std::vector<TCell> RandomOpening(std::uint64_t Seed, int Number, int ColCount, int RowCount);

// Whether some side has three marks in five cells of a line with none of the
// other side's: one move from a four.
bool OneSideCloseToFour(const std::vector<TCell>& Marks, int ColCount, int RowCount);

}  // namespace quintar::match
