#include "BoardHost.h"

#include <utility>

namespace quintar::web {
namespace {

// The position on the control with its side to move, to think about at Level.
game::TThinkRequest PositionOf(const TQuintar& Control, TLevel Level) {
  game::TThinkRequest Turn;
  Turn.Board.ColCount = Control.ColCount();
  Turn.Board.RowCount = Control.RowCount();
  for (int Col = 0; Col < Turn.Board.ColCount; ++Col)
    for (int Row = 0; Row < Turn.Board.RowCount; ++Row) Turn.Board.Cells[Col][Row] = Control.Cell(Col, Row);
  Turn.Side = Control.Turn();
  Turn.Level = Level;
  return Turn;
}

bool ShowsPosition(const TQuintar& Control, const game::TThinkRequest& Turn) {
  if (Control.GameOver()) return false;
  const game::TThinkRequest Now = PositionOf(Control, Turn.Level);
  if (Now.Side != Turn.Side || Now.Board.ColCount != Turn.Board.ColCount || Now.Board.RowCount != Turn.Board.RowCount)
    return false;
  for (int Col = 0; Col < Now.Board.ColCount; ++Col)
    for (int Row = 0; Row < Now.Board.RowCount; ++Row)
      if (Now.Board.Cells[Col][Row] != Turn.Board.Cells[Col][Row]) return false;
  return true;
}

bool IsEmptyCell(const TQuintar& Control, vcl::TPoint Cell) {
  return Cell.X >= 0 && Cell.X < Control.ColCount() && Cell.Y >= 0 && Cell.Y < Control.RowCount() &&
         Control.Cell(Cell.X, Cell.Y) == 0;
}

}  // namespace

// The page's handlers go on before the session exists, so that the session
// chains to them and hears every move from the first.
TBoardHost::TBoardHost(TBoardListener& Listener) : FListener(Listener) {
  FControl.SetHost(this);
  Forward(FControl.OnLegalMove, TBoardEvent::LegalMove);
  Forward(FControl.OnIllegalMove, TBoardEvent::IllegalMove);
  Forward(FControl.OnDraw, TBoardEvent::Draw);
  Forward(FControl.OnCrossWon, TBoardEvent::CrossWon);
  Forward(FControl.OnNoughtWon, TBoardEvent::NoughtWon);
  Forward(FControl.OnComputerWon, TBoardEvent::ComputerWon);
  Forward(FControl.OnUserWon, TBoardEvent::UserWon);
  FSession = std::make_unique<game::TGameSession>(FControl);
  ApplyPlayers();
}

TBoardHost::~TBoardHost() {
  FSession.reset();
  FControl.SetHost(nullptr);
}

void TBoardHost::Forward(vcl::TNotifyEvent& Event, TBoardEvent Raised) {
  Event = [this, Raised](vcl::TObject*) { FListener.EventRaised(Raised); };
}

void TBoardHost::InvalidateRequested(vcl::TControl&) { FListener.RepaintRequested(); }

// ---- Showing ----------------------------------------------------------------

void TBoardHost::SetSize(int Width, int Height) { FControl.SetBounds(0, 0, Width, Height); }

vcl::TRect TBoardHost::Present() {
  FControl.Update();
  const vcl::TRect Area = FControl.TakeChangedArea();
  FAreaPixels.clear();
  if (Area.IsEmpty()) return Area;
  FAreaPixels.reserve(static_cast<std::size_t>(Area.Right - Area.Left) * static_cast<std::size_t>(Area.Bottom - Area.Top));
  // A colour is 0x00BBGGRR: in memory R, G, B and a zero byte, which becomes
  // an opaque alpha.
  for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
    const vcl::TColor* Row = FControl.Surface().Row(Y);
    for (int X = Area.Left; X < Area.Right; ++X) FAreaPixels.push_back(static_cast<std::uint32_t>(Row[X]) | 0xFF000000u);
  }
  return Area;
}

// ---- Playing ----------------------------------------------------------------

void TBoardHost::Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
  if (FSession->ComputerToMove()) return;
  FControl.MouseDown(Button, Shift, X, Y);
  LetComputerPlay();
}

void TBoardHost::Move(int Col, int Row) {
  if (FSession->ComputerToMove()) return;
  FControl.Move(Col, Row);
  LetComputerPlay();
}

void TBoardHost::NewGame() {
  FSession->NewGame();
  LetComputerPlay();
}

void TBoardHost::ComputerMove() {
  if (FSession->ComputerToMove() || FControl.GameOver() || FControl.Lock()) return;
  if (FAutoResponse)
    FComputerSide = FControl.Turn();
  else
    FOneOffSide = FControl.Turn();
  ApplyPlayers();
  LetComputerPlay();
}

bool TBoardHost::Undo() {
  const bool Done = FSession->Undo();
  LetComputerPlay();
  return Done;
}

bool TBoardHost::Redo() {
  const bool Done = FSession->Redo();
  LetComputerPlay();
  return Done;
}

bool TBoardHost::LastMoveByComputer() {
  const std::vector<game::TMoveEntry>& Moves = FSession->Moves();
  return !Moves.empty() && Moves.back().By == game::TPlayerKind::Computer;
}

void TBoardHost::LetComputerPlay() {
  if (FHeld) return;
  while (FSession->ComputerToMove()) {
    if (ControlStrength(FSession->Player(FControl.Turn()).Level)) {
      if (!FSession->Step()) break;
      continue;  // with one computer player, the person is to move now
    }
    std::optional<game::TThinkRequest> Turn = FSession->ComputerTurn();
    if (FMoveRequest && FMoveRequest->Turn.Generation == Turn->Generation) return;  // already being thought out
    FMoveRequest = TRequest{NextSerial(), std::move(*Turn)};
    FListener.ThinkingRequested(FMoveRequest->Serial, FMoveRequest->Turn);
    return;
  }
  FMoveRequest.reset();
  EndOneOffMove();
}

void TBoardHost::EndOneOffMove() {
  if (FOneOffSide == 0) return;
  FOneOffSide = 0;
  ApplyPlayers();
}

void TBoardHost::Answer(std::uint32_t Serial, std::optional<vcl::TPoint> Cell) {
  if (FMoveRequest && FMoveRequest->Serial == Serial)
    Answered(*std::exchange(FMoveRequest, std::nullopt), Cell);
  else if (FHintRequest && FHintRequest->Serial == Serial)
    HintAnswered(*std::exchange(FHintRequest, std::nullopt), Cell);
}

// The session drops an answer to a position that has moved on. One that
// could not be played although the position waits for it came from thinking
// that failed: the computer thinks here instead.
void TBoardHost::Answered(TRequest Move, std::optional<vcl::TPoint> Cell) {
  if (!Cell || !FSession->PlayComputerMove(Move.Turn, *Cell)) {
    const std::optional<game::TThinkRequest> Waiting = FSession->ComputerTurn();
    if (Waiting && Waiting->Generation == Move.Turn.Generation) FSession->Step();
  }
  LetComputerPlay();
}

void TBoardHost::Hint() {
  DropHint();
  if (FControl.GameOver()) {
    FListener.HintFound(std::nullopt);
  } else if (ControlStrength(FLevel)) {
    FListener.HintFound(FSession->Hint());
  } else {
    FHintRequest = TRequest{NextSerial(), PositionOf(FControl, FLevel)};
    FListener.ThinkingRequested(FHintRequest->Serial, FHintRequest->Turn);
  }
}

void TBoardHost::HintAnswered(TRequest Hint, std::optional<vcl::TPoint> Cell) {
  if (!ShowsPosition(FControl, Hint.Turn))
    FListener.HintFound(std::nullopt);
  else if (Cell && IsEmptyCell(FControl, *Cell))
    FListener.HintFound(Cell);
  else
    FListener.HintFound(FSession->Hint());
}

void TBoardHost::DropHint() {
  if (FHintRequest) {
    FHintRequest.reset();
    FListener.HintFound(std::nullopt);
  }
}

// ---- Settings ---------------------------------------------------------------

void TBoardHost::ApplyPlayers() {
  for (const int Side : {1, -1}) {
    const bool Computer = Side == FOneOffSide || (FAutoResponse && Side == FComputerSide);
    FSession->SetPlayer(Side, {Computer ? game::TPlayerKind::Computer : game::TPlayerKind::Person, FLevel});
  }
  // Without a computer player the control's strength is what hints and
  // one-off computer moves use.
  if (const std::optional<TStrength> Strength = ControlStrength(FLevel)) FControl.SetPlayingStrength(*Strength);
}

void TBoardHost::SetAutoResponse(bool Value) {
  if (Value == FAutoResponse) return;
  FAutoResponse = Value;
  ApplyPlayers();
  LetComputerPlay();
}

void TBoardHost::SetComputerSide(int Side) {
  Side = Side == 1 ? 1 : -1;
  if (Side == FComputerSide) return;
  FComputerSide = Side;
  ApplyPlayers();
  LetComputerPlay();
}

void TBoardHost::SetLevel(TLevel Level) {
  if (Level == FLevel) return;
  FLevel = Level;
  ApplyPlayers();
  LetComputerPlay();
}

void TBoardHost::SetColCount(int Value) {
  FControl.SetColCount(Value);
  LetComputerPlay();
}

void TBoardHost::SetRowCount(int Value) {
  FControl.SetRowCount(Value);
  LetComputerPlay();
}

void TBoardHost::SetHeld(bool Value) {
  FHeld = Value;
  LetComputerPlay();
}

void TBoardHost::SetLock(bool Value) {
  FControl.SetLock(Value);
  LetComputerPlay();
}

}  // namespace quintar::web
