// What the expert found in a position, for a player to read: its best few
// moves, each with the line it expects and what the move is worth, either
// proven (a win or a loss in so many moves) or as an advantage a face can
// show as a bar and a word. The words themselves belong to the faces.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace quintar {

struct TBoardCell {
  int Col = 0;
  int Row = 0;
  friend bool operator==(const TBoardCell&, const TBoardCell&) = default;
};

// What a move leads to when the search has settled it: a win for the side
// that plays it, a loss whatever that side plays after it, or neither.
enum TOutcome : std::uint8_t { ocUnproven, ocWin, ocLoss };

// How far ahead a side is, weakest first, for a face to put into words.
enum TStanding : std::uint8_t { sdEven, sdAhead, sdWellAhead, sdWinning };

// An advantage for the side to move: Value runs from -100 (the other side is
// sure to win) to +100 (sure to win); only a proven result reaches either
// end. Standing says how large it is whichever side has it.
struct TAdvantage {
  int Value = 0;
  TStanding Standing = sdEven;
  friend bool operator==(const TAdvantage&, const TAdvantage&) = default;
};

// The most an unproven result can show: the ends belong to proven ones.
inline constexpr int MostUnproven = 99;

// The advantage a score of the search gives the side to move.
TAdvantage AdvantageOf(int Score);

// One of the best moves and what follows it.
struct TCandidateLine {
  TBoardCell Cell;
  int Score = 0;  // the search's own score, for the side to move
  TAdvantage Advantage;
  TOutcome Outcome = ocUnproven;
  // For a win, the moves of the side to move up to and including its five;
  // for a loss, the other side's moves up to its five; 0 when unproven. A
  // win by fours is the shortest there is by fours, unless the search finds
  // a shorter one; a result of the search is at most this long, as far as
  // the moves it looks at can tell.
  int MovesToFive = 0;
  // The moves both sides are expected to play, starting with Cell: a proven
  // result's line goes on to the winner's five when the search knows it, any
  // other line has at most MaxLineMoves.
  std::vector<TBoardCell> Line;
  bool LineMakesFive = false;  // the line ends with a five
  // A win by fours alone: every move of the line but the last threatens
  // five, so the other side has no choice and the win is certain; for a
  // loss, the side's only move blocks a four, and the other side's win by
  // fours follows. A win the full search finds is as sure as the moves it
  // looks at, the most promising few in each position.
  bool ByFours = false;
  friend bool operator==(const TCandidateLine&, const TCandidateLine&) = default;
};

inline constexpr int MaxCandidateLines = 5;
inline constexpr int MaxLineMoves = 10;

struct TAnalysis {
  int Turn = 0;  // the side to move: 1 crosses, -1 noughts
  // The deepest search completed; 0 when the position needed none (a win in
  // one or two, the opening move, a full board).
  int Depth = 0;
  std::int64_t Nodes = 0;  // positions visited so far
  // Deeper search would change nothing: the result is proven or the search
  // has gone as deep as it goes.
  bool Settled = false;
  // The best moves, best first; at most MaxCandidateLines, empty only when no
  // cell is empty.
  std::vector<TCandidateLine> Lines;
  friend bool operator==(const TAnalysis&, const TAnalysis&) = default;
};

// Told of the report after every completed depth, on the searching thread.
using TAnalysisObserver = std::function<void(const TAnalysis&)>;

}  // namespace quintar
