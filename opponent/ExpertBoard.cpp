#include "opponent/ExpertBoard.h"

#include <algorithm>

namespace quintar::expert {
namespace {

// What a line pattern is worth to the side that can play it, and what a
// threat adds to the cell beyond its lines: a guide for move ordering and
// the sum the evaluation compares.
constexpr std::int32_t LineValues[LinePatternCount] = {0, 1, 4, 8, 24, 30, 100, 120, 500, 3000};
constexpr std::int32_t ThreatBonuses[ThreatKinds] = {0, 0, 400, 0, 1000, 2000, 5000};

TThreat ThreatOf(const TLinePattern (&Lines)[DirectionCount]) {
  int Fives = 0;
  int FlexFours = 0;
  int Fours = 0;
  int Threes = 0;
  for (const TLinePattern Line : Lines) {
    Fives += Line == lpFive;
    FlexFours += Line == lpFlex4;
    Fours += Line == lpBlock4;
    Threes += Line == lpFlex3;
  }
  if (Fives > 0) return thFive;
  if (FlexFours > 0 || Fours >= 2) return thFlexFour;
  if (Fours > 0) return Threes > 0 ? thFourThree : thFour;
  if (Threes > 0) return Threes >= 2 ? thDoubleThree : thThree;
  return thNone;
}

std::int32_t ValueOf(const TLinePattern (&Lines)[DirectionCount], TThreat Threat) {
  std::int32_t Value = ThreatBonuses[Threat];
  for (const TLinePattern Line : Lines) Value += LineValues[Line];
  return Value;
}

// A cell's four line patterns for one side, as one number: the index of its
// threat and value in the table below.
int LinesKey(const TLinePattern (&Lines)[DirectionCount]) {
  return Lines[0] + LinePatternCount * (Lines[1] + LinePatternCount * (Lines[2] + LinePatternCount * Lines[3]));
}
constexpr int LinesKeyCount = LinePatternCount * LinePatternCount * LinePatternCount * LinePatternCount;

// Judging a cell is the commonest step of a search, so every combination of
// line patterns is judged once, up front.
const TJudgement* Judgements() {
  static const std::vector<TJudgement> Table = [] {
    std::vector<TJudgement> Judged(LinesKeyCount);
    TLinePattern Lines[DirectionCount];
    for (int Key = 0; Key < LinesKeyCount; ++Key) {
      for (int Direction = 0, Rest = Key; Direction < DirectionCount; ++Direction, Rest /= LinePatternCount)
        Lines[Direction] = static_cast<TLinePattern>(Rest % LinePatternCount);
      const TThreat Threat = ThreatOf(Lines);
      Judged[Key] = {Threat, ValueOf(Lines, Threat)};
    }
    return Judged;
  }();
  return Table.data();
}

// Fixed random keys for hashing positions, the same in every run so that
// searches repeat.
const std::uint64_t* HashKeys() {
  static const std::vector<std::uint64_t> Keys = [] {
    std::vector<std::uint64_t> Generated(2 * TExpertBoard::IndexCount);
    std::uint64_t State = 0x51A7E5C0FFEEULL;
    for (std::uint64_t& Key : Generated) {
      // splitmix64
      State += 0x9E3779B97F4A7C15ULL;
      std::uint64_t Mixed = State;
      Mixed = (Mixed ^ (Mixed >> 30)) * 0xBF58476D1CE4E5B9ULL;
      Mixed = (Mixed ^ (Mixed >> 27)) * 0x94D049BB133111EBULL;
      Key = Mixed ^ (Mixed >> 31);
    }
    return Generated;
  }();
  return Keys.data();
}

}  // namespace

TExpertBoard::TExpertBoard() : FPatterns(LinePatternTable()), FJudgements(Judgements()), FCells(IndexCount) {
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
  const TCell Wall = {nbWall, 0, {}, {}, {}, {}};
  std::fill(FCells.begin(), FCells.end(), Wall);
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) FCells[IndexOf(Col, Row)].Stone = nbEmpty;
  for (int Col = 0; Col < FColCount; ++Col) {
    for (int Row = 0; Row < FRowCount; ++Row) {
      const int Index = IndexOf(Col, Row);
      TCell& Cell = FCells[Index];
      for (int Direction = 0; Direction < DirectionCount; ++Direction)
        for (int Offset = -4; Offset <= 4; ++Offset)
          if (Offset != 0 && FCells[Index + Offset * Steps[Direction]].Stone == nbWall)
            Cell.Keys[Direction] |= static_cast<std::uint16_t>(NeighbourBits(Offset, nbWall));
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
      if (FCells[Index].Stone == nbEmpty && FCells[Index].Threat[Side] >= AtLeast) return Index;
  return NoCell;
}

int TExpertBoard::FiveCellNear(int Side, int Index) const {
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    for (const int Sign : {-1, 1}) {
      for (int Distance = 1; Distance <= 4; ++Distance) {
        const int Near = Index + Sign * Distance * Steps[Direction];
        if (FCells[Near].Stone == nbWall) break;
        if (FCells[Near].Stone == nbEmpty && FCells[Near].Threat[Side] == thFive) return Near;
      }
    }
  }
  return NoCell;
}

void TExpertBoard::Play(int Index, int Side) {
  FPlayed.push_back({Index, FBox});
  Count(Index, -1);
  FCells[Index].Stone = static_cast<std::uint8_t>(nbCross + Side);
  --FEmptyCount;
  FHash ^= HashKeys()[Side * IndexCount + Index];
  const int Col = ColOf(Index);
  const int Row = RowOf(Index);
  FBox = {std::min(FBox.MinCol, Col), std::max(FBox.MaxCol, Col), std::min(FBox.MinRow, Row),
          std::max(FBox.MaxRow, Row)};
  AddNear(Index, +1);
  SetNeighbour(Index, nbCross + Side, true);
}

void TExpertBoard::Undo() {
  const TPlayed Last = FPlayed.back();
  FPlayed.pop_back();
  TCell& Cell = FCells[Last.Index];
  const unsigned Stone = Cell.Stone;
  Cell.Stone = nbEmpty;
  ++FEmptyCount;
  FHash ^= HashKeys()[(Stone - nbCross) * IndexCount + Last.Index];
  FBox = Last.Box;
  AddNear(Last.Index, -1);
  SetNeighbour(Last.Index, Stone, false);
  // Its lines were left alone while it was taken.
  Refresh(Last.Index);
  Count(Last.Index, +1);
}

void TExpertBoard::AddNear(int Index, int Delta) {
  for (int Col = -2; Col <= 2; ++Col)
    for (int Row = -2; Row <= 2; ++Row) FCells[Index + Col * Stride + Row].Near += static_cast<std::uint8_t>(Delta);
}

// Tells the cells up to four steps away along each line what Index now holds;
// only the empty ones work out their patterns again.
void TExpertBoard::SetNeighbour(int Index, unsigned Neighbour, bool Placing) {
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    for (const int Sign : {-1, 1}) {
      for (int Distance = 1; Distance <= 4; ++Distance) {
        const int Near = Index + Sign * Distance * Steps[Direction];
        TCell& Cell = FCells[Near];
        if (Cell.Stone == nbWall) break;
        const auto Bits = static_cast<std::uint16_t>(NeighbourBits(-Sign * Distance, Neighbour));
        Cell.Keys[Direction] = Placing ? Cell.Keys[Direction] | Bits : Cell.Keys[Direction] & ~Bits;
        if (Cell.Stone == nbEmpty) RefreshLine(Near, Direction);
      }
    }
  }
}

void TExpertBoard::Refresh(int Index) {
  TCell& Cell = FCells[Index];
  for (int Direction = 0; Direction < DirectionCount; ++Direction) {
    const TLinePatterns Patterns = FPatterns[Cell.Keys[Direction]];
    Cell.Lines[0][Direction] = Patterns.Cross;
    Cell.Lines[1][Direction] = Patterns.Nought;
  }
  Judge(Cell);
}

// Index is empty, so its threats and values are counted: only what changed
// is counted again.
void TExpertBoard::RefreshLine(int Index, int Direction) {
  TCell& Cell = FCells[Index];
  const TLinePatterns Patterns = FPatterns[Cell.Keys[Direction]];
  if (Patterns.Cross == Cell.Lines[0][Direction] && Patterns.Nought == Cell.Lines[1][Direction]) return;
  Cell.Lines[0][Direction] = Patterns.Cross;
  Cell.Lines[1][Direction] = Patterns.Nought;
  for (int Side = 0; Side < 2; ++Side) {
    const TJudgement& Judgement = FJudgements[LinesKey(Cell.Lines[Side])];
    --FThreatCounts[Side][Cell.Threat[Side]];
    ++FThreatCounts[Side][Judgement.Threat];
    FTotalValues[Side] += Judgement.Value - Cell.Value[Side];
    Cell.Threat[Side] = Judgement.Threat;
    Cell.Value[Side] = Judgement.Value;
  }
}

void TExpertBoard::Judge(TCell& Cell) const {
  for (int Side = 0; Side < 2; ++Side) {
    const TJudgement& Judgement = FJudgements[LinesKey(Cell.Lines[Side])];
    Cell.Threat[Side] = Judgement.Threat;
    Cell.Value[Side] = Judgement.Value;
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
