#include "FourSearch.h"

#include <algorithm>

namespace quintar::expert {
namespace {

// More fours than this at once is a crowded board; the strongest ones are tried.
constexpr int MaxFoursTried = 24;

}  // namespace

int TFourSearch::FindWin(int Side, int MaxFours, std::int64_t MaxNodes) {
  FNodeCeiling = MaxNodes > 0 ? FClock.Nodes() + MaxNodes : 0;
  FWinningMove = TExpertBoard::NoCell;
  FLineLength = 0;
  return Wins(Side, std::min(MaxFours, MostFours), 0) ? FWinningMove : TExpertBoard::NoCell;
}

// The ceiling is looked at before a position is counted: once it is reached,
// the lines still open unwind without counting more than were allowed.
bool TFourSearch::OutOfNodes() {
  if (FNodeCeiling > 0 && FClock.Nodes() >= FNodeCeiling) return true;
  return FClock.Spend();
}

// Moves that make a four (or better) for Attacker, the strongest first and
// cells in index order among equals, at most MaxFoursTried. When the defender
// threatens five, only the cell that stops it can be played, and only if it
// also makes a four.
int TFourSearch::CollectFours(int Attacker, int* Moves) const {
  const int Defender = Opposite(Attacker);
  if (FBoard.Has(Defender, thFive)) {
    const int Block = FBoard.Find(Defender, thFive);
    if (FBoard.Threat(Attacker, Block) < thFour) return 0;
    Moves[0] = Block;
    return 1;
  }
  // Few moves, so each is slid into place as it comes: stable, and with no
  // buffer to allocate.
  int Count = 0;
  FBoard.ForEachThreat(Attacker, thFour, [&](int Index) {
    int Slot = Count++;
    for (; Slot > 0 && FBoard.ThreatensMore(Attacker, Index, Moves[Slot - 1]); --Slot) Moves[Slot] = Moves[Slot - 1];
    Moves[Slot] = Index;
    return Count < MaxFoursTried;
  });
  return Count;
}

// The line is written only as a win unwinds: the last move first, with its
// length, then each four and its block on the way back up.
bool TFourSearch::Wins(int Attacker, int FoursLeft, int Ply) {
  const int Defender = Opposite(Attacker);
  if (FBoard.Has(Attacker, thFive)) {
    FWinningMove = FBoard.Find(Attacker, thFive);
    FLine[Ply] = FWinningMove;
    FLineLength = Ply + 1;
    return true;
  }
  if (FoursLeft <= 0) return false;
  int Moves[MaxFoursTried];
  const int Count = CollectFours(Attacker, Moves);
  for (int I = 0; I < Count; ++I) {
    const int Move = Moves[I];
    if (FBoard.Threat(Attacker, Move) >= thFlexFour && FBoard.CountOf(Defender, thFive) <= 1) {
      FWinningMove = Move;
      FLine[Ply] = Move;
      FLineLength = Ply + 1;
      return true;
    }
    // Each four tried counts as a position.
    if (OutOfNodes()) return false;
    FBoard.Play(Move, Attacker);
    bool Won = false;
    // A defender left with a five of its own wins first.
    const int Block = FBoard.Has(Defender, thFive) ? TExpertBoard::NoCell : FBoard.FiveCellNear(Attacker, Move);
    if (Block != TExpertBoard::NoCell) {
      FBoard.Play(Block, Defender);
      Won = Wins(Attacker, FoursLeft - 1, Ply + 2);
      FBoard.Undo();
    }
    FBoard.Undo();
    if (Won) {
      FWinningMove = Move;
      FLine[Ply] = Move;
      FLine[Ply + 1] = Block;
      return true;
    }
  }
  return false;
}

}  // namespace quintar::expert
