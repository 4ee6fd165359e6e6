// The board a web page shows: one TQuintar with its game session, and who
// plays it. The page draws the pixels Present() hands it, delivers presses
// and calls, and hears back through a TBoardListener: the control's events,
// repaint requests, positions to think about away from the page, and hints.
//
// The control's strengths answer within microseconds, so they play at once,
// as the control itself does. The expert thinks for longer: its turns go to
// the page (ThinkingRequested), which thinks elsewhere and hands the cell
// back to Answer. Meanwhile the computer is to move, and presses and moves
// are ignored, as they are while the board is locked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "GameSession.h"
#include "Level.h"
#include "Quintar.h"

namespace quintar::web {

// The control's events, in the order it publishes them.
enum class TBoardEvent : std::uint8_t { LegalMove, IllegalMove, Draw, CrossWon, NoughtWon, ComputerWon, UserWon };

class TBoardListener {
 public:
  virtual ~TBoardListener() = default;
  virtual void EventRaised(TBoardEvent Event) = 0;
  // The control asks for a full repaint; Present() paints and hands it over.
  virtual void RepaintRequested() = 0;
  // Think about Turn away from the page and call Answer(Serial, cell).
  virtual void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) = 0;
  // The answer to Hint(): nothing when the game is over, or when the
  // position moved on, or another hint was asked for, before it was found.
  virtual void HintFound(std::optional<vcl::TPoint> Cell) = 0;
};

class TBoardHost : private vcl::TControlHost {
 public:
  // A new game, a person playing crosses against the computer at high.
  explicit TBoardHost(TBoardListener& Listener);
  ~TBoardHost() override;
  TBoardHost(const TBoardHost&) = delete;
  TBoardHost& operator=(const TBoardHost&) = delete;

  TQuintar& Control() { return FControl; }
  const TQuintar& Control() const { return FControl; }

  // ---- Showing ----------------------------------------------------------

  // In device pixels.
  void SetSize(int Width, int Height);
  // Paints what is due and returns the part of the control drawn since the
  // last call (empty when none); AreaPixels() then holds it row by row, one
  // R, G, B, A byte quadruple per pixel, opaque.
  vcl::TRect Present();
  const std::vector<std::uint32_t>& AreaPixels() const { return FAreaPixels; }

  // ---- Playing: each lets the computer move afterwards when it is due ----

  void Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
  // Col and Row counted from 1, as the control's Move takes them.
  void Move(int Col, int Row);
  void NewGame();
  // The computer plays the side to move. With AutoResponse on it keeps that
  // side from now on; otherwise it makes this one move for it.
  void ComputerMove();
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
  void ApplyPlayers();
  // Plays the computer's moves that are due, or asks for the expert's.
  void LetComputerPlay();
  void EndOneOffMove();
  void Answered(TRequest Move, std::optional<vcl::TPoint> Cell);
  void HintAnswered(TRequest Hint, std::optional<vcl::TPoint> Cell);
  void DropHint();
  std::uint32_t NextSerial() { return ++FLastSerial; }

  TBoardListener& FListener;
  TQuintar FControl{nullptr};
  std::unique_ptr<game::TGameSession> FSession;
  bool FAutoResponse = true;
  int FComputerSide = -1;
  // The side the computer holds for one move only, or 0.
  int FOneOffSide = 0;
  TLevel FLevel = TLevel::High;
  bool FHeld = false;
  std::uint32_t FLastSerial = 0;
  std::optional<TRequest> FMoveRequest;
  std::optional<TRequest> FHintRequest;
  std::vector<std::uint32_t> FAreaPixels;
};

}  // namespace quintar::web
