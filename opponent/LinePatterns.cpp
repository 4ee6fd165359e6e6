#include "opponent/LinePatterns.h"

#include <algorithm>
#include <array>
#include <memory>

namespace quintar::expert {
namespace {

// One side's view of a window of nine cells, the candidate in the middle and
// already holding the side's mark.
enum TWindowCell : std::uint8_t { wcEmpty, wcOwn, wcBlocked };
constexpr int WindowSize = 9;
constexpr int Middle = 4;
using TWindow = std::array<TWindowCell, WindowSize>;

int RunThroughMiddle(const TWindow& Window) {
  int Run = 1;
  for (int Cell = Middle - 1; Cell >= 0 && Window[Cell] == wcOwn; --Cell) ++Run;
  for (int Cell = Middle + 1; Cell < WindowSize && Window[Cell] == wcOwn; ++Cell) ++Run;
  return Run;
}

// One move further from a five: a flexible four's neighbour is a flexible
// three, a four's a three, and so on; nothing below one.
TLinePattern OneMoveWeaker(TLinePattern Pattern) {
  return Pattern >= lpBlock2 ? static_cast<TLinePattern>(Pattern - 2) : lpNone;
}

// Windows are numbered by their eight outer cells in base 3.
constexpr int WindowCount = 6561;

int WindowIndex(const TWindow& Window) {
  int Index = 0;
  for (int Cell = WindowSize - 1; Cell >= 0; --Cell)
    if (Cell != Middle) Index = Index * 3 + Window[Cell];
  return Index;
}

class TWindowRanks {
 public:
  TWindowRanks() { FKnown.fill(false); }

  TLinePattern Rank(TWindow& Window) {
    const int Index = WindowIndex(Window);
    if (!FKnown[Index]) {
      FRanks[Index] = Judge(Window);
      FKnown[Index] = true;
    }
    return FRanks[Index];
  }

 private:
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
      if (Window[Cell] != wcEmpty) continue;
      Window[Cell] = wcOwn;
      Visit();
      Window[Cell] = wcEmpty;
    }
  }

  std::array<TLinePattern, WindowCount> FRanks;
  std::array<bool, WindowCount> FKnown;
};

TWindow WindowFor(std::uint16_t Key, unsigned Own) {
  TWindow Window;
  Window[Middle] = wcOwn;
  for (int Offset = -4; Offset <= 4; ++Offset) {
    if (Offset == 0) continue;
    const unsigned Neighbour = (Key >> (2 * NeighbourSlot(Offset))) & 3u;
    Window[Middle + Offset] = Neighbour == nbEmpty ? wcEmpty : Neighbour == Own ? wcOwn : wcBlocked;
  }
  return Window;
}

using TPatternTable = std::array<TLinePatterns, NeighbourKeyCount>;

std::unique_ptr<const TPatternTable> BuildTable() {
  auto Table = std::make_unique<TPatternTable>();
  TWindowRanks Ranks;
  for (unsigned Key = 0; Key < NeighbourKeyCount; ++Key) {
    TWindow Cross = WindowFor(static_cast<std::uint16_t>(Key), nbCross);
    TWindow Nought = WindowFor(static_cast<std::uint16_t>(Key), nbNought);
    (*Table)[Key] = {Ranks.Rank(Cross), Ranks.Rank(Nought)};
  }
  return Table;
}

}  // namespace

const TLinePatterns* LinePatternTable() {
  static const std::unique_ptr<const TPatternTable> Table = BuildTable();
  return Table->data();
}

}  // namespace quintar::expert
