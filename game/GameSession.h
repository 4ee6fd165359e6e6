// The game session: everything a player expects of a board game beyond one
// game played forward, kept once below every host. It follows a TQuintar,
// keeps the list of moves made on it, knows who plays which side, takes moves
// back and plays them again, gives hints, and reads and writes game records.
//
// The session hears the control through its events, chaining to the handler
// it finds on each one, so the host that assigned a handler keeps receiving
// every event as before. A handler a host assigns later is picked up at the
// next call of the session. Whatever changes the board behind the session's
// back (a host calling NewGame or setting a count, moves made while it could
// not hear them) is noticed the same way: the session then takes the board as
// it finds it as the start of its history, which undo does not go behind.
//
// Computer moves are never made behind the host's back: a host asks
// ComputerToMove() after a move or an undo and calls Step() (now, or on a
// timer for a demonstration), or thinks elsewhere about ComputerTurn() and
// hands the answer to PlayComputerMove(). With one computer player at one of
// the control's strengths, the control's own AutoResponse answers moves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Level.h"
#include "Quintar.h"
#include "ThinkRequest.h"

namespace quintar::game {

class TComputerThinker;

enum class TPlayerKind : std::uint8_t { Person, Computer };

struct TPlayer {
  TPlayerKind Kind = TPlayerKind::Person;
  // What the computer plays the side at: when it holds the side, and for
  // hints and "computer moves now" when a person does.
  TLevel Level = TLevel::High;
  friend bool operator==(const TPlayer&, const TPlayer&) = default;
};

struct TMoveEntry {
  vcl::TPoint Cell;  // 0-based
  int Side;          // 1 crosses, -1 noughts
  TPlayerKind By;
  std::int64_t Milliseconds;  // from the position arising to the move
  friend bool operator==(const TMoveEntry&, const TMoveEntry&) = default;
};

// The board in play of Control, to think about elsewhere.
TBoardCopy CopyBoard(const TQuintar& Control);

// Milliseconds on any steady scale; tests pass their own.
using TMillisecondClock = std::function<std::int64_t()>;
std::int64_t SteadyMilliseconds();

class TGameSession {
 public:
  // Follows Control from now on. The players are read off the control: with
  // AutoResponse on, a person plays crosses and the computer noughts at the
  // control's strength; otherwise two people share the board.
  explicit TGameSession(TQuintar& Control, TMillisecondClock Clock = SteadyMilliseconds);
  // Gives the control's events back to the host's handlers.
  ~TGameSession();
  TGameSession(const TGameSession&) = delete;
  TGameSession& operator=(const TGameSession&) = delete;

  TQuintar& Control() { return FControl; }

  // ---- Players (Side: 1 crosses, -1 noughts) ----------------------------

  TPlayer Player(int Side) const { return FPlayers[SideIndex(Side)]; }
  // With exactly one computer player at one of the control's strengths the
  // control answers by itself (AutoResponse on, PlayingStrength its level);
  // otherwise AutoResponse is off and the host steps the computer.
  void SetPlayer(int Side, TPlayer Player);

  // ---- Playing ----------------------------------------------------------

  // A new game on the current board size. The computer's opening move, when
  // it has crosses, is the host's next Step.
  void NewGame();
  // The game goes on, the board is not locked, and the side to move is the
  // computer's. A host should not pass presses to the control meanwhile.
  bool ComputerToMove();
  // Plays one computer move when one is due; true when it did. The expert
  // thinks here, within its default budget.
  bool Step();
  // Lets the computer play the side to move at that side's level, whoever
  // holds it; false when the game is over or locked.
  bool ComputerMoveNow();
  // The computer move that is due, for thinking elsewhere.
  std::optional<TThinkRequest> ComputerTurn();
  // Plays the answer to Turn unless the game has moved on since or the cell
  // cannot take a mark; true when it was played.
  bool PlayComputerMove(const TThinkRequest& Turn, vcl::TPoint Cell);

  // ---- History ----------------------------------------------------------

  // Every mark on the board, in the order made.
  const std::vector<TMoveEntry>& Moves();
  bool CanUndo();
  bool CanRedo();
  // Back to the last position where a person was to move (against the
  // computer: the person's move and the answer); with no person playing,
  // one move. The control is left as it was then, repainted once; no event
  // reaches the host while the moves are set up again. Works while locked.
  bool Undo();
  // Plays taken-back moves again, up to the next position where a person is
  // to move. Any new move forgets what could be redone.
  bool Redo();
  // The cell the computer would choose for the side to move at that side's
  // level; nothing when the game is over. Changes nothing, not even the
  // control's random sequence.
  std::optional<vcl::TPoint> Hint();

  // ---- Records ----------------------------------------------------------

  std::string SaveRecord();
  // Sets up the game of a record: its board size and its moves. Returns the
  // reason ("line N: ...") when the text is not a record it can take, and
  // then leaves everything as it was.
  std::string OpenRecord(std::string_view Text);

 private:
  class TEventHook;
  static int SideIndex(int Side) { return Side == 1 ? 0 : 1; }

  // Brings the session up to date with the control: takes back handlers a
  // host assigned since, and adopts a board that no longer is the one the
  // history describes.
  void Sync();
  void HookEvents();
  void UnhookEvents();
  // The history describes the board, leaving out the cell Except.
  bool HistoryDescribesBoard(vcl::TPoint Except) const;
  void AdoptBoard(vcl::TPoint Except);
  void ForgetHistory();

  void MoveHeard(vcl::TObject* Sender);
  void UserWonHeard(vcl::TObject* Sender);

  void ApplyPlayers();
  bool AnyPerson() const;
  // The side to move once Count moves are on the board.
  static int SideAfter(std::size_t Count) { return Count % 2 == 0 ? 1 : -1; }
  std::optional<std::size_t> UndoTarget() const;
  std::optional<std::size_t> RedoCount() const;

  // Sets the control up silently from the moves kept, then repaints.
  void Replay();
  void PlayComputer(TLevel Level);
  void PlaceComputerMark(vcl::TPoint Cell);
  TThinkRequest TurnFor(int Side, TLevel Level) const;

  TQuintar& FControl;
  TMillisecondClock FClock;
  TPlayer FPlayers[2];
  // The host's handlers behind the two events the session hears.
  vcl::TNotifyEvent FHostLegalMove;
  vcl::TNotifyEvent FHostUserWon;

  std::vector<TMoveEntry> FMoves;
  // Moves below this index were found on the board, not seen made.
  std::size_t FFirstUndoable = 0;
  // Taken-back moves, the next to redo last.
  std::vector<TMoveEntry> FRedo;
  // What the history says the board holds.
  TBoardCopy FExpected;
  std::int64_t FPositionSince = 0;
  std::uint64_t FGeneration = 0;
  bool FPlacingComputerMove = false;
  // Thinks out hints and the expert's moves, with a generator of its own:
  // the process-wide one, and with it the control's next computer move, is
  // left alone.
  std::unique_ptr<TComputerThinker> FThinker;
};

}  // namespace quintar::game
