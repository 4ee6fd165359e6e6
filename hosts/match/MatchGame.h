// One game of a match: the opening laid down, then the two players in turn
// until five in a row or a full board. A player that names no cell or a
// taken one loses the game on the spot.
#pragma once

#include <cstdint>
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
  bool FirstPlaysCrosses = true;     // whether the match's first level had crosses
  bool Forfeit = false;              // the loser named no cell or a taken one
};

// Crosses and Noughts must have had NewGame called for this game.
TGameRecord PlayGame(const std::vector<TCell>& Opening, int ColCount, int RowCount, TPlayer& Crosses,
                     TPlayer& Noughts);

// +1 when the match's first level won, -1 when it lost, 0 for a draw.
int FirstLevelResult(const TGameRecord& Game);

}  // namespace quintar::match
