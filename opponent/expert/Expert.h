// The expert: a fourth level of play beyond the control's three strengths.
// Where those judge one move at a time, the expert looks ahead: it takes a
// win in one, blocks a five, looks for a win by continuous fours, and
// otherwise searches the most promising cells with alpha-beta under a budget
// of time and positions set by the caller.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "Opponent.h"

namespace quintar {

// How much a choice may cost. A search stops at whichever limit it reaches
// first and plays the best move it has found by then. A budget with no limit
// at all is taken as DefaultExpertBudget(), so that no call runs unbounded.
struct TSearchBudget {
  int Milliseconds = 0;                     // 0: no time limit
  std::int64_t Nodes = 0;                   // 0: no limit on positions visited
  const std::atomic<bool>* Stop = nullptr;  // another thread may set it to end the search early
};

// What hosts give the expert on a user interface: quick enough that a player
// hardly waits, on any board.
TSearchBudget DefaultExpertBudget();

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

class TExpertSearch {
 public:
  // Allocates its tables once (under 64 MB in all).
  explicit TExpertSearch(std::uint64_t Seed = 0);
  ~TExpertSearch();
  TExpertSearch(const TExpertSearch&) = delete;
  TExpertSearch& operator=(const TExpertSearch&) = delete;

  // Among moves the search finds equally good, the seed decides; the same
  // seed, position and node budget always give the same move.
  void Seed(std::uint64_t Seed);

  // The cell for side Turn (1 crosses, -1 noughts) on Board; Found is false
  // only when no cell is empty. Returns within the budget and never names a
  // taken or off-board cell. One thread at a time per instance.
  TExpertChoice Choose(const TBoardView& Board, int Turn, const TSearchBudget& Budget);

 private:
  std::unique_ptr<expert::TSearcher> FSearcher;
};

}  // namespace quintar
