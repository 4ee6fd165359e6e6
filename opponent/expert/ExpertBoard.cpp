#include "ExpertBoard.h"

#include <algorithm>

#include "Mixing.h"

namespace quintar::expert {
namespace {

// What a line pattern is worth to the side that can play it, and what a
// threat adds to the cell beyond its lines: a guide for move ordering and
// the sum the evaluation compares.
constexpr std::int32_t LineValues[LinePatternCount] = {0, 1, 4, 8, 24, 30, 100, 120, 500, 3000};
constexpr std::int32_t ThreatBonuses[ThreatKinds] = {0, 0, 400, 0, 1000, 2000, 5000};

// A cell's threat depends only on how many of its lines are fives, flexible
// fours, fours and flexible threes. Each count takes three bits of a tally,
// so adding the four lines' tallies counts them all at once, and the sum
// indexes a small table of threats.
constexpr int TallyBits = 3;
constexpr int FiveTally = 1;
constexpr int FlexFourTally = 1 << TallyBits;
constexpr int FourTally = 1 << 2 * TallyBits;
constexpr int ThreeTally = 1 << 3 * TallyBits;
constexpr int TallyCount = 1 << 4 * TallyBits;
constexpr int LineTallies[LinePatternCount] = {0, 0, 0, 0, 0, 0, ThreeTally, FourTally, FlexFourTally, FiveTally};

constexpr int Counted(int Tally, int Unit) { return Tally / Unit % (1 << TallyBits); }

constexpr TThreat ThreatOfTally(int Tally) {
  const int Fours = Counted(Tally, FourTally);
  const int Threes = Counted(Tally, ThreeTally);
  if (Counted(Tally, FiveTally) > 0) return thFive;
  if (Counted(Tally, FlexFourTally) > 0 || Fours >= 2) return thFlexFour;
  if (Fours > 0) return Threes > 0 ? thFourThree : thFour;
  if (Threes > 0) return Threes >= 2 ? thDoubleThree : thThree;
  return thNone;
}

constexpr std::array<TThreat, TallyCount> ThreatsByTally = [] {
  std::array<TThreat, TallyCount> Threats{};
  for (int Tally = 0; Tally < TallyCount; ++Tally) Threats[Tally] = ThreatOfTally(Tally);
  return Threats;
}();

// Fixed random keys for hashing positions, the same in every run so that
// searches repeat.
const std::uint64_t* HashKeys() {
  static const std::vector<std::uint64_t> Keys = [] {
    std::vector<std::uint64_t> Generated(2 * TExpertBoard::IndexCount);
    std::uint64_t Counter = 0x51A7E5C0FFEEULL;
    for (std::uint64_t& Key : Generated) Key = Mixed(Counter++);
    return Generated;
  }();
  return Keys.data();
}

}  // namespace

TExpertBoard::TExpertBoard() : FPatterns(LinePatternTable()), FCells(IndexCount) {
  FPlayed.reserve(MaxBoardSide * MaxBoardSide);
}

void TExpertBoard::Load(const TBoardView& Board) {
  Clear(Board.ColCount, Board.RowCount);
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row)
      if (Board.Cells[Col][Row] != 0) Play(IndexOf(Col, Row), SideOfTurn(Board.Cells[Col][Row]));
  FPlayed.clear();
}

void TExpertBoard::Clear(int ColCount, int RowCount) {
  FColCount = ColCount;
  FRowCount = RowCount;
  FEmptyCount = ColCount * RowCount;
  FHash = 0;
  FBox = {MaxBoardSide + 2 * Padding, -2 * Padding, MaxBoardSide + 2 * Padding, -2 * Padding};
  FPlayed.clear();
  std::fill(&FThreatCounts[0][0], &FThreatCounts[0][0] + 2 * ThreatKinds, 0);
  FTotalValues[0] = FTotalValues[1] = 0;
  const TCell Wall = {ccWall, 0, {}, {}, {}, {}, {}};
  std::fill(FCells.begin(), FCells.end(), Wall);
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) FCells[IndexOf(Col, Row)].Stone = ccEmpty;
  for (int Col = 0; Col < FColCount; ++Col) {
    for (int Row = 0; Row < FRowCount; ++Row) {
      const int Index = IndexOf(Col, Row);
      TCell& Cell = FCells[Index];
      for (int Direction = 0; Direction < DirectionCount; ++Direction) {
        for (int Offset = -4; Offset <= 4; ++Offset) {
          if (Offset == 0 || FCells[Index + Offset * Steps[Direction]].Stone != ccWall) continue;
          const auto WallKey = static_cast<std::uint16_t>(nbBlocked * NeighbourWeight(Offset));
          Cell.Keys[0][Direction] += WallKey;
          Cell.Keys[1][Direction] += WallKey;
        }
      }
      Refresh(Index);
      Count(Index, +1);
    }
  }
}

bool TExpertBoard::Has(int Side, TThreat AtLeast) const {
  for (int Threat = AtLeast; Threat < ThreatKinds; ++Threat)
    if (FThreatCounts[Side][Threat] > 0) return true;
  return false;
}

// Every threat needs a mark within four steps, so only the marks' rectangle
// widened by four is searched.
int TExpertBoard::Find(int Side, TThreat AtLeast) const {
  if (!Has(Side, AtLeast)) return NoCell;
  for (int Col = FBox.MinCol - 4; Col <= FBox.MaxCol + 4; ++Col)
    for (int Index = IndexOf(Col, FBox.MinRow - 4), Last = IndexOf(Col, FBox.MaxRow + 4); Index <= Last; ++Index)
      if (FCells[Index].Stone == ccEmpty && FCells[Index].Threat[Side] >= AtLeast) return Index;
  return NoCell;
}

int TExpertBoard::FiveCellNear(int Side, int Index) const {
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    for (const int Sign : {-1, 1}) {
      for (int Distance = 1; Distance <= 4; ++Distance) {
        const int Near = Index + Sign * Distance * Steps[Direction];
        if (FCells[Near].Stone == ccWall) break;
        if (FCells[Near].Stone == ccEmpty && FCells[Near].Threat[Side] == thFive) return Near;
      }
    }
  }
  return NoCell;
}

void TExpertBoard::Play(int Index, int Side) {
  FPlayed.push_back({Index, FBox});
  Count(Index, -1);
  FCells[Index].Stone = static_cast<std::uint8_t>(ccCross + Side);
  --FEmptyCount;
  FHash ^= HashKeys()[Side * IndexCount + Index];
  const int Col = ColOf(Index);
  const int Row = RowOf(Index);
  FBox = {std::min(FBox.MinCol, Col), std::max(FBox.MaxCol, Col), std::min(FBox.MinRow, Row),
          std::max(FBox.MaxRow, Row)};
  AddNear(Index, +1);
  SetNeighbour(Index, Side, +1);
}

void TExpertBoard::Undo() {
  const TPlayed Last = FPlayed.back();
  FPlayed.pop_back();
  TCell& Cell = FCells[Last.Index];
  const unsigned Stone = Cell.Stone;
  Cell.Stone = ccEmpty;
  ++FEmptyCount;
  FHash ^= HashKeys()[(Stone - ccCross) * IndexCount + Last.Index];
  FBox = Last.Box;
  AddNear(Last.Index, -1);
  SetNeighbour(Last.Index, static_cast<int>(Stone - ccCross), -1);
  // Its lines were left alone while it was taken.
  Refresh(Last.Index);
  Count(Last.Index, +1);
}

void TExpertBoard::AddNear(int Index, int Delta) {
  for (int Col = -2; Col <= 2; ++Col)
    for (int Row = -2; Row <= 2; ++Row) FCells[Index + Col * Stride + Row].Near += static_cast<std::uint8_t>(Delta);
}

// Tells the cells up to four steps away along each line that Index now holds
// (Sign +1) or no longer holds (Sign -1) a mark of Side; only the empty ones
// work out their patterns again.
void TExpertBoard::SetNeighbour(int Index, int Side, int Sign) {
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    for (const int Way : {-1, 1}) {
      for (int Distance = 1; Distance <= 4; ++Distance) {
        const int Near = Index + Way * Distance * Steps[Direction];
        TCell& Cell = FCells[Near];
        if (Cell.Stone == ccWall) break;
        const int Weight = Sign * NeighbourWeight(-Way * Distance);
        Cell.Keys[Side][Direction] = static_cast<std::uint16_t>(Cell.Keys[Side][Direction] + nbOwn * Weight);
        Cell.Keys[Opposite(Side)][Direction] =
            static_cast<std::uint16_t>(Cell.Keys[Opposite(Side)][Direction] + nbBlocked * Weight);
        if (Cell.Stone == ccEmpty) RefreshLine(Near, Direction);
      }
    }
  }
}

void TExpertBoard::Refresh(int Index) {
  TCell& Cell = FCells[Index];
  for (int Side = 0; Side < 2; ++Side)
    for (int Direction = 0; Direction < DirectionCount; ++Direction)
      Cell.Lines[Side][Direction] = FPatterns[Cell.Keys[Side][Direction]];
  Judge(Cell);
}

// Index is empty, so its threats and values are counted: only what changed
// is counted again.
void TExpertBoard::RefreshLine(int Index, int Direction) {
  TCell& Cell = FCells[Index];
  for (int Side = 0; Side < 2; ++Side) {
    const TLinePattern Line = FPatterns[Cell.Keys[Side][Direction]];
    const TLinePattern Old = Cell.Lines[Side][Direction];
    if (Line == Old) continue;
    Cell.Lines[Side][Direction] = Line;
    Cell.Tally[Side] = static_cast<std::uint16_t>(Cell.Tally[Side] + LineTallies[Line] - LineTallies[Old]);
    const TThreat Threat = ThreatsByTally[Cell.Tally[Side]];
    const std::int32_t Change =
        LineValues[Line] - LineValues[Old] + ThreatBonuses[Threat] - ThreatBonuses[Cell.Threat[Side]];
    --FThreatCounts[Side][Cell.Threat[Side]];
    ++FThreatCounts[Side][Threat];
    FTotalValues[Side] += Change;
    Cell.Threat[Side] = Threat;
    Cell.Value[Side] += Change;
  }
}

void TExpertBoard::Judge(TCell& Cell) {
  for (int Side = 0; Side < 2; ++Side) {
    const TLinePattern(&Lines)[DirectionCount] = Cell.Lines[Side];
    Cell.Tally[Side] = static_cast<std::uint16_t>(LineTallies[Lines[0]] + LineTallies[Lines[1]] +
                                                  LineTallies[Lines[2]] + LineTallies[Lines[3]]);
    Cell.Threat[Side] = ThreatsByTally[Cell.Tally[Side]];
    Cell.Value[Side] = ThreatBonuses[Cell.Threat[Side]] + LineValues[Lines[0]] + LineValues[Lines[1]] +
                       LineValues[Lines[2]] + LineValues[Lines[3]];
  }
}

void TExpertBoard::Count(int Index, int Sign) {
  const TCell& Cell = FCells[Index];
  for (int Side = 0; Side < 2; ++Side) {
    FThreatCounts[Side][Cell.Threat[Side]] += Sign;
    FTotalValues[Side] += Sign * Cell.Value[Side];
  }
}

}  // namespace quintar::expert
