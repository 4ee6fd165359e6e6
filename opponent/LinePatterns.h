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

// What a neighbour holds, two bits in a neighbour key.
enum TNeighbour : unsigned { nbEmpty = 0, nbCross = 1, nbNought = 2, nbWall = 3 };

// A neighbour key holds the eight neighbours along one line, two bits each,
// the one Offset steps away (Offset -4..-1 and 1..4) in slot NeighbourSlot.
inline constexpr int NeighbourKeyCount = 1 << 16;
constexpr int NeighbourSlot(int Offset) { return Offset < 0 ? Offset + 4 : Offset + 3; }
constexpr unsigned NeighbourBits(int Offset, unsigned Neighbour) { return Neighbour << (2 * NeighbourSlot(Offset)); }

struct TLinePatterns {
  TLinePattern Cross;
  TLinePattern Nought;
};

// The patterns for both sides, indexed by neighbour key: NeighbourKeyCount
// entries worked out from the rules above on first use and kept for good.
const TLinePatterns* LinePatternTable();

}  // namespace quintar::expert
