// One game of a match: the opening laid down, then the two players in turn
// until five in a row or a full board. A player that names no cell, a taken
// one or one off the board, or that fails to answer, loses the game on the
// spot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MatchBoard.h"
#include "Openings.h"
#include "Players.h"

namespace quintar::match {

struct TRecordedMove {
  TCell Cell;
  double Milliseconds;     // 0 for the opening's marks
  double CpuMilliseconds;  // what the choosing thread itself spent: the same on a busy machine
};

struct TGameRecord {
  int Number = 0;
  int ColCount = 0;
  int RowCount = 0;
  int OpeningLength = 0;
  std::vector<TRecordedMove> Moves;  // crosses first, the opening included
  TVerdict Verdict = TVerdict::Going;
  bool FirstPlaysCrosses = true;  // whether the match's first level had crosses
  bool Forfeit = false;           // the loser lost by a fault, not on the board
  TFault Fault = TFault::None;    // that fault
  std::string FaultReason;        // what happened, in a few words
};

// Crosses and Noughts must have had NewGame called for this game; both hear
// EndGame at its end.
TGameRecord PlayGame(const std::vector<TCell>& Opening, int ColCount, int RowCount, TPlayer& Crosses, TPlayer& Noughts);

// +1 when the match's first level won, -1 when it lost, 0 for a draw.
int FirstLevelResult(const TGameRecord& Game);

}  // namespace quintar::match
