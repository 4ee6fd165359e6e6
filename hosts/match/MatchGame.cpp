#include "MatchGame.h"

#include <time.h>

#include <chrono>

#include "Rules.h"

namespace quintar::match {
namespace {

double ThreadCpuMilliseconds() {
  timespec Now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
  return static_cast<double>(Now.tv_sec) * 1e3 + static_cast<double>(Now.tv_nsec) / 1e6;
}

// The referee's ruling on a cell that cannot be played.
TAnswer Refereed(TCell Cell, const TMatchBoard& Board) {
  const std::string Named = std::to_string(Cell.Col) + "," + std::to_string(Cell.Row);
  const bool Inside = OnBoard(Board.ColCount(), Board.RowCount(), Cell.Col, Cell.Row);
  return {std::nullopt, TFault::Illegal, "played " + Named + (Inside ? ", which is taken" : ", off the board")};
}

}  // namespace

TGameRecord PlayGame(const std::vector<TCell>& Opening, int ColCount, int RowCount, TPlayer& Crosses,
                     TPlayer& Noughts) {
  TGameRecord Game;
  Game.ColCount = ColCount;
  Game.RowCount = RowCount;
  Game.OpeningLength = static_cast<int>(Opening.size());
  TMatchBoard Board(ColCount, RowCount);
  for (const TCell& Cell : Opening) {
    Game.Moves.push_back({Cell, 0.0, 0.0});
    Game.Verdict = Board.Play(Cell.Col, Cell.Row);
  }
  while (Game.Verdict == TVerdict::Going) {
    const int Turn = Board.Turn();
    TPlayer& Mover = Turn == 1 ? Crosses : Noughts;
    const auto Started = std::chrono::steady_clock::now();
    const double CpuStarted = ThreadCpuMilliseconds();
    TAnswer Answer = Mover.Choose(Board);
    const double CpuSpent = ThreadCpuMilliseconds() - CpuStarted;
    const std::chrono::duration<double, std::milli> Spent = std::chrono::steady_clock::now() - Started;
    if (Answer.Cell && !Board.IsFree(Answer.Cell->Col, Answer.Cell->Row)) Answer = Refereed(*Answer.Cell, Board);
    if (!Answer.Cell) {
      Game.Forfeit = true;
      Game.Fault = Answer.Fault;
      Game.FaultReason = std::move(Answer.Reason);
      Game.Verdict = Turn == 1 ? TVerdict::NoughtWon : TVerdict::CrossWon;
      break;
    }
    Game.Moves.push_back({*Answer.Cell, Spent.count(), CpuSpent});
    Game.Verdict = Board.Play(Answer.Cell->Col, Answer.Cell->Row);
  }
  Crosses.EndGame();
  Noughts.EndGame();
  return Game;
}

int FirstLevelResult(const TGameRecord& Game) {
  if (Game.Verdict != TVerdict::CrossWon && Game.Verdict != TVerdict::NoughtWon) return 0;
  const bool CrossesWon = Game.Verdict == TVerdict::CrossWon;
  return CrossesWon == Game.FirstPlaysCrosses ? 1 : -1;
}

}  // namespace quintar::match
