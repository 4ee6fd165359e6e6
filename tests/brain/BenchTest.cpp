// The expert's bench: its positions set up as real games on both board
// sizes, and the total of positions its searches visit is pinned, so that
// any change in how the search behaves shows here and is re-pinned on
// purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "BenchPositions.h"
#include "BrainBench.h"

namespace quintar::brain {
namespace {

// The total nodes `pbrain-quintar --bench` prints. A change to the expert's
// search, evaluation or move ordering changes it: when that change is meant,
// put the new total here.
constexpr std::int64_t PinnedSignature = 457673;

TEST(BenchPositions, AreMiddleGamesOnBothBoardSizes) {
  const auto Positions = BenchPositions();
  ASSERT_GE(Positions.size(), 20u);
  std::set<int> Sides;
  std::set<std::string_view> Distinct;
  for (const TBenchPosition& Position : Positions) {
    Sides.insert(Position.Side);
    Distinct.insert(Position.Moves);
    const std::optional<TBenchBoard> Board = BenchBoard(Position);
    ASSERT_TRUE(Board) << Position.Moves;
    int Crosses = 0;
    int Noughts = 0;
    for (int Col = 0; Col < Board->ColCount; ++Col)
      for (int Row = 0; Row < Board->RowCount; ++Row) {
        Crosses += Board->Cells[Col][Row] == 1;
        Noughts += Board->Cells[Col][Row] == -1;
      }
    EXPECT_GE(Crosses + Noughts, 9) << Position.Moves;
    EXPECT_EQ(Board->Turn, Crosses == Noughts ? 1 : -1) << Position.Moves;
  }
  EXPECT_EQ(Sides, (std::set<int>{15, 20}));
  EXPECT_EQ(Distinct.size(), Positions.size());
}

TEST(BenchPositions, RefuseMovesThatDoNotReadAsDistinctCells) {
  for (const std::string_view Moves : {"7,7 7,7", "7,7 15,3", "7,-1", "7;7", "7,7,", "7", "a,b", "7,7 8,8x"})
    EXPECT_FALSE(BenchBoard({15, Moves})) << Moves;
  EXPECT_FALSE(BenchBoard({4, "1,1"}));
  EXPECT_FALSE(BenchBoard({51, "1,1"}));
  const std::optional<TBenchBoard> Board = BenchBoard({5, " 0,0  4,4 "});
  ASSERT_TRUE(Board);
  EXPECT_EQ(Board->Cells[0][0], 1);
  EXPECT_EQ(Board->Cells[4][4], -1);
  EXPECT_EQ(Board->Turn, 1);
}

TEST(BenchSignature, IsPinned) {
  const std::optional<std::vector<TBenchSearch>> Searches = SearchBenchPositions();
  ASSERT_TRUE(Searches);
  ASSERT_EQ(Searches->size(), BenchPositions().size());
  for (const TBenchSearch& Search : *Searches) EXPECT_LE(Search.Nodes, BenchNodesPerPosition);
  // Most positions use their whole budget, so that the signature covers a
  // real search and not only its quick decisions.
  const auto Full = std::count_if(Searches->begin(), Searches->end(),
                                  [](const TBenchSearch& Search) { return Search.Nodes == BenchNodesPerPosition; });
  EXPECT_GE(Full, static_cast<std::ptrdiff_t>(Searches->size() / 2));
  EXPECT_EQ(Signature(*Searches), PinnedSignature)
      << "The expert's search visits other positions on the bench than it did: its behaviour changed. If that "
         "change is intended, pin the new total in PinnedSignature.";
}

}  // namespace
}  // namespace quintar::brain
