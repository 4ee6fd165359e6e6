// What one line through an empty cell offers a side that plays there, read
// off the cell's eight neighbours along the line (four each way).
//
// A five is five or more in an unbroken line through the cell. A four leaves
// exactly one empty cell that would complete a five through the cell; a
// flexible four leaves two or more, so it cannot be stopped. A three is one
// move from a four, a flexible three one move from a flexible four, and so on
// down to one. Only fives through the cell count, and those lie within four
// cells of it, so fives and fours are judged exactly; threes and less are
// judged within the window and serve the search as estimates.
#pragma once

#include <cstdint>

namespace quintar::expert {

// Weakest first; each flexible pattern ranks above the blocked one of its size.
enum TLinePattern : std::uint8_t {
  lpNone,
  lpBlock1,
  lpFlex1,
  lpBlock2,
  lpFlex2,
  lpBlock3,
  lpFlex3,
  lpBlock4,
  lpFlex4,
  lpFive,
  LinePatternCount
};

// What a neighbour is to the side looking: empty, its own mark, or a cell it
// cannot use (the other side's mark, or beyond the edge).
enum TNeighbour : unsigned { nbEmpty = 0, nbOwn = 1, nbBlocked = 2 };

// A side's neighbour key numbers the eight neighbours along a line in base 3:
// the neighbour Offset steps away (Offset -4..-1 and 1..4) counts its
// TNeighbour times NeighbourWeight(Offset).
inline constexpr int NeighbourKeyCount = 6561;
constexpr int NeighbourSlot(int Offset) { return Offset < 0 ? Offset + 4 : Offset + 3; }
constexpr int NeighbourWeight(int Offset) {
  int Weight = 1;
  for (int Slot = 0; Slot < NeighbourSlot(Offset); ++Slot) Weight *= 3;
  return Weight;
}

// The pattern of every neighbour key, worked out from the rules above on
// first use and kept for good; both sides share it.
const TLinePattern* LinePatternTable();

}  // namespace quintar::expert
