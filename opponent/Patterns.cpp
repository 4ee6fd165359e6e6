#include "Patterns.h"

#include <algorithm>
#include <initializer_list>

namespace quintar {
namespace {

// Writes a row's score, window and the cells it asks for, and nothing else:
// the entries past the window keep whatever the table held before.
void WriteRow(TPattern& Row, std::int32_t Score, std::int32_t Lo, std::int32_t Hi,
              std::initializer_list<std::int32_t> Cells) {
  Row.Score = Score;
  Row.Lo = Lo;
  Row.Hi = Hi;
  std::copy(Cells.begin(), Cells.end(), Row.Cells);
}

// One initialiser per window length, so each row states exactly as many cells
// as its window holds.
void Pattern5(TPattern& Row, std::int32_t Score, std::int32_t Lo, std::int32_t Hi, std::int32_t C0, std::int32_t C1,
              std::int32_t C2, std::int32_t C3, std::int32_t C4) {
  WriteRow(Row, Score, Lo, Hi, {C0, C1, C2, C3, C4});
}

void Pattern6(TPattern& Row, std::int32_t Score, std::int32_t Lo, std::int32_t Hi, std::int32_t C0, std::int32_t C1,
              std::int32_t C2, std::int32_t C3, std::int32_t C4, std::int32_t C5) {
  WriteRow(Row, Score, Lo, Hi, {C0, C1, C2, C3, C4, C5});
}

void Pattern7(TPattern& Row, std::int32_t Score, std::int32_t Lo, std::int32_t Hi, std::int32_t C0, std::int32_t C1,
              std::int32_t C2, std::int32_t C3, std::int32_t C4, std::int32_t C5, std::int32_t C6) {
  WriteRow(Row, Score, Lo, Hi, {C0, C1, C2, C3, C4, C5, C6});
}

void Pattern8(TPattern& Row, std::int32_t Score, std::int32_t Lo, std::int32_t Hi, std::int32_t C0, std::int32_t C1,
              std::int32_t C2, std::int32_t C3, std::int32_t C4, std::int32_t C5, std::int32_t C6, std::int32_t C7) {
  WriteRow(Row, Score, Lo, Hi, {C0, C1, C2, C3, C4, C5, C6, C7});
}

}  // namespace

// Rows run from the weakest threat to the strongest, so the last row that
// matches along a line is also its best. The picture after each row shows the
// window: X an own mark, . an empty cell, ? the candidate.
void FillPatternTable(TPattern* Table) {
  TPattern* Row = Table;

  // A single own mark somewhere in a five-cell window.
  Pattern5(*Row++, 100, -1, 3, 1, 0, 0, 0, 0);  // X?...
  Pattern5(*Row++, 100, -2, 2, 1, 0, 0, 0, 0);  // X.?..
  Pattern5(*Row++, 100, -3, 1, 1, 0, 0, 0, 0);  // X..?.
  Pattern5(*Row++, 100, -4, 0, 1, 0, 0, 0, 0);  // X...?
  Pattern5(*Row++, 100, 0, 4, 0, 1, 0, 0, 0);   // ?X...
  Pattern5(*Row++, 100, -2, 2, 0, 1, 0, 0, 0);  // .X?..
  Pattern5(*Row++, 100, -3, 1, 0, 1, 0, 0, 0);  // .X.?.
  Pattern5(*Row++, 100, -4, 0, 0, 1, 0, 0, 0);  // .X..?
  Pattern5(*Row++, 100, 0, 4, 0, 0, 1, 0, 0);   // ?.X..
  Pattern5(*Row++, 100, -1, 3, 0, 0, 1, 0, 0);  // .?X..
  Pattern5(*Row++, 100, -3, 1, 0, 0, 1, 0, 0);  // ..X?.
  Pattern5(*Row++, 100, -4, 0, 0, 0, 1, 0, 0);  // ..X.?
  Pattern5(*Row++, 100, 0, 4, 0, 0, 0, 1, 0);   // ?..X.
  Pattern5(*Row++, 100, -1, 3, 0, 0, 0, 1, 0);  // .?.X.
  Pattern5(*Row++, 100, -2, 2, 0, 0, 0, 1, 0);  // ..?X.
  Pattern5(*Row++, 100, -4, 0, 0, 0, 0, 1, 0);  // ...X?
  Pattern5(*Row++, 100, 0, 4, 0, 0, 0, 0, 1);   // ?...X
  Pattern5(*Row++, 100, -1, 3, 0, 0, 0, 0, 1);  // .?..X
  Pattern5(*Row++, 100, -2, 2, 0, 0, 0, 0, 1);  // ..?.X
  Pattern5(*Row++, 100, -3, 1, 0, 0, 0, 0, 1);  // ...?X

  // A mark right beside the candidate with room to grow on both sides.
  Pattern8(*Row++, 8500, -4, 3, 0, 0, 0, 1, 0, 0, 0, 0);  // ...X?...
  Pattern8(*Row++, 8500, -3, 4, 0, 0, 0, 0, 1, 0, 0, 0);  // ...?X...

  // Four of five after the move, with one gap left to fill.
  Pattern5(*Row++, 34100, -1, 3, 0, 0, 1, 1, 1);  // .?XXX
  Pattern5(*Row++, 34100, -2, 2, 0, 1, 0, 1, 1);  // .X?XX
  Pattern5(*Row++, 34100, -3, 1, 0, 1, 1, 0, 1);  // .XX?X
  Pattern5(*Row++, 34100, -4, 0, 0, 1, 1, 1, 0);  // .XXX?
  Pattern5(*Row++, 34100, 0, 4, 0, 0, 1, 1, 1);   // ?.XXX
  Pattern5(*Row++, 34100, -2, 2, 1, 0, 0, 1, 1);  // X.?XX
  Pattern5(*Row++, 34100, -3, 1, 1, 0, 1, 0, 1);  // X.X?X
  Pattern5(*Row++, 34100, -4, 0, 1, 0, 1, 1, 0);  // X.XX?
  Pattern5(*Row++, 34100, 0, 4, 0, 1, 0, 1, 1);   // ?X.XX
  Pattern5(*Row++, 34100, -1, 3, 1, 0, 0, 1, 1);  // X?.XX
  Pattern5(*Row++, 34100, -3, 1, 1, 1, 0, 0, 1);  // XX.?X
  Pattern5(*Row++, 34100, -4, 0, 1, 1, 0, 1, 0);  // XX.X?
  Pattern5(*Row++, 34100, 0, 4, 0, 1, 1, 0, 1);   // ?XX.X
  Pattern5(*Row++, 34100, -1, 3, 1, 0, 1, 0, 1);  // X?X.X
  Pattern5(*Row++, 34100, -2, 2, 1, 1, 0, 0, 1);  // XX?.X
  Pattern5(*Row++, 34100, -4, 0, 1, 1, 1, 0, 0);  // XXX.?
  Pattern5(*Row++, 34100, -3, 1, 1, 1, 1, 0, 0);  // XXX?.
  Pattern5(*Row++, 34100, -2, 2, 1, 1, 0, 1, 0);  // XX?X.
  Pattern5(*Row++, 34100, -1, 3, 1, 0, 1, 1, 0);  // X?XX.
  Pattern5(*Row++, 34100, 0, 4, 0, 1, 1, 1, 0);   // ?XXX.

  // An open three: three in a row with both ends free.
  Pattern5(*Row++, 136500, -3, 1, 0, 1, 1, 0, 0);  // .XX?.
  Pattern5(*Row++, 136500, -2, 2, 0, 1, 0, 1, 0);  // .X?X.
  Pattern5(*Row++, 136500, -1, 3, 0, 0, 1, 1, 0);  // .?XX.

  // An open four, which can no longer be stopped, and the split shape that
  // makes five in two ways at once.
  Pattern6(*Row++, 546100, -4, 1, 0, 1, 1, 1, 0, 0);     // .XXX?.
  Pattern6(*Row++, 546100, -3, 2, 0, 1, 1, 0, 1, 0);     // .XX?X.
  Pattern6(*Row++, 546100, -2, 3, 0, 1, 0, 1, 1, 0);     // .X?XX.
  Pattern6(*Row++, 546100, -1, 4, 0, 0, 1, 1, 1, 0);     // .?XXX.
  Pattern7(*Row++, 546100, -3, 3, 1, 0, 1, 0, 1, 0, 1);  // X.X?X.X

  // Five in a row.
  Pattern5(*Row++, 2184600, -4, 0, 1, 1, 1, 1, 0);  // XXXX?
  Pattern5(*Row++, 2184600, -3, 1, 1, 1, 1, 0, 1);  // XXX?X
  Pattern5(*Row++, 2184600, -2, 2, 1, 1, 0, 1, 1);  // XX?XX
  Pattern5(*Row++, 2184600, -1, 3, 1, 0, 1, 1, 1);  // X?XXX
  Pattern5(*Row++, 2184600, 0, 4, 0, 1, 1, 1, 1);   // ?XXXX
}

}  // namespace quintar
