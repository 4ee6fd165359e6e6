// The terminal game's hold on one TQuintar and the game session that follows
// it: it carries out the player's commands and presses, plays the computer's
// moves when they are due, and tells, in words, what the control's events
// said. It knows nothing of terminals; the line and screen sessions show its
// replies and the board.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "Phrasebook.h"
#include "Quintar.h"

namespace quintar::terminal {

// What one command or press led to, in the order it happened.
struct TReply {
  std::vector<std::string> Lines;
  // A mark was placed or the board was emptied: the board should be shown anew.
  bool PositionChanged = false;
  bool Quit = false;
};

class TGame {
 public:
  // One board cell spans CellWidth x CellHeight of the host's units. The
  // control is sized to the board in those units, so a press at a host
  // position inside the board reaches MouseDown as it is and MouseDown's own
  // mapping picks the cell.
  TGame(int CellWidth, int CellHeight);

  const TQuintar& Control() const { return FControl; }
  // The cell of the last hint, shown on the board until the position changes.
  std::optional<vcl::TPoint> Hint() const { return FHint; }

  // Sets a published property from "Name=Value"; the error, or empty.
  std::string Set(std::string_view Assignment);

  // Each plays the computer's moves that become due, except in a game of
  // the computer against itself, which the host steps with Demonstrate.
  TReply Execute(const TCommand& Command);
  // A press at (X, Y) in host units from the board's top-left corner.
  TReply Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);

  // The computer plays both sides and is to move.
  bool Demonstrating() { return DemonstrationPace() > 0; }
  // How long each move of such a game is shown before the next, in
  // milliseconds; 0 when no such game is being played.
  int DemonstrationPace();
  // One move of such a game.
  TReply Demonstrate();

  // One line on the game in progress and the settings that shape it.
  std::string Status() const;

  // A record larger than this is refused unread: no game needs a tenth of it.
  static constexpr std::size_t MaxRecordBytes = 1 << 20;

 private:
  // Who asked for the move that may raise events, so that a refusal can be
  // explained in the words of the way it was asked.
  enum class TSource { Typed, Click, Computer };

  void Listen();
  void FitControl();
  // Each adds to the reply being built.
  void Play(const TPlay& Move);
  void Resize(const TResize& Size);
  void SetStrength(TLevel Level);
  void SeatPlayers(game::TPlayerKind Crosses, game::TPlayerKind Noughts);
  void SetPlayers(game::TPlayerKind Crosses, game::TPlayerKind Noughts);
  void PlayDueComputerMoves();
  void TakeBack(bool Forward);
  void ShowHint();
  void Save(const std::string& Path);
  void Open(const std::string& Path);
  // Runs one move request and words what came of it.
  template <typename TRequest>
  void Request(TSource Source, TRequest&& Run);
  void Say(std::string Line) { FReply.Lines.push_back(std::move(Line)); }
  void SayResult();
  std::string ExplainRefusal() const;
  std::string IllegalMoveText() const;

  TQuintar FControl{nullptr};
  // Made after the game's own handlers are on the control, so that it
  // chains to them.
  std::unique_ptr<game::TGameSession> FSession;
  // What the computer plays at, on whichever side it holds.
  TLevel FLevel = TLevel::High;
  std::optional<vcl::TPoint> FHint;
  int FCellWidth;
  int FCellHeight;
  game::TPhrasebook FWords;
  TReply FReply;
  TSource FSource = TSource::Typed;
  // The typed cell or the press position of the request in progress.
  vcl::TPoint FAsked;
};

}  // namespace quintar::terminal
