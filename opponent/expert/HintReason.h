// Why a hint is what it is, for a player to read: what the hinted move does,
// judged by the threats it makes or takes away and, for wins by fours, by
// the search for them. The words belong to the faces' phrasebook.
#pragma once

#include <cstdint>

#include "Opponent.h"

namespace quintar {

// What a move does, the strongest reason first: when a move does several of
// these things, the first of them is its reason, so a block of a five that
// also wins is told as the win. A blocking reason means the move takes the
// cell where the other side would make that threat.
enum THintKind : std::uint8_t {
  hkMakesFive,
  hkMakesOpenFour,
  hkStartsWinByFours,  // a four (or two) that wins by fours alone, proven by the search for them
  hkBlocksFive,
  hkBlocksOpenFour,
  hkBlocksWinByFours,  // the other side won by fours if it moved now; after this move it does not
  hkMakesOpenThree,
  hkBlocksOpenThree,
  hkBestFound,  // nothing sharper to say: the best the computer found
};

struct THintReason {
  THintKind Kind = hkBestFound;
  // The moves to five of the win the move makes or stops: the mover's for
  // the wins it makes, the other side's for those it blocks; 0 for threes
  // and for the best found.
  int MovesToFive = 0;
  friend bool operator==(const THintReason&, const THintReason&) = default;
};

// Why side Turn (1 crosses, -1 noughts) would play (Col, Row) on Board. A
// win is claimed only when the search for wins by fours proves it; a cell
// off the board or taken gets hkBestFound. Repeatable: the search counts
// positions, not time.
THintReason HintReasonFor(const TBoardView& Board, int Turn, int Col, int Row);

}  // namespace quintar
