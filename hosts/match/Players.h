// The two sides of a match game: a level of play in this process (the
// control's choice at one of its three strengths, drawing from its own
// generator seeded for each game, or the expert search under a budget), or an
// outside brain played through the tournament protocol under a time control.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Contender.h"
#include "Expert.h"
#include "MatchBoard.h"
#include "Openings.h"

namespace quintar::match {

// Why a side lost a game without being beaten on the board.
enum class TFault : std::uint8_t {
  None,
  NoMove,    // it found no cell to play
  Illegal,   // it named a taken cell or one off the board
  Crashed,   // its program ended or could not be started
  TimedOut,  // its answer did not come in time
  Nonsense,  // it answered something that is not a move
};
inline constexpr int FaultCount = 6;
// "no move", "illegal move", "crash", "time-out", "nonsense"; empty for none.
std::string_view FaultName(TFault Fault);

// A player's answer: the cell it plays, or the fault that leaves it none
// and what happened, in a few words.
struct TAnswer {
  std::optional<TCell> Cell;
  TFault Fault = TFault::None;
  std::string Reason;
};

// The time an outside brain has, all in milliseconds.
struct TTimeControl {
  int Turn = 5000;      // for one move
  int Match = 0;        // for all its moves in one game; 0 for no limit
  int Start = 5000;     // to start and answer that it is ready for a game
  int Tolerance = 500;  // how late an answer may come and still count: a busy
                        // machine delays a brain that keeps its time
};

class TPlayer {
 public:
  virtual ~TPlayer() = default;
  // Every game starts with a seed of its own, so that a game repeats
  // whichever thread plays it, on a board of ColCount x RowCount.
  virtual void NewGame(std::uint64_t Seed, int ColCount, int RowCount) = 0;
  // The cell for the side to move.
  virtual TAnswer Choose(const TMatchBoard& Board) = 0;
  // The game is over, however it ended.
  virtual void EndGame() {}
};

// A player for Contender; ExpertBudget is what our expert level may spend on
// a move, Time what an outside brain may.
std::unique_ptr<TPlayer> MakePlayer(const TContender& Contender, const TSearchBudget& ExpertBudget,
                                    const TTimeControl& Time);

}  // namespace quintar::match
