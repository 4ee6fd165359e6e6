#include "RandomPositions.h"

#include <algorithm>
#include <cstring>

namespace quintar {
namespace {

int Uniform(TRandom& Random, int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Random); }
bool Chance(TRandom& Random, double Probability) { return std::bernoulli_distribution(Probability)(Random); }

constexpr int StepCol[4] = {1, 0, 1, 1};
constexpr int StepRow[4] = {0, 1, 1, -1};

bool OnBoard(const TTestBoard& Board, int Col, int Row) {
  return Col >= 0 && Col < Board.ColCount() && Row >= 0 && Row < Board.RowCount();
}

// Whether Mark at (Col, Row) would make five or more in a row along a line.
bool CompletesFive(const TTestBoard& Board, int Col, int Row, int Mark) {
  for (int Direction = 0; Direction < 4; ++Direction) {
    int Run = 1;
    for (const int Sign : {-1, 1}) {
      for (int Step = 1;; ++Step) {
        const int C = Col + Sign * Step * StepCol[Direction];
        const int R = Row + Sign * Step * StepRow[Direction];
        if (!OnBoard(Board, C, R) || Board.At(C, R) != Mark) break;
        ++Run;
      }
    }
    if (Run >= 5) return true;
  }
  return false;
}

void ScatterMarks(TRandom& Random, TTestBoard& Board, double Density) {
  for (int Col = 0; Col < Board.ColCount(); ++Col)
    for (int Row = 0; Row < Board.RowCount(); ++Row)
      if (Chance(Random, Density)) Board.Put(Col, Row, Chance(Random, 0.5) ? 1 : -1);
}

// Lays a random threat of Side along a random line: four of five with one gap,
// an open four or three waiting for its last mark, or the split shape.
void PlantThreat(TRandom& Random, TTestBoard& Board, int Side) {
  static const char* const Shapes[] = {"XXXX.", "XX.XX", "X.XXX", ".XXX..", "..XX.", ".X.X.", "X.X.X.X"};
  const char* Shape = Shapes[Uniform(Random, 0, 6)];
  const int Length = static_cast<int>(std::strlen(Shape));
  const int Direction = Uniform(Random, 0, 3);
  const int Col = Uniform(Random, 0, Board.ColCount() - 1);
  const int Row = Uniform(Random, 0, Board.RowCount() - 1);
  const int EndCol = Col + (Length - 1) * StepCol[Direction];
  const int EndRow = Row + (Length - 1) * StepRow[Direction];
  if (!OnBoard(Board, EndCol, EndRow)) return;
  for (int I = 0; I < Length; ++I)
    Board.Put(Col + I * StepCol[Direction], Row + I * StepRow[Direction], Shape[I] == 'X' ? Side : 0);
}

}  // namespace

TTestBoard PlayedLookingBoard(TRandom& Random, int ColCount, int RowCount, int MarkCount) {
  TTestBoard Board(ColCount, RowCount);
  int Placed = 0;
  int Col = ColCount / 2;
  int Row = RowCount / 2;
  for (int Attempt = 0; Placed < MarkCount && Attempt < 50 * MarkCount; ++Attempt) {
    const int Mark = Placed % 2 == 0 ? 1 : -1;
    if (Board.At(Col, Row) == 0 && !CompletesFive(Board, Col, Row, Mark)) {
      Board.Put(Col, Row, Mark);
      ++Placed;
    }
    // Move on from a random mark of the board by up to two cells either way.
    int Next = Uniform(Random, 0, ColCount * RowCount - 1);
    while (Board.At(Next / RowCount, Next % RowCount) == 0) Next = (Next + 1) % (ColCount * RowCount);
    Col = std::clamp(Next / RowCount + Uniform(Random, -2, 2), 0, ColCount - 1);
    Row = std::clamp(Next % RowCount + Uniform(Random, -2, 2), 0, RowCount - 1);
  }
  return Board;
}

TTestBoard ScatteredBoard(TRandom& Random, int ColCount, int RowCount, int MarkCount) {
  TTestBoard Board(ColCount, RowCount);
  for (int Placed = 0; Placed < std::min(MarkCount, ColCount * RowCount);) {
    const int Col = Uniform(Random, 0, ColCount - 1);
    const int Row = Uniform(Random, 0, RowCount - 1);
    if (Board.At(Col, Row) != 0) continue;
    Board.Put(Col, Row, Placed % 2 == 0 ? 1 : -1);
    ++Placed;
  }
  return Board;
}

TRandomPosition RandomPosition(TRandom& Random, int MinSide, int MaxSide) {
  const int ColCount = Uniform(Random, MinSide, MaxSide);
  const int RowCount = Chance(Random, 1.0 / 3) ? ColCount : Uniform(Random, MinSide, MaxSide);
  const int Cells = ColCount * RowCount;
  TTestBoard Board(ColCount, RowCount);
  switch (Uniform(Random, 0, 5)) {
    case 0: break;  // empty
    case 1: Board = PlayedLookingBoard(Random, ColCount, RowCount, Uniform(Random, 1, 12)); break;
    case 2: Board = PlayedLookingBoard(Random, ColCount, RowCount, Uniform(Random, 1, Cells / 3)); break;
    case 3: ScatterMarks(Random, Board, 0.05); break;
    case 4: ScatterMarks(Random, Board, 0.4); break;
    default: ScatterMarks(Random, Board, Chance(Random, 0.2) ? 1.0 : 0.85); break;
  }
  const int Threats = Uniform(Random, 0, 3);
  for (int I = 0; I < Threats; ++I) PlantThreat(Random, Board, Chance(Random, 0.5) ? 1 : -1);
  const TStrength Strengths[] = {stLow, stMedium, stHigh};
  return {Board, Chance(Random, 0.5) ? 1 : -1, Strengths[Uniform(Random, 0, 2)]};
}

TPatternTable RandomPatternTable(TRandom& Random) {
  TPatternTable Table{};
  for (TPattern& Row : Table) {
    Row.Lo = -Uniform(Random, 0, 4);
    Row.Hi = Uniform(Random, 0, std::min(4, 7 + Row.Lo));  // at most the eight cells a row holds
    Row.Score = Uniform(Random, 1, 600000);
    const double OwnMarkChance = Chance(Random, 0.03) ? 0.0 : Uniform(Random, 1, 3) / 4.0;
    for (int Cell = 0; Cell <= Row.Hi - Row.Lo; ++Cell) Row.Cells[Cell] = Chance(Random, OwnMarkChance) ? 1 : 0;
    if (Chance(Random, 0.8)) Row.Cells[-Row.Lo] = 0;
  }
  return Table;
}

}  // namespace quintar
