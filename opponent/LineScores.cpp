#include "LineScores.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

namespace quintar {
namespace {

constexpr int MaxReach = 4;
constexpr unsigned NoSpoilerWithinReach = 1u << MaxReach;

constexpr int StateIndex(int Reach, unsigned Own) { return (1 << Reach) - 1 + static_cast<int>(Own); }

// Own and Spoilers hold one bit per cell, the cell next to the candidate in
// bit 0. Own marks at or past the first spoiler cannot matter.
constexpr int StateOf(unsigned Own, unsigned Spoilers) {
  const int Reach = std::countr_zero(Spoilers | NoSpoilerWithinReach);
  return StateIndex(Reach, Own & ((1u << Reach) - 1));
}

constexpr unsigned ReversedNibble(unsigned Nibble) {
  return ((Nibble & 1u) << 3) | ((Nibble & 2u) << 1) | ((Nibble & 4u) >> 1) | ((Nibble & 8u) >> 3);
}

// A cell beyond the edge carries both sides' bits, so for either side it is
// a spoiler and never an own mark.
constexpr std::uint32_t PackedKeys(int CrossKey, int NoughtKey) {
  return static_cast<std::uint32_t>(CrossKey) | static_cast<std::uint32_t>(NoughtKey) << 16;
}

constexpr THalfLineKeys MakeHalfLineKeys() {
  THalfLineKeys Keys{};
  for (unsigned Code = 0; Code < HalfLineCodeCount; ++Code) {
    const unsigned Crosses = Code & 15u;
    const unsigned Noughts = Code >> 4;
    const unsigned OwnCrosses = Crosses & ~Noughts;
    const unsigned OwnNoughts = Noughts & ~Crosses;
    Keys.Right[Code] = PackedKeys(StateOf(OwnCrosses, Noughts), StateOf(OwnNoughts, Crosses));
    Keys.Left[Code] = PackedKeys(RightStateStride * StateOf(ReversedNibble(OwnCrosses), ReversedNibble(Noughts)),
                                 RightStateStride * StateOf(ReversedNibble(OwnNoughts), ReversedNibble(Crosses)));
  }
  return Keys;
}

// What a pattern row asks on one side of the candidate: Length cells, bit
// k - 1 of Own set when the cell k steps away must hold an own mark.
struct THalfRequirement {
  int Length;
  unsigned Own;
};

THalfRequirement RequirementOnSide(const TPattern& Row, int Direction) {
  const int Length = Direction < 0 ? -Row.Lo : Row.Hi;
  unsigned Own = 0;
  for (int Step = 1; Step <= Length; ++Step)
    if (Row.Cells[-Row.Lo + Direction * Step] == 1) Own |= 1u << (Step - 1);
  return {Length, Own};
}

// Lists every half-line state that meets the requirement: enough reach, and
// own marks exactly where the row wants them; cells further out may hold
// anything. Returns how many there are.
int StatesMeeting(THalfRequirement Requirement, int (&States)[HalfLineStateCount]) {
  int Count = 0;
  for (int Reach = Requirement.Length; Reach <= MaxReach; ++Reach) {
    const unsigned FreeCells = 1u << (Reach - Requirement.Length);
    for (unsigned Free = 0; Free < FreeCells; ++Free)
      States[Count++] = StateIndex(Reach, Requirement.Own | (Free << Requirement.Length));
  }
  return Count;
}

}  // namespace

constexpr THalfLineKeys HalfLineKeys = MakeHalfLineKeys();

// Rows are laid down in table order and each overwrites the keys it matches,
// so every key ends with the score of the last row that matches it.
TLineScoreTable::TLineScoreTable(const TPattern* Patterns) {
  FScores.fill(0);
  int LeftStates[HalfLineStateCount];
  int RightStates[HalfLineStateCount];
  for (int P = 0; P < PatternCount; ++P) {
    const TPattern& Row = Patterns[P];
    if (Row.Cells[-Row.Lo] != 0) continue;
    const int LeftCount = StatesMeeting(RequirementOnSide(Row, -1), LeftStates);
    const int RightCount = StatesMeeting(RequirementOnSide(Row, +1), RightStates);
    for (int L = 0; L < LeftCount; ++L) {
      std::int32_t* Keys = &FScores[LeftStates[L] * RightStateStride];
      for (int R = 0; R < RightCount; ++R) Keys[RightStates[R]] = Row.Score;
    }
  }
  FScoresLinesWithoutMarks = AnyLineWithoutMarksScores();
  FLineWithFewNearMarksMax = HighestWithFewNearMarks();
}

bool TLineScoreTable::AnyLineWithoutMarksScores() const {
  for (int LeftReach = 0; LeftReach <= MaxReach; ++LeftReach)
    for (int RightReach = 0; RightReach <= MaxReach; ++RightReach)
      if (FScores[StateIndex(LeftReach, 0) * RightStateStride + StateIndex(RightReach, 0)] != 0) return true;
  return false;
}

std::int32_t TLineScoreTable::HighestWithFewNearMarks() const {
  std::int32_t Highest = 0;
  for (int LeftReach = 0; LeftReach <= MaxReach; ++LeftReach)
    for (unsigned LeftOwn = 0; LeftOwn < (1u << LeftReach); ++LeftOwn)
      for (int RightReach = 0; RightReach <= MaxReach; ++RightReach)
        for (unsigned RightOwn = 0; RightOwn < (1u << RightReach); ++RightOwn)
          if (std::popcount(LeftOwn & 3u) + std::popcount(RightOwn & 3u) <= 1)
            Highest = std::max(
                Highest, FScores[StateIndex(LeftReach, LeftOwn) * RightStateStride + StateIndex(RightReach, RightOwn)]);
  return Highest;
}

namespace {

struct TStandardTable {
  std::array<TPattern, PatternCount> Rows;
  TLineScoreTable Scores;
};

const TStandardTable& StandardTable() {
  static const TStandardTable Table = [] {
    std::array<TPattern, PatternCount> Rows{};
    FillPatternTable(Rows.data());
    return TStandardTable{Rows, TLineScoreTable(Rows.data())};
  }();
  return Table;
}

bool SameRow(const TPattern& Row, const TPattern& Standard) {
  return Row.Score == Standard.Score && Row.Lo == Standard.Lo && Row.Hi == Standard.Hi &&
         std::equal(Row.Cells, Row.Cells + (Row.Hi - Row.Lo + 1), Standard.Cells);
}

}  // namespace

// A table filled the standard way on zeroed storage is the standard table
// byte for byte, which one comparison of the whole table confirms; a table
// with other bytes in cells no row uses is then compared row by row.
const TLineScoreTable* StandardLineScoresFor(const TPattern* Patterns) {
  const TStandardTable& Standard = StandardTable();
  static_assert(sizeof(TPattern) == (3 + std::size(TPattern{}.Cells)) * sizeof(std::int32_t), "rows have no padding");
  if (std::memcmp(Patterns, Standard.Rows.data(), sizeof(Standard.Rows)) == 0) return &Standard.Scores;
  for (int P = 0; P < PatternCount; ++P)
    if (!SameRow(Patterns[P], Standard.Rows[P])) return nullptr;
  return &Standard.Scores;
}

}  // namespace quintar
