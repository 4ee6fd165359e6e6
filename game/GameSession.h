// The game session: everything a player expects of a board game beyond one
// game played forward, kept once below every host. It follows a TQuintar,
// keeps the list of moves made on it, knows who plays which side, takes moves
// back and plays them again, gives hints, and reads and writes game records.
//
// The session hears the control through its events, hooked once when it is
// made: it chains to the handler it finds on each one, so the host that
// assigned a handler before keeps receiving every event as before. A host
// that changes the board behind the session's back (calling NewGame or
// setting a count on the control) says so with BoardChanged(); the session
// then takes the board as it finds it as the start of its history, which undo
// does not go behind. Its queries change nothing.
//
// The session owns the rules of play that every host follows alike: when the
// computer moves and how (ComputerDue), "computer moves now", which hints
// still apply, and how a finished game ended. A host asks it what is due and
// shows the phrasebook's words; it decides none of this itself. With one
// computer player at one of the control's strengths, the control's own
// AutoResponse answers moves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Expert.h"
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
  // The computer's level when By is the computer.
  TLevel Level = TLevel::High;
  // Who held the other side when the move was made.
  TPlayerKind Opponent = TPlayerKind::Person;
  friend bool operator==(const TMoveEntry&, const TMoveEntry&) = default;
};

// How a finished game ended, as it was when it ended: the players chosen
// since do not change it.
struct TGameResult {
  int Winner = 0;  // 1 crosses, -1 noughts, 0 a draw
  // Who made the five: a person, or the computer at Level.
  TPlayerKind By = TPlayerKind::Person;
  TLevel Level = TLevel::High;
  // The losing side was the computer's: the winning person played against it.
  bool AgainstComputer = false;
  friend bool operator==(const TGameResult&, const TGameResult&) = default;
};

// How the computer is to make the move that is due.
enum class TComputerAction : std::uint8_t {
  None,            // a person is to move, or the game is over or locked
  PlayNow,         // one of the control's strengths: PlayComputerMove() at once
  ThinkElsewhere,  // the expert: think about Request away from the user interface and
                   // hand the cell to PlayThoughtMove(), or PlayComputerMove() to think here
};

struct TComputerDue {
  TComputerAction Action = TComputerAction::None;
  // The computer plays both sides: a demonstration, where the host lets each
  // move be seen for this long before it makes the next.
  int PaceMilliseconds = 0;
  // The position to think about, with its generation.
  TThinkRequest Request;
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
  // control's strength; otherwise two people share the board. MakeExpert
  // makes the expert that thinks here when the expert first does.
  explicit TGameSession(TQuintar& Control, TMillisecondClock Clock = SteadyMilliseconds,
                        TExpertMaker MakeExpert = MakeExpertSearch);
  // Gives the control's events back to the host's handlers.
  ~TGameSession();
  TGameSession(const TGameSession&) = delete;
  TGameSession& operator=(const TGameSession&) = delete;

  TQuintar& Control() { return FControl; }
  const TQuintar& Control() const { return FControl; }

  // ---- Players (Side: 1 crosses, -1 noughts) ----------------------------

  TPlayer Player(int Side) const { return FPlayers[SideIndex(Side)]; }
  // With exactly one computer player at one of the control's strengths the
  // control answers by itself (AutoResponse on, PlayingStrength its level);
  // otherwise AutoResponse is off and the host steps the computer.
  void SetPlayer(int Side, TPlayer Player);

  // ---- Playing ----------------------------------------------------------

  // A new game on the current board size. The computer's opening move, when
  // it has crosses, is then due.
  void NewGame();
  // The game goes on, the board is not locked, and the move is the
  // computer's. A host does not pass presses to the control meanwhile.
  bool ComputerToMove() const;
  // What the computer must do next. A host asks after every change of the
  // game and acts on the answer.
  TComputerDue ComputerDue() const;
  // Plays the computer move that is due, here and now (the expert thinks
  // within its default budget); false when none is due, or none could be
  // thought out here (a session that leaves the expert out).
  bool PlayComputerMove();
  // Plays a cell thought out elsewhere for Request, unless the game has moved
  // on since or the cell cannot take a mark; true when it was played.
  bool PlayThoughtMove(const TThinkRequest& Request, vcl::TPoint Cell);
  // "Computer moves now": the computer makes the next move for the side to
  // move, at that side's level, whoever holds it; who plays which side does
  // not change, so against the computer it then answers as usual. The move
  // becomes due (ComputerDue). False when the game is over or locked.
  bool ComputerMovesNow();
  // The computer's choices among equally good cells, here and for hints,
  // start from a fresh seed in every session so that games differ; this
  // starts them again from Seed, so that the same moves get the same
  // answers.
  void SeedComputer(std::uint64_t Seed);
  // How the game ended; nothing while it goes on.
  std::optional<TGameResult> Result() const;
  // The board was changed behind the session's back: when it no longer is
  // the one the history describes, the session starts its history from it.
  void BoardChanged();

  // How long a demonstration lets each move be seen.
  static constexpr int DemonstrationMilliseconds = 400;

  // ---- Hints --------------------------------------------------------------

  // The position to think about for a hint, at the level of the side to
  // move; nothing when the game is over.
  std::optional<TThinkRequest> HintRequest() const;
  // The cell to show for a hint thought out for Request: nothing when the
  // game has moved on since, or the cell cannot take a mark.
  std::optional<vcl::TPoint> HintStillApplies(const TThinkRequest& Request, vcl::TPoint Cell) const;
  // A hint thought out here. Changes nothing, not even the control's random
  // sequence.
  std::optional<vcl::TPoint> Hint();

  // ---- History ----------------------------------------------------------

  // Every mark on the board, in the order made.
  const std::vector<TMoveEntry>& Moves() const { return FMoves; }
  bool CanUndo() const { return UndoTarget().has_value(); }
  bool CanRedo() const { return RedoCount().has_value(); }
  // Back to the last position where a person was to move (against the
  // computer: the person's move and the answer); with no person playing,
  // one move. The control is left as it was then, repainted once; no event
  // reaches the host while the moves are set up again. Works while locked.
  bool Undo();
  // Plays taken-back moves again, up to the next position where a person is
  // to move. Any new move forgets what could be redone.
  bool Redo();
  // The whole line of the game: the moves made, then those that could be
  // played again, in order; Moves().size() of them are on the board.
  std::vector<TMoveEntry> MoveLine() const;
  // Takes moves back or plays them again until Count of the line are on the
  // board, as a move list's choice does; against the computer, with its
  // answer to the move chosen when the line has it. False when Count is
  // outside what undo and redo reach, and then nothing changes.
  bool GoToMove(std::size_t Count);

  // ---- Records ----------------------------------------------------------

  // The game as a record, with who plays each side and who made each move.
  std::string SaveRecord() const;
  // The same with the whole line, the moves taken back included, and how many
  // of them are on the board: what a face keeps when it closes, so that redo
  // still has them when the game is taken up again.
  std::string KeepRecord() const;
  // Sets up the game of a record: its board size, its moves and, when it
  // names them as SaveRecord and KeepRecord do, its players, who made each
  // move and how many of the moves are on the board. Returns the reason
  // ("line N: ...") when the text is not a record it can take, and then
  // leaves everything as it was.
  std::string OpenRecord(std::string_view Text);

 private:
  class TEventHook;
  static int SideIndex(int Side) { return Side == 1 ? 0 : 1; }
  static constexpr std::string_view PersonName = "person";
  static constexpr std::string_view MoversPrefix = "played by";
  // In the record's line of who made each move, where the moves on the
  // board end and those taken back begin.
  static constexpr std::string_view TakenBackMark = "|";
  static std::string RecordName(const TPlayer& Player);
  // Moves as a record; with OnBoard, how many of them are on the board.
  std::string RecordOf(const std::vector<TMoveEntry>& Moves, std::optional<std::size_t> OnBoard) const;
  // The player a record's name stands for; a person keeps PersonLevel for
  // hints.
  static std::optional<TPlayer> PlayerNamed(std::string_view Name, TLevel PersonLevel);
  // The record's line of who made each move: "played by person high ...",
  // with the mark before the first move taken back, at OnBoard, when given.
  static std::string MoversLine(const std::vector<TMoveEntry>& Moves, std::optional<std::size_t> OnBoard);
  // Who made each of Count moves, read off such a line, and where its mark
  // puts the end of the moves on the board; nothing when the line does not
  // name them all.
  static std::optional<std::vector<TPlayer>> MoversNamed(std::string_view Line, std::size_t Count,
                                                         std::optional<std::size_t>& OnBoard);

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

  // Moves marks between the moves made and those to redo until Count of the
  // line are made; Count must lie within the line.
  void ShiftLine(std::size_t Count);
  // Sets the control up silently from the moves kept, then repaints.
  void Replay();
  bool PlayComputer(TLevel Level);
  void PlaceComputerMark(vcl::TPoint Cell);
  TThinkRequest RequestFor(int Side, TLevel Level) const;
  bool OneOffMoveDue() const { return FOneOffGeneration == FGeneration; }

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
  // The generation in which "computer moves now" was asked: the computer
  // makes that position's move. Any change of the game ends it.
  std::optional<std::uint64_t> FOneOffGeneration;
  // Thinks out hints and the expert's moves, with a generator of its own:
  // the process-wide one, and with it the control's next computer move, is
  // left alone.
  std::unique_ptr<TComputerThinker> FThinker;
};

}  // namespace quintar::game
