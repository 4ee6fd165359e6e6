// The numbers reports, games to review and reviews cross between the page and
// its workers in: read back as written, and nothing but what could have been
// written is taken.
#include <gtest/gtest.h>

#include "AnalysisMessage.h"

namespace quintar::web {
namespace {

TAnalysis SampleReport() {
  TAnalysis Report;
  Report.Turn = -1;
  Report.Depth = 7;
  Report.Nodes = (std::int64_t{5} << 32) + 12345;  // beyond 32 bits
  Report.Settled = true;
  TCandidateLine Win;
  Win.Cell = {49, 0};
  Win.Score = -2000000;
  Win.Advantage = {100, sdWinning};
  Win.Outcome = ocWin;
  Win.MovesToFive = 3;
  Win.Line = {{49, 0}, {3, 4}, {48, 1}};
  Win.LineMakesFive = true;
  Win.ByFours = true;
  TCandidateLine Even;
  Even.Cell = {10, 12};
  Even.Advantage = {-4, sdEven};
  Report.Lines = {Win, Even};
  return Report;
}

game::TReview SampleReview() {
  game::TReview Review;
  Review.Moves = {{{4, 9}, 1, game::TJudgement::Best, std::nullopt, 0},
                  {{4, 0}, -1, game::TJudgement::LetWinThrough, vcl::TPoint{3, 9}, 95},
                  {{49, 49}, 1, game::TJudgement::Mistake, vcl::TPoint{0, 0}, 40}};
  Review.Crosses.Counts = {1, 0, 0, 1, 0, 0};
  Review.Crosses.TurningPoint = 2;
  Review.Noughts.Counts = {0, 0, 0, 0, 0, 1};
  Review.Noughts.TurningPoint = 1;
  return Review;
}

// Every message with the number at At changed to Value.
template <typename TDecode>
auto Changed(const TMessageNumbers& Good, std::size_t At, std::int32_t Value, TDecode Decode) {
  TMessageNumbers Numbers = Good;
  Numbers.at(At) = Value;
  return Decode(Numbers);
}

template <typename TDecode>
void ExpectCutOrLengthenedRefused(const TMessageNumbers& Good, TDecode Decode) {
  EXPECT_FALSE(Decode(TMessageNumbers{}));
  EXPECT_FALSE(Decode(TMessageNumbers(Good.begin(), Good.end() - 1)));
  TMessageNumbers Longer = Good;
  Longer.push_back(0);
  EXPECT_FALSE(Decode(Longer));
}

TEST(AnalysisMessage, AReportIsReadBackAsWritten) {
  const std::optional<TAnalysis> Read = DecodeAnalysis(EncodeAnalysis(SampleReport()));
  ASSERT_TRUE(Read);
  EXPECT_EQ(*Read, SampleReport());
  TAnalysis NoMoveLeft;
  NoMoveLeft.Turn = 1;
  EXPECT_EQ(DecodeAnalysis(EncodeAnalysis(NoMoveLeft)), NoMoveLeft);
}

TEST(AnalysisMessage, NumbersNoReportCouldHaveBeenWrittenAsAreRefused) {
  const TMessageNumbers Good = EncodeAnalysis(SampleReport());
  ExpectCutOrLengthenedRefused(Good, DecodeAnalysis);
  // The header, then the first line from index 6: cell, score, advantage,
  // standing, outcome, moves to five, makes five, by fours, length, cells.
  EXPECT_FALSE(Changed(Good, 0, 0, DecodeAnalysis));   // nobody to move
  EXPECT_FALSE(Changed(Good, 1, -1, DecodeAnalysis));  // depth
  EXPECT_FALSE(Changed(Good, 2, -1, DecodeAnalysis));  // nodes
  EXPECT_FALSE(Changed(Good, 4, 2, DecodeAnalysis));   // settled
  EXPECT_FALSE(Changed(Good, 5, 6, DecodeAnalysis));   // more lines than there can be
  EXPECT_FALSE(Changed(Good, 6, 50, DecodeAnalysis));  // a cell off the largest board
  EXPECT_FALSE(Changed(Good, 7, -1, DecodeAnalysis));
  EXPECT_FALSE(Changed(Good, 9, 101, DecodeAnalysis));  // advantage
  EXPECT_FALSE(Changed(Good, 10, 4, DecodeAnalysis));   // standing
  EXPECT_FALSE(Changed(Good, 11, 3, DecodeAnalysis));   // outcome
  EXPECT_FALSE(Changed(Good, 12, -1, DecodeAnalysis));  // moves to five
  EXPECT_FALSE(Changed(Good, 14, 2, DecodeAnalysis));   // by fours
  EXPECT_FALSE(Changed(Good, 15, 4, DecodeAnalysis));   // a line longer than its cells
  EXPECT_FALSE(Changed(Good, 15, 1 << 30, DecodeAnalysis));
  EXPECT_TRUE(Changed(Good, 8, -5, DecodeAnalysis));  // any score
}

TEST(AnalysisMessage, AGameToReviewIsReadBackAsWrittenButForItsGeneration) {
  const game::TReviewRequest Game{7, 50, {{0, 0}, {6, 49}, {3, 20}}, 42};
  const std::optional<game::TReviewRequest> Read = DecodeReviewRequest(EncodeReviewRequest(Game));
  ASSERT_TRUE(Read);
  EXPECT_EQ(Read->ColCount, 7);
  EXPECT_EQ(Read->RowCount, 50);
  EXPECT_EQ(Read->Moves, Game.Moves);
  EXPECT_EQ(Read->Generation, 0u);
  const TMessageNumbers Good = EncodeReviewRequest(Game);
  ExpectCutOrLengthenedRefused(Good, DecodeReviewRequest);
  EXPECT_FALSE(Changed(Good, 0, 4, DecodeReviewRequest));  // board sizes outside 5..50
  EXPECT_FALSE(Changed(Good, 1, 51, DecodeReviewRequest));
  EXPECT_FALSE(Changed(Good, 2, -1, DecodeReviewRequest));
  EXPECT_FALSE(Changed(Good, 5, 7, DecodeReviewRequest));  // a move off this board
  EXPECT_FALSE(Changed(Good, 6, 50, DecodeReviewRequest));
}

TEST(AnalysisMessage, AReviewIsReadBackAsWritten) {
  EXPECT_EQ(DecodeReview(EncodeReview(SampleReview())), SampleReview());
  EXPECT_EQ(DecodeReview(EncodeReview(game::TReview())), game::TReview());
}

TEST(AnalysisMessage, NumbersNoReviewCouldHaveBeenWrittenAsAreRefused) {
  const TMessageNumbers Good = EncodeReview(SampleReview());
  ExpectCutOrLengthenedRefused(Good, DecodeReview);
  // The count, then each move from index 1: cell, side, judgement, better cell, loss.
  EXPECT_FALSE(Changed(Good, 0, 4, DecodeReview));
  EXPECT_FALSE(Changed(Good, 3, 0, DecodeReview));  // side
  EXPECT_FALSE(Changed(Good, 4, 6, DecodeReview));  // judgement
  EXPECT_FALSE(Changed(Good, 5, 0, DecodeReview));  // a better cell half there
  EXPECT_FALSE(Changed(Good, 13, -1, DecodeReview));
  EXPECT_FALSE(Changed(Good, 14, 201, DecodeReview));  // loss
  // Crosses' summary from index 22: six counts, then the turning point.
  EXPECT_FALSE(Changed(Good, 22, 4, DecodeReview));  // more than the moves
  EXPECT_FALSE(Changed(Good, 28, 3, DecodeReview));  // a turning point past the last move
  EXPECT_TRUE(Changed(Good, 28, -1, DecodeReview));
}

}  // namespace
}  // namespace quintar::web
