// What the search has learnt about positions it has met, by position hash:
// a score with the depth it was searched to and whether it is exact or a
// bound, and the best move found. Sized once; each new choice starts with a
// new generation, so nothing learnt for an earlier choice is ever read and a
// choice depends only on its own position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quintar::expert {

// A win in Plies plies scores WinScore - Plies, a loss the negative; scores
// beyond DecidedScore are such wins and losses.
inline constexpr int WinScore = 1'000'000;
inline constexpr int DecidedScore = WinScore - 1000;

// A win or loss is found counted in plies from the root of the search, but
// kept in the table counted from the position stored, so that it reads right
// when the position is met again at another ply.
constexpr int ToTable(int Score, int Ply) {
  return Score >= DecidedScore ? Score + Ply : Score <= -DecidedScore ? Score - Ply : Score;
}
constexpr int FromTable(int Score, int Ply) {
  return Score >= DecidedScore ? Score - Ply : Score <= -DecidedScore ? Score + Ply : Score;
}

enum TBound : std::uint8_t { bdExact, bdLower, bdUpper };

struct TTableEntry {
  std::uint64_t Key = 0;
  std::int32_t Score = 0;
  std::int16_t Move = -1;
  std::int8_t Depth = 0;
  TBound Bound = bdExact;
};

class TTranspositionTable {
 public:
  // 2^Bits entries of 16 bytes.
  explicit TTranspositionTable(int Bits);

  // The most entries, as a power of two, whose bytes fit within Bytes; never
  // fewer than 2^Fewest nor more than 2^Most.
  static int BitsWithin(std::size_t Bytes, int Fewest, int Most);
  // Makes the table 2^Bits entries, forgetting everything it held when its
  // size changes. It allocates, so it is done between choices.
  void Resize(int Bits);
  int Bits() const { return FBits; }

  void NewGeneration() { ++FGeneration; }
  // The entry for Hash, or null when there is none from this generation.
  const TTableEntry* Find(std::uint64_t Hash) const {
    const TTableEntry& Entry = FEntries[Slot(Hash)];
    return Entry.Key == Salted(Hash) ? &Entry : nullptr;
  }
  void Store(std::uint64_t Hash, std::int32_t Score, int Move, int Depth, TBound Bound);

 private:
  // The mask keeps the index below the table's size, which fits a size_t
  // also where that is 32 bits wide (WebAssembly).
  std::size_t Slot(std::uint64_t Hash) const { return static_cast<std::size_t>(Hash & FMask); }
  std::uint64_t Salted(std::uint64_t Hash) const { return Hash ^ (FGeneration * 0x9E3779B97F4A7C15ULL) ^ 1; }

  std::vector<TTableEntry> FEntries;
  int FBits = 0;
  std::uint64_t FMask = 0;
  std::uint64_t FGeneration = 0;
};

}  // namespace quintar::expert
