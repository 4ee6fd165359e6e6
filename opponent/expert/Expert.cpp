#include "Expert.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>
#include <vector>

#include "ExpertBoard.h"
#include "FourSearch.h"
#include "Mixing.h"
#include "SearchClock.h"
#include "ThreatSearch.h"
#include "TranspositionTable.h"
#include "TunedWeights.h"

namespace quintar {
namespace expert {
namespace {

// The longest win or loss, in moves to five, that the full search claims as
// proven: a five now, or a four the other side cannot stop.
constexpr int LongestClaimedByTheSearch = 2;

constexpr int Infinite = WinScore + 1;
constexpr int MaxPly = 64;
constexpr int MaxDepth = 32;
// 2^19 entries of 16 bytes: 8 MB, unless the host allows less memory; never
// under 2^12 entries (64 KB), below which the table hardly helps.
constexpr int TableBits = 19;
constexpr int FewestTableBits = 12;
// The table takes at most this share of the memory a host allows: the rest
// is the program's own.
constexpr std::size_t TableShareOfMemory = 2;

// Once the soft target has passed, a best move that has held over this many
// completed depths is played.
constexpr int SettledDepths = 3;

// How many of the best-looking cells are searched: all the plausible ones at
// the root, fewer deeper down, where a good reply is nearly always among the
// first few.
constexpr int RootWidth = 24;
// The root's list also takes the cells of the opponent's threats when it
// looks for moves that spoil them.
constexpr int MostThreatCells = 24;
constexpr int MaxWidth = RootWidth + MostThreatCells;
int WidthAt(int Ply) { return Ply <= 2 ? 12 : 8; }

// A win by fours is looked for before the full search; a board crowded with
// fours gets at most this many positions of it, and never more than a third
// of the budget.
constexpr int RootFours = 40;
constexpr std::int64_t MostRootFourNodes = 20000;

// The defence against the opponent's wins by threats: at the root, wins with
// up to two open threes, within a tenth of the budget and at most this many
// positions in all, this many for each look; in the search, wins by a few
// fours, looked for briefly where at least two more plies are searched.
constexpr int RootThreatThrees = 2;
constexpr std::int64_t MostRootThreatNodes = 8000;
constexpr std::int64_t RootThreatLookNodes = 400;
constexpr int InnerThreatFours = 6;
constexpr std::int64_t InnerThreatNodes = 24;
constexpr int InnerThreatDepth = 2;

// At the leaves, a quick look for a short win by fours.
constexpr int LeafFours = 6;
constexpr std::int64_t LeafFourNodes = 16;

// The analysis's first depth is completed whatever the budget, so that a
// stopped analysis still has something to show. From each root move it
// follows at most one chain of forced blocks, with a short look for fours at
// its end, so this many positions always suffice.
constexpr std::int64_t FirstLookNodes = RootWidth * (MaxPly + 1) * (1 + LeafFourNodes);
// Completing a proven win's line to its five takes at most this many more
// positions, found by fours.
constexpr std::int64_t LineFourNodes = 20000;
// The longest win by fours: each four and its block, then the flexible four,
// its block and the five.
constexpr int MaxWinPlies = 2 * TFourSearch::MostFours + 3;

struct TScoredMove {
  int Index;
  int Score;
};

// Best first, earlier first among equals: the root's order from one depth to
// the next. An insertion sort: it runs once a depth on the root's few moves,
// mostly in order already, and is a fraction of the size of std::stable_sort,
// which the web page downloads.
void SortBestFirst(TScoredMove* Moves, int Count) {
  for (int Sorted = 1; Sorted < Count; ++Sorted) {
    const TScoredMove Move = Moves[Sorted];
    int Hole = Sorted;
    for (; Hole > 0 && Moves[Hole - 1].Score < Move.Score; --Hole) Moves[Hole] = Moves[Hole - 1];
    Moves[Hole] = Move;
  }
}

// A budget with no limit at all would never end.
TSearchBudget Bounded(const TSearchBudget& Budget) {
  if (Budget.Milliseconds > 0 || Budget.Nodes > 0 || Budget.Stop != nullptr) return Budget;
  TSearchBudget Default = Budget;
  Default.Milliseconds = DefaultExpertBudget().Milliseconds;
  Default.Nodes = DefaultExpertBudget().Nodes;
  return Default;
}

// The moves of a line played out on the board as they are added, and taken
// back when it goes.
class TLineWalk {
 public:
  TLineWalk(TExpertBoard& Board, int Mover) : FBoard(Board), FMover(Mover) {}
  ~TLineWalk() {
    for (; FPlayed > 0; --FPlayed) FBoard.Undo();
  }
  TLineWalk(const TLineWalk&) = delete;
  TLineWalk& operator=(const TLineWalk&) = delete;

  void Play(int Index) {
    FMadeFive = FBoard.Threat(FMover, Index) == thFive;
    FLine.push_back({TExpertBoard::ColOf(Index), TExpertBoard::RowOf(Index)});
    FBoard.Play(Index, FMover);
    ++FPlayed;
    FMover = Opposite(FMover);
  }
  int Mover() const { return FMover; }
  bool MadeFive() const { return FMadeFive; }
  int Length() const { return static_cast<int>(FLine.size()); }
  std::vector<TBoardCell> Line() const { return FLine; }

 private:
  TExpertBoard& FBoard;
  int FMover;
  int FPlayed = 0;
  bool FMadeFive = false;
  std::vector<TBoardCell> FLine;
};

// Ticks the search clock for as long as it lives.
class TTicking {
 public:
  TTicking(TSearchClock& Clock, const std::function<void()>* Tick) : FClock(Clock) {
    FClock.SetTicker(Tick, std::chrono::milliseconds(ProgressMilliseconds));
  }
  ~TTicking() { FClock.SetTicker(nullptr, {}); }
  TTicking(const TTicking&) = delete;
  TTicking& operator=(const TTicking&) = delete;

 private:
  TSearchClock& FClock;
};

// A score of the search as a proven result: a win ends with the five on ply
// WinScore - Score from the root, the root move being ply 0.
int FivePly(int Score) { return WinScore - (Score < 0 ? -Score : Score); }

// Keeps the Width best-scored moves, best first, earlier offers first among
// equals.
class TBestMoves {
 public:
  TBestMoves(TScoredMove* Moves, int Width) : FMoves(Moves), FWidth(Width) {}
  void Offer(int Index, int Score) {
    if (FCount == FWidth && Score <= FMoves[FCount - 1].Score) return;
    int Slot = FCount < FWidth ? FCount++ : FCount - 1;
    for (; Slot > 0 && FMoves[Slot - 1].Score < Score; --Slot) FMoves[Slot] = FMoves[Slot - 1];
    FMoves[Slot] = {Index, Score};
  }
  int Count() const { return FCount; }

 private:
  TScoredMove* FMoves;
  int FWidth;
  int FCount = 0;
};

}  // namespace

class TSearcher {
 public:
  explicit TSearcher(std::uint64_t Seed)
      : FTable(TableBits), FFours(FBoard, FClock), FThreats(FBoard, FClock), FSeed(Seed) {}

  void Seed(std::uint64_t Seed) { FSeed = Seed; }
  // 0 sets no limit.
  void LimitMemory(std::size_t Bytes) {
    FTable.Resize(Bytes == 0 ? TableBits
                             : TTranspositionTable::BitsWithin(Bytes / TableShareOfMemory, FewestTableBits, TableBits));
  }
  void SetThreatDefence(const TThreatDefence& Defence) { FDefence = Defence; }
  TExpertChoice Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget);
  TAnalysis Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget, const TAnalysisObserver* OnDepth);

 private:
  // One depth over the root moves: the best move's place among them (-1 when
  // the budget ran out first) and its score.
  struct TRootPass {
    int Best = -1;
    int Score = 0;
  };

  std::int64_t RootFourNodes() const;
  int Decide(int Side, TExpertChoice& Choice);
  int DeepenSearch(int Side, TExpertChoice& Choice);
  int OrderRootMoves(int Side, TScoredMove* Root);
  std::int64_t RootThreatNodes() const;
  int KeepSpoilers(int Side, TScoredMove* Root, int Count);
  std::span<const int> ThreatCells(int Side, int Depth);
  TRootPass SearchRoot(int Side, TScoredMove* Root, int Count, int Depth, int Lines);
  bool ReportDepth(int Side, int Count, int Depth, TAnalysis& Report);
  bool FindFourWin(int Side, int MaxFours, std::int64_t MaxNodes, TCandidateLine& Win);
  bool FindFourLossAfterBlock(int Side, TCandidateLine& Loss);
  TCandidateLine CandidateLine(int Side, const TScoredMove& Move);
  void FinishWin(TLineWalk& Walk, int Attacker, int Plies);
  bool OnlyOneMoveSurvives(const TScoredMove* Root, int Count) const;
  void Report(int Side, int Depth, const TScoredMove& Best);
  int Search(int Side, int Depth, int Alpha, int Beta, int Ply);
  int SearchReply(int Replier, int Depth, int Alpha, int Beta, int Ply, bool First);
  int SettleLeaf(int Side, int Ply);
  int Evaluate(int Side) const;
  int GenerateMoves(int Side, TScoredMove* Moves, int Width, std::span<const int> Only = {}) const;
  bool BlocksFour(int Side, int Index) const;
  int FirstEmptyCell() const;

  TExpertBoard FBoard;
  TSearchClock FClock;
  TTranspositionTable FTable;
  TFourSearch FFours;
  TThreatSearch FThreats;
  TThreatDefence FDefence;
  std::uint64_t FSeed;
  // Lines are completed under a clock of their own, so that a win's line
  // never depends on how much of the budget is left.
  TSearchClock FLineClock;
  TFourSearch FLineFours{FBoard, FLineClock};
  // The host's observer of the choice in progress, if any.
  const TSearchObserver* FOnDepth = nullptr;
  std::array<std::array<TScoredMove, MaxWidth>, MaxPly + 1> FMoves;
};

TExpertChoice TSearcher::Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget) {
  TExpertChoice Choice;
  FBoard.Load(Board);
  if (FBoard.EmptyCount() == 0) return Choice;
  FClock.Start(Bounded(Budget));
  FOnDepth = Budget.OnDepth;
  FTable.NewGeneration();
  const int Move = Decide(SideOfTurn(Turn), Choice);
  FOnDepth = nullptr;
  Choice.Found = true;
  Choice.Col = TExpertBoard::ColOf(Move);
  Choice.Row = TExpertBoard::RowOf(Move);
  Choice.Nodes = FClock.Nodes();
  return Choice;
}

// What needs no search comes first: the opening move, a five, a block of the
// opponent's five, a flexible four, a win by fours.
int TSearcher::Decide(int Side, TExpertChoice& Choice) {
  const int Opponent = Opposite(Side);
  if (!FBoard.HasMarks()) return TExpertBoard::IndexOf(FBoard.ColCount() / 2, FBoard.RowCount() / 2);
  if (FBoard.Has(Side, thFive)) {
    Choice.ForcedWin = true;
    return FBoard.Find(Side, thFive);
  }
  if (FBoard.Has(Opponent, thFive)) {
    Choice.ForcedLoss = FBoard.CountOf(Opponent, thFive) >= 2;
    return FBoard.Find(Opponent, thFive);
  }
  if (FBoard.Has(Side, thFlexFour)) {
    Choice.ForcedWin = true;
    return FBoard.Find(Side, thFlexFour);
  }
  const int FourWin = FFours.FindWin(Side, RootFours, RootFourNodes());
  if (FourWin != TExpertBoard::NoCell) {
    Choice.ForcedWin = true;
    return FourWin;
  }
  return DeepenSearch(Side, Choice);
}

std::int64_t TSearcher::RootFourNodes() const {
  return FClock.NodeLimit() > 0 ? std::min(MostRootFourNodes, FClock.NodeLimit() / 3 + 1) : MostRootFourNodes;
}

// Iterative deepening over the root moves, best first from one depth to the
// next. A depth cut short by the budget still counts for the moves it
// finished: any of them that beat the previous best is better. Deeper search
// cannot change a decided move, so a proven win or loss, or a single move
// that escapes a proven loss, ends it; so does a best move that has settled
// once the soft target has passed.
int TSearcher::DeepenSearch(int Side, TExpertChoice& Choice) {
  TScoredMove* Root = FMoves[0].data();
  int Count = OrderRootMoves(Side, Root);
  if (FDefence.AtRoot) Count = KeepSpoilers(Side, Root, Count);
  if (Count == 0) return FirstEmptyCell();
  if (Count == 1) return Root[0].Index;

  int Best = Root[0].Index;
  int HeldFor = 0;  // completed depths in a row that ended with Best
  for (int Depth = 1; Depth <= MaxDepth; ++Depth) {
    const TRootPass Pass = SearchRoot(Side, Root, Count, Depth, 1);
    const int Alpha = Pass.Score;
    const int PreviousBest = Best;
    if (Pass.Best >= 0) Best = Root[Pass.Best].Index;
    if (FClock.Spent()) break;
    HeldFor = Best == PreviousBest ? HeldFor + 1 : 1;
    Choice.Depth = Depth;
    Choice.ForcedWin = Alpha >= DecidedScore;
    Choice.ForcedLoss = Alpha <= -DecidedScore;
    Report(Side, Depth, {Best, Alpha});
    if (Choice.ForcedWin || Choice.ForcedLoss || OnlyOneMoveSurvives(Root, Count)) break;
    if (HeldFor >= SettledDepths && FClock.SoftTargetPassed()) break;
    SortBestFirst(Root, Count);
  }
  return Best;
}

// The root moves for Side, the most promising first; the seed breaks ties
// between moves that look alike.
int TSearcher::OrderRootMoves(int Side, TScoredMove* Root) {
  const int Count = GenerateMoves(Side, Root, RootWidth);
  for (int I = 0; I < Count; ++I)
    Root[I].Score += static_cast<int>(Mixed(FSeed ^ FBoard.Hash() ^ static_cast<std::uint64_t>(Root[I].Index)) & 7u);
  SortBestFirst(Root, Count);
  return Count;
}

std::int64_t TSearcher::RootThreatNodes() const {
  return FClock.NodeLimit() > 0 ? std::min(MostRootThreatNodes, FClock.NodeLimit() / 10 + 1) : MostRootThreatNodes;
}

// When the opponent, given the move, would win by threes and fours, only the
// moves that spoil that win are searched: the root's moves and the cells of
// the opponent's threats are tried. The search would otherwise see the loss
// only when it is too late to spoil. When no move spoils it, every move is
// left to the search.
int TSearcher::KeepSpoilers(int Side, TScoredMove* Root, int Count) {
  const int Opponent = Opposite(Side);
  std::array<int, MaxWidth> Candidates;
  int Tried = 0;
  for (; Tried < Count; ++Tried) Candidates[Tried] = Root[Tried].Index;
  FBoard.ForEachThreat(Opponent, thThree, [&](int Index) {
    if (std::find(Candidates.begin(), Candidates.begin() + Tried, Index) == Candidates.begin() + Tried)
      Candidates[Tried++] = Index;
    return Tried < MaxWidth;
  });
  const TSpoilers Spoilers = FThreats.KeepSpoilers(Opponent, RootThreatThrees, {Candidates.data(), std::size_t(Tried)},
                                                   RootThreatNodes(), RootThreatLookNodes);
  if (Spoilers.Count == 0) return Count;
  for (int I = 0; I < Spoilers.Count; ++I) {
    const int Index = Candidates[I];
    const TScoredMove* Listed =
        std::find_if(Root, Root + Count, [&](const TScoredMove& Move) { return Move.Index == Index; });
    Root[I] = {Index,
               Listed != Root + Count ? Listed->Score : 2 * FBoard.Value(Side, Index) + FBoard.Value(Opponent, Index)};
  }
  SortBestFirst(Root, Spoilers.Count);
  return Spoilers.Count;
}

// Every root move gets a score: the first Lines moves, and any move that
// beats the Lines-th best so far, their exact score; the rest only a bound
// showing they are no better. Searching one move only for a bound costs far
// less than searching it exactly, so the move choice, which needs one line,
// pays for no more. A depth cut short by the budget still scores the moves
// it finished.
TSearcher::TRootPass TSearcher::SearchRoot(int Side, TScoredMove* Root, int Count, int Depth, int Lines) {
  std::array<int, MaxCandidateLines> Best;  // the best scores so far, best first
  Best.fill(-Infinite);
  const int Last = std::clamp(Lines, 1, MaxCandidateLines) - 1;
  TRootPass Pass = {-1, -Infinite};
  for (int I = 0; I < Count; ++I) {
    const int Alpha = Best[Last];
    FBoard.Play(Root[I].Index, Side);
    const int Score = SearchReply(Opposite(Side), Depth - 1, Alpha, Infinite, 1, Alpha == -Infinite);
    FBoard.Undo();
    if (FClock.Spent()) break;
    Root[I].Score = Score;
    if (Score <= Alpha) continue;
    int Slot = Last;
    for (; Slot > 0 && Best[Slot - 1] < Score; --Slot) Best[Slot] = Best[Slot - 1];
    Best[Slot] = Score;
    if (Slot == 0) Pass = {I, Score};
  }
  return Pass;
}

// The analysis answers at once what needs no search (a full board, the
// opening move), then looks for a win by one four and completes its first
// depth whatever the budget, so that even an analysis stopped before it
// began has something to show. The caller's budget then pays for a longer
// win by fours and for deeper search. A win by fours is the only line
// reported, proven and certain to its five, unless the search finds a
// shorter win (by threes) and a line that plays it out to its five; it goes
// on looking until it is as deep as such a win would be long. The last
// report told is the one returned.
TAnalysis TSearcher::Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget,
                             const TAnalysisObserver* OnDepth) {
  TAnalysis Report;
  Report.Turn = Turn == 1 ? 1 : -1;
  FBoard.Load(Board);
  FTable.NewGeneration();
  const auto Tell = [&](std::int64_t Nodes) {
    Report.Nodes = Nodes;
    if (OnDepth != nullptr) (*OnDepth)(Report);
    return Report;
  };
  const int Side = SideOfTurn(Turn);
  const int Count = FBoard.HasMarks() ? OrderRootMoves(Side, FMoves[0].data()) : 0;
  if (Count == 0) {
    Report.Settled = true;
    const int Move = FBoard.EmptyCount() == 0 ? TExpertBoard::NoCell
                     : FBoard.HasMarks()      ? FirstEmptyCell()
                                              : TExpertBoard::IndexOf(FBoard.ColCount() / 2, FBoard.RowCount() / 2);
    if (Move != TExpertBoard::NoCell) Report.Lines.push_back(CandidateLine(Side, {Move, 0}));
    return Tell(0);
  }
  FClock.Start({0, FirstLookNodes, nullptr});
  TCandidateLine FourWin;
  if (FindFourWin(Side, 1, FirstLookNodes, FourWin)) {
    Report.Lines = {FourWin};
    Report.Settled = true;
    return Tell(FClock.Nodes());
  }
  ReportDepth(Side, Count, 1, Report);
  const std::int64_t FirstLook = FClock.Nodes();
  // A win by fours, or how long a win is, may still follow: the first report
  // is never told as the last.
  const bool SettledAtFirst = std::exchange(Report.Settled, false);
  Tell(FirstLook);
  Report.Settled = SettledAtFirst;

  // A win the first depth saw only bounds its length; the search by fours
  // finds the shortest and its whole line.
  TSearchBudget Rest = Bounded(Budget);
  if (Rest.Nodes > 0 && (Rest.Nodes -= FirstLook) <= 0) return SettledAtFirst ? Tell(FirstLook) : Report;
  FClock.Start(Rest);
  const std::function<void()> Progress = [&] {
    TAnalysis Going = Report;
    Going.Nodes = FirstLook + FClock.Nodes();
    (*Budget.OnProgress)(Going);
  };
  const TTicking Ticking(FClock, Budget.OnProgress != nullptr ? &Progress : nullptr);
  const bool WinsByFours = FindFourWin(Side, RootFours, RootFourNodes(), FourWin);
  if (WinsByFours) {
    Report.Lines = {FourWin};
    Report.Settled = false;
    Tell(FirstLook + FClock.Nodes());
  } else if (TCandidateLine FourLoss; FindFourLossAfterBlock(Side, FourLoss)) {
    Report.Lines = {FourLoss};
    Report.Settled = true;
    return Tell(FirstLook + FClock.Nodes());
  }
  for (int Depth = 2; Depth <= MaxDepth && !Report.Settled; ++Depth) {
    if (!ReportDepth(Side, Count, Depth, Report)) break;
    const TCandidateLine& Best = Report.Lines.front();
    const bool ShorterWin = Best.Outcome == ocWin && Best.LineMakesFive && Best.MovesToFive < FourWin.MovesToFive;
    if (WinsByFours && !ShorterWin) {
      Report.Lines = {FourWin};
      Report.Settled = Depth >= 2 * FourWin.MovesToFive - 3;
    }
    Tell(FirstLook + FClock.Nodes());
  }
  // Settled at the first look, with nothing found since: told as the last.
  if (SettledAtFirst && !WinsByFours) return Tell(FirstLook + FClock.Nodes());
  return Report;
}

// One more depth over the Count root moves, its best few lines put in the
// report; false when the budget ran out before the depth was complete.
bool TSearcher::ReportDepth(int Side, int Count, int Depth, TAnalysis& Report) {
  TScoredMove* Root = FMoves[0].data();
  SearchRoot(Side, Root, Count, Depth, MaxCandidateLines);
  if (FClock.Spent()) return false;
  SortBestFirst(Root, Count);
  Report.Depth = Depth;
  Report.Lines.clear();
  for (int I = 0; I < std::min(Count, MaxCandidateLines); ++I) Report.Lines.push_back(CandidateLine(Side, Root[I]));
  Report.Settled = Root[0].Score >= DecidedScore || Root[0].Score <= -DecidedScore || Depth == MaxDepth;
  return true;
}

// Side's shortest win by at most MaxFours fours within MaxNodes more
// positions, looked for with one more four at a time, as a line to its five.
bool TSearcher::FindFourWin(int Side, int MaxFours, std::int64_t MaxNodes, TCandidateLine& Win) {
  const std::int64_t Ceiling = FClock.Nodes() + MaxNodes;
  for (int Fours = 1; Fours <= MaxFours; ++Fours) {
    const std::int64_t Before = FClock.Nodes();
    if (Before >= Ceiling || FClock.Spent()) return false;
    if (FFours.FindWin(Side, Fours, Ceiling - Before) == TExpertBoard::NoCell) {
      // With no four to try, more fours allowed find nothing either.
      if (FClock.Nodes() == Before) return false;
      continue;
    }
    TLineWalk Walk(FBoard, Side);
    for (const int Index : FFours.WinLine()) Walk.Play(Index);
    FinishWin(Walk, Side, MaxWinPlies);
    if (!Walk.MadeFive()) return false;
    Win.Line = Walk.Line();
    Win.LineMakesFive = true;
    Win.ByFours = true;
    Win.Cell = Win.Line.front();
    Win.Score = WinScore - (Walk.Length() - 1);
    Win.Advantage = AdvantageOf(Win.Score);
    Win.Outcome = ocWin;
    Win.MovesToFive = (Walk.Length() + 1) / 2;
    return true;
  }
  return false;
}

// Where Side's only move is to block the other side's four, and the other
// side then wins by fours: a loss as sure as that win, however long, with
// the block and the win as its line. Without it the side to move would be
// shown only as losing, while the other side, one move on, is shown winning
// by fours, and a review would take each four of the win for a win missed.
bool TSearcher::FindFourLossAfterBlock(int Side, TCandidateLine& Loss) {
  const int Opponent = Opposite(Side);
  if (FBoard.Has(Side, thFive) || FBoard.CountOf(Opponent, thFive) != 1) return false;
  const int Block = FBoard.Find(Opponent, thFive);
  TLineWalk Walk(FBoard, Side);
  Walk.Play(Block);
  if (!FindFourWin(Opponent, RootFours, RootFourNodes(), Loss)) return false;
  for (const TBoardCell Cell : Loss.Line) Walk.Play(TExpertBoard::IndexOf(Cell.Col, Cell.Row));
  Loss.Line = Walk.Line();
  Loss.Cell = Loss.Line.front();
  Loss.Score = -(Loss.Score - 1);
  Loss.Advantage = AdvantageOf(Loss.Score);
  Loss.Outcome = ocLoss;
  return true;
}

// A root move as the report shows it: its score, what that proves, and the
// line the table of positions expects from it. The table keeps the best
// move of every position on the best lines of the last depth, but not of
// those the search settles before it looks at moves (an open four, a five),
// so a proven result's line is carried on to its five by fours where the
// table falls short: the winner's, whichever side that is.
TCandidateLine TSearcher::CandidateLine(int Side, const TScoredMove& Move) {
  TCandidateLine Candidate;
  Candidate.Cell = {TExpertBoard::ColOf(Move.Index), TExpertBoard::RowOf(Move.Index)};
  Candidate.Score = Move.Score;
  Candidate.Advantage = AdvantageOf(Move.Score);
  int Plies = MaxLineMoves;
  if (Move.Score >= DecidedScore || Move.Score <= -DecidedScore) {
    const int FiveAt = FivePly(Move.Score);
    const int MovesToFive = Move.Score > 0 ? FiveAt / 2 + 1 : (FiveAt + 1) / 2;
    // The full search looks at the most promising few replies in each
    // position, so a longer result of its own may yet be refuted: it is
    // shown as winning, not claimed. Wins by fours are claimed apart.
    if (MovesToFive <= LongestClaimedByTheSearch) {
      Candidate.Outcome = Move.Score > 0 ? ocWin : ocLoss;
      Candidate.MovesToFive = MovesToFive;
      Plies = FiveAt + 1;
    } else {
      Candidate.Advantage = {Move.Score > 0 ? MostUnproven : -MostUnproven, sdWinning};
    }
  }
  TLineWalk Walk(FBoard, Side);
  Walk.Play(Move.Index);
  while (Walk.Length() < Plies && !Walk.MadeFive()) {
    if (FBoard.Has(Walk.Mover(), thFive)) {
      Walk.Play(FBoard.Find(Walk.Mover(), thFive));
      break;
    }
    const TTableEntry* Entry = FTable.Find(FBoard.Hash());
    if (Entry == nullptr || Entry->Move < 0 || Entry->Move >= TExpertBoard::IndexCount || !FBoard.IsEmpty(Entry->Move))
      break;
    Walk.Play(Entry->Move);
  }
  if (Candidate.Outcome != ocUnproven) FinishWin(Walk, Candidate.Outcome == ocWin ? Side : Opposite(Side), Plies);
  Candidate.Line = Walk.Line();
  Candidate.LineMakesFive = Walk.MadeFive();
  return Candidate;
}

// Plays on from the end of Walk towards Attacker's five while the way is
// certain and the line has fewer than Plies moves: the five itself, the
// defender's block of a four, or a win by fours short enough to fit.
void TSearcher::FinishWin(TLineWalk& Walk, int Attacker, int Plies) {
  const int Defender = Opposite(Attacker);
  while (!Walk.MadeFive() && Walk.Length() < Plies) {
    if (Walk.Mover() == Defender) {
      if (FBoard.Has(Defender, thFive) || !FBoard.Has(Attacker, thFive)) return;
      Walk.Play(FBoard.Find(Attacker, thFive));
      continue;
    }
    FLineClock.Start({0, LineFourNodes, nullptr});
    if (FLineFours.FindWin(Attacker, (Plies - Walk.Length() - 1) / 2, 0) == TExpertBoard::NoCell) return;
    for (const int Index : FLineFours.WinLine()) Walk.Play(Index);
  }
}

// After a completed depth every root move has a score, exact or a bound from
// above; a bound at or below a loss is a proven loss.
bool TSearcher::OnlyOneMoveSurvives(const TScoredMove* Root, int Count) const {
  return std::count_if(Root, Root + Count, [](const TScoredMove& Move) { return Move.Score > -DecidedScore; }) == 1;
}

// Reading the line walks the board and the table but counts no position and
// changes nothing the search reads, so a choice is the same heard or not.
void TSearcher::Report(int Side, int Depth, const TScoredMove& Best) {
  if (FOnDepth == nullptr) return;
  (*FOnDepth)({Depth, FClock.Nodes(), CandidateLine(Side, Best)});
}

int TSearcher::Search(int Side, int Depth, int Alpha, int Beta, int Ply) {
  if (FClock.Spend()) return 0;
  const int Opponent = Opposite(Side);
  if (FBoard.Has(Side, thFive)) return WinScore - Ply;
  const bool MustBlock = FBoard.Has(Opponent, thFive);
  if (MustBlock && FBoard.CountOf(Opponent, thFive) >= 2) return -(WinScore - Ply - 1);
  if (!MustBlock && FBoard.Has(Side, thFlexFour)) return WinScore - Ply - 2;
  if (FBoard.EmptyCount() == 0) return 0;
  // A forced block costs no depth, so that a line of fours is followed to
  // its end.
  if ((Depth <= 0 && !MustBlock) || Ply >= MaxPly) return SettleLeaf(Side, Ply);

  const std::uint64_t Hash = FBoard.Hash();
  int TableMove = TExpertBoard::NoCell;
  if (const TTableEntry* Entry = FTable.Find(Hash)) {
    TableMove = Entry->Move;
    const int Stored = FromTable(Entry->Score, Ply);
    if (Entry->Depth >= Depth && (Entry->Bound == bdExact || (Entry->Bound == bdLower && Stored >= Beta) ||
                                  (Entry->Bound == bdUpper && Stored <= Alpha)))
      return Stored;
  }

  TScoredMove* Moves = FMoves[Ply].data();
  const int Count = GenerateMoves(Side, Moves, WidthAt(Ply), ThreatCells(Side, Depth));
  if (Count == 0) return Evaluate(Side);
  for (int I = 1; I < Count; ++I)
    if (Moves[I].Index == TableMove) std::rotate(Moves, Moves + I, Moves + I + 1);

  const int NextDepth = MustBlock ? Depth : Depth - 1;
  const int AlphaAtStart = Alpha;
  int BestScore = -Infinite;
  int BestMove = Moves[0].Index;
  for (int I = 0; I < Count; ++I) {
    FBoard.Play(Moves[I].Index, Side);
    const int Score = SearchReply(Opponent, NextDepth, Alpha, Beta, Ply + 1, I == 0);
    FBoard.Undo();
    if (FClock.Spent()) return 0;
    if (Score > BestScore) {
      BestScore = Score;
      BestMove = Moves[I].Index;
      if (Score > Alpha) Alpha = Score;
      if (Alpha >= Beta) break;
    }
  }
  const TBound Bound = BestScore >= Beta ? bdLower : BestScore > AlphaAtStart ? bdExact : bdUpper;
  FTable.Store(Hash, ToTable(BestScore, Ply), BestMove, Depth, Bound);
  return BestScore;
}

// Where the opponent, given the move, would win by fours, the cells of that
// win: a move elsewhere that makes no four rarely spoils it. Empty where the
// defence is off, too near the leaves to pay, or not needed.
std::span<const int> TSearcher::ThreatCells(int Side, int Depth) {
  const int Opponent = Opposite(Side);
  if (!FDefence.InSearch || Depth < InnerThreatDepth || FBoard.Has(Opponent, thFive) ||
      FBoard.Has(Opponent, thFlexFour) || !FBoard.Has(Opponent, thFour))
    return {};
  if (FFours.FindWin(Opponent, InnerThreatFours, InnerThreatNodes) == TExpertBoard::NoCell) return {};
  return FFours.WinLine();
}

// Where the search stops, a short look for a win by fours, which the
// values alone would miss.
int TSearcher::SettleLeaf(int Side, int Ply) {
  if (FBoard.Has(Side, thFour) && FFours.FindWin(Side, LeafFours, LeafFourNodes) != TExpertBoard::NoCell)
    return WinScore - Ply - 2 * LeafFours;
  return Evaluate(Side);
}

// What the cells are worth to the side to move, weighed up by its tempo,
// against what they are worth to the other, and a bonus for a four-three or
// two threes the other side cannot answer with a four: nearly always a win,
// though not a proven one.
int TSearcher::Evaluate(int Side) const {
  const int Opponent = Opposite(Side);
  const std::int64_t Own = FBoard.TotalValue(Side);
  int Score = static_cast<int>(Own * TunedWeights.MoverPercent / 100) - FBoard.TotalValue(Opponent);
  if (!FBoard.Has(Opponent, thFour)) {
    if (FBoard.Has(Side, thFourThree))
      Score += TunedWeights.FourThreeBonus;
    else if (FBoard.Has(Side, thDoubleThree))
      Score += TunedWeights.DoubleThreeBonus;
  }
  return Score;
}

// The score of the move just made, for the side that made it. Only the
// first move gets the full window; each later one is first only tested
// against the best so far, and searched in full only if it beats it.
int TSearcher::SearchReply(int Replier, int Depth, int Alpha, int Beta, int Ply, bool First) {
  if (First) return -Search(Replier, Depth, -Beta, -Alpha, Ply);
  const int Tested = -Search(Replier, Depth, -Alpha - 1, -Alpha, Ply);
  if (Tested <= Alpha || Tested >= Beta || FClock.Spent()) return Tested;
  return -Search(Replier, Depth, -Beta, -Alpha, Ply);
}

// The cells worth a look for Side, best first: only the block when the
// opponent threatens five; only fours and cells that spoil the opponent's
// coming four when the opponent can make a flexible four; only fours and the
// cells in Only, when it names any; otherwise the cells near marks by what
// they do for Side and against the opponent.
int TSearcher::GenerateMoves(int Side, TScoredMove* Moves, int Width, std::span<const int> Only) const {
  const int Opponent = Opposite(Side);
  TBestMoves Best(Moves, Width);
  if (FBoard.Has(Opponent, thFive)) {
    FBoard.ForEachThreat(Opponent, thFive, [&](int Index) {
      Best.Offer(Index, 0);
      return true;
    });
    return Best.Count();
  }
  const bool MustDefend = FBoard.Has(Opponent, thFlexFour);
  FBoard.ForEachCandidate([&](int Index) {
    if (MustDefend && FBoard.Threat(Side, Index) < thFour && !BlocksFour(Opponent, Index)) return;
    if (!Only.empty() && FBoard.Threat(Side, Index) < thFour &&
        std::find(Only.begin(), Only.end(), Index) == Only.end())
      return;
    Best.Offer(Index, 2 * FBoard.Value(Side, Index) + FBoard.Value(Opponent, Index));
  });
  return Best.Count();
}

// Whether Side could make a four or better along some line through Index.
bool TSearcher::BlocksFour(int Side, int Index) const {
  for (int Direction = 0; Direction < DirectionCount; ++Direction)
    if (FBoard.Line(Side, Index, Direction) >= lpBlock4) return true;
  return false;
}

int TSearcher::FirstEmptyCell() const {
  for (int Col = 0; Col < FBoard.ColCount(); ++Col)
    for (int Row = 0; Row < FBoard.RowCount(); ++Row)
      if (FBoard.IsEmpty(TExpertBoard::IndexOf(Col, Row))) return TExpertBoard::IndexOf(Col, Row);
  return TExpertBoard::NoCell;
}

}  // namespace expert

TSearchBudget DefaultExpertBudget() { return {100, 15000, nullptr}; }

TSearchBudget DefaultReviewBudget() { return {0, 100000, nullptr}; }

TExpertSearch::TExpertSearch(std::uint64_t Seed) : FSearcher(std::make_unique<expert::TSearcher>(Seed)) {}
TExpertSearch::~TExpertSearch() = default;

std::unique_ptr<TExpertPlayer> MakeExpertSearch(std::uint64_t Seed) { return std::make_unique<TExpertSearch>(Seed); }

void TExpertSearch::Seed(std::uint64_t Seed) { FSearcher->Seed(Seed); }

void TExpertSearch::LimitMemory(std::size_t Bytes) { FSearcher->LimitMemory(Bytes); }

void TExpertSearch::SetThreatDefence(const TThreatDefence& Defence) { FSearcher->SetThreatDefence(Defence); }

TExpertChoice TExpertSearch::Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget) {
  return FSearcher->Choose(Board, Turn, Budget);
}

TAnalysis TExpertSearch::Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget,
                                 const TAnalysisObserver* OnDepth) {
  return FSearcher->Analyse(Board, Turn, Budget, OnDepth);
}

}  // namespace quintar
