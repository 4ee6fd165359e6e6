#include "BoardHost.h"

#include <utility>

namespace quintar::web {
namespace {

bool OnBoard(const TQuintar& Control, vcl::TPoint Cell) {
  return Cell.X >= 0 && Cell.X < Control.ColCount() && Cell.Y >= 0 && Cell.Y < Control.RowCount();
}

}  // namespace

// The page's handlers go on before the session exists, so that the session
// chains to them and hears every move from the first: by the time a handler
// runs, the session knows the move it words.
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
  Event = [this, Raised](vcl::TObject*) { FListener.EventRaised(Raised, WordsFor(Raised)); };
}

std::string TBoardHost::WordsFor(TBoardEvent Event) {
  switch (Event) {
    case TBoardEvent::LegalMove: return FPhrasebook.Move(FSession->Moves().back());
    case TBoardEvent::IllegalMove:
      return FPhrasebook.Refusal(OnBoard(FControl, FAsked) ? game::TRefusal::CellTaken : game::TRefusal::OffBoard);
    default: {
      // A handler may have started a new game before a later end event.
      const std::optional<game::TGameResult> Ended = FSession->Result();
      return Ended ? FPhrasebook.Result(*Ended) : std::string();
    }
  }
}

void TBoardHost::InvalidateRequested(vcl::TControl&) { FListener.RepaintRequested(); }

// ---- Showing ----------------------------------------------------------------

void TBoardHost::SetSize(int Width, int Height) { FControl.SetBounds(0, 0, Width, Height); }

vcl::TRect TBoardHost::Present() {
  FControl.Update();
  const vcl::TRect Area = FControl.TakeChangedArea();
  if (Area.IsEmpty()) {
    FAreaPixels.clear();
    return Area;
  }
  const std::size_t Width = static_cast<std::size_t>(Area.Right - Area.Left);
  // Kept between frames, so that a frame no larger than one before it
  // allocates nothing.
  FAreaPixels.resize(Width * static_cast<std::size_t>(Area.Bottom - Area.Top));
  // A colour is 0x00BBGGRR: in memory R, G, B and a zero byte, which becomes
  // an opaque alpha. Each row is one plain loop over consecutive pixels.
  std::uint32_t* Out = FAreaPixels.data();
  for (int Y = Area.Top; Y < Area.Bottom; ++Y, Out += Width) {
    const vcl::TColor* Row = FControl.Surface().Row(Y) + Area.Left;
    for (std::size_t X = 0; X < Width; ++X) Out[X] = static_cast<std::uint32_t>(Row[X]) | 0xFF000000u;
  }
  return Area;
}

// ---- Words ------------------------------------------------------------------

std::string TBoardHost::Status() {
  if (FMoveRequest) return FPhrasebook.Thinking(FMoveRequest->Turn.Level);
  return FPhrasebook.Turn(*FSession);
}

std::string TBoardHost::CellWords(int Col, int Row) const {
  const vcl::TPoint Cell{Col - 1, Row - 1};
  return FPhrasebook.CellContents(Cell, FControl.Cell(Cell.X, Cell.Y));
}

std::string TBoardHost::Players() const { return FPhrasebook.Players(FSession->Player(1), FSession->Player(-1)); }

std::vector<std::string> TBoardHost::MoveWords() {
  std::vector<std::string> Words;
  for (const game::TMoveEntry& Move : FSession->Moves()) Words.push_back(FPhrasebook.Move(Move));
  return Words;
}

// ---- Records ----------------------------------------------------------------

// A hint being thought out belongs to the game before; the computer's move
// being thought out is dropped with it, as the record's position is new.
std::string TBoardHost::OpenRecord(std::string_view Text) {
  std::string Refused = FSession->OpenRecord(Text);
  if (!Refused.empty()) return Refused;
  DropHint();
  AdoptPlayers();
  LetComputerPlay();
  return {};
}

// ---- Playing ----------------------------------------------------------------

void TBoardHost::Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
  if (FSession->ComputerToMove()) return;
  FAsked = FControl.CellAt(X, Y);
  FControl.MouseDown(Button, Shift, X, Y);
  LetComputerPlay();
}

void TBoardHost::Move(int Col, int Row) {
  if (FSession->ComputerToMove()) return;
  FAsked = {Col - 1, Row - 1};
  FControl.Move(Col, Row);
  LetComputerPlay();
}

void TBoardHost::NewGame() {
  FSession->NewGame();
  FListener.Said(FPhrasebook.NewGame());
  LetComputerPlay();
}

bool TBoardHost::ComputerMove() {
  if (!FSession->ComputerMovesNow()) {
    FListener.Said(FPhrasebook.Refusal(FControl.GameOver() ? game::TRefusal::GameOver : game::TRefusal::Locked));
    return false;
  }
  LetComputerPlay();
  return true;
}

bool TBoardHost::Undo() {
  const std::size_t Before = FSession->Moves().size();
  if (!FSession->Undo()) {
    FListener.Said(FPhrasebook.Refusal(game::TRefusal::NothingToUndo));
    return false;
  }
  FListener.Said(FPhrasebook.TakenBack(Before - FSession->Moves().size()));
  LetComputerPlay();
  return true;
}

bool TBoardHost::Redo() {
  const std::size_t Before = FSession->Moves().size();
  if (!FSession->Redo()) {
    FListener.Said(FPhrasebook.Refusal(game::TRefusal::NothingToRedo));
    return false;
  }
  FListener.Said(FPhrasebook.PlayedAgain(FSession->Moves().size() - Before));
  LetComputerPlay();
  return true;
}

bool TBoardHost::LastMoveByComputer() {
  const std::vector<game::TMoveEntry>& Moves = FSession->Moves();
  return !Moves.empty() && Moves.back().By == game::TPlayerKind::Computer;
}

// The element's settings never give the computer both sides, so no move is
// ever paced as in a demonstration.
void TBoardHost::LetComputerPlay() {
  if (FHeld) return;
  for (;;) {
    const game::TComputerDue Due = FSession->ComputerDue();
    switch (Due.Action) {
      case game::TComputerAction::None: FMoveRequest.reset(); return;
      case game::TComputerAction::PlayNow:
        if (!FSession->PlayComputerMove()) return;
        break;
      case game::TComputerAction::ThinkElsewhere:
        if (FMoveRequest && FMoveRequest->Turn.Generation == Due.Request.Generation) return;  // being thought out
        FMoveRequest = TRequest{NextSerial(), Due.Request};
        FListener.ThinkingRequested(FMoveRequest->Serial, FMoveRequest->Turn);
        return;
    }
  }
}

void TBoardHost::Answer(std::uint32_t Serial, std::optional<vcl::TPoint> Cell) {
  if (FMoveRequest && FMoveRequest->Serial == Serial)
    Answered(*std::exchange(FMoveRequest, std::nullopt), Cell);
  else if (FHintRequest && FHintRequest->Serial == Serial)
    HintAnswered(*std::exchange(FHintRequest, std::nullopt), Cell);
}

// The session drops an answer to a position that has moved on. One that
// could not be played although the same request is still due came from
// thinking that failed: the computer thinks here instead.
void TBoardHost::Answered(TRequest Move, std::optional<vcl::TPoint> Cell) {
  if (!Cell || !FSession->PlayThoughtMove(Move.Turn, *Cell)) {
    const game::TComputerDue Due = FSession->ComputerDue();
    if (Due.Action != game::TComputerAction::None && Due.Request.Generation == Move.Turn.Generation)
      FSession->PlayComputerMove();
  }
  LetComputerPlay();
}

void TBoardHost::Hint() {
  DropHint();
  const std::optional<game::TThinkRequest> Request = FSession->HintRequest();
  if (!Request) {
    FListener.HintFound(std::nullopt, FPhrasebook.NoHint());
  } else if (ControlStrength(Request->Level)) {
    const std::optional<vcl::TPoint> Cell = FSession->Hint();
    FListener.HintFound(Cell, Cell ? FPhrasebook.Hint(*Cell) : FPhrasebook.NoHint());
  } else {
    FHintRequest = TRequest{NextSerial(), *Request};
    FListener.ThinkingRequested(FHintRequest->Serial, FHintRequest->Turn);
  }
}

// A hint for a position that moved on is dropped without a word; one that
// could not be used although the position waits for it came from thinking
// that failed: the hint is thought out here instead.
void TBoardHost::HintAnswered(TRequest Hint, std::optional<vcl::TPoint> Cell) {
  std::optional<vcl::TPoint> Shown = Cell ? FSession->HintStillApplies(Hint.Turn, *Cell) : std::nullopt;
  if (!Shown) {
    const std::optional<game::TThinkRequest> Now = FSession->HintRequest();
    if (!Now || Now->Generation != Hint.Turn.Generation) {
      FListener.HintFound(std::nullopt, {});
      return;
    }
    Shown = FSession->Hint();
  }
  FListener.HintFound(Shown, Shown ? FPhrasebook.Hint(*Shown) : FPhrasebook.NoHint());
}

void TBoardHost::DropHint() {
  if (FHintRequest) {
    FHintRequest.reset();
    FListener.HintFound(std::nullopt, {});
  }
}

// ---- Settings ---------------------------------------------------------------

void TBoardHost::ApplyPlayers() {
  for (const int Side : {1, -1}) {
    const bool Computer = FAutoResponse && Side == FComputerSide;
    FSession->SetPlayer(Side, {Computer ? game::TPlayerKind::Computer : game::TPlayerKind::Person, FLevel});
  }
}

// The element holds one computer side at one level. A record with the
// computer on both sides (a demonstration elsewhere) is taken as a game
// against the computer holding noughts.
void TBoardHost::AdoptPlayers() {
  const bool ComputerCrosses = FSession->Player(1).Kind == game::TPlayerKind::Computer;
  const bool ComputerNoughts = FSession->Player(-1).Kind == game::TPlayerKind::Computer;
  FAutoResponse = ComputerCrosses || ComputerNoughts;
  if (FAutoResponse) {
    FComputerSide = ComputerNoughts ? -1 : 1;
    FLevel = FSession->Player(FComputerSide).Level;
  }
  ApplyPlayers();
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
