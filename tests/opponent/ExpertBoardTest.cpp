// The expert's board after long seeded sequences of plays and take-backs on
// boards of every shape: every table and total it keeps up move by move must
// equal what a fresh load of the same marks gives, its threat scans must find
// every threat, and taking moves back must restore exactly the marks that
// were there.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ExpertBoard.h"
#include "TestBoard.h"

namespace quintar::expert {
namespace {

struct TShape {
  int ColCount;
  int RowCount;
};

// Plays and takes back at random on one board, and keeps the marks it
// expects in a plain test board beside it.
class TRandomPlay {
 public:
  TRandomPlay(TShape Shape, std::uint32_t Seed) : FMarks(Shape.ColCount, Shape.RowCount), FRandom(Seed) {
    FBoard.Load(FMarks.View());
  }

  // Mostly plays, near the marks so that lines and threats build up, and now
  // and then takes back a run of moves.
  void Step() {
    const bool TakeBack = !FPlayed.empty() && (FBoard.EmptyCount() == 0 || FRandom() % 4 == 0);
    if (TakeBack) {
      for (int Run = 1 + static_cast<int>(FRandom() % 3); Run > 0 && !FPlayed.empty(); --Run) TakeBackOne();
    } else {
      PlayOne();
    }
  }
  void PlayOne() {
    const int Index = ChooseEmptyCell();
    const int Side = static_cast<int>(FPlayed.size() % 2);
    FBoard.Play(Index, Side);
    FMarks.Put(TExpertBoard::ColOf(Index), TExpertBoard::RowOf(Index), Side == 0 ? 1 : -1);
    FPlayed.push_back(Index);
  }
  void TakeBackOne() {
    FBoard.Undo();
    FMarks.Put(TExpertBoard::ColOf(FPlayed.back()), TExpertBoard::RowOf(FPlayed.back()), 0);
    FPlayed.pop_back();
  }
  int Played() const { return static_cast<int>(FPlayed.size()); }
  const TExpertBoard& Board() const { return FBoard; }
  const TTestBoard& Marks() const { return FMarks; }

 private:
  int ChooseEmptyCell() {
    std::vector<int> Near;
    std::vector<int> Anywhere;
    for (int Col = 0; Col < FMarks.ColCount(); ++Col)
      for (int Row = 0; Row < FMarks.RowCount(); ++Row)
        if (FMarks.At(Col, Row) == 0) {
          Anywhere.push_back(TExpertBoard::IndexOf(Col, Row));
          if (HasMarkNear(Col, Row)) Near.push_back(TExpertBoard::IndexOf(Col, Row));
        }
    const std::vector<int>& From = !Near.empty() && FRandom() % 8 != 0 ? Near : Anywhere;
    return From[FRandom() % From.size()];
  }
  bool HasMarkNear(int Col, int Row) const {
    for (int Near = 0; Near < 9; ++Near) {
      const int C = Col + Near / 3 - 1;
      const int R = Row + Near % 3 - 1;
      if (C >= 0 && C < FMarks.ColCount() && R >= 0 && R < FMarks.RowCount() && FMarks.At(C, R) != 0) return true;
    }
    return false;
  }

  TExpertBoard FBoard;
  TTestBoard FMarks;
  std::mt19937 FRandom;
  std::vector<int> FPlayed;
};

// The marks the board holds are the expected ones, and its hash is the one a
// fresh load of them gives.
void ExpectMarks(const TExpertBoard& Board, const TTestBoard& Marks) {
  TExpertBoard Fresh;
  Fresh.Load(Marks.View());
  for (int Col = 0; Col < Marks.ColCount(); ++Col)
    for (int Row = 0; Row < Marks.RowCount(); ++Row)
      ASSERT_EQ(Board.IsEmpty(TExpertBoard::IndexOf(Col, Row)), Marks.At(Col, Row) == 0)
          << "at (" << Col << ", " << Row << ")";
  EXPECT_EQ(Board.Hash(), Fresh.Hash());
}

// The threat scan stops early, trusting the counts and the marks' rectangle:
// it must still visit, in index order, every empty cell a full scan finds.
void ExpectThreatScansFindAll(const TExpertBoard& Board) {
  for (int Side = 0; Side < 2; ++Side)
    for (const TThreat AtLeast : {thThree, thFour, thFive}) {
      std::vector<int> Expected;
      for (int Col = 0; Col < Board.ColCount(); ++Col)
        for (int Row = 0; Row < Board.RowCount(); ++Row) {
          const int Index = TExpertBoard::IndexOf(Col, Row);
          if (Board.IsEmpty(Index) && Board.Threat(Side, Index) >= AtLeast) Expected.push_back(Index);
        }
      std::vector<int> Visited;
      Board.ForEachThreat(Side, AtLeast, [&](int Index) {
        Visited.push_back(Index);
        return true;
      });
      ASSERT_EQ(Visited, Expected) << "side " << Side << ", threats from " << AtLeast;
      EXPECT_EQ(Board.Find(Side, AtLeast), Expected.empty() ? TExpertBoard::NoCell : Expected.front());
    }
}

class ExpertBoardConsistency : public ::testing::TestWithParam<TShape> {};

TEST_P(ExpertBoardConsistency, EveryTableMatchesAFreshLoadThroughPlaysAndTakeBacks) {
  const TShape Shape = GetParam();
  const int Cells = Shape.ColCount * Shape.RowCount;
  const int Steps = std::min(1000, 6 * Cells);
  // A check costs a fresh load, so the largest boards are checked now and then.
  const int StepsPerCheck = std::max(1, Cells / 400);
  // Each shape plays its own sequence.
  const auto Seed = static_cast<std::uint32_t>(Cells + Shape.ColCount);
  TRandomPlay Play(Shape, Seed);
  for (int Step = 1; Step <= Steps; ++Step) {
    Play.Step();
    if (Step % StepsPerCheck != 0) continue;
    ASSERT_EQ(Play.Board().Discrepancy(), "")
        << "seed " << Seed << ", step " << Step << ", " << Play.Played() << " moves on the board";
    ExpectThreatScansFindAll(Play.Board());
  }
  ExpectMarks(Play.Board(), Play.Marks());
}

TEST_P(ExpertBoardConsistency, FillingTheBoardAndTakingEverythingBackLeavesItAsLoaded) {
  const TShape Shape = GetParam();
  TRandomPlay Play(Shape, 7);
  const std::uint64_t EmptyHash = Play.Board().Hash();
  while (Play.Board().EmptyCount() > 0) Play.PlayOne();
  ASSERT_EQ(Play.Board().Discrepancy(), "");
  ExpectMarks(Play.Board(), Play.Marks());
  while (Play.Played() > 0) Play.TakeBackOne();
  EXPECT_EQ(Play.Board().Discrepancy(), "");
  EXPECT_EQ(Play.Board().Hash(), EmptyHash);
  EXPECT_EQ(Play.Board().EmptyCount(), Shape.ColCount * Shape.RowCount);
  EXPECT_FALSE(Play.Board().HasMarks());
}

INSTANTIATE_TEST_SUITE_P(Expert, ExpertBoardConsistency,
                         ::testing::Values(TShape{5, 5}, TShape{15, 15}, TShape{20, 20}, TShape{50, 50}, TShape{50, 5},
                                           TShape{5, 50}, TShape{7, 31}),
                         [](const ::testing::TestParamInfo<TShape>& Info) {
                           return std::to_string(Info.param.ColCount) + "x" + std::to_string(Info.param.RowCount);
                         });

// A board loaded part-way through a game and played on from there agrees
// with one that played every move, and a load forgets whatever came before.
TEST(ExpertBoardLoad, LoadingMidGameAgreesWithPlayingThere) {
  TRandomPlay Play({20, 20}, 99);
  for (int Move = 0; Move < 60; ++Move) Play.PlayOne();
  TExpertBoard Loaded;
  Loaded.Load(TTestBoard(9, 13).View());
  Loaded.Play(TExpertBoard::IndexOf(4, 4), 0);
  Loaded.Load(Play.Marks().View());
  EXPECT_EQ(Loaded.Discrepancy(), "");
  EXPECT_EQ(Loaded.Hash(), Play.Board().Hash());
  EXPECT_EQ(Loaded.TotalValue(0), Play.Board().TotalValue(0));
  EXPECT_EQ(Loaded.TotalValue(1), Play.Board().TotalValue(1));
  for (int Threat = thNone; Threat < ThreatKinds; ++Threat)
    for (int Side = 0; Side < 2; ++Side)
      EXPECT_EQ(Loaded.CountOf(Side, static_cast<TThreat>(Threat)),
                Play.Board().CountOf(Side, static_cast<TThreat>(Threat)));
}

}  // namespace
}  // namespace quintar::expert
