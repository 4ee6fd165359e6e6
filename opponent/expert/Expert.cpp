#include "Expert.h"

#include <algorithm>
#include <array>

#include "ExpertBoard.h"
#include "FourSearch.h"
#include "Mixing.h"
#include "SearchClock.h"
#include "TranspositionTable.h"

namespace quintar {
namespace expert {
namespace {

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
constexpr int MaxWidth = RootWidth;
int WidthAt(int Ply) { return Ply <= 2 ? 12 : 8; }

// A win by fours is looked for before the full search; a board crowded with
// fours gets at most this many positions of it, and never more than a third
// of the budget.
constexpr int RootFours = 40;
constexpr std::int64_t RootFourNodes = 20000;

// At the leaves, a quick look for a short win by fours.
constexpr int LeafFours = 6;
constexpr std::int64_t LeafFourNodes = 16;

// The side to move makes its threats first: what the cells offer it counts
// for this share more than what they offer the other side.
constexpr int MoverShare = 4;

constexpr int FourThreeBonus = 40000;
constexpr int DoubleThreeBonus = 20000;

struct TScoredMove {
  int Index;
  int Score;
};

// Best first, earlier first among equals: the root's order from one depth to
// the next. One function, so that both sorts share one instantiation.
void SortBestFirst(TScoredMove* Moves, int Count) {
  std::stable_sort(Moves, Moves + Count, [](const TScoredMove& A, const TScoredMove& B) { return A.Score > B.Score; });
}

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
  explicit TSearcher(std::uint64_t Seed) : FTable(TableBits), FFours(FBoard, FClock), FSeed(Seed) {}

  void Seed(std::uint64_t Seed) { FSeed = Seed; }
  // 0 sets no limit.
  void LimitMemory(std::size_t Bytes) {
    FTable.Resize(Bytes == 0 ? TableBits
                             : TTranspositionTable::BitsWithin(Bytes / TableShareOfMemory, FewestTableBits, TableBits));
  }
  TExpertChoice Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget);

 private:
  int Decide(int Side, TExpertChoice& Choice);
  int DeepenSearch(int Side, TExpertChoice& Choice);
  bool OnlyOneMoveSurvives(const TScoredMove* Root, int Count) const;
  void Report(int Depth, int Score, int Move) const;
  int Search(int Side, int Depth, int Alpha, int Beta, int Ply);
  int SearchReply(int Replier, int Depth, int Alpha, int Beta, int Ply, bool First);
  int SettleLeaf(int Side, int Ply);
  int Evaluate(int Side) const;
  int GenerateMoves(int Side, TScoredMove* Moves, int Width) const;
  bool BlocksFour(int Side, int Index) const;
  int FirstEmptyCell() const;

  TExpertBoard FBoard;
  TSearchClock FClock;
  TTranspositionTable FTable;
  TFourSearch FFours;
  std::uint64_t FSeed;
  // The host's observer of the choice in progress, if any.
  const TSearchObserver* FOnDepth = nullptr;
  std::array<std::array<TScoredMove, MaxWidth>, MaxPly + 1> FMoves;
};

TExpertChoice TSearcher::Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget) {
  TExpertChoice Choice;
  FBoard.Load(Board);
  if (FBoard.EmptyCount() == 0) return Choice;
  TSearchBudget Bounded = Budget;
  if (Budget.Milliseconds <= 0 && Budget.Nodes <= 0 && Budget.Stop == nullptr) {
    Bounded.Milliseconds = DefaultExpertBudget().Milliseconds;
    Bounded.Nodes = DefaultExpertBudget().Nodes;
  }
  FClock.Start(Bounded);
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
  const std::int64_t FourNodes =
      FClock.NodeLimit() > 0 ? std::min(RootFourNodes, FClock.NodeLimit() / 3 + 1) : RootFourNodes;
  const int FourWin = FFours.FindWin(Side, RootFours, FourNodes);
  if (FourWin != TExpertBoard::NoCell) {
    Choice.ForcedWin = true;
    return FourWin;
  }
  return DeepenSearch(Side, Choice);
}

// Iterative deepening over the root moves, best first from one depth to the
// next. A depth cut short by the budget still counts for the moves it
// finished: any of them that beat the previous best is better. Deeper search
// cannot change a decided move, so a proven win or loss, or a single move
// that escapes a proven loss, ends it; so does a best move that has settled
// once the soft target has passed.
int TSearcher::DeepenSearch(int Side, TExpertChoice& Choice) {
  const int Opponent = Opposite(Side);
  TScoredMove* Root = FMoves[0].data();
  const int Count = GenerateMoves(Side, Root, RootWidth);
  if (Count == 0) return FirstEmptyCell();
  // The seed breaks ties between moves that look alike.
  for (int I = 0; I < Count; ++I)
    Root[I].Score += static_cast<int>(Mixed(FSeed ^ FBoard.Hash() ^ static_cast<std::uint64_t>(Root[I].Index)) & 7u);
  SortBestFirst(Root, Count);
  if (Count == 1) return Root[0].Index;

  int Best = Root[0].Index;
  int HeldFor = 0;  // completed depths in a row that ended with Best
  for (int Depth = 1; Depth <= MaxDepth; ++Depth) {
    int Alpha = -Infinite;
    int IterationBest = -1;
    for (int I = 0; I < Count; ++I) {
      FBoard.Play(Root[I].Index, Side);
      const int Score = SearchReply(Opponent, Depth - 1, Alpha, Infinite, 1, I == 0);
      FBoard.Undo();
      if (FClock.Spent()) break;
      Root[I].Score = Score;
      if (Score > Alpha) {
        Alpha = Score;
        IterationBest = I;
      }
    }
    const int PreviousBest = Best;
    if (IterationBest >= 0) Best = Root[IterationBest].Index;
    if (FClock.Spent()) break;
    HeldFor = Best == PreviousBest ? HeldFor + 1 : 1;
    Choice.Depth = Depth;
    Choice.ForcedWin = Alpha >= DecidedScore;
    Choice.ForcedLoss = Alpha <= -DecidedScore;
    Report(Depth, Alpha, Best);
    if (Choice.ForcedWin || Choice.ForcedLoss || OnlyOneMoveSurvives(Root, Count)) break;
    if (HeldFor >= SettledDepths && FClock.SoftTargetPassed()) break;
    SortBestFirst(Root, Count);
  }
  return Best;
}

// After a completed depth every root move has a score, exact or a bound from
// above; a bound at or below a loss is a proven loss.
bool TSearcher::OnlyOneMoveSurvives(const TScoredMove* Root, int Count) const {
  return std::count_if(Root, Root + Count, [](const TScoredMove& Move) { return Move.Score > -DecidedScore; }) == 1;
}

void TSearcher::Report(int Depth, int Score, int Move) const {
  if (FOnDepth == nullptr) return;
  (*FOnDepth)({Depth, FClock.Nodes(), Score, TExpertBoard::ColOf(Move), TExpertBoard::RowOf(Move)});
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
  const int Count = GenerateMoves(Side, Moves, WidthAt(Ply));
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
  const int Own = FBoard.TotalValue(Side);
  int Score = Own + Own / MoverShare - FBoard.TotalValue(Opponent);
  if (!FBoard.Has(Opponent, thFour)) {
    if (FBoard.Has(Side, thFourThree))
      Score += FourThreeBonus;
    else if (FBoard.Has(Side, thDoubleThree))
      Score += DoubleThreeBonus;
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
// coming four when the opponent can make a flexible four; otherwise the
// cells near marks by what they do for Side and against the opponent.
int TSearcher::GenerateMoves(int Side, TScoredMove* Moves, int Width) const {
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

TExpertSearch::TExpertSearch(std::uint64_t Seed) : FSearcher(std::make_unique<expert::TSearcher>(Seed)) {}
TExpertSearch::~TExpertSearch() = default;

void TExpertSearch::Seed(std::uint64_t Seed) { FSearcher->Seed(Seed); }

void TExpertSearch::LimitMemory(std::size_t Bytes) { FSearcher->LimitMemory(Bytes); }

TExpertChoice TExpertSearch::Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget) {
  return FSearcher->Choose(Board, Turn, Budget);
}

}  // namespace quintar
