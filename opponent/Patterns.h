// The opponent's game knowledge: 55 scored patterns laid along a line through
// an empty candidate cell. A row matches when every cell of its window is on
// the board and holds what the row asks (1 = own mark, 0 = empty); along one
// line the last matching row in table order gives the line its score.
#pragma once

#include <cstdint>

namespace quintar {

struct TPattern {
  std::int32_t Score;
  std::int32_t Lo;  // offset of the window's first cell from the candidate, -4..0
  std::int32_t Hi;  // offset of its last cell, 0..4
  std::int32_t Cells[8];  // entries 0 .. Hi-Lo; the rest are never read
};

inline constexpr int PatternCount = 55;

// Fills Table[0..54] in table order, one row initialiser call per row.
void FillPatternTable(TPattern* Table);

}  // namespace quintar
