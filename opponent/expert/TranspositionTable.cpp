#include "TranspositionTable.h"

namespace quintar::expert {

TTranspositionTable::TTranspositionTable(int Bits)
    : FEntries(std::size_t{1} << Bits), FMask((std::uint64_t{1} << Bits) - 1) {}

// A deeper result for the same position is kept over a shallower one;
// anything else is replaced.
void TTranspositionTable::Store(std::uint64_t Hash, std::int32_t Score, int Move, int Depth, TBound Bound) {
  TTableEntry& Entry = FEntries[Slot(Hash)];
  const std::uint64_t Key = Salted(Hash);
  if (Entry.Key == Key && Entry.Depth > Depth) return;
  Entry = {Key, Score, static_cast<std::int16_t>(Move), static_cast<std::int8_t>(Depth), Bound};
}

}  // namespace quintar::expert
