// The expert's report: it names wins by fours with their exact length and a
// line that really forces five, its claimed wins hold against the expert
// defending, it repeats itself under a node budget, and a stopped analysis
// answers with what it had.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <vector>

#include "Expert.h"
#include "ManualTime.h"
#include "RandomPositions.h"
#include "Rules.h"
#include "TestBoard.h"

namespace quintar {
namespace {

constexpr int Cross = 1;
constexpr int Nought = -1;

constexpr TSearchBudget Positions(std::int64_t Nodes) { return {0, Nodes, nullptr}; }

// The empty cells where Mark would make five.
std::vector<TBoardCell> FiveCells(TTestBoard& Board, int Mark) {
  std::vector<TBoardCell> Cells;
  for (int Col = 0; Col < Board.ColCount(); ++Col)
    for (int Row = 0; Row < Board.RowCount(); ++Row) {
      if (Board.At(Col, Row) != 0) continue;
      Board.Put(Col, Row, Mark);
      if (FiveThrough(Board.View(), Col, Row)) Cells.push_back({Col, Row});
      Board.Put(Col, Row, 0);
    }
  return Cells;
}

bool Contains(const std::vector<TBoardCell>& Cells, TBoardCell Cell) {
  return std::find(Cells.begin(), Cells.end(), Cell) != Cells.end();
}

// Plays Line out for the attacker Mark and checks, by the rules alone, that it
// is a forced win in Moves of the attacker's moves: each attacker move but the
// last threatens five, the defender has no five of its own to make instead
// and plays one of the cells that would complete it, and the last move makes
// five.
void ExpectForcedWin(TTestBoard Board, int Mark, const std::vector<TBoardCell>& Line, int Moves) {
  ASSERT_EQ(static_cast<int>(Line.size()), 2 * Moves - 1);
  for (std::size_t I = 0; I < Line.size(); I += 2) {
    ASSERT_EQ(Board.At(Line[I].Col, Line[I].Row), 0);
    Board.Put(Line[I].Col, Line[I].Row, Mark);
    const bool Last = I + 1 == Line.size();
    ASSERT_EQ(FiveThrough(Board.View(), Line[I].Col, Line[I].Row), Last) << "attacker move " << I / 2 + 1;
    if (Last) return;
    ASSERT_TRUE(FiveCells(Board, -Mark).empty()) << "the defender wins first after move " << I / 2 + 1;
    ASSERT_TRUE(Contains(FiveCells(Board, Mark), Line[I + 1])) << "the reply to move " << I / 2 + 1 << " is free";
    Board.Put(Line[I + 1].Col, Line[I + 1].Row, -Mark);
  }
}

// A zigzag of lines for crosses on a 40 x 20 board: the first, along row 8,
// holds three crosses closed on the left; each later one, on the diagonals
// down and up in turn, holds two crosses next to the cell where the line
// before it becomes a four. Each four's block leaves the next line three
// long, so Fours fours are forced in turn, and the last makes an open three
// whose open four wins: Fours + 2 moves. Every line but the last is closed
// just beyond the five it could make, so that none can become an open three
// (two at once would win sooner). Noughts hold two open threes far away,
// so that any move of crosses that is not a four leaves them an open four:
// crosses can win only by fours. A search of every sequence of fours, done
// once by hand up to 12 moves, found no shorter win and none for noughts;
// lines turning between rows and columns instead meet along diagonals and
// give shortcuts.
TTestBoard Zigzag(int Fours) {
  TTestBoard Board(40, 20);
  for (int Col = 30; Col <= 32; ++Col) {
    Board.Put(Col, 1, Nought);
    Board.Put(Col, 18, Nought);
  }
  Board.Put(1, 8, Nought);
  for (int Col = 2; Col <= 4; ++Col) Board.Put(Col, 8, Cross);
  int Col = 5;  // the first line's four cell
  int Row = 8;
  for (int Line = 1; Line <= Fours; ++Line) {
    const int Step = Line % 2 == 1 ? 1 : -1;
    // The last line stays open, so that its three is open.
    if (Line < Fours) {
      Board.Put(Col - 1, Row - Step, Nought);
      Board.Put(Col + 5, Row + 5 * Step, Nought);
    }
    Board.Put(Col + 1, Row + Step, Cross);
    Board.Put(Col + 2, Row + 2 * Step, Cross);
    Col += 3;
    Row += 3 * Step;
  }
  return Board;
}

struct TFourWin {
  int Moves;  // the attacker's moves to its five
};

class AnalysisFourWins : public ::testing::TestWithParam<TFourWin> {};

TEST_P(AnalysisFourWins, NamesTheWinItsExactLengthAndALineThatForcesFive) {
  const int Moves = GetParam().Moves;
  TTestBoard Board = Zigzag(std::max(Moves - 2, 0));
  if (Moves == 1) Board.Put(5, 8, Cross);
  TExpertSearch Search;
  std::vector<TAnalysis> Told;
  const TAnalysisObserver OnDepth = [&](const TAnalysis& Heard) { Told.push_back(Heard); };
  const TAnalysis Report = Search.Analyse(Board.View(), Cross, Positions(100000), &OnDepth);
  ASSERT_EQ(Report.Lines.size(), 1u);
  const TCandidateLine& Win = Report.Lines[0];
  EXPECT_TRUE(Report.Settled);
  // Only the last report told says no other follows.
  for (std::size_t I = 0; I + 1 < Told.size(); ++I) EXPECT_FALSE(Told[I].Settled) << "report " << I + 1;
  EXPECT_EQ(Win.Outcome, ocWin);
  EXPECT_EQ(Win.MovesToFive, Moves);
  EXPECT_EQ(Win.Advantage, (TAdvantage{100, sdWinning}));
  EXPECT_TRUE(Win.LineMakesFive);
  EXPECT_TRUE(Win.ByFours);
  ASSERT_FALSE(Win.Line.empty());
  EXPECT_EQ(Win.Line.front(), Win.Cell);
  ExpectForcedWin(Board, Cross, Win.Line, Moves);
}

INSTANTIATE_TEST_SUITE_P(Expert, AnalysisFourWins,
                         ::testing::Values(TFourWin{1}, TFourWin{3}, TFourWin{5}, TFourWin{9}, TFourWin{12}));

TEST(AnalysisProof, AnOpenFourAgainstTheMoverIsALossInOneWhicheverEndIsBlocked) {
  TTestBoard Board(15, 15);
  for (int Col = 5; Col <= 8; ++Col) Board.Put(Col, 7, Nought);
  Board.Put(1, 1, Cross);
  Board.Put(13, 2, Cross);
  const TAnalysis Report = TExpertSearch().Analyse(Board.View(), Cross, Positions(10000));
  ASSERT_EQ(Report.Lines.size(), 2u);
  for (const TCandidateLine& Line : Report.Lines) {
    EXPECT_EQ(Line.Outcome, ocLoss);
    EXPECT_EQ(Line.MovesToFive, 1);
    EXPECT_EQ(Line.Advantage.Value, -100);
    EXPECT_EQ(Line.Cell.Row, 7);
  }
  EXPECT_TRUE(Report.Settled);
}

// From an expert's game: crosses' four at 6,4 (1-based) leaves noughts one
// block, 5,3, after which crosses win by three more fours. The block is a
// loss as sure as that win, shown as long as it is.
TEST(AnalysisProof, TheOnlyBlockBeforeAWinByFoursIsALossByFours) {
  TTestBoard Board(15, 15);
  const int Moves[][2] = {{5, 7}, {11, 11}, {9, 7},   {11, 9}, {7, 5}, {11, 10}, {11, 8},  {12, 10}, {6, 6}, {8, 4},
                          {8, 6}, {11, 13}, {11, 12}, {10, 8}, {7, 7}, {14, 12}, {13, 11}, {7, 6},   {6, 4}};
  int Mark = Cross;
  for (const auto& [Col, Row] : Moves) {
    Board.Put(Col - 1, Row - 1, Mark);
    Mark = -Mark;
  }
  const TAnalysis Report = TExpertSearch().Analyse(Board.View(), Nought, Positions(20000));
  ASSERT_EQ(Report.Lines.size(), 1u);
  const TCandidateLine& Loss = Report.Lines[0];
  EXPECT_EQ(Loss.Outcome, ocLoss);
  EXPECT_EQ(Loss.Cell, (TBoardCell{4, 2}));
  EXPECT_EQ(Loss.MovesToFive, 3);
  EXPECT_EQ(Loss.Advantage.Value, -100);
  ASSERT_FALSE(Loss.Line.empty());
  EXPECT_EQ(Loss.Line.front(), Loss.Cell);
  EXPECT_TRUE(Loss.LineMakesFive);
  EXPECT_TRUE(Report.Settled);
}

// The claiming side follows its line; whenever the defender, the expert at a
// far larger budget, leaves it, the claimant asks again, must still see a
// win, and follows the new line. Its five comes within the moves it first
// claimed. Every claim is checked: the full search claims only results it
// cannot have missed a reply to, and wins by fours are certain.
TEST(AnalysisProof, AClaimedWinIsNeverWrong) {
  TRandom Random(31);
  TExpertSearch Claimant(3);
  TExpertSearch Defender(4);
  int Claims = 0;
  for (int Game = 0; Game < 400 && Claims < 25 && !HasFailure(); ++Game) {
    const int Side = std::uniform_int_distribution<int>(12, 20)(Random);
    TTestBoard Board = PlayedLookingBoard(Random, Side, Side, std::uniform_int_distribution<int>(10, 40)(Random));
    const int Mark = Game % 2 == 0 ? Cross : Nought;
    TAnalysis Report = Claimant.Analyse(Board.View(), Mark, Positions(20000));
    if (Report.Lines.empty() || Report.Lines[0].Outcome != ocWin) continue;
    ++Claims;
    int MovesLeft = Report.Lines[0].MovesToFive;
    std::vector<TBoardCell> Line = Report.Lines[0].Line;
    for (std::size_t Next = 0;; Next += 2) {
      if (Next >= Line.size()) {
        Report = Claimant.Analyse(Board.View(), Mark, Positions(20000));
        ASSERT_EQ(Report.Lines[0].Outcome, ocWin) << "game " << Game;
        Line = Report.Lines[0].Line;
        Next = 0;
      }
      ASSERT_GT(MovesLeft--, 0) << "game " << Game;
      Board.Put(Line[Next].Col, Line[Next].Row, Mark);
      if (FiveThrough(Board.View(), Line[Next].Col, Line[Next].Row)) break;
      const TExpertChoice Reply = Defender.Choose(Board.View(), -Mark, Positions(200000));
      ASSERT_TRUE(Reply.Found);
      Board.Put(Reply.Col, Reply.Row, -Mark);
      ASSERT_FALSE(FiveThrough(Board.View(), Reply.Col, Reply.Row)) << "game " << Game;
      if (Next + 1 >= Line.size() || Line[Next + 1] != TBoardCell{Reply.Col, Reply.Row}) Line.clear();
    }
  }
  EXPECT_GE(Claims, 25);
}

// Every report told is one depth deeper than the one before, the last is the
// one returned, and each shows at most five different empty cells, best
// first, with lines of empty cells.
TEST(AnalysisReports, AreWellFormedAtEveryDepth) {
  TRandom Random(7);
  TExpertSearch Search(9);
  for (int I = 0; I < 60 && !HasFailure(); ++I) {
    const TRandomPosition Position = RandomPosition(Random, 5, 30);
    std::vector<TAnalysis> Told;
    const TAnalysisObserver Observer = [&Told](const TAnalysis& Report) { Told.push_back(Report); };
    const TAnalysis Report = Search.Analyse(Position.Board.View(), Position.Turn, Positions(5000), &Observer);
    ASSERT_FALSE(Told.empty());
    EXPECT_EQ(Told.back(), Report);
    for (std::size_t Depth = 1; Depth + 1 < Told.size(); ++Depth)
      EXPECT_EQ(Told[Depth].Depth, Told[Depth - 1].Depth + 1);
    EXPECT_EQ(Report.Lines.empty(), Position.Board.EmptyCount() == 0);
    EXPECT_LE(Report.Lines.size(), static_cast<std::size_t>(MaxCandidateLines));
    for (std::size_t L = 0; L < Report.Lines.size(); ++L) {
      const TCandidateLine& Line = Report.Lines[L];
      if (L > 0) {
        EXPECT_LE(Line.Score, Report.Lines[L - 1].Score);
      }
      for (std::size_t Other = 0; Other < L; ++Other) EXPECT_NE(Report.Lines[Other].Cell, Line.Cell);
      ASSERT_FALSE(Line.Line.empty());
      EXPECT_EQ(Line.Line.front(), Line.Cell);
      if (Line.Outcome == ocUnproven) {
        EXPECT_LE(Line.Line.size(), static_cast<std::size_t>(MaxLineMoves));
      }
      TTestBoard Played = Position.Board;
      for (const TBoardCell& Cell : Line.Line) {
        ASSERT_TRUE(Cell.Col >= 0 && Cell.Col < Played.ColCount() && Cell.Row >= 0 && Cell.Row < Played.RowCount());
        ASSERT_EQ(Played.At(Cell.Col, Cell.Row), 0);
        Played.Put(Cell.Col, Cell.Row, 2);
      }
    }
  }
}

TEST(AnalysisReports, RepeatUnderANodeBudget) {
  TRandom Random(5);
  TExpertSearch Used(2);
  for (int I = 0; I < 12 && !HasFailure(); ++I) {
    const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 6 + 3 * I);
    const TAnalysis First = Used.Analyse(Board.View(), Cross, Positions(30000));
    EXPECT_EQ(Used.Analyse(Board.View(), Cross, Positions(30000)), First);
    EXPECT_EQ(TExpertSearch(2).Analyse(Board.View(), Cross, Positions(30000)), First);
  }
}

// A stop raised before the analysis starts still gets the first depth; one
// raised as a depth is told gets that depth.
TEST(AnalysisStop, AnswersWithTheDepthsItHadCompleted) {
  TRandom Random(8);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 20);
  std::vector<TAnalysis> Told;
  const TAnalysisObserver Record = [&Told](const TAnalysis& Report) { Told.push_back(Report); };
  TExpertSearch Search(1);
  Search.Analyse(Board.View(), Cross, Positions(100000), &Record);
  ASSERT_GE(Told.size(), 4u);

  const std::atomic<bool> Stopped = true;
  const TAnalysis AtOnce = Search.Analyse(Board.View(), Cross, {0, 0, &Stopped});
  EXPECT_EQ(AtOnce, Told[0]);
  EXPECT_EQ(AtOnce.Depth, 1);

  std::atomic<bool> Stop = false;
  const TAnalysisObserver StopAtThree = [&Stop](const TAnalysis& Report) { Stop = Report.Depth == 3; };
  const TAnalysis AtThree = Search.Analyse(Board.View(), Cross, {0, 0, &Stop}, &StopAtThree);
  EXPECT_EQ(AtThree.Depth, 3);
  EXPECT_EQ(AtThree.Lines, Told[2].Lines);
}

TEST(AnalysisAnswers, WithoutSearchOnAnEmptyOrFullBoard) {
  TTestBoard Board(15, 9);
  const TAnalysis Opening = TExpertSearch().Analyse(Board.View(), Cross, Positions(1000));
  ASSERT_EQ(Opening.Lines.size(), 1u);
  EXPECT_EQ(Opening.Lines[0].Cell, (TBoardCell{7, 4}));
  EXPECT_EQ(Opening.Lines[0].Advantage, (TAdvantage{0, sdEven}));
  Board.FillWithoutThrees();
  const TAnalysis Full = TExpertSearch().Analyse(Board.View(), Cross, Positions(1000));
  EXPECT_TRUE(Full.Lines.empty());
  EXPECT_TRUE(Full.Settled);
}

TEST(AnalysisAdvantage, GrowsWithTheScoreAndReachesTheEndsOnlyWhenProven) {
  TAdvantage Previous = AdvantageOf(0);
  EXPECT_EQ(Previous, (TAdvantage{0, sdEven}));
  for (int Score = 500; Score < 999000; Score += Score / 4) {
    const TAdvantage Ahead = AdvantageOf(Score);
    EXPECT_GE(Ahead.Value, Previous.Value);
    EXPECT_GE(Ahead.Standing, Previous.Standing);
    EXPECT_LT(Ahead.Value, 100);
    EXPECT_EQ(AdvantageOf(-Score), (TAdvantage{-Ahead.Value, Ahead.Standing}));
    Previous = Ahead;
  }
  EXPECT_EQ(Previous.Standing, sdWinning);
  EXPECT_EQ(AdvantageOf(999990), (TAdvantage{100, sdWinning}));
  EXPECT_EQ(AdvantageOf(-999990), (TAdvantage{-100, sdWinning}));
}

// Between depths the search goes on being heard: on a clock that moves
// 10 ms each time it is read, progress comes at most every 150 ms of it,
// each the last complete report with more positions counted, and hearing it
// changes nothing the search finds.
TEST(AnalysisReports, ProgressIsToldBetweenDepthsAndChangesNothing) {
  TRandom Random(17);
  const TTestBoard Board = PlayedLookingBoard(Random, 20, 20, 8);
  testing::TManualTime Clock(std::chrono::milliseconds(10));
  std::vector<TAnalysis> Heard;
  const std::function<void(const TAnalysis&)> Progress = [&](const TAnalysis& Report) { Heard.push_back(Report); };
  TSearchBudget Budget = Positions(200000);
  Budget.Time = &Clock;
  Budget.OnProgress = &Progress;
  std::vector<TAnalysis> Depths;
  const TAnalysisObserver OnDepth = [&](const TAnalysis& Report) { Depths.push_back(Report); };
  const TAnalysis Report = TExpertSearch(5).Analyse(Board.View(), Cross, Budget, &OnDepth);
  ASSERT_FALSE(Report.Settled);
  ASSERT_GE(Heard.size(), 2u);
  for (std::size_t I = 1; I < Heard.size(); ++I) {
    EXPECT_GT(Heard[I].Nodes, Heard[I - 1].Nodes);
    EXPECT_GE(Heard[I].Depth, Heard[I - 1].Depth);
  }
  const bool FromADepth = std::any_of(Depths.begin(), Depths.end(), [&](const TAnalysis& Depth) {
    return Depth.Depth == Heard.back().Depth && Depth.Lines == Heard.back().Lines;
  });
  EXPECT_TRUE(FromADepth);
  EXPECT_EQ(Report, TExpertSearch(5).Analyse(Board.View(), Cross, Positions(200000)));
}

}  // namespace
}  // namespace quintar
