// The transposition table: what is stored reads back, a win or loss reads
// right from whatever ply its position is met at, deeper results are kept
// over shallower ones of the same position, and a position never reads
// another's entry or one from an earlier choice.
#include <gtest/gtest.h>

#include "TranspositionTable.h"

namespace quintar::expert {
namespace {

constexpr int Bits = 10;
constexpr std::uint64_t Hash = 0x123456789ABCDEF0ULL;
// Lands in the same slot as Hash.
constexpr std::uint64_t SameSlot = Hash ^ (std::uint64_t{0x5A} << 40);
constexpr std::uint64_t OtherSlot = Hash ^ 1;

// A table ready for a choice, as the search starts one.
TTranspositionTable NewTable() {
  TTranspositionTable Table(Bits);
  Table.NewGeneration();
  return Table;
}

TEST(TranspositionTable, ReadsBackWhatWasStored) {
  TTranspositionTable Table = NewTable();
  EXPECT_EQ(Table.Find(Hash), nullptr);
  Table.Store(Hash, -1234, 517, 6, bdUpper);
  const TTableEntry* Entry = Table.Find(Hash);
  ASSERT_NE(Entry, nullptr);
  EXPECT_EQ(Entry->Score, -1234);
  EXPECT_EQ(Entry->Move, 517);
  EXPECT_EQ(Entry->Depth, 6);
  EXPECT_EQ(Entry->Bound, bdUpper);
}

TEST(TranspositionTable, MissesEveryOtherPosition) {
  TTranspositionTable Table = NewTable();
  Table.Store(Hash, 10, 1, 3, bdExact);
  EXPECT_EQ(Table.Find(SameSlot), nullptr);
  EXPECT_EQ(Table.Find(OtherSlot), nullptr);
  EXPECT_EQ(Table.Find(0), nullptr);
  ASSERT_NE(Table.Find(Hash), nullptr);
}

// A win found at ply 3 that lands five plies from the root is two plies from
// the position stored; met again at ply 7, it lands nine plies from the root.
TEST(TranspositionTable, WinsAndLossesReadRightFromAnotherPly) {
  struct TCase {
    int Found;
    int StoredAtPly;
    int ReadAtPly;
    int Expected;
  };
  const TCase Cases[] = {
      {WinScore - 5, 3, 7, WinScore - 9},
      {-(WinScore - 5), 3, 7, -(WinScore - 9)},
      {WinScore - 12, 10, 2, WinScore - 4},
      {-(WinScore - 12), 10, 2, -(WinScore - 4)},
      {DecidedScore, 1, 4, DecidedScore - 3},
      // Scores that are no win or loss read the same from anywhere.
      {DecidedScore - 1, 1, 4, DecidedScore - 1},
      {-(DecidedScore - 1), 6, 0, -(DecidedScore - 1)},
      {0, 5, 9, 0},
      {4321, 2, 12, 4321},
  };
  for (const TCase& Case : Cases) {
    TTranspositionTable Table = NewTable();
    Table.Store(Hash, ToTable(Case.Found, Case.StoredAtPly), 1, 4, bdExact);
    const TTableEntry* Entry = Table.Find(Hash);
    ASSERT_NE(Entry, nullptr);
    EXPECT_EQ(FromTable(Entry->Score, Case.ReadAtPly), Case.Expected)
        << Case.Found << " stored at ply " << Case.StoredAtPly << ", read at ply " << Case.ReadAtPly;
    // At its own ply it reads back as found.
    EXPECT_EQ(FromTable(Entry->Score, Case.StoredAtPly), Case.Found);
  }
}

TEST(TranspositionTable, KeepsTheDeeperResultOfAPosition) {
  TTranspositionTable Table = NewTable();
  Table.Store(Hash, 50, 7, 8, bdLower);
  Table.Store(Hash, 60, 9, 5, bdExact);
  ASSERT_NE(Table.Find(Hash), nullptr);
  EXPECT_EQ(Table.Find(Hash)->Depth, 8);
  EXPECT_EQ(Table.Find(Hash)->Move, 7);
  // As deep or deeper replaces it.
  Table.Store(Hash, 70, 11, 8, bdUpper);
  EXPECT_EQ(Table.Find(Hash)->Move, 11);
  Table.Store(Hash, 80, 12, 9, bdExact);
  EXPECT_EQ(Table.Find(Hash)->Score, 80);
  EXPECT_EQ(Table.Find(Hash)->Depth, 9);
}

TEST(TranspositionTable, AnotherPositionInTheSlotReplacesItWhateverItsDepth) {
  TTranspositionTable Table = NewTable();
  Table.Store(Hash, 50, 7, 12, bdExact);
  Table.Store(SameSlot, 60, 9, 1, bdExact);
  EXPECT_EQ(Table.Find(Hash), nullptr);
  ASSERT_NE(Table.Find(SameSlot), nullptr);
  EXPECT_EQ(Table.Find(SameSlot)->Move, 9);
  // A position in another slot leaves it alone.
  Table.Store(OtherSlot, 70, 3, 1, bdExact);
  ASSERT_NE(Table.Find(SameSlot), nullptr);
  EXPECT_EQ(Table.Find(SameSlot)->Score, 60);
}

TEST(TranspositionTable, ANewChoiceReadsNothingFromTheLastOne) {
  TTranspositionTable Table = NewTable();
  Table.Store(Hash, 50, 7, 12, bdExact);
  Table.NewGeneration();
  EXPECT_EQ(Table.Find(Hash), nullptr);
  // Nor does the old, deeper entry keep a shallower new one out.
  Table.Store(Hash, 60, 9, 2, bdExact);
  ASSERT_NE(Table.Find(Hash), nullptr);
  EXPECT_EQ(Table.Find(Hash)->Move, 9);
}

}  // namespace
}  // namespace quintar::expert
