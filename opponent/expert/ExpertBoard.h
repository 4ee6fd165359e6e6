// The board the expert searches on. Marks are placed and taken back one at a
// time; for every cell it keeps what each of the four lines through it offers
// each side, what a move there threatens, and what it is worth, and a move
// updates only the cells along the four lines through it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "LinePatterns.h"
#include "Opponent.h"

namespace quintar::expert {

// Sides are 0 for crosses and 1 for noughts.
constexpr int SideOfTurn(int Turn) { return Turn == 1 ? 0 : 1; }
constexpr int Opposite(int Side) { return 1 - Side; }

// What a move on a cell threatens, from its four line patterns; weakest
// first. A flexible four (or two fours at once) wins unless the other side
// completes five first; a four-three is a four that leaves an open three.
enum TThreat : std::uint8_t { thNone, thThree, thDoubleThree, thFour, thFourThree, thFlexFour, thFive, ThreatKinds };

inline constexpr int DirectionCount = 4;

// What a cell of the board's array holds; the array reaches past the edges,
// and cells there are walls.
enum TCellContent : std::uint8_t { ccEmpty, ccCross, ccNought, ccWall };

class TExpertBoard {
 public:
  // Four cells of wall around the largest board: a neighbour key looks no
  // further, and every index a search touches stays inside the array.
  static constexpr int Padding = 4;
  static constexpr int Stride = MaxBoardSide + 2 * Padding;
  static constexpr int IndexCount = Stride * Stride;
  static constexpr int NoCell = -1;

  TExpertBoard();

  // Starts over from Board's marks (1 crosses, -1 noughts); the side to move
  // is the caller's business.
  void Load(const TBoardView& Board);

  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  static int IndexOf(int Col, int Row) { return (Col + Padding) * Stride + Row + Padding; }
  static int ColOf(int Index) { return Index / Stride - Padding; }
  static int RowOf(int Index) { return Index % Stride - Padding; }
  bool IsEmpty(int Index) const { return FCells[Index].Stone == ccEmpty; }
  int EmptyCount() const { return FEmptyCount; }
  bool HasMarks() const { return FEmptyCount < FColCount * FRowCount; }

  // Index must be an empty cell on the board.
  void Play(int Index, int Side);
  // Takes back the last Play.
  void Undo();

  TThreat Threat(int Side, int Index) const { return FCells[Index].Threat[Side]; }
  int Value(int Side, int Index) const { return FCells[Index].Value[Side]; }
  TLinePattern Line(int Side, int Index, int Direction) const { return FCells[Index].Lines[Side][Direction]; }
  // Empty cells whose threat for Side is exactly Threat.
  int CountOf(int Side, TThreat Threat) const { return FThreatCounts[Side][Threat]; }
  bool Has(int Side, TThreat AtLeast) const;
  // Empty cells whose threat for Side is at least AtLeast.
  int CountAtLeast(int Side, TThreat AtLeast) const;
  // The first empty cell in index order whose threat for Side is at least
  // AtLeast; NoCell when there is none.
  int Find(int Side, TThreat AtLeast) const;
  // Calls Visit(Index) for the empty cells whose threat for Side is at least
  // AtLeast, in index order, while it returns true. Every threat needs a mark
  // within four steps, and the counts say when the last has been seen, so
  // only part of the board is searched.
  template <typename TVisit>
  void ForEachThreat(int Side, TThreat AtLeast, TVisit&& Visit) const {
    int Left = CountAtLeast(Side, AtLeast);
    for (int Col = FBox.MinCol - 4; Left > 0 && Col <= FBox.MaxCol + 4; ++Col)
      for (int Index = IndexOf(Col, FBox.MinRow - 4), Last = IndexOf(Col, FBox.MaxRow + 4); Left > 0 && Index <= Last;
           ++Index)
        if (FCells[Index].Stone == ccEmpty && FCells[Index].Threat[Side] >= AtLeast) {
          --Left;
          if (!Visit(Index)) return;
        }
  }
  // The empty cell within four steps of Index along its lines where Side
  // completes five; NoCell when there is none.
  int FiveCellNear(int Side, int Index) const;
  // Whether a move on A threatens more for Attacker than one on B: the
  // stronger threat, then, among equal threats, what the cell is worth to
  // both sides together.
  bool ThreatensMore(int Attacker, int A, int B) const {
    if (Threat(Attacker, A) != Threat(Attacker, B)) return Threat(Attacker, A) > Threat(Attacker, B);
    const int Defender = Opposite(Attacker);
    return Value(Attacker, A) + Value(Defender, A) > Value(Attacker, B) + Value(Defender, B);
  }
  // The values of every empty cell for Side, added up.
  int TotalValue(int Side) const { return FTotalValues[Side]; }
  std::uint64_t Hash() const { return FHash; }

  // The first table or total kept up by Play and Undo that differs from
  // what a fresh Load of the same marks gives, in words; empty when none
  // does. Debug builds also check this every so often as they play.
  std::string Discrepancy() const;
  bool Consistent() const { return Discrepancy().empty(); }

  // Calls Visit(Index) for every empty cell within two steps of a mark, in
  // index order.
  template <typename TVisit>
  void ForEachCandidate(TVisit&& Visit) const {
    for (int Col = FBox.MinCol - 2; Col <= FBox.MaxCol + 2; ++Col)
      for (int Index = IndexOf(Col, FBox.MinRow - 2), Last = IndexOf(Col, FBox.MaxRow + 2); Index <= Last; ++Index)
        if (FCells[Index].Stone == ccEmpty && FCells[Index].Near > 0) Visit(Index);
  }

  // One step along each line direction: horizontal, vertical, diagonal,
  // anti-diagonal.
  static constexpr std::array<int, DirectionCount> Steps = {Stride, 1, Stride + 1, Stride - 1};

 private:
  struct TCell {
    std::uint8_t Stone;
    std::uint8_t Near;  // marks within two steps either way, in rows and columns
    // Both sides' neighbour keys along each line, crosses' in the low half,
    // so that a mark updates both with one addition.
    std::uint32_t Keys[DirectionCount];
    TThreat Threat[2];
    std::uint16_t Tally[2];  // how many lines of each kind that makes a threat
    TLinePattern Lines[2][DirectionCount];
    std::int32_t Value[2];
  };
  // The rectangle the marks lie in, as columns and rows.
  struct TBox {
    int MinCol, MaxCol, MinRow, MaxRow;
  };
  struct TPlayed {
    int Index;
    TBox Box;
  };

  static int KeyOf(const TCell& Cell, int Side, int Direction) {
    return static_cast<int>(Cell.Keys[Direction] >> (KeyBits * Side) & KeyMask);
  }
  static constexpr int KeyBits = 16;
  static constexpr std::uint32_t KeyMask = (1u << KeyBits) - 1;

  void Clear(int ColCount, int RowCount);
  void PlaceMark(int Index, int Side);
  void ReadKeys(int Index);
  void CheckNowAndThen();
  void Refresh(int Index);
  std::int32_t RefreshLine(TCell& Cell, int Side, int Direction);
  static void Judge(TCell& Cell);
  void Count(int Index, int Sign);
  void AddNear(int Index, int Delta);
  void SetNeighbour(int Index, int Side, int Sign);

  const TLinePattern* FPatterns;
  int FColCount = 0;
  int FRowCount = 0;
  int FEmptyCount = 0;
  std::uint64_t FHash = 0;
  TBox FBox = {};
  std::vector<TCell> FCells;
  std::vector<TPlayed> FPlayed;
  int FThreatCounts[2][ThreatKinds] = {};
  int FTotalValues[2] = {};
  [[maybe_unused]] int FChangesUnchecked = 0;  // plays and take-backs since a debug build last checked
};

}  // namespace quintar::expert
