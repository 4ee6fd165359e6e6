#include "LinePatterns.h"

#include <algorithm>
#include <array>

namespace quintar::expert {
namespace {

// One side's view of a window of nine cells, the candidate in the middle and
// already holding the side's mark.
constexpr int WindowSize = 9;
constexpr int Middle = 4;
using TWindow = std::array<TNeighbour, WindowSize>;

int RunThroughMiddle(const TWindow& Window) {
  int Run = 1;
  for (int Cell = Middle - 1; Cell >= 0 && Window[Cell] == nbOwn; --Cell) ++Run;
  for (int Cell = Middle + 1; Cell < WindowSize && Window[Cell] == nbOwn; ++Cell) ++Run;
  return Run;
}

// One move further from a five: a flexible four's neighbour is a flexible
// three, a four's a three, and so on; nothing below one.
TLinePattern OneMoveWeaker(TLinePattern Pattern) {
  return Pattern >= lpBlock2 ? static_cast<TLinePattern>(Pattern - 2) : lpNone;
}

int KeyOf(const TWindow& Window) {
  int Key = 0;
  for (int Cell = 0; Cell < WindowSize; ++Cell)
    if (Cell != Middle) Key += static_cast<int>(Window[Cell]) * NeighbourWeight(Cell - Middle);
  return Key;
}

TWindow WindowOf(int Key) {
  TWindow Window;
  Window[Middle] = nbOwn;
  for (int Cell = 0; Cell < WindowSize; ++Cell)
    if (Cell != Middle) Window[Cell] = static_cast<TNeighbour>(Key / NeighbourWeight(Cell - Middle) % 3);
  return Window;
}

class TPatternTable {
 public:
  TPatternTable() {
    FKnown.fill(false);
    for (int Key = 0; Key < NeighbourKeyCount; ++Key) {
      TWindow Window = WindowOf(Key);
      Rank(Window);
    }
  }
  const TLinePattern* Patterns() const { return FPatterns.data(); }

 private:
  TLinePattern Rank(TWindow& Window) {
    const int Key = KeyOf(Window);
    if (!FKnown[Key]) {
      FPatterns[Key] = Judge(Window);
      FKnown[Key] = true;
    }
    return FPatterns[Key];
  }

  // Placing the side's marks on the empty cells one at a time shows how far
  // the window is from a five.
  TLinePattern Judge(TWindow& Window) {
    if (RunThroughMiddle(Window) >= 5) return lpFive;
    int FiveCells = 0;
    ForEachEmptyCell(Window, [&] { FiveCells += RunThroughMiddle(Window) >= 5; });
    if (FiveCells > 0) return FiveCells >= 2 ? lpFlex4 : lpBlock4;
    TLinePattern Best = lpNone;
    ForEachEmptyCell(Window, [&] { Best = std::max(Best, OneMoveWeaker(Rank(Window))); });
    return Best;
  }

  // Calls Visit with each empty cell of the window in turn taken by the side.
  template <typename TVisit>
  static void ForEachEmptyCell(TWindow& Window, TVisit&& Visit) {
    for (int Cell = 0; Cell < WindowSize; ++Cell) {
      if (Window[Cell] != nbEmpty) continue;
      Window[Cell] = nbOwn;
      Visit();
      Window[Cell] = nbEmpty;
    }
  }

  std::array<TLinePattern, NeighbourKeyCount> FPatterns;
  std::array<bool, NeighbourKeyCount> FKnown;
};

}  // namespace

const TLinePattern* LinePatternTable() {
  static const TPatternTable Table;
  return Table.Patterns();
}

}  // namespace quintar::expert
