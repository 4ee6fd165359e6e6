#include "ThreatSearch.h"

#include <algorithm>

namespace quintar::expert {
namespace {

// The strongest threats are tried, and only so many: a win needs few, and
// the defender's answers multiply every one.
constexpr int MostThreatsTried = 12;
// Every cell within four steps of a flexible-four cell along its lines,
// for at most this many such cells, and the defender's fours.
constexpr int MostDefences = 64;
// Lines longer than this end the search: the board is nearly full or the
// threats go round in circles.
constexpr int MaxThreatPly = 40;

}  // namespace

TThreatWin TThreatSearch::Wins(int Attacker, int MaxThrees, std::int64_t MaxNodes) {
  FNodeCeiling = MaxNodes > 0 ? FClock.Nodes() + MaxNodes : 0;
  FRanOut = false;
  if (AttackerWins(Attacker, std::max(MaxThrees, 0), 0)) return TThreatWin::Win;
  return FRanOut ? TThreatWin::Unknown : TThreatWin::None;
}

TSpoilers TThreatSearch::KeepSpoilers(int Attacker, int MaxThrees, std::span<int> Candidates, std::int64_t MaxNodes,
                                      std::int64_t NodesPerLook) {
  const std::int64_t Ceiling = FClock.Nodes() + MaxNodes;
  TSpoilers Found;
  Found.Threatened = Wins(Attacker, MaxThrees, std::min(NodesPerLook, MaxNodes)) == TThreatWin::Win;
  if (!Found.Threatened) return Found;
  for (const int Move : Candidates) {
    const std::int64_t Left = Ceiling - FClock.Nodes();
    bool Spoils = Left <= 0 || FClock.Spent();
    if (!Spoils) {
      FBoard.Play(Move, Opposite(Attacker));
      Spoils = Wins(Attacker, MaxThrees, std::min(NodesPerLook, Left)) != TThreatWin::Win;
      FBoard.Undo();
    }
    if (Spoils) Candidates[Found.Count++] = Move;
  }
  return Found;
}

bool TThreatSearch::OutOfNodes() {
  if ((FNodeCeiling > 0 && FClock.Nodes() >= FNodeCeiling) || FClock.Spend()) FRanOut = true;
  return FRanOut;
}

// The attacker to move: a five wins, the defender's five must be blocked,
// a flexible four wins; otherwise one of its threats must win against every
// answer.
bool TThreatSearch::AttackerWins(int Attacker, int ThreesLeft, int Ply) {
  const int Defender = Opposite(Attacker);
  if (FBoard.Has(Attacker, thFive)) return true;
  if (FBoard.Has(Defender, thFive)) return BlockWins(Attacker, ThreesLeft, Ply);
  if (FBoard.Has(Attacker, thFlexFour)) return true;
  if (Ply >= MaxThreatPly) return false;
  int Moves[MostThreatsTried];
  const int Count = CollectThreats(Attacker, ThreesLeft > 0, Moves);
  for (int I = 0; I < Count; ++I) {
    if (OutOfNodes()) return false;
    const int Move = Moves[I];
    if (FBoard.Threat(Attacker, Move) >= thFour) {
      if (FourWins(Attacker, Move, ThreesLeft, Ply)) return true;
      continue;
    }
    FBoard.Play(Move, Attacker);
    const bool Won = DefenderLoses(Attacker, ThreesLeft - 1, Ply + 1);
    FBoard.Undo();
    if (Won) return true;
  }
  return false;
}

// The attacker must block the defender's five; it keeps the initiative only
// if the block is a threat of its own.
bool TThreatSearch::BlockWins(int Attacker, int ThreesLeft, int Ply) {
  const int Defender = Opposite(Attacker);
  if (FBoard.CountOf(Defender, thFive) >= 2 || OutOfNodes()) return false;
  const int Block = FBoard.Find(Defender, thFive);
  if (FBoard.Threat(Attacker, Block) >= thFour) return FourWins(Attacker, Block, ThreesLeft, Ply);
  FBoard.Play(Block, Attacker);
  // An open three the block made, or one the defender's four interrupted.
  const bool Won = FBoard.Has(Attacker, thFlexFour) && DefenderLoses(Attacker, ThreesLeft, Ply + 1);
  FBoard.Undo();
  return Won;
}

// The attacker plays a four at Four; the defender's block is forced unless
// it has a five of its own, which wins first.
bool TThreatSearch::FourWins(int Attacker, int Four, int ThreesLeft, int Ply) {
  const int Defender = Opposite(Attacker);
  FBoard.Play(Four, Attacker);
  bool Won = false;
  const int Block = FBoard.Has(Defender, thFive) ? TExpertBoard::NoCell : FBoard.FiveCellNear(Attacker, Four);
  if (Block != TExpertBoard::NoCell) {
    FBoard.Play(Block, Defender);
    Won = AttackerWins(Attacker, ThreesLeft, Ply + 2);
    FBoard.Undo();
  }
  FBoard.Undo();
  return Won;
}

// The defender to move against a flexible four to come: the attacker wins
// only if it wins after every answer. Answers that spoil nothing lose at
// once, so every candidate is simply tried.
bool TThreatSearch::DefenderLoses(int Attacker, int ThreesLeft, int Ply) {
  const int Defender = Opposite(Attacker);
  if (FBoard.Has(Defender, thFive) || !FBoard.Has(Attacker, thFlexFour)) return false;
  int Moves[MostDefences];
  const int Count = CollectDefences(Attacker, Moves);
  for (int I = 0; I < Count; ++I) {
    if (OutOfNodes()) return false;
    FBoard.Play(Moves[I], Defender);
    const bool Won = AttackerWins(Attacker, ThreesLeft, Ply + 1);
    FBoard.Undo();
    if (!Won) return false;
  }
  return true;
}

// Fours, then open threes when allowed, the strongest first and cells in
// index order among equals.
int TThreatSearch::CollectThreats(int Attacker, bool Threes, int* Moves) const {
  int Count = 0;
  FBoard.ForEachThreat(Attacker, Threes ? thThree : thFour, [&](int Index) {
    if (Count == MostThreatsTried) {
      if (!FBoard.ThreatensMore(Attacker, Index, Moves[Count - 1])) return true;
      --Count;
    }
    int Slot = Count++;
    for (; Slot > 0 && FBoard.ThreatensMore(Attacker, Index, Moves[Slot - 1]); --Slot) Moves[Slot] = Moves[Slot - 1];
    Moves[Slot] = Index;
    return true;
  });
  return Count;
}

// The cells that may spoil the attacker's coming flexible four: its own
// cells and those within four steps of them along each line, and any four
// the defender can make, which the attacker must answer first.
int TThreatSearch::CollectDefences(int Attacker, int* Moves) {
  const int Defender = Opposite(Attacker);
  ++FStamp;
  int Count = 0;
  const auto Add = [&](int Index) {
    if (Count == MostDefences || !FBoard.IsEmpty(Index) || FSeen[Index] == FStamp) return;
    FSeen[Index] = FStamp;
    Moves[Count++] = Index;
  };
  FBoard.ForEachThreat(Attacker, thFlexFour, [&](int Cell) {
    Add(Cell);
    for (const int Step : TExpertBoard::Steps)
      for (const int Sign : {-1, 1})
        for (int Distance = 1; Distance <= 4; ++Distance) {
          const int Near = Cell + Sign * Distance * Step;
          if (FBoard.ColOf(Near) < 0 || FBoard.ColOf(Near) >= FBoard.ColCount() || FBoard.RowOf(Near) < 0 ||
              FBoard.RowOf(Near) >= FBoard.RowCount())
            break;
          Add(Near);
        }
    return true;
  });
  FBoard.ForEachThreat(Defender, thFour, [&](int Index) {
    Add(Index);
    return true;
  });
  return Count;
}

}  // namespace quintar::expert
