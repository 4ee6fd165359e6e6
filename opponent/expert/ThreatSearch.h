// Wins by threes and fours: the attacker makes a four (the defender must
// block it) or an open three (the defender must spoil the flexible four it
// threatens, or answer with fours of its own) with every move, until it has
// a five or a flexible four the defender cannot stop. With no threes allowed
// it is a win by continuous fours. The expert asks it whether the opponent,
// given a free move, would have such a win, and which moves spoil it.
#pragma once

#include <cstdint>
#include <span>

#include "ExpertBoard.h"
#include "SearchClock.h"

namespace quintar::expert {

enum class TThreatWin : std::uint8_t {
  None,    // no such win: every line of threats tried is answered
  Win,     // a win, against every answer the defender has
  Unknown  // the positions allowed ran out before either was shown
};

// What a look for spoiling moves found: whether the attacker had a win to
// spoil, and how many of the candidates spoil it.
struct TSpoilers {
  bool Threatened = false;
  int Count = 0;
};

class TThreatSearch {
 public:
  TThreatSearch(TExpertBoard& Board, TSearchClock& Clock) : FBoard(Board), FClock(Clock) {}

  // Whether Attacker, to move now, wins with at most MaxThrees open threes
  // among its threats, within the clock's budget and MaxNodes more positions.
  // Leaves the board as it was.
  TThreatWin Wins(int Attacker, int MaxThrees, std::int64_t MaxNodes);

  // Whether Attacker, were it to move now, would win with at most MaxThrees
  // threes; if so, the defender's moves among Candidates after which it no
  // longer does, or the positions allowed could not tell, are moved to the
  // front in their order. Each look may visit NodesPerLook positions, all
  // of them together MaxNodes; candidates left when those run out count as
  // spoiling. Leaves the board as it was.
  TSpoilers KeepSpoilers(int Attacker, int MaxThrees, std::span<int> Candidates, std::int64_t MaxNodes,
                         std::int64_t NodesPerLook);

 private:
  bool AttackerWins(int Attacker, int ThreesLeft, int Ply);
  bool BlockWins(int Attacker, int ThreesLeft, int Ply);
  bool FourWins(int Attacker, int Four, int ThreesLeft, int Ply);
  bool DefenderLoses(int Attacker, int ThreesLeft, int Ply);
  int CollectThreats(int Attacker, bool Threes, int* Moves) const;
  int CollectDefences(int Attacker, int* Moves);
  bool OutOfNodes();

  TExpertBoard& FBoard;
  TSearchClock& FClock;
  std::int64_t FNodeCeiling = 0;
  bool FRanOut = false;
  // Marks the cells already among a defence's candidates.
  std::uint32_t FStamp = 0;
  std::uint32_t FSeen[TExpertBoard::IndexCount] = {};
};

}  // namespace quintar::expert
