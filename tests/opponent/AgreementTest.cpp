// The fast opponent against the plain one on many seeded random positions:
// both must leave the same eligible entries in the same order, draw exactly
// twice with the same indices, and choose the same cell for every pair of
// generator values tried.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Opponent.h"
#include "RandomPositions.h"
#include "ReferenceOpponent.h"
#include "TestBoard.h"

namespace quintar {
namespace {

// The plain opponent ranks a position once; each pair of generator values is
// then played on its ranking and by the fast opponent from scratch.
class TRankedPosition {
 public:
  TRankedPosition(const TRandomPosition& Position, const TPattern* Patterns)
      : FPosition(Position),
        FPatterns(Patterns),
        FCrossList(CandidateCapacity),
        FNoughtList(CandidateCapacity),
        FRanking(reference::RankCells(Position.Board.View(), Position.Strength, Patterns, FCrossList.data(),
                                      FNoughtList.data())) {}

  const reference::TRanking& Ranking() const { return FRanking; }

  void ExpectSameChoice(const std::vector<int>& Draws) const {
    SCOPED_TRACE(::testing::Message() << "draws " << Draws[0] << ", " << Draws[1]);
    TScriptedDraw ReferenceDraw(Draws);
    const TSelection Expected = reference::ChooseFromRanking(FRanking, FPosition.Turn, FCrossList.data(),
                                                             FNoughtList.data(), ReferenceDraw.Source());
    const TSelectionOutcome Fast =
        RunSelection(&SelectMove, FPosition.Board, FPosition.Turn, FPosition.Strength, FPatterns, Draws);

    ASSERT_EQ(Fast.Selection.Found, FRanking.Found);
    EXPECT_EQ(Fast.DrawCalls, FRanking.Found ? 2 : 0);
    EXPECT_EQ(ReferenceDraw.Calls(), Fast.DrawCalls);
    if (!FRanking.Found) return;
    EXPECT_EQ(Fast.CrossEligible, Leading(FCrossList, FRanking.CrossEligible));
    EXPECT_EQ(Fast.NoughtEligible, Leading(FNoughtList, FRanking.NoughtEligible));
    EXPECT_EQ(Fast.Selection.CrossDraw, Expected.CrossDraw);
    EXPECT_EQ(Fast.Selection.NoughtDraw, Expected.NoughtDraw);
    EXPECT_EQ(Fast.Selection.Col, Expected.Col);
    EXPECT_EQ(Fast.Selection.Row, Expected.Row);
  }

 private:
  static std::vector<TCandidate> Leading(const std::vector<TCandidate>& List, int Count) {
    return {List.begin(), List.begin() + Count};
  }

  const TRandomPosition& FPosition;
  const TPattern* FPatterns;
  std::vector<TCandidate> FCrossList;
  std::vector<TCandidate> FNoughtList;
  reference::TRanking FRanking;
};

struct TBatch {
  const char* Name;
  unsigned Seed;
  int Positions;
  int MinSide;
  int MaxSide;
  bool RandomTables;
};

class AgreementTest : public ::testing::TestWithParam<TBatch> {};

TEST_P(AgreementTest, FastAndPlainOpponentsChooseAlike) {
  const TBatch& Batch = GetParam();
  TRandom Random(Batch.Seed);
  std::uniform_int_distribution<int> RawDraw(0, 1 << 30);
  for (int I = 0; I < Batch.Positions && !HasFailure(); ++I) {
    const TRandomPosition Position = RandomPosition(Random, Batch.MinSide, Batch.MaxSide);
    const TPatternTable Table = Batch.RandomTables ? RandomPatternTable(Random) : TPatternTable{};
    const TPattern* Patterns = Batch.RandomTables ? Table.data() : StandardPatterns();
    SCOPED_TRACE(::testing::Message() << "position " << I << ": " << Position.Board.ColCount() << "x"
                                      << Position.Board.RowCount() << ", turn " << Position.Turn << ", strength "
                                      << int{Position.Strength});
    const TRankedPosition Ranked(Position, Patterns);
    Ranked.ExpectSameChoice({RawDraw(Random), RawDraw(Random)});
    // The first and last eligible entries of each list in every combination;
    // at the lowest strength the last one is the widened entry.
    const int CrossLast = Ranked.Ranking().CrossEligible - 1;
    const int NoughtLast = Ranked.Ranking().NoughtEligible - 1;
    if (CrossLast > 0 || NoughtLast > 0) {
      Ranked.ExpectSameChoice({0, 0});
      Ranked.ExpectSameChoice({CrossLast, NoughtLast});
      Ranked.ExpectSameChoice({CrossLast, 0});
      Ranked.ExpectSameChoice({0, NoughtLast});
    }
  }
}

const TBatch Batches[] = {
    {"SmallBoards", 1, 7000, 5, 12, false},
    {"MediumBoards", 2, 2000, 13, 25, false},
    {"LargeBoards", 3, 400, 26, 50, false},
    {"RandomTables", 4, 1000, 5, 20, true},
};

INSTANTIATE_TEST_SUITE_P(Opponent, AgreementTest, ::testing::ValuesIn(Batches),
                         [](const ::testing::TestParamInfo<TBatch>& Info) { return Info.param.Name; });

}  // namespace
}  // namespace quintar
