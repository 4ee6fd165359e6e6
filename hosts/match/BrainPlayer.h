// An outside tournament brain as a player: a fresh process for every game,
// started and told the board size and the time control as the game begins
// (so that its start-up counts against none of its moves), then the position: the whole
// board before its first move, the opponent's last move after that (or the
// whole board again when more has changed). Informational lines it sends
// (MESSAGE, DEBUG, UNKNOWN, SUGGEST) are passed over while it thinks. A
// brain that ends, answers late or answers with anything but a cell loses
// the game with the reason, and its process is ended there and then.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "BrainProcess.h"
#include "Players.h"

namespace quintar::match {

class TBrainPlayer : public TPlayer {
 public:
  TBrainPlayer(std::vector<std::string> Command, const TTimeControl& Time);

  void NewGame(std::uint64_t Seed, int ColCount, int RowCount) override;
  TAnswer Choose(const TMatchBoard& Board) override;
  void EndGame() override;

 private:
  // Starts the program and has it ready for a game on a board of that size.
  std::optional<TAnswer> Launch(int ColCount, int RowCount);
  // The lines that ask for a move on Board, from what the brain knows.
  std::vector<std::string> AskForMove(const TMatchBoard& Board) const;
  // The first line of the brain's that is not informational, or the fault;
  // Allowed is the time it was given, for the reason. An ERROR line is the
  // answer where it refuses what was asked (a board size); elsewhere it is a
  // complaint that an answer may follow.
  enum class TErrorIs { Refusal, Complaint };
  std::optional<TAnswer> AwaitAnswer(std::string& Line, TDeadline Deadline, std::string_view Awaiting, int Allowed,
                                     TErrorIs Error);
  // A line other than chat or a complaint that came before a move was asked
  // for would be taken as the answer to the next request, one move late: it
  // loses the game as an answer given twice.
  std::optional<TAnswer> RefuseUnaskedAnswer();
  // Ends the process at once and makes the losing answer.
  TAnswer Lose(TFault Fault, std::string Reason);
  int TimeLeft() const;

  std::vector<std::string> FCommand;
  TTimeControl FTime;
  TBrainProcess FProcess;
  // The board as the brain last saw it, with its own answer on it; nothing
  // before its first move of the game.
  std::optional<TMatchBoard> FKnown;
  std::chrono::milliseconds FSpent{0};    // on its moves this game
  std::string FLastError;                 // an ERROR line it sent while thinking
  std::optional<TAnswer> FLaunchFailure;  // why it is not ready for the game
};

}  // namespace quintar::match
