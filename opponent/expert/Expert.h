// The expert: a fourth level of play beyond the control's three strengths.
// Where those judge one move at a time, the expert looks ahead: it takes a
// win in one, blocks a five, looks for a win by continuous fours, and
// otherwise searches the most promising cells with alpha-beta under a budget
// of time and positions set by the caller.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "ExpertAnalysis.h"
#include "Opponent.h"
#include "TimeSource.h"

namespace quintar {

// What the search has settled after one more depth, for a host that shows
// its thinking: the positions visited so far and the move it would play now,
// as the analysis shows a candidate (its score for the side to move, what
// that proves, and the line the search expects from it). The line is read
// from the table of positions once per depth, and only when someone listens.
struct TSearchProgress {
  int Depth = 0;
  std::int64_t Nodes = 0;
  TCandidateLine Best;
};
using TSearchObserver = std::function<void(const TSearchProgress&)>;

// How much a choice may cost. A search stops at whichever hard limit it
// reaches first and plays the best move it has found by then. A budget with
// no hard limit at all is taken as DefaultExpertBudget(), so that no call runs
// unbounded.
//
// The soft target is what a move should usually take: once it has passed, the
// search ends after the next depth at which its best move has held for a few
// depths in a row. A move that needs no search (a five, the one move that
// does not lose, a proven win or loss) ends it at once, whatever the budget.
struct TSearchBudget {
  int Milliseconds = 0;                     // 0: no time limit
  std::int64_t Nodes = 0;                   // 0: no limit on positions visited
  const std::atomic<bool>* Stop = nullptr;  // another thread may set it to end the search early
  int SoftMilliseconds = 0;                 // 0: no soft target in time
  std::int64_t SoftNodes = 0;               // the soft target in positions, for repeatable searches
  // Told after every completed depth, on the searching thread; it must
  // outlive the choice.
  const TSearchObserver* OnDepth = nullptr;
  // Where both limits in time are read: the steady clock when null. It must
  // outlive the choice.
  TTimeSource* Time = nullptr;
  // For an analysis only: told now and then while a depth is searched, at
  // most every ProgressMilliseconds, the last report with the positions
  // visited so far, so that a host shows the search going on between
  // depths. It must outlive the analysis.
  const std::function<void(const TAnalysis&)>* OnProgress = nullptr;
};

inline constexpr int ProgressMilliseconds = 150;

// What hosts give the expert on a user interface: quick enough that a player
// hardly waits, on any board.
TSearchBudget DefaultExpertBudget();

// What a review of a game spends on the report for each move: positions
// only, so that a review always judges alike, and few enough that a game of
// 60 moves on 20 x 20 is reviewed within a few seconds on one core
// (review_bench measures it).
TSearchBudget DefaultReviewBudget();

// What the expert does, before it comes, about a win by threats the
// opponent would have were it given a free move. At the root it searches
// only the moves that spoil a win by threes and fours (when one does); in
// the search, where it must be quick, it answers a win by fours with only
// the cells of that win and its own fours. Both cost positions, so both are
// off unless a host asks for them.
struct TThreatDefence {
  bool AtRoot = false;
  bool InSearch = false;
};

struct TExpertChoice {
  bool Found = false;  // false only when no cell is empty
  int Col = 0;
  int Row = 0;
  int Depth = 0;            // the deepest search completed, 0 when none was needed
  std::int64_t Nodes = 0;   // positions visited
  bool ForcedWin = false;   // the move starts a win the search has proven
  bool ForcedLoss = false;  // the opponent wins whatever is played
};

namespace expert {
class TSearcher;
}

// The expert as a move chooser plays it. A program that leaves the expert's
// thinking to another (a web page, whose expert thinks in a module of its
// own) never makes one, and so leaves the search out altogether.
class TExpertPlayer {
 public:
  TExpertPlayer() = default;
  virtual ~TExpertPlayer() = default;
  TExpertPlayer(const TExpertPlayer&) = delete;
  TExpertPlayer& operator=(const TExpertPlayer&) = delete;
  virtual void Seed(std::uint64_t Seed) = 0;
  virtual void LimitMemory(std::size_t Bytes) = 0;
  virtual void SetThreatDefence(const TThreatDefence& Defence) = 0;
  virtual TExpertChoice Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget) = 0;
  virtual TAnalysis Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget,
                            const TAnalysisObserver* OnDepth) = 0;
};

class TExpertSearch final : public TExpertPlayer {
 public:
  // Allocates its tables once (under 64 MB in all).
  explicit TExpertSearch(std::uint64_t Seed = 0);
  ~TExpertSearch() override;

  // Among moves the search finds equally good, the seed decides; the same
  // seed, position and node budget always give the same move.
  void Seed(std::uint64_t Seed) override;

  // Sizes the table of positions to fit within Bytes (0: the usual size). It
  // is never larger than the usual size and never smaller than a small floor,
  // whatever Bytes says. Call it between choices: it allocates.
  void LimitMemory(std::size_t Bytes) override;

  // Off until set; call it between choices.
  void SetThreatDefence(const TThreatDefence& Defence) override;

  // The cell for side Turn (1 crosses, -1 noughts) on Board; Found is false
  // only when no cell is empty. Returns within the budget and never names a
  // taken or off-board cell. One thread at a time per instance.
  TExpertChoice Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget) override;

  // What the search finds for side Turn on Board, for a player to read: the
  // best moves with their lines, told to OnDepth (if given) after every
  // completed depth and returned once the budget is spent, its stop flag is
  // raised, or deeper search would change nothing. The first depth is
  // completed whatever the budget, so an analysis stopped at once still
  // answers. Budget's soft targets and its own observer play no part. The
  // same seed, position and node budget always give the same report. One
  // thread at a time per instance, as for Choose.
  TAnalysis Analyse(const TBoardView& Board, int Turn, const TSearchBudget& Budget,
                    const TAnalysisObserver* OnDepth = nullptr) override;

 private:
  std::unique_ptr<expert::TSearcher> FSearcher;
};

// How a program comes by its expert when the expert first plays: the search,
// or nothing where the expert is thought out elsewhere (NoExpertHere), and the
// expert level then finds no move.
using TExpertMaker = std::unique_ptr<TExpertPlayer> (*)(std::uint64_t Seed);
std::unique_ptr<TExpertPlayer> MakeExpertSearch(std::uint64_t Seed);
inline constexpr TExpertMaker NoExpertHere = nullptr;

}  // namespace quintar
