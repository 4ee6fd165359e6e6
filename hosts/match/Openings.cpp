#include "Openings.h"

#include <algorithm>
#include <random>

#include "MatchBoard.h"

namespace quintar::match {
namespace {

constexpr int MinMarks = 2;
constexpr int MaxMarks = 6;
// Marks fall within this many cells of the centre, in columns and rows.
constexpr int Spread = 3;

int Uniform(std::mt19937_64& Random, int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Random); }

std::vector<TCell> Scatter(std::mt19937_64& Random, int ColCount, int RowCount) {
  const int Count = Uniform(Random, MinMarks, MaxMarks);
  std::vector<TCell> Marks;
  while (static_cast<int>(Marks.size()) < Count) {
    const TCell Cell = {std::clamp(ColCount / 2 + Uniform(Random, -Spread, Spread), 0, ColCount - 1),
                        std::clamp(RowCount / 2 + Uniform(Random, -Spread, Spread), 0, RowCount - 1)};
    const bool Taken = std::any_of(Marks.begin(), Marks.end(),
                                   [&](const TCell& Mark) { return Mark.Col == Cell.Col && Mark.Row == Cell.Row; });
    if (!Taken) Marks.push_back(Cell);
  }
  return Marks;
}

}  // namespace

bool OneSideCloseToFour(const std::vector<TCell>& Marks, int ColCount, int RowCount) {
  TMatchBoard Board(ColCount, RowCount);
  for (const TCell& Mark : Marks) Board.Play(Mark.Col, Mark.Row);
  static constexpr int Steps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  for (int Col = 0; Col < ColCount; ++Col) {
    for (int Row = 0; Row < RowCount; ++Row) {
      for (const auto& Step : Steps) {
        const int EndCol = Col + 4 * Step[0];
        const int EndRow = Row + 4 * Step[1];
        if (EndCol < 0 || EndCol >= ColCount || EndRow < 0 || EndRow >= RowCount) continue;
        int Crosses = 0;
        int Noughts = 0;
        for (int I = 0; I < 5; ++I) {
          const int Mark = Board.At(Col + I * Step[0], Row + I * Step[1]);
          Crosses += Mark == 1;
          Noughts += Mark == -1;
        }
        if ((Crosses >= 3 && Noughts == 0) || (Noughts >= 3 && Crosses == 0)) return true;
      }
    }
  }
  return false;
}

std::vector<TCell> RandomOpening(std::uint64_t Seed, int Number, int ColCount, int RowCount) {
  std::seed_seq Sequence = {static_cast<std::uint32_t>(Seed), static_cast<std::uint32_t>(Seed >> 32),
                            static_cast<std::uint32_t>(Number), 0x09E7u};
  std::mt19937_64 Random(Sequence);
  for (;;) {
    std::vector<TCell> Marks = Scatter(Random, ColCount, RowCount);
    if (!OneSideCloseToFour(Marks, ColCount, RowCount)) return Marks;
  }
}

}  // namespace quintar::match
