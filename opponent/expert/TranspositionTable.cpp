#include "TranspositionTable.h"

namespace quintar::expert {

TTranspositionTable::TTranspositionTable(int Bits) { Resize(Bits); }

int TTranspositionTable::BitsWithin(std::size_t Bytes, int Fewest, int Most) {
  int Bits = Fewest;
  while (Bits < Most && (sizeof(TTableEntry) << (Bits + 1)) <= Bytes) ++Bits;
  return Bits;
}

void TTranspositionTable::Resize(int Bits) {
  if (Bits == FBits) return;
  // The old entries go first, so that the two sizes are never held at once.
  FEntries = std::vector<TTableEntry>();
  FEntries.resize(std::size_t{1} << Bits);
  FBits = Bits;
  FMask = (std::uint64_t{1} << Bits) - 1;
}

// A deeper result for the same position is kept over a shallower one;
// anything else is replaced.
void TTranspositionTable::Store(std::uint64_t Hash, std::int32_t Score, int Move, int Depth, TBound Bound) {
  TTableEntry& Entry = FEntries[Slot(Hash)];
  const std::uint64_t Key = Salted(Hash);
  if (Entry.Key == Key && Entry.Depth > Depth) return;
  Entry = {Key, Score, static_cast<std::int16_t>(Move), static_cast<std::int8_t>(Depth), Bound};
}

}  // namespace quintar::expert
