// What one line through a candidate cell is worth to each side, looked up
// instead of judged row by row.
//
// A pattern row reaches at most four cells either way along the line, and on
// each side of the candidate a row can only use the cells before the first
// one that spoils every window reaching it: a mark of the other side or a
// cell beyond the edge. So for one side, half a line comes down to its reach
// (how many cells lie before that spoiler, at most four) and which of those
// cells hold its own marks: 31 states. Two half-line states make a key, and
// the table holds each key's score, worked out from the pattern rows.
#pragma once

#include <array>
#include <cstdint>

#include "Patterns.h"

namespace quintar {

// A half-line code describes the four cells on one side of the candidate as
// the line bit rows hold them: bits 0-3 mark crosses and bits 4-7 noughts, one
// bit per cell, and a cell beyond the edge has both its bits set. In a
// right-hand code bit 0 is the cell next to the candidate; in a left-hand code
// bit 3 is, bit 0 being the cell four steps away.
inline constexpr int HalfLineCodeCount = 256;

// Half-line state (reach r, own-mark bits b below 2^r) has index 2^r - 1 + b.
inline constexpr int HalfLineStateCount = 31;
inline constexpr int RightStateStride = 32;  // keys are left * 32 + right

// Both sides' keys for each code, packed with the crosses' key in the low 16
// bits and the noughts' in the high 16 bits. A left-hand code contributes its
// states times the stride and a right-hand code its states, so adding a left
// and a right entry gives both keys of a line at once; no part ever carries
// into the other.
struct THalfLineKeys {
  std::array<std::uint32_t, HalfLineCodeCount> Left;
  std::array<std::uint32_t, HalfLineCodeCount> Right;
};
extern const THalfLineKeys HalfLineKeys;

struct TLineScore {
  std::int32_t Cross;
  std::int32_t Nought;
};

// The line scores that a pattern table gives, for every key.
//
// It relies on the shape every pattern row has: a window of at most eight
// cells, from at most four cells before the candidate to at most four after
// it, and cell entries of 0 (empty) or 1 (own mark), never a mark of the
// other side. A row that asks for a mark on the candidate itself never
// matches, as the candidate is empty.
class TLineScoreTable {
 public:
  explicit TLineScoreTable(const TPattern* Patterns);

  TLineScore Score(unsigned LeftCode, unsigned RightCode) const {
    const std::uint32_t Keys = HalfLineKeys.Left[LeftCode] + HalfLineKeys.Right[RightCode];
    return {FScores[Keys & 0xFFFFu], FScores[Keys >> 16]};
  }
  // Whether some row matches a line that holds no mark at all within its
  // reach, so that even a cell far from every mark can score.
  bool ScoresLinesWithoutMarks() const { return FScoresLinesWithoutMarks; }
  // The most a line scores when at most one of the four cells next to the
  // candidate (two each way) holds an own mark. Most cells of a board scattered
  // with marks have only such lines.
  std::int32_t LineWithFewNearMarksMax() const { return FLineWithFewNearMarksMax; }

 private:
  bool AnyLineWithoutMarksScores() const;
  std::int32_t HighestWithFewNearMarks() const;

  std::array<std::int32_t, HalfLineStateCount * RightStateStride> FScores;
  bool FScoresLinesWithoutMarks;
  std::int32_t FLineWithFewNearMarksMax;
};

// Building a table costs a few thousand stores, more than the rest of a move
// on a small board, so the standard table's is built once. Returns it when
// Patterns holds exactly the standard rows (score, window and window cells),
// and null otherwise.
const TLineScoreTable* StandardLineScoresFor(const TPattern* Patterns);

}  // namespace quintar
