#include "ExpertBoard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Mixing.h"
#include "TunedWeights.h"

namespace quintar::expert {
namespace {

// What a line pattern is worth to the side that can play it, and what a
// threat adds to the cell beyond its lines: a guide for move ordering and
// the sum the evaluation compares.
constexpr auto& LineValues = TunedWeights.LineValues;
constexpr auto& ThreatBonuses = TunedWeights.ThreatBonuses;

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

// Keeps the first kept value found to differ from a fresh one, in words.
class TFirstDifference {
 public:
  // Side and Index are left out of the words when negative.
  void Compare(const char* Field, int Side, int Index, long long Kept, long long Fresh) {
    if (!FText.empty() || Kept == Fresh) return;
    FText = Field;
    if (Side >= 0) FText += " for side " + std::to_string(Side);
    if (Index >= 0)
      FText += " at (" + std::to_string(TExpertBoard::ColOf(Index)) + ", " +
               std::to_string(TExpertBoard::RowOf(Index)) + ")";
    FText += " is " + std::to_string(Kept) + " where a fresh load gives " + std::to_string(Fresh);
  }
  const std::string& Text() const { return FText; }

 private:
  std::string FText;
};

}  // namespace

TExpertBoard::TExpertBoard() : FPatterns(LinePatternTable()), FCells(IndexCount) {
  FPlayed.reserve(MaxBoardSide * MaxBoardSide);
}

// Works every table out from the marks alone, without the incremental
// updates of Play, so that Discrepancy has something independent to compare
// with.
void TExpertBoard::Load(const TBoardView& Board) {
  Clear(Board.ColCount, Board.RowCount);
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row)
      if (Board.Cells[Col][Row] != 0) PlaceMark(IndexOf(Col, Row), SideOfTurn(Board.Cells[Col][Row]));
  for (int Col = 0; Col < FColCount; ++Col) {
    for (int Row = 0; Row < FRowCount; ++Row) {
      const int Index = IndexOf(Col, Row);
      ReadKeys(Index);
      Refresh(Index);
      if (IsEmpty(Index)) Count(Index, +1);
    }
  }
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
}

// Everything a mark changes except its neighbours' keys.
void TExpertBoard::PlaceMark(int Index, int Side) {
  FCells[Index].Stone = static_cast<std::uint8_t>(ccCross + Side);
  --FEmptyCount;
  FHash ^= HashKeys()[Side * IndexCount + Index];
  const int Col = ColOf(Index);
  const int Row = RowOf(Index);
  FBox = {std::min(FBox.MinCol, Col), std::max(FBox.MaxCol, Col), std::min(FBox.MinRow, Row),
          std::max(FBox.MaxRow, Row)};
  AddNear(Index, +1);
}

// A cell's neighbour keys read straight off the cells along its lines.
void TExpertBoard::ReadKeys(int Index) {
  TCell& Cell = FCells[Index];
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    int Keys[2] = {};
    for (int Offset = -4; Offset <= 4; ++Offset) {
      if (Offset == 0) continue;
      const unsigned Stone = FCells[Index + Offset * Steps[Direction]].Stone;
      if (Stone == ccEmpty) continue;
      for (int Side = 0; Side < 2; ++Side) {
        const bool Own = Stone == static_cast<unsigned>(ccCross + Side);
        Keys[Side] += static_cast<int>(Own ? nbOwn : nbBlocked) * NeighbourWeight(Offset);
      }
    }
    Cell.Keys[Direction] = static_cast<std::uint32_t>(Keys[0]) | static_cast<std::uint32_t>(Keys[1]) << KeyBits;
  }
}

// A marked cell's lines, threats and value are left as they were when it was
// marked, and are right again once it is taken back, so only its stone,
// neighbour count and keys are compared.
std::string TExpertBoard::Discrepancy() const {
  const auto Marks = std::make_unique<int[][MaxBoardSide]>(MaxBoardSide);
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) {
      const unsigned Stone = FCells[IndexOf(Col, Row)].Stone;
      Marks[Col][Row] = Stone == ccCross ? 1 : Stone == ccNought ? -1 : 0;
    }
  TExpertBoard Fresh;
  Fresh.Load({Marks.get(), FColCount, FRowCount});

  TFirstDifference Difference;
  Difference.Compare("empty cell count", -1, -1, FEmptyCount, Fresh.FEmptyCount);
  Difference.Compare("hash", -1, -1, static_cast<long long>(FHash), static_cast<long long>(Fresh.FHash));
  Difference.Compare("first marked column", -1, -1, FBox.MinCol, Fresh.FBox.MinCol);
  Difference.Compare("last marked column", -1, -1, FBox.MaxCol, Fresh.FBox.MaxCol);
  Difference.Compare("first marked row", -1, -1, FBox.MinRow, Fresh.FBox.MinRow);
  Difference.Compare("last marked row", -1, -1, FBox.MaxRow, Fresh.FBox.MaxRow);
  for (int Side = 0; Side < 2; ++Side) {
    Difference.Compare("total value", Side, -1, FTotalValues[Side], Fresh.FTotalValues[Side]);
    for (int Threat = 0; Threat < ThreatKinds; ++Threat)
      Difference.Compare("count of one threat kind", Side, -1, FThreatCounts[Side][Threat],
                         Fresh.FThreatCounts[Side][Threat]);
  }
  for (int Index = 0; Index < IndexCount; ++Index) {
    const TCell& Kept = FCells[Index];
    const TCell& Expected = Fresh.FCells[Index];
    Difference.Compare("content", -1, Index, Kept.Stone, Expected.Stone);
    Difference.Compare("marks near", -1, Index, Kept.Near, Expected.Near);
    for (int Side = 0; Side < 2; ++Side) {
      for (int Direction = 0; Direction < DirectionCount; ++Direction)
        Difference.Compare("neighbour key", Side, Index, KeyOf(Kept, Side, Direction),
                           KeyOf(Expected, Side, Direction));
      if (Kept.Stone != ccEmpty) continue;
      for (int Direction = 0; Direction < DirectionCount; ++Direction)
        Difference.Compare("line pattern", Side, Index, Kept.Lines[Side][Direction], Expected.Lines[Side][Direction]);
      Difference.Compare("line tally", Side, Index, Kept.Tally[Side], Expected.Tally[Side]);
      Difference.Compare("threat", Side, Index, Kept.Threat[Side], Expected.Threat[Side]);
      Difference.Compare("value", Side, Index, Kept.Value[Side], Expected.Value[Side]);
    }
  }
  return Difference.Text();
}

// A debug build stops at the first play or take-back it finds has left the
// tables wrong, saying what is wrong, rather than playing on with them.
void TExpertBoard::CheckNowAndThen() {
#ifndef NDEBUG
  // Often enough that a broken update shows in any test that searches,
  // rarely enough that the suite stays quick.
  constexpr int ChangesBetweenChecks = 512;
  if (++FChangesUnchecked < ChangesBetweenChecks) return;
  FChangesUnchecked = 0;
  const std::string Found = Discrepancy();
  if (Found.empty()) return;
  std::fprintf(stderr, "expert board out of step %d plays after its load: %s\n", static_cast<int>(FPlayed.size()),
               Found.c_str());
  std::abort();
#endif
}

bool TExpertBoard::Has(int Side, TThreat AtLeast) const { return CountAtLeast(Side, AtLeast) > 0; }

int TExpertBoard::CountAtLeast(int Side, TThreat AtLeast) const {
  int Count = 0;
  for (int Threat = AtLeast; Threat < ThreatKinds; ++Threat) Count += FThreatCounts[Side][Threat];
  return Count;
}

int TExpertBoard::Find(int Side, TThreat AtLeast) const {
  int Found = NoCell;
  ForEachThreat(Side, AtLeast, [&](int Index) {
    Found = Index;
    return false;
  });
  return Found;
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
  PlaceMark(Index, Side);
  SetNeighbour(Index, Side, +1);
  CheckNowAndThen();
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
  // Its lines, threats and value are as they were when it was marked: only
  // empty cells are worked out again, and every later play is taken back.
  Count(Last.Index, +1);
  CheckNowAndThen();
}

void TExpertBoard::AddNear(int Index, int Delta) {
  for (int Col = -2; Col <= 2; ++Col)
    for (int Row = -2; Row <= 2; ++Row) FCells[Index + Col * Stride + Row].Near += static_cast<std::uint8_t>(Delta);
}

// What a mark Distance steps away along a line weighs in a cell's neighbour
// key, at Way * 4 + Distance - 1: Way is 0 for a cell before the mark and 1
// for a cell after it.
constexpr std::array<int, 8> NeighbourWeights = [] {
  std::array<int, 8> Weights{};
  for (int Distance = 1; Distance <= 4; ++Distance) {
    Weights[Distance - 1] = NeighbourWeight(Distance);
    Weights[4 + Distance - 1] = NeighbourWeight(-Distance);
  }
  return Weights;
}();

// Tells the cells up to four steps away along each line that Index now holds
// (Sign +1) or no longer holds (Sign -1) a mark of Side; only the empty ones
// work out their patterns again.
void TExpertBoard::SetNeighbour(int Index, int Side, int Sign) {
  // A mark is its own side's and blocks the other's.
  const std::uint32_t Unit = Side == 0 ? nbOwn | nbBlocked << KeyBits : nbBlocked | nbOwn << KeyBits;
  // Added up here and stored once: the cells' writes would otherwise make
  // the compiler store the totals after every cell.
  std::int32_t ValueChanges[2] = {};
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    for (int Way = 0; Way < 2; ++Way) {
      const int Step = Way == 0 ? -Steps[Direction] : Steps[Direction];
      for (int Distance = 1; Distance <= 4; ++Distance) {
        const int Near = Index + Distance * Step;
        TCell& Cell = FCells[Near];
        if (Cell.Stone == ccWall) break;
        // Taking a mark away subtracts what placing it added, which never
        // borrows from the other half.
        Cell.Keys[Direction] += static_cast<std::uint32_t>(Sign * NeighbourWeights[Way * 4 + Distance - 1]) * Unit;
        if (Cell.Stone == ccEmpty) {
          ValueChanges[0] += RefreshLine(Cell, 0, Direction);
          ValueChanges[1] += RefreshLine(Cell, 1, Direction);
        }
      }
    }
  }
  FTotalValues[0] += ValueChanges[0];
  FTotalValues[1] += ValueChanges[1];
}

void TExpertBoard::Refresh(int Index) {
  TCell& Cell = FCells[Index];
  for (int Side = 0; Side < 2; ++Side)
    for (int Direction = 0; Direction < DirectionCount; ++Direction)
      Cell.Lines[Side][Direction] = FPatterns[KeyOf(Cell, Side, Direction)];
  Judge(Cell);
}

// Cell is empty, so its threats and values are counted: only what changed
// is counted again. Returns the change of the cell's value, which the caller
// adds to the side's total.
inline std::int32_t TExpertBoard::RefreshLine(TCell& Cell, int Side, int Direction) {
  const TLinePattern Line = FPatterns[KeyOf(Cell, Side, Direction)];
  const TLinePattern Old = Cell.Lines[Side][Direction];
  if (Line == Old) return 0;
  Cell.Lines[Side][Direction] = Line;
  Cell.Tally[Side] = static_cast<std::uint16_t>(Cell.Tally[Side] + LineTallies[Line] - LineTallies[Old]);
  const TThreat Threat = ThreatsByTally[Cell.Tally[Side]];
  std::int32_t Change = LineValues[Line] - LineValues[Old];
  if (Threat != Cell.Threat[Side]) {
    Change += ThreatBonuses[Threat] - ThreatBonuses[Cell.Threat[Side]];
    --FThreatCounts[Side][Cell.Threat[Side]];
    ++FThreatCounts[Side][Threat];
    Cell.Threat[Side] = Threat;
  }
  Cell.Value[Side] += Change;
  return Change;
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
