#include "Review.h"

#include <algorithm>
#include <utility>

#include "Rules.h"

namespace quintar::game {
namespace {

// Points of the advantage scale a move may give away and still be good, or
// only inaccurate.
constexpr int BestLoss = 3;
constexpr int GoodLoss = 12;
constexpr int InaccuracyLoss = 30;

bool Wins(const TAnalysis& Report) { return !Report.Lines.empty() && Report.Lines.front().Outcome == ocWin; }
bool Loses(const TAnalysis& Report) { return !Report.Lines.empty() && Report.Lines.front().Outcome == ocLoss; }
// Lost by proof, or by a margin the analysis calls winning for the other side.
bool LooksLost(const TAnalysis& Report) {
  return !Report.Lines.empty() && Report.Lines.front().Advantage.Value < 0 &&
         Report.Lines.front().Advantage.Standing == sdWinning;
}

std::optional<vcl::TPoint> BestCell(const TAnalysis& Report) {
  if (Report.Lines.empty()) return std::nullopt;
  return vcl::TPoint{Report.Lines.front().Cell.Col, Report.Lines.front().Cell.Row};
}

int AdvantageOfBest(const TAnalysis& Report) { return Report.Lines.empty() ? 0 : Report.Lines.front().Advantage.Value; }

void Summarise(TReview& Review) {
  int WorstLoss[2] = {0, 0};
  for (std::size_t Index = 0; Index < Review.Moves.size(); ++Index) {
    const TMoveReview& Move = Review.Moves[Index];
    TSideSummary& Side = Move.Side == 1 ? Review.Crosses : Review.Noughts;
    ++Side.Counts[static_cast<std::size_t>(Move.Judgement)];
    // A lost win or a win let through turns the game whatever the scores say.
    const int Weight = Move.Judgement >= TJudgement::MissedWin ? 1000 : Move.Loss;
    int& Worst = WorstLoss[Move.Side == 1 ? 0 : 1];
    if (Move.Judgement != TJudgement::Best && Move.Judgement != TJudgement::Good && Weight > Worst) {
      Worst = Weight;
      Side.TurningPoint = Index;
    }
  }
}

// Whether the other side wins, as surely as the analysis can tell, had the
// side that played Played played Instead; Position is the one after Played,
// and is left as it was.
bool WinFollows(TThinkRequest& Position, vcl::TPoint Played, vcl::TPoint Instead, TComputerThinker& Thinker,
                const TSearchBudget& Budget) {
  int& PlayedCell = Position.Board.Cells[Played.X][Played.Y];
  int& InsteadCell = Position.Board.Cells[Instead.X][Instead.Y];
  std::swap(PlayedCell, InsteadCell);
  const bool Follows = Wins(Thinker.Analyse(Position, Budget));
  std::swap(PlayedCell, InsteadCell);
  return Follows;
}

// The analysis of the game's first position. On an empty board the computer
// names its move without a search, and so without a value: the value is
// then what the other side's best answer to that move leaves, measured as
// every move after it is, so that the first move is judged on the same
// scale as the one named.
TAnalysis FirstAnalysis(TThinkRequest& Position, TComputerThinker& Thinker, const TSearchBudget& Budget) {
  TAnalysis Report = Thinker.Analyse(Position, Budget);
  if (Report.Nodes > 0 || Report.Lines.empty()) return Report;
  TCandidateLine& Best = Report.Lines.front();
  int& Named = Position.Board.Cells[Best.Cell.Col][Best.Cell.Row];
  Named = Position.Side;
  Position.Side = -Position.Side;
  Best.Advantage.Value = -AdvantageOfBest(Thinker.Analyse(Position, Budget));
  Position.Side = -Position.Side;
  Named = 0;
  return Report;
}

}  // namespace

// The move's worth is what the other side's best answer leaves: the
// advantage after it, seen from the mover.
TMoveReview JudgeMove(vcl::TPoint Cell, int Side, const TAnalysis& Before, const std::optional<TAnalysis>& After) {
  TMoveReview Review;
  Review.Cell = Cell;
  Review.Side = Side;
  const std::optional<vcl::TPoint> Best = BestCell(Before);
  if (Best && *Best != Cell) Review.Better = Best;
  if (!After) {  // the move made five, or filled the board
    Review.Better.reset();
    return Review;
  }
  const int Left = -AdvantageOfBest(*After);
  Review.Loss = std::max(0, AdvantageOfBest(Before) - Left);
  // A win is missed, or let through, only for another move that would have
  // kept it or held: the move the computer would have played itself cannot
  // have thrown one away that the computer saw. Nor is it where the mover is
  // still winning after the move, or was losing already before it, though
  // not by proof: the win was kept, or was there all along.
  if (Review.Better && Wins(Before) && !LooksLost(*After))
    Review.Judgement = TJudgement::MissedWin;
  else if (Review.Better && !LooksLost(Before) && Wins(*After))
    Review.Judgement = TJudgement::LetWinThrough;
  else if (Review.Better && Wins(Before) && Loses(*After) &&
           After->Lines.front().MovesToFive >= Before.Lines.front().MovesToFive)
    Review.Judgement = TJudgement::Good;  // the win kept, but no nearer
  else if (!Review.Better || Review.Loss <= BestLoss)
    Review.Judgement = TJudgement::Best;
  else if (Review.Loss <= GoodLoss)
    Review.Judgement = TJudgement::Good;
  else if (Review.Loss <= InaccuracyLoss)
    Review.Judgement = TJudgement::Inaccuracy;
  else
    Review.Judgement = TJudgement::Mistake;
  if (Review.Judgement == TJudgement::Best) Review.Better.reset();
  return Review;
}

TReview ReviewGame(const TReviewRequest& Request, TComputerThinker& Thinker, TSearchBudget Budget,
                   const std::function<void(std::size_t Judged)>& Progress) {
  Thinker.Seed(ReviewSeed);
  TReview Review;
  TThinkRequest Position;
  Position.Board.ColCount = Request.ColCount;
  Position.Board.RowCount = Request.RowCount;
  const auto Stopped = [&] { return Budget.Stop != nullptr && Budget.Stop->load(); };
  std::optional<TAnalysis> Before;
  for (std::size_t Index = 0; Index < Request.Moves.size() && !Stopped(); ++Index) {
    const vcl::TPoint Cell = Request.Moves[Index];
    const int Side = Index % 2 == 0 ? 1 : -1;
    if (!OnBoard(Request.ColCount, Request.RowCount, Cell.X, Cell.Y) || Position.Board.Cells[Cell.X][Cell.Y] != 0)
      break;
    Position.Side = Side;
    if (!Before) Before = FirstAnalysis(Position, Thinker, Budget);
    Position.Board.Cells[Cell.X][Cell.Y] = Side;
    std::optional<TAnalysis> After;
    const bool Ended = FiveThrough(Position.Board.View(), Cell.X, Cell.Y) ||
                       Index + 1 == static_cast<std::size_t>(Request.ColCount * Request.RowCount);
    if (!Ended) {
      Position.Side = -Side;
      After = Thinker.Analyse(Position, Budget);
    }
    TMoveReview Judged = JudgeMove(Cell, Side, *Before, After);
    if (Judged.Judgement == TJudgement::LetWinThrough && WinFollows(Position, Cell, *Judged.Better, Thinker, Budget)) {
      // The defence named would not have held either: the game was lost
      // before this move, which lost nothing more.
      Judged.Judgement = TJudgement::Best;
      Judged.Better.reset();
    }
    Review.Moves.push_back(Judged);
    Before = After;
    if (Progress) Progress(Review.Moves.size());
    if (Ended) break;
  }
  Summarise(Review);
  return Review;
}

}  // namespace quintar::game
