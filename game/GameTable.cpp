#include "GameTable.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "GameRecord.h"
#include "Rules.h"

namespace quintar::game {
namespace {

vcl::TNotifyEvent& EventOf(TQuintar& Control, TBoardEvent Event) {
  switch (Event) {
    case TBoardEvent::LegalMove: return Control.OnLegalMove;
    case TBoardEvent::IllegalMove: return Control.OnIllegalMove;
    case TBoardEvent::Draw: return Control.OnDraw;
    case TBoardEvent::CrossWon: return Control.OnCrossWon;
    case TBoardEvent::NoughtWon: return Control.OnNoughtWon;
    case TBoardEvent::ComputerWon: return Control.OnComputerWon;
    case TBoardEvent::UserWon: break;
  }
  return Control.OnUserWon;
}

}  // namespace

// The table's hooks go on before the session exists, so that the session
// chains to them: by the time the table hears a move, the session knows it.
TGameTable::TGameTable(TQuintar& Control, TTableListener& Listener, TThinking Thinking, TPhrasebook Words,
                       TExpertMaker MakeExpert)
    : FControl(Control), FListener(Listener), FThinking(Thinking), FWords(std::move(Words)) {
  for (int Index = 0; Index < BoardEventCount; ++Index) {
    const auto Event = static_cast<TBoardEvent>(Index);
    vcl::TNotifyEvent& Hooked = EventOf(FControl, Event);
    FFaceHandlers[Index] = std::move(Hooked);
    Hooked = [this, Event](vcl::TObject* Sender) {
      vcl::Raise(FFaceHandlers[static_cast<int>(Event)], Sender);
      Heard(Event);
    };
  }
  FSession = std::make_unique<TGameSession>(FControl, SteadyMilliseconds, MakeExpert);
  FFocus = Middle();
  MarkUnchanged();
}

TGameTable::~TGameTable() {
  FSession.reset();
  for (int Index = 0; Index < BoardEventCount; ++Index)
    EventOf(FControl, static_cast<TBoardEvent>(Index)) = std::move(FFaceHandlers[Index]);
}

// ---- Hearing the control ----------------------------------------------------

// A finished game is announced once, with the side's event; the control's
// second win event carries the same words for faces that publish it.
void TGameTable::Heard(TBoardEvent Event) {
  ++FEventsRaised;
  std::string Words;
  switch (Event) {
    case TBoardEvent::LegalMove:
      FOpenedRecordWaits = false;
      PositionReplaced();
      Words = FWords.Move(FSession->Moves().back());
      Announce(Words);
      break;
    case TBoardEvent::IllegalMove:
      Words =
          FWords.Refusal(OnBoard(FControl.ColCount(), FControl.RowCount(), FAsked.X, FAsked.Y) ? TRefusal::CellTaken
                                                                                               : TRefusal::OffBoard);
      Announce(Words);
      break;
    default:
      // A handler may have started a new game before a later end event.
      if (const std::optional<TGameResult> Ended = FSession->Result()) Words = FWords.Result(*Ended);
      if (!Words.empty() && Event != TBoardEvent::ComputerWon && Event != TBoardEvent::UserWon) Announce(Words);
  }
  FListener.EventRaised(Event, Words);
}

void TGameTable::Announce(const std::string& Words) {
  FLastAnnouncement = Words;
  FListener.Announced(Words);
}

// ---- Who plays ----------------------------------------------------------------

void TGameTable::SetPlayers(TPlayer Crosses, TPlayer Noughts) {
  if (Crosses == Player(1) && Noughts == Player(-1)) return;
  FSession->SetPlayer(1, Crosses);
  FSession->SetPlayer(-1, Noughts);
  if (!FHeld) Announce(PlayersWords());
  GameChanged();
}

std::string_view TGameTable::LevelName(TLevel Level) { return quintar::LevelName(Level); }

std::optional<TLevel> TGameTable::LevelNamed(std::string_view Name) { return quintar::LevelNamed(Name); }

// ---- Playing --------------------------------------------------------------------

template <typename TRun>
void TGameTable::Request(vcl::TPoint Asked, bool Pressed, TRun&& Run) {
  FAsked = Asked;
  FEventsRaised = 0;
  Run();
  if (FEventsRaised == 0)
    if (const std::optional<TRefusal> Why = WhyNothing(Pressed)) Refuse(*Why);
  GameChanged();
}

// The control answers a refused request with silence; the person is told why.
std::optional<TRefusal> TGameTable::WhyNothing(bool Pressed) const {
  if (Pressed && !FControl.ClickResponse()) return TRefusal::ClicksOff;
  if (FControl.GameOver()) return TRefusal::GameOver;
  if (FControl.Lock()) return TRefusal::Locked;
  return std::nullopt;
}

void TGameTable::Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
  if (ComputerToMove()) return Refuse(TRefusal::ComputerToMove);
  Request(FControl.CellAt(X, Y), true, [&] { FControl.MouseDown(Button, Shift, X, Y); });
}

void TGameTable::Move(int Col, int Row) {
  if (ComputerToMove()) return Refuse(TRefusal::ComputerToMove);
  Request({Col - 1, Row - 1}, false, [&] { FControl.Move(Col, Row); });
}

void TGameTable::PlayFocusCell() {
  if (!FControl.ClickResponse()) return Refuse(TRefusal::ClicksOff);
  Move(FFocus.X + 1, FFocus.Y + 1);
}

void TGameTable::ComputerMovesNow() {
  if (!FSession->ComputerMovesNow()) return Refuse(FControl.GameOver() ? TRefusal::GameOver : TRefusal::Locked);
  FOpenedRecordWaits = false;
  FUnthoughtGeneration.reset();
  GameChanged();
}

bool TGameTable::Undo() { return StepThroughHistory(&TGameSession::Undo, TRefusal::NothingToUndo); }

bool TGameTable::Redo() { return StepThroughHistory(&TGameSession::Redo, TRefusal::NothingToRedo); }

bool TGameTable::StepThroughHistory(bool (TGameSession::*Step)(), TRefusal Nothing) {
  const std::size_t Before = MovesMade();
  if (!((*FSession).*Step)()) {
    Refuse(Nothing);
    return false;
  }
  HistoryStepped(Before);
  return true;
}

// Moves the history cannot reach (those found on the board when the session
// began) are beyond undo.
void TGameTable::GoToMove(std::size_t Count) {
  const std::size_t Before = MovesMade();
  if (Count == Before) return;
  if (!FSession->GoToMove(Count)) return Refuse(Count < Before ? TRefusal::NothingToUndo : TRefusal::NothingToRedo);
  // A person's move against the computer comes with its answer, which may
  // be where the game already stands: nothing moved, and nothing is said,
  // but a face shows again where the game is.
  if (MovesMade() == Before) return FListener.Changed();
  HistoryStepped(Before);
}

// Says how many moves a step through the history took back or played
// again, from Before on the board.
void TGameTable::HistoryStepped(std::size_t Before) {
  PositionReplaced();
  const std::size_t After = MovesMade();
  Announce(After < Before ? FWords.TakenBack(Before - After) : FWords.PlayedAgain(After - Before));
  // Stepped back through a game the computer plays against itself, the
  // position waits to be looked at, as an opened record does: played on at
  // once, the rest of the game would be thrown away.
  if (After < Before && FSession->Player(1).Kind == TPlayerKind::Computer &&
      FSession->Player(-1).Kind == TPlayerKind::Computer)
    FOpenedRecordWaits = true;
  // Played again to its end, the game says how it ended, as the move did:
  // the same sentence as the status, which a face that shows both shows once.
  if (const std::optional<TGameResult> Ended = FSession->Result()) Announce(FWords.Result(*Ended));
  GameChanged();
}

void TGameTable::GameChanged() {
  LetComputerPlay();
  FollowWithAnalysis();
  FListener.Changed();
}

// The request being thought out and the hint belong to a position that is
// gone; answers to them are dropped when they come.
void TGameTable::PositionReplaced() {
  FMoveRequest.reset();
  FHintRequest.reset();
  FHintCell.reset();
  FPaceRequested = false;
}

void TGameTable::LetComputerPlay() {
  if (FHeld) return;
  for (;;) {
    const TComputerDue Due = FSession->ComputerDue();
    if (Due.Action == TComputerAction::None) {
      // A pace asked for lapses with the move it was for: when the computer
      // is due again (unlocked, or given the side back), a new one is asked.
      FMoveRequest.reset();
      FPaceRequested = false;
      FPaceKept = false;
      return;
    }
    if (FOpenedRecordWaits) return;
    if (Due.PaceMilliseconds > 0 && !std::exchange(FPaceKept, false)) {
      if (!std::exchange(FPaceRequested, true)) FListener.PaceRequested(Due.PaceMilliseconds);
      return;
    }
    if (Due.Action == TComputerAction::PlayNow || FThinking == TThinking::Here) {
      if (!FSession->PlayComputerMove()) return;
      continue;
    }
    if (FMoveRequest && FMoveRequest->Turn.Generation == Due.Request.Generation) return;  // being thought out
    if (FUnthoughtGeneration == Due.Request.Generation) return;
    FMoveRequest = TRequest{NextSerial(), Due.Request};
    FListener.ThinkingRequested(FMoveRequest->Serial, FMoveRequest->Turn);
    return;
  }
}

void TGameTable::Continue() {
  if (!std::exchange(FPaceRequested, false)) return;
  FPaceKept = true;
  GameChanged();
}

void TGameTable::Answer(std::uint32_t Serial, std::optional<vcl::TPoint> Cell) {
  if (FMoveRequest && FMoveRequest->Serial == Serial)
    Answered(*std::exchange(FMoveRequest, std::nullopt), Cell);
  else if (FHintRequest && FHintRequest->Serial == Serial)
    HintAnswered(*std::exchange(FHintRequest, std::nullopt), Cell);
}

// The session drops an answer to a position that has moved on. One that
// could not be played although the same request is still due came from
// thinking that failed: the computer thinks here instead, and where it cannot
// (the expert left out), the move stays due without being asked for again.
void TGameTable::Answered(const TRequest& Move, std::optional<vcl::TPoint> Cell) {
  if (!Cell || !FSession->PlayThoughtMove(Move.Turn, *Cell)) {
    const TComputerDue Due = FSession->ComputerDue();
    if (Due.Action != TComputerAction::None && Due.Request.Generation == Move.Turn.Generation &&
        !FSession->PlayComputerMove()) {
      FUnthoughtGeneration = Move.Turn.Generation;
      Announce(FWords.Phrase(TPhrase::ComputerCouldNotThink));
    }
  }
  GameChanged();
}

// While the computer is to move the hint would be its own move; a face
// thinking elsewhere may also have one request thought out at a time, and
// the move must not be the one dropped.
void TGameTable::Hint() {
  if (ComputerToMove()) return Refuse(TRefusal::ComputerToMove);
  FHintRequest.reset();
  const std::optional<TThinkRequest> Request = FSession->HintRequest();
  if (!Request) return Announce(FWords.NoHint());
  if (ControlStrength(Request->Level) || FThinking == TThinking::Here) return ShowHint(FSession->Hint());
  FHintRequest = TRequest{NextSerial(), *Request};
  FListener.ThinkingRequested(FHintRequest->Serial, FHintRequest->Turn);
}

// A hint that could not be used although the position waits for it came
// from thinking that failed: it is thought out here instead.
void TGameTable::HintAnswered(const TRequest& Hint, std::optional<vcl::TPoint> Cell) {
  std::optional<vcl::TPoint> Shown = Cell ? FSession->HintStillApplies(Hint.Turn, *Cell) : std::nullopt;
  if (!Shown) {
    const std::optional<TThinkRequest> Now = FSession->HintRequest();
    if (!Now || Now->Generation != Hint.Turn.Generation) return;
    Shown = FSession->Hint();
    // Nothing could think it (the expert left out): the game is not over.
    if (!Shown) return Announce(FWords.Phrase(TPhrase::HintCouldNotThink));
  }
  ShowHint(Shown);
}

// The keyboard's cell goes to the hint, so that playing it is one key away.
void TGameTable::ShowHint(std::optional<vcl::TPoint> Cell) {
  FHintCell = Cell;
  if (!Cell) {
    Announce(FWords.NoHint());
  } else {
    FFocus = *Cell;
    const TBoardCopy Board = CopyBoard(FControl);
    std::string Words = FWords.Hint(*Cell, HintReasonFor(Board.View(), FControl.Turn(), Cell->X, Cell->Y));
    if (FListener.PlaysByKeys() && PersonMayPlay()) Words += " " + FWords.Phrase(TPhrase::SpacePlaysIt);
    FAnnouncingHint = true;
    Announce(Words);
    FAnnouncingHint = false;
  }
  FListener.Changed();
}

void TGameTable::SetHeld(bool Value) {
  FHeld = Value;
  GameChanged();
}

void TGameTable::SetLock(bool Value) {
  if (Value == FControl.Lock()) return;
  FControl.SetLock(Value);
  if (!FHeld) Announce(Value ? FWords.Refusal(TRefusal::Locked) : FWords.Phrase(TPhrase::BoardUnlocked));
  GameChanged();
}

bool TGameTable::PersonMayPlay() const {
  return !FControl.GameOver() && !FControl.Lock() && FControl.ClickResponse() && !ComputerToMove();
}

bool TGameTable::LastMoveByComputer() const {
  const std::vector<TMoveEntry>& Moves = FSession->Moves();
  return !Moves.empty() && Moves.back().By == TPlayerKind::Computer;
}

// ---- Games ------------------------------------------------------------------------

std::vector<vcl::TPoint> TGameTable::CellsPlayed() const { return CellsOf(FSession->Moves()); }

std::vector<vcl::TPoint> TGameTable::CellsOf(const std::vector<TMoveEntry>& Moves) {
  std::vector<vcl::TPoint> Cells;
  for (const TMoveEntry& Move : Moves) Cells.push_back(Move.Cell);
  return Cells;
}

void TGameTable::MarkUnchanged() { FUnchangedLine = CellsPlayed(); }

// Nothing is lost where the game as saved or opened is on the board, or
// stands whole in the line that undo and redo walk.
bool TGameTable::WouldDiscardGame() const {
  return MovesMade() > 0 && !FControl.GameOver() && CellsPlayed() != FUnchangedLine &&
         CellsOf(FSession->MoveLine()) != FUnchangedLine;
}

void TGameTable::NewGame() {
  FSession->NewGame();
  FOpenedRecordWaits = false;
  PositionReplaced();
  Announce(FWords.NewGame());
  GameChanged();
}

void TGameTable::SetBoardSize(int ColCount, int RowCount) {
  if (!BoardSideFits(ColCount) || !BoardSideFits(RowCount)) return Refuse(TRefusal::BoardSize);
  FControl.SetColCount(ColCount);
  FControl.SetRowCount(RowCount);
  NewBoard();
}

void TGameTable::SetColCount(int Value) {
  if (Value == FControl.ColCount()) return;
  FControl.SetColCount(Value);
  NewBoard();
}

void TGameTable::SetRowCount(int Value) {
  if (Value == FControl.RowCount()) return;
  FControl.SetRowCount(Value);
  NewBoard();
}

// The control started a new game of its own on the new board.
void TGameTable::NewBoard() {
  FSession->BoardChanged();
  FOpenedRecordWaits = false;
  PositionReplaced();
  FFocus = Middle();
  if (!FHeld) Announce(FWords.NewBoard(FControl.ColCount(), FControl.RowCount()));
  GameChanged();
}

void TGameTable::Saved(std::string_view Name) {
  MarkUnchanged();
  Announce(FWords.Saved(Name, MovesMade()));
  FListener.Changed();
}

std::string TGameTable::OpenRecord(std::string_view Text, std::string_view Name) {
  const std::string Refused = TakeRecord(Text);
  if (!Refused.empty()) return Refused;
  FOpenedRecordWaits = true;
  std::string Words = FWords.Opened(Name, FControl.ColCount(), FControl.RowCount(), MovesMade());
  // A finished game says how it ended, which a face without a status line
  // (a script's pipe) would not show otherwise; by side only, as a record
  // need not say who played it.
  if (const std::optional<TGameResult> Ended = FSession->Result())
    Words += " " + FWords.Result({.Winner = Ended->Winner});
  // A table held still moves no computer at all: a review, say.
  if (ComputerToMove() && !FHeld) Words += " " + FWords.Phrase(TPhrase::ComputerMovesWhenAsked);
  Announce(Words);
  GameChanged();
  return {};
}

std::string TGameTable::GameToKeep() const {
  return MovesMade() > 0 || CanRedo() ? FSession->KeepRecord() : std::string();
}

std::string TGameTable::RestoreKeptGame(std::string_view Text) {
  const std::string Refused = TakeRecord(Text);
  if (!Refused.empty()) return Refused;
  // A kept game goes on as it was left, a demonstration too.
  FOpenedRecordWaits = false;
  // The person never saved a kept game, and the next close keeps another in
  // its place: losing it loses it for good, so it counts as changed.
  FUnchangedLine.clear();
  Announce(FWords.Phrase(TPhrase::LastGameGoesOn));
  GameChanged();
  return {};
}

std::string SetAsideName(std::string_view File, std::string_view Why,
                         const std::function<bool(const std::string&)>& Taken) {
  // Far more than any person gathers; past it the last name is reused.
  constexpr int MostCopies = 1000;
  const std::string First = std::string(File) + "." + std::string(Why);
  std::string Name = First;
  for (int Copy = 2; Copy <= MostCopies && Taken(Name); ++Copy) Name = First + "-" + std::to_string(Copy);
  return Name;
}

std::string TGameTable::RecordRefusal(std::string_view Text) const {
  if (Text.size() > LargestRecordBytes) return FWords.Phrase(TPhrase::FileTooLarge);
  const std::variant<TRecord, TRecordError> Read = ReadRecord(Text);
  const TRecordError* Refused = std::get_if<TRecordError>(&Read);
  return Refused ? Refused->Message : std::string();
}

std::string TGameTable::TakeRecord(std::string_view Text) {
  if (Text.size() > LargestRecordBytes) return FWords.Phrase(TPhrase::FileTooLarge);
  std::string Refused = FSession->OpenRecord(Text);
  if (!Refused.empty()) return Refused;
  FFocus = Middle();
  PositionReplaced();
  MarkUnchanged();
  return {};
}

// ---- The keyboard's cell ------------------------------------------------------------

vcl::TPoint TGameTable::Middle() const { return {FControl.ColCount() / 2, FControl.RowCount() / 2}; }

void TGameTable::MoveFocus(int Cols, int Rows) {
  SetFocusCell({std::clamp(FFocus.X + Cols, 0, FControl.ColCount() - 1),
                std::clamp(FFocus.Y + Rows, 0, FControl.RowCount() - 1)});
}

void TGameTable::SetFocusCell(vcl::TPoint Cell) {
  if (!OnBoard(FControl.ColCount(), FControl.RowCount(), Cell.X, Cell.Y) || Cell == FFocus) return;
  FFocus = Cell;
  FListener.Changed();
}

std::string TGameTable::FocusWords() const { return FWords.CellContents(FFocus, FControl.Cell(FFocus.X, FFocus.Y)); }

// ---- What the face shows ----------------------------------------------------------

std::string TGameTable::Status() const {
  if (FMoveRequest) return FWords.Thinking(FMoveRequest->Turn.Level);
  if (!FControl.GameOver() && FControl.Lock()) return FWords.Refusal(TRefusal::Locked);
  return FWords.Turn(*FSession);
}

std::string TGameTable::PlayersWords() const { return FWords.Players(Player(1), Player(-1)); }

std::vector<std::string> TGameTable::MoveLineWords() const {
  std::vector<std::string> Words;
  for (const TMoveEntry& Move : FSession->MoveLine()) Words.push_back(FWords.Move(Move));
  return Words;
}

// ---- Analysis and review ------------------------------------------------------------

void TGameTable::SetAnalysing(bool Value) {
  if (Value == FAnalysing) return;
  FAnalysing = Value;
  FollowWithAnalysis();
  // Over a finished game nothing is asked: analysis turned on says why.
  if (FAnalysing && FControl.GameOver()) {
    Announce(FWords.Phrase(TPhrase::NothingToAnalyse));
    FListener.AnalysisChanged();
  }
}

// A new position starts a new analysis; a finished game or analysis turned
// off stops it.
void TGameTable::FollowWithAnalysis() {
  const std::optional<TThinkRequest> Position = FAnalysing ? FSession->HintRequest() : std::nullopt;
  if (Position && FAnalysisRequest && FAnalysisRequest->Turn.Generation == Position->Generation) return;
  if (!Position && !FAnalysisRequest && !FAnalysis) return;
  FAnalysis.reset();
  if (Position) {
    FAnalysisRequest = TRequest{NextSerial(), *Position};
    FListener.AnalysisRequested(FAnalysisRequest->Serial, FAnalysisRequest->Turn);
  } else {
    FAnalysisRequest.reset();
    FListener.AnalysisRequested(0, std::nullopt);
  }
  FListener.AnalysisChanged();
}

void TGameTable::AnalysisReported(std::uint32_t Serial, const TAnalysis& Report) {
  if (!FAnalysisRequest || FAnalysisRequest->Serial != Serial) return;
  FAnalysis = Report;
  FListener.AnalysisChanged();
}

// A finished game is not analysed, and analysis that is on says so.
std::string TGameTable::AnalysisWords() const {
  if (FAnalysis) return FWords.Analysis(*FAnalysis);
  return FAnalysing && FControl.GameOver() ? FWords.Phrase(TPhrase::NothingToAnalyse) : std::string();
}

std::vector<std::string> TGameTable::CandidateWords() const {
  std::vector<std::string> Words;
  if (FAnalysis)
    for (const TCandidateLine& Line : FAnalysis->Lines) Words.push_back(FWords.Candidate(Line, FAnalysis->Turn));
  return Words;
}

bool TGameTable::MayReview() {
  if (MovesMade() > 0 || CanRedo()) return true;
  Announce(FWords.Phrase(TPhrase::NothingToReview));
  return false;
}

// The whole line, so that a player may step back through a game reviewed and
// read the judgement of each move there.
TReviewRequest TGameTable::ReviewRequest() const {
  return {FControl.ColCount(), FControl.RowCount(), CellsOf(FSession->MoveLine()), 0};
}

void TGameTable::Reviewed(const TReviewRequest& Request, const TReview& Review) {
  FReview.emplace(Request, Review);
  FListener.AnalysisChanged();
}

bool TGameTable::ReviewApplies(const TReviewRequest& Request) const {
  return Request.Moves == CellsOf(FSession->MoveLine()) && Request.ColCount == FControl.ColCount() &&
         Request.RowCount == FControl.RowCount();
}

std::optional<TReview> TGameTable::Review() const {
  if (!FReview || !ReviewApplies(FReview->first)) return std::nullopt;
  return FReview->second;
}

std::vector<std::string> TGameTable::ReviewWords() const {
  std::vector<std::string> Words;
  const std::optional<TReview> Judged = Review();
  if (!Judged) return Words;
  for (std::size_t Index = 0; Index < Judged->Moves.size(); ++Index)
    Words.push_back(FWords.Judgement(Index, Judged->Moves[Index]));
  for (const int Side : {1, -1}) Words.push_back(FWords.ReviewSummary(Side, Judged->Summary(Side)));
  return Words;
}

}  // namespace quintar::game
