// The board a web page shows: one TQuintar with its game session, and who
// plays it. The page draws the pixels Present() hands it, delivers presses
// and calls, and hears back through a TBoardListener: the control's events
// with the sentence that words each, repaint requests, positions to think
// about away from the page, and hints.
//
// The session decides when the computer moves and how. The control's
// strengths answer within microseconds, so they play at once. The expert
// thinks for longer: its moves go to the page (ThinkingRequested), which
// thinks elsewhere and hands the cell back to Answer. Meanwhile the computer
// is to move, and presses and moves are ignored, as they are while the board
// is locked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "GameSession.h"
#include "Level.h"
#include "Phrasebook.h"
#include "Quintar.h"

namespace quintar::web {

// The control's events, in the order it publishes them.
enum class TBoardEvent : std::uint8_t { LegalMove, IllegalMove, Draw, CrossWon, NoughtWon, ComputerWon, UserWon };

class TBoardListener {
 public:
  virtual ~TBoardListener() = default;
  // Words: the move made, how the game ended, or why a move was refused.
  virtual void EventRaised(TBoardEvent Event, const std::string& Words) = 0;
  // The control asks for a full repaint; Present() paints and hands it over.
  virtual void RepaintRequested() = 0;
  // Think about Turn away from the page and call Answer(Serial, cell).
  virtual void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) = 0;
  // The answer to Hint(), with the words for it: nothing when the game is
  // over, or when the position moved on, or another hint was asked for,
  // before it was found (then Words is empty: nothing new to say).
  virtual void HintFound(std::optional<vcl::TPoint> Cell, const std::string& Words) = 0;
  // The words for an operation that raises no event of its own: a new game,
  // moves taken back or played again, a computer move refused. They come in
  // order with the events' words: a new game is said before the computer's
  // opening move.
  virtual void Said(const std::string& Words) = 0;
};

class TBoardHost : private vcl::TControlHost {
 public:
  // Who the computer answers with until told otherwise.
  static constexpr int DefaultComputerSide = -1;

  // A new game, a person playing crosses against the computer at high.
  explicit TBoardHost(TBoardListener& Listener);
  ~TBoardHost() override;
  TBoardHost(const TBoardHost&) = delete;
  TBoardHost& operator=(const TBoardHost&) = delete;

  TQuintar& Control() { return FControl; }
  const TQuintar& Control() const { return FControl; }
  game::TGameSession& Session() { return *FSession; }
  const game::TPhrasebook& Phrasebook() const { return FPhrasebook; }

  // ---- Showing ----------------------------------------------------------

  // In device pixels.
  void SetSize(int Width, int Height);
  // Paints what is due and returns the part of the control drawn since the
  // last call (empty when none); AreaPixels() then holds it row by row, one
  // R, G, B, A byte quadruple per pixel, opaque.
  vcl::TRect Present();
  const std::vector<std::uint32_t>& AreaPixels() const { return FAreaPixels; }

  // ---- Words ------------------------------------------------------------

  // Whose move it is, how the game ended, or who is thinking.
  std::string Status();
  // Col and Row counted from 1, as someone exploring the board hears it.
  std::string CellWords(int Col, int Row) const;
  // Who holds each side.
  std::string Players() const;
  // Each mark on the board, in the order made, as the move's sentence.
  std::vector<std::string> MoveWords();

  // ---- Records ----------------------------------------------------------

  // The game with its board size and players, as a record.
  std::string SaveRecord() { return FSession->SaveRecord(); }
  // Sets up the game of a record, and takes its players as the settings
  // (the computer's side and level, or two people). Returns why the text is
  // not a record it can take, and then changes nothing; empty when taken.
  std::string OpenRecord(std::string_view Text);

  // ---- Playing: each lets the computer move afterwards when it is due ----

  void Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
  // Col and Row counted from 1, as the control's Move takes them.
  void Move(int Col, int Row);
  void NewGame();
  // The computer makes the next move for the side to move; who plays which
  // side does not change. False when the game is over or locked.
  bool ComputerMove();
  bool Undo();
  bool Redo();
  bool CanUndo() { return FSession->CanUndo(); }
  bool CanRedo() { return FSession->CanRedo(); }
  // Answers through HintFound, at once for the control's strengths.
  void Hint();
  // The cell thought out for request Serial; nothing when the thinking
  // failed, and the computer then thinks here instead.
  void Answer(std::uint32_t Serial, std::optional<vcl::TPoint> Cell);
  bool ComputerToMove() { return FSession->ComputerToMove(); }
  // The last mark on the board was placed by the computer.
  bool LastMoveByComputer();

  // ---- Settings that decide who plays, or when --------------------------

  // On: the computer holds ComputerSide() and answers the other side's
  // moves. Off: two people share the board.
  bool AutoResponse() const { return FAutoResponse; }
  void SetAutoResponse(bool Value);
  // 1 crosses, -1 noughts; any other value is taken as noughts.
  int ComputerSide() const { return FComputerSide; }
  void SetComputerSide(int Side);
  TLevel Level() const { return FLevel; }
  void SetLevel(TLevel Level);
  void SetColCount(int Value);
  void SetRowCount(int Value);
  void SetLock(bool Value);
  // While held, the computer waits with the moves that fall due: a page
  // holds a new board until its settings are all in, so that their order
  // does not matter. Releasing it lets the computer play.
  bool Held() const { return FHeld; }
  void SetHeld(bool Value);

 private:
  struct TRequest {
    std::uint32_t Serial;
    game::TThinkRequest Turn;
  };

  void InvalidateRequested(vcl::TControl& Control) override;
  void Forward(vcl::TNotifyEvent& Event, TBoardEvent Raised);
  std::string WordsFor(TBoardEvent Event);
  // The settings as the session's players.
  void ApplyPlayers();
  // The session's players as the settings.
  void AdoptPlayers();
  // Acts on what the session says the computer must do next.
  void LetComputerPlay();
  void Answered(TRequest Move, std::optional<vcl::TPoint> Cell);
  void HintAnswered(TRequest Hint, std::optional<vcl::TPoint> Cell);
  void DropHint();
  std::uint32_t NextSerial() { return ++FLastSerial; }

  TBoardListener& FListener;
  TQuintar FControl{nullptr};
  std::unique_ptr<game::TGameSession> FSession;
  game::TPhrasebook FPhrasebook;
  bool FAutoResponse = true;
  int FComputerSide = DefaultComputerSide;
  TLevel FLevel = TLevel::High;
  bool FHeld = false;
  // The cell the last press or move asked for (0-based), to say why it was
  // refused.
  vcl::TPoint FAsked = TQuintar::NoCell;
  std::uint32_t FLastSerial = 0;
  std::optional<TRequest> FMoveRequest;
  std::optional<TRequest> FHintRequest;
  std::vector<std::uint32_t> FAreaPixels;
};

}  // namespace quintar::web
