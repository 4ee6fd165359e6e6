// Reviews and analysis as the table takes them: planted faults are judged on
// exactly their moves, a game of the expert's own best moves has no fault,
// and the analysis follows the game, its reports worded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ComputerThinker.h"
#include "GameTable.h"
#include "Review.h"

namespace quintar::game {
namespace {

// Small enough for the sanitizers, large enough to see fours coming.
TSearchBudget QuickBudget() { return {0, 20000, nullptr}; }

std::vector<vcl::TPoint> Cells(std::initializer_list<std::pair<int, int>> OneBased) {
  std::vector<vcl::TPoint> Moves;
  for (const auto& [Col, Row] : OneBased) Moves.push_back({Col - 1, Row - 1});
  return Moves;
}

// Crosses build a row along row 10 while noughts build theirs along row 1.
// Noughts' sixth move lets crosses' open three become an open four, and
// crosses' fifth move blocks noughts instead of making five.
TEST(Review, PlantedFaultsAreJudgedOnExactlyTheirMoves) {
  TReviewRequest Game{20, 20,
                      Cells({{5, 10}, {5, 1}, {6, 10}, {6, 1}, {7, 10}, {7, 1}, {8, 10}, {8, 1}, {9, 1}, {4, 1}})};
  TComputerThinker Thinker(1);
  const TReview Review = ReviewGame(Game, Thinker, QuickBudget());
  ASSERT_EQ(Review.Moves.size(), Game.Moves.size());
  for (std::size_t Index = 0; Index < Review.Moves.size(); ++Index) {
    const TJudgement Judged = Review.Moves[Index].Judgement;
    EXPECT_EQ(Judged == TJudgement::LetWinThrough, Index == 5) << "move " << Index + 1;
    EXPECT_EQ(Judged == TJudgement::MissedWin, Index == 8) << "move " << Index + 1;
  }
  // The five that was there, named.
  const std::optional<vcl::TPoint> Better = Review.Moves[8].Better;
  ASSERT_TRUE(Better);
  EXPECT_TRUE(*Better == (vcl::TPoint{3, 9}) || *Better == (vcl::TPoint{8, 9}));
  EXPECT_EQ(Review.Moves.back().Judgement, TJudgement::Best);  // the five
  EXPECT_EQ(Review.Crosses.TurningPoint, 8u);
  EXPECT_EQ(Review.Noughts.Counts[static_cast<std::size_t>(TJudgement::LetWinThrough)], 1);
  const TPhrasebook Words;
  EXPECT_EQ(Words.Judgement(8, Review.Moves[8]).substr(0, 38), "Move 9, cross on column 9, row 1: a mi");
}

// The end of an expert's game: crosses win by four fours from move 19 on.
// Each four keeps the win and each block is the only one: none is a win
// missed or let through, and neither is the move before, the computer's own
// choice.
TEST(Review, AWinByFoursIsJudgedBestOnBothSides) {
  TReviewRequest Game{15, 15,
                      Cells({{5, 7}, {11, 11}, {9, 7},   {11, 9},  {7, 5},  {11, 10}, {11, 8},  {12, 10}, {6, 6},
                             {8, 4}, {8, 6},   {11, 13}, {11, 12}, {10, 8}, {7, 7},   {14, 12}, {13, 11}, {7, 6},
                             {6, 4}, {5, 3},   {6, 7},   {8, 7},   {6, 5},  {6, 3},   {6, 8}})};
  TComputerThinker Thinker(1);
  const TReview Review = ReviewGame(Game, Thinker, QuickBudget());
  ASSERT_EQ(Review.Moves.size(), Game.Moves.size());
  for (std::size_t Index = 17; Index < Review.Moves.size(); ++Index)
    EXPECT_EQ(Review.Moves[Index].Judgement, TJudgement::Best) << "move " << Index + 1;
}

// From an expert's game on 20 x 20: at move 24 noughts could not stop
// crosses' coming win by fours, though the computer's choice, 10,14, looks
// as if it might; after it crosses win by fours too. No defence is named,
// and the move is no win let through.
TEST(Review, NamesNoDefenceThatWouldNotHaveHeld) {
  TReviewRequest Game{20, 20,
                      Cells({{8, 8},  {9, 14},  {8, 13},  {12, 9}, {8, 15},  {8, 14},  {7, 14},  {6, 13},  {6, 15},
                             {9, 12}, {9, 15},  {7, 15},  {6, 16}, {6, 17},  {5, 16},  {4, 17},  {8, 16},  {7, 16},
                             {7, 17}, {6, 18},  {8, 18},  {5, 15}, {9, 17},  {10, 16}, {10, 14}, {11, 13}, {8, 17},
                             {8, 19}, {10, 17}, {11, 17}, {9, 19}, {10, 20}, {9, 16},  {9, 18},  {11, 18}})};
  TComputerThinker Thinker(1);
  const TReview Review = ReviewGame(Game, Thinker, QuickBudget());
  ASSERT_EQ(Review.Moves.size(), Game.Moves.size());
  EXPECT_EQ(Review.Moves[23].Judgement, TJudgement::Best);
  EXPECT_FALSE(Review.Moves[23].Better);
  EXPECT_EQ(Review.Noughts.Counts[static_cast<std::size_t>(TJudgement::LetWinThrough)], 0);
}

// The first move is weighed against the computer's own first move, answered
// alike: next to the centre it is as good on any board, in a corner not.
TEST(Review, TheFirstMoveIsWeighedOnTheScaleOfTheMovesAfterIt) {
  TComputerThinker Thinker(1);
  const auto FirstJudged = [&](int Side, int Col, int Row) {
    return ReviewGame({Side, Side, Cells({{Col, Row}})}, Thinker, QuickBudget()).Moves.at(0).Judgement;
  };
  EXPECT_EQ(FirstJudged(50, 25, 25), TJudgement::Best);
  EXPECT_EQ(FirstJudged(40, 20, 20), TJudgement::Best);
  EXPECT_NE(FirstJudged(20, 1, 1), TJudgement::Best);
}

TEST(Review, TheExpertsOwnBestMovesHaveNoFault) {
  TComputerThinker Player(ReviewSeed);
  TReviewRequest Game;
  TThinkRequest Position;
  Position.Board.ColCount = Position.Board.RowCount = 15;
  Game.ColCount = Game.RowCount = 15;
  for (int Move = 0; Move < 12; ++Move) {
    Position.Side = Move % 2 == 0 ? 1 : -1;
    const TAnalysis Report = Player.Analyse(Position, QuickBudget());
    ASSERT_FALSE(Report.Lines.empty());
    const vcl::TPoint Cell{Report.Lines.front().Cell.Col, Report.Lines.front().Cell.Row};
    Game.Moves.push_back(Cell);
    Position.Board.Cells[Cell.X][Cell.Y] = Position.Side;
  }
  TComputerThinker Reviewer(3);  // seeded anew by the review
  for (const TMoveReview& Move : ReviewGame(Game, Reviewer, QuickBudget()).Moves)
    EXPECT_EQ(Move.Judgement, TJudgement::Best);
}

class TAnalysingFace : public TTableListener {
 public:
  std::vector<std::pair<std::uint32_t, std::optional<TThinkRequest>>> Asked;
  void Announced(const std::string&) override {}
  void Changed() override {}
  void PaceRequested(int) override {}
  void AnalysisRequested(std::uint32_t Serial, const std::optional<TThinkRequest>& Position) override {
    Asked.push_back({Serial, Position});
  }
};

TEST(Analysis, FollowsTheGameAndWordsWhatItFound) {
  TQuintar Control(nullptr);
  TAnalysingFace Face;
  TGameTable Table(Control, Face, TThinking::Here);
  Table.SetPlayers({TPlayerKind::Person, TLevel::High}, {TPlayerKind::Person, TLevel::High});
  Table.SetAnalysing(true);
  ASSERT_EQ(Face.Asked.size(), 1u);
  ASSERT_TRUE(Face.Asked.back().second);
  const std::uint32_t First = Face.Asked.back().first;
  for (const auto& [Col, Row] : {std::pair{5, 10}, {5, 1}, {6, 10}, {6, 1}, {7, 10}, {7, 1}, {8, 10}})
    Table.Move(Col, Row);
  EXPECT_EQ(Face.Asked.size(), 8u);  // a new analysis for every position
  TComputerThinker Thinker(1);
  const TAnalysis Report = Thinker.Analyse(*Face.Asked.back().second, QuickBudget());
  Table.AnalysisReported(First, Report);  // for a position gone
  EXPECT_FALSE(Table.Analysis());
  Table.AnalysisReported(Face.Asked.back().first, Report);
  ASSERT_TRUE(Table.Analysis());
  // Noughts to move, against crosses' open four.
  EXPECT_EQ(Table.AnalysisWords(), "Noughts lose in 1 move whatever they play.");
  EXPECT_EQ(Table.CandidateWords().size(), Report.Lines.size());
  Table.Move(4, 10);                       // one end blocked, the other open
  Table.Move(9, 10);                       // five
  EXPECT_FALSE(Face.Asked.back().second);  // a finished game is not analysed
  EXPECT_FALSE(Table.Analysis());
}

// A win's line longer than the moves named is said to go on in words, so
// that the sentence ends with its full stop alone.
TEST(Analysis, ALongWinIsSaidToGoOn) {
  TCandidateLine Win;
  Win.Outcome = ocWin;
  Win.MovesToFive = 3;
  Win.Line = {{5, 3}, {4, 2}, {5, 6}, {7, 6}, {5, 4}};
  Win.Cell = Win.Line.front();
  TAnalysis Report;
  Report.Turn = 1;
  Report.Lines = {Win};
  EXPECT_EQ(TPhrasebook().Analysis(Report),
            "Crosses win in 3 moves: column 6, row 4, then column 5, row 3, then column 6, row 7, and so on.");
}

// A report whose best line, for the side to move, has Value on the advantage
// scale and, when proven, that outcome in Moves moves.
TAnalysis Reported(int Value, TOutcome Outcome = ocUnproven, int Moves = 0) {
  TAnalysis Report;
  TCandidateLine Best;
  Best.Cell = {7, 7};
  Best.Advantage = {Value, std::abs(Value) >= 75 ? sdWinning : sdAhead};
  Best.Outcome = Outcome;
  Best.MovesToFive = Moves;
  Report.Lines.push_back(Best);
  return Report;
}

// Moves judged against the reports around them, the cell played not the one
// named (7, 7): a win is missed only where the mover no longer looks like
// winning, let through only where it did not look lost already, and a win
// kept but no nearer is good, not best.
TEST(Review, AWinIsMissedOrLetThroughOnlyWhereTheStandingTurned) {
  const vcl::TPoint Elsewhere{1, 1};
  EXPECT_EQ(JudgeMove(Elsewhere, 1, Reported(100, ocWin, 2), Reported(-20)).Judgement, TJudgement::MissedWin);
  EXPECT_EQ(JudgeMove(Elsewhere, 1, Reported(100, ocWin, 2), Reported(-85)).Judgement, TJudgement::Inaccuracy);
  EXPECT_EQ(JudgeMove(Elsewhere, 1, Reported(-30), Reported(100, ocWin, 3)).Judgement, TJudgement::LetWinThrough);
  EXPECT_EQ(JudgeMove(Elsewhere, 1, Reported(-85), Reported(100, ocWin, 3)).Judgement, TJudgement::Inaccuracy);
  const TMoveReview Slower = JudgeMove(Elsewhere, 1, Reported(100, ocWin, 1), Reported(-100, ocLoss, 2));
  EXPECT_EQ(Slower.Judgement, TJudgement::Good);
  EXPECT_EQ(Slower.Better, (vcl::TPoint{7, 7}));
  EXPECT_EQ(JudgeMove(Elsewhere, 1, Reported(100, ocWin, 2), Reported(-100, ocLoss, 1)).Judgement, TJudgement::Best);
}

// An expert's game where a nought's move is as good as another: however the
// thinker was seeded before, the review names the same one.
TEST(Review, TheSameGameReadsTheSameWhateverTheThinkersSeed) {
  const TReviewRequest Game{15, 15,
                            Cells({{8, 8},
                                   {6, 8},
                                   {9, 8},
                                   {8, 10},
                                   {9, 9},
                                   {7, 9},
                                   {9, 11},
                                   {9, 10},
                                   {10, 10},
                                   {5, 7},
                                   {4, 6},
                                   {7, 7},
                                   {10, 11},
                                   {8, 11},
                                   {10, 8},
                                   {12, 8},
                                   {10, 9}})};
  TComputerThinker First(1), Second(2);
  EXPECT_EQ(ReviewGame(Game, First, QuickBudget()), ReviewGame(Game, Second, QuickBudget()));
}

TEST(Review, ProgressCountsTheMovesOfTheGame) {
  const TPhrasebook Words;
  EXPECT_EQ(Words.ReviewProgress(0, 1), "Reviewing the game: 0 of 1 move judged.");
  EXPECT_EQ(Words.ReviewProgress(12, 40), "Reviewing the game: 12 of 40 moves judged.");
}

// A player steps back through a game reviewed to read its judgements; a new
// move there makes another game, which the review no longer speaks for.
TEST(Review, IsKeptWhileTheGamesLineIsTheOneReviewed) {
  TQuintar Control(nullptr);
  TAnalysingFace Face;
  TGameTable Table(Control, Face, TThinking::Here);
  Table.SetPlayers({TPlayerKind::Person, TLevel::High}, {TPlayerKind::Person, TLevel::High});
  for (const auto& [Col, Row] : {std::pair{5, 10}, {5, 1}, {6, 10}}) Table.Move(Col, Row);
  const TReviewRequest Request = Table.ReviewRequest();
  ASSERT_EQ(Request.Moves, Cells({{5, 10}, {5, 1}, {6, 10}}));
  TReview Review;
  for (std::size_t Index = 0; Index < Request.Moves.size(); ++Index)
    Review.Moves.push_back({Request.Moves[Index], Index % 2 == 0 ? 1 : -1, TJudgement::Good, std::nullopt, 5});
  Table.Reviewed(Request, Review);
  Table.GoToMove(1);
  ASSERT_EQ(Table.Review(), Review);
  EXPECT_EQ(Table.ReviewWords().size(), Request.Moves.size() + 2);
  EXPECT_EQ(Table.ReviewRequest().Moves, Request.Moves);
  Table.Move(7, 7);
  EXPECT_FALSE(Table.Review());
  EXPECT_TRUE(Table.ReviewWords().empty());
}

// Moves taken back are still the game's to judge; only a line with no move
// at all has nothing, and the table says so.
TEST(Review, NeedsAMoveMadeOrToRedo) {
  TQuintar Control(nullptr);
  TAnalysingFace Face;
  TGameTable Table(Control, Face, TThinking::Here);
  Table.SetPlayers({TPlayerKind::Person, TLevel::High}, {TPlayerKind::Person, TLevel::High});
  EXPECT_FALSE(Table.MayReview());
  EXPECT_EQ(Table.LastAnnouncement(), "Nothing to review: no move has been made.");
  Table.Move(5, 5);
  Table.Undo();
  EXPECT_TRUE(Table.MayReview());
}

}  // namespace
}  // namespace quintar::game
