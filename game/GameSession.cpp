#include "GameSession.h"

#include <array>
#include <chrono>
#include <variant>

#include "ComputerThinker.h"
#include "GameRecord.h"
#include "Rules.h"
#include "Words.h"

namespace quintar::game {

std::int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// What the session puts on an event of the control: it tells the session,
// which then calls the host's handler. Its type tells a hook apart from a
// handler a host assigned over it.
class TGameSession::TEventHook {
 public:
  using THeard = void (TGameSession::*)(vcl::TObject* Sender);
  TEventHook(TGameSession* Session, THeard Heard) : FSession(Session), FHeard(Heard) {}
  void operator()(vcl::TObject* Sender) const { (FSession->*FHeard)(Sender); }
  const TGameSession* Session() const { return FSession; }

 private:
  TGameSession* FSession;
  THeard FHeard;
};

namespace {

// Sets a flag for as long as it lives.
class TScopedFlag {
 public:
  explicit TScopedFlag(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TScopedFlag() { FFlag = false; }
  TScopedFlag(const TScopedFlag&) = delete;
  TScopedFlag& operator=(const TScopedFlag&) = delete;

 private:
  bool& FFlag;
};

// Takes every notify event off the control while it lives, so that setting
// a game up again reaches no handler, and puts them back unchanged.
class TSilencedEvents {
 public:
  explicit TSilencedEvents(TQuintar& Control)
      : FEvents{&Control.OnLegalMove, &Control.OnIllegalMove, &Control.OnDraw,   &Control.OnCrossWon,
                &Control.OnNoughtWon, &Control.OnComputerWon, &Control.OnUserWon} {
    for (std::size_t I = 0; I < FEvents.size(); ++I) {
      FSaved[I] = std::move(*FEvents[I]);
      *FEvents[I] = nullptr;
    }
  }
  ~TSilencedEvents() {
    for (std::size_t I = 0; I < FEvents.size(); ++I) *FEvents[I] = std::move(FSaved[I]);
  }
  TSilencedEvents(const TSilencedEvents&) = delete;
  TSilencedEvents& operator=(const TSilencedEvents&) = delete;

 private:
  std::array<vcl::TNotifyEvent*, 7> FEvents;
  std::array<vcl::TNotifyEvent, 7> FSaved;
};

bool OnBoard(const TBoardCopy& Board, vcl::TPoint Cell) {
  return quintar::OnBoard(Board.ColCount, Board.RowCount, Cell.X, Cell.Y);
}

}  // namespace

TBoardCopy CopyBoard(const TQuintar& Control) {
  TBoardCopy Board;
  Board.ColCount = Control.ColCount();
  Board.RowCount = Control.RowCount();
  for (int Col = 0; Col < Board.ColCount; ++Col)
    for (int Row = 0; Row < Board.RowCount; ++Row) Board.Cells[Col][Row] = Control.Cell(Col, Row);
  return Board;
}

TGameSession::TGameSession(TQuintar& Control, TMillisecondClock Clock, TExpertMaker MakeExpert)
    : FControl(Control), FClock(std::move(Clock)), FThinker(std::make_unique<TComputerThinker>(MakeExpert)) {
  // A game holds at most one entry per cell, so the history never grows in play.
  FMoves.reserve(MaxBoardSide * MaxBoardSide);
  FRedo.reserve(MaxBoardSide * MaxBoardSide);
  for (TPlayer& Player : FPlayers) Player.Level = LevelOf(FControl.PlayingStrength());
  if (FControl.AutoResponse()) FPlayers[SideIndex(-1)].Kind = TPlayerKind::Computer;
  HookEvents();
  AdoptBoard(TQuintar::NoCell);
}

TGameSession::~TGameSession() { UnhookEvents(); }

// ---- Following the control ------------------------------------------------

void TGameSession::HookEvents() {
  const auto Hook = [this](vcl::TNotifyEvent& Event, vcl::TNotifyEvent& Host, TEventHook::THeard Heard) {
    const TEventHook* Present = Event.target<TEventHook>();
    if (Present != nullptr && Present->Session() == this) return;
    Host = std::move(Event);
    Event = TEventHook(this, Heard);
  };
  Hook(FControl.OnLegalMove, FHostLegalMove, &TGameSession::MoveHeard);
  Hook(FControl.OnUserWon, FHostUserWon, &TGameSession::UserWonHeard);
}

void TGameSession::UnhookEvents() {
  const auto Unhook = [this](vcl::TNotifyEvent& Event, vcl::TNotifyEvent& Host) {
    const TEventHook* Present = Event.target<TEventHook>();
    if (Present != nullptr && Present->Session() == this) Event = std::move(Host);
  };
  Unhook(FControl.OnLegalMove, FHostLegalMove);
  Unhook(FControl.OnUserWon, FHostUserWon);
}

void TGameSession::BoardChanged() {
  if (!HistoryDescribesBoard(TQuintar::NoCell)) AdoptBoard(TQuintar::NoCell);
}

bool TGameSession::HistoryDescribesBoard(vcl::TPoint Except) const {
  if (FExpected.ColCount != FControl.ColCount() || FExpected.RowCount != FControl.RowCount()) return false;
  for (int Col = 0; Col < FExpected.ColCount; ++Col)
    for (int Row = 0; Row < FExpected.RowCount; ++Row)
      if (FExpected.Cells[Col][Row] != (vcl::TPoint{Col, Row} == Except ? 0 : FControl.Cell(Col, Row))) return false;
  return true;
}

// The marks are taken as made in turn, crosses first. The last move ends
// its side's list, so that setting the board up again completes a five, if
// there is one, only with its final mark.
void TGameSession::AdoptBoard(vcl::TPoint Except) {
  ForgetHistory();
  std::vector<vcl::TPoint> Marks[2];
  for (int Col = 0; Col < FExpected.ColCount; ++Col)
    for (int Row = 0; Row < FExpected.RowCount; ++Row)
      if (FControl.Cell(Col, Row) != 0 && vcl::TPoint{Col, Row} != Except)
        Marks[SideIndex(FControl.Cell(Col, Row))].push_back({Col, Row});
  const vcl::TPoint Last = FControl.LastMove();
  if (Last != Except && OnBoard(FExpected, Last) && FControl.Cell(Last.X, Last.Y) != 0) {
    std::vector<vcl::TPoint>& Own = Marks[SideIndex(FControl.Cell(Last.X, Last.Y))];
    std::erase(Own, Last);
    Own.push_back(Last);
  }
  for (std::size_t I = 0; I < Marks[0].size() || I < Marks[1].size(); ++I)
    for (int Side : {1, -1})
      if (I < Marks[SideIndex(Side)].size()) {
        const vcl::TPoint Cell = Marks[SideIndex(Side)][I];
        FMoves.push_back({Cell, Side, TPlayerKind::Person, 0});
        FExpected.Cells[Cell.X][Cell.Y] = Side;
      }
  FFirstUndoable = FMoves.size();
}

void TGameSession::ForgetHistory() {
  FMoves.clear();
  FRedo.clear();
  FFirstUndoable = 0;
  FExpected = TBoardCopy();
  FExpected.ColCount = FControl.ColCount();
  FExpected.RowCount = FControl.RowCount();
  FPositionSince = FClock();
  ++FGeneration;
}

void TGameSession::MoveHeard(vcl::TObject* Sender) {
  const vcl::TPoint Cell = FControl.LastMove();
  if (!HistoryDescribesBoard(Cell)) AdoptBoard(Cell);
  const int Side = FControl.Cell(Cell.X, Cell.Y);
  const bool ByComputer = FPlacingComputerMove || Player(Side).Kind == TPlayerKind::Computer;
  const std::int64_t Now = FClock();
  FMoves.push_back({Cell, Side, ByComputer ? TPlayerKind::Computer : TPlayerKind::Person, Now - FPositionSince,
                    Player(Side).Level, Player(-Side).Kind});
  FExpected.Cells[Cell.X][Cell.Y] = Side;
  FRedo.clear();
  FPositionSince = Now;
  ++FGeneration;
  vcl::Raise(FHostLegalMove, Sender);
}

// A computer move the session places through Move wins as the computer's.
void TGameSession::UserWonHeard(vcl::TObject* Sender) {
  vcl::Raise(FPlacingComputerMove ? FControl.OnComputerWon : FHostUserWon, Sender);
}

// ---- Players --------------------------------------------------------------

void TGameSession::SetPlayer(int Side, TPlayer Player) {
  FPlayers[SideIndex(Side)] = Player;
  ++FGeneration;
  ApplyPlayers();
}

void TGameSession::ApplyPlayers() {
  const TPlayer& Crosses = FPlayers[SideIndex(1)];
  const TPlayer& Noughts = FPlayers[SideIndex(-1)];
  std::optional<TStrength> Answering;
  if (Crosses.Kind != Noughts.Kind)
    Answering = ControlStrength((Crosses.Kind == TPlayerKind::Computer ? Crosses : Noughts).Level);
  FControl.SetAutoResponse(Answering.has_value());
  if (Answering) FControl.SetPlayingStrength(*Answering);
}

bool TGameSession::AnyPerson() const {
  return FPlayers[0].Kind == TPlayerKind::Person || FPlayers[1].Kind == TPlayerKind::Person;
}

// ---- Playing --------------------------------------------------------------

void TGameSession::NewGame() {
  FControl.NewGame();
  ForgetHistory();
}

bool TGameSession::ComputerToMove() const {
  if (FControl.GameOver() || FControl.Lock()) return false;
  return OneOffMoveDue() || Player(FControl.Turn()).Kind == TPlayerKind::Computer;
}

TComputerDue TGameSession::ComputerDue() const {
  TComputerDue Due;
  if (!ComputerToMove()) return Due;
  const TLevel Level = Player(FControl.Turn()).Level;
  Due.Action = ControlStrength(Level) ? TComputerAction::PlayNow : TComputerAction::ThinkElsewhere;
  const bool Demonstration = !AnyPerson() && !OneOffMoveDue();
  Due.PaceMilliseconds = Demonstration ? DemonstrationMilliseconds : 0;
  Due.Request = RequestFor(FControl.Turn(), Level);
  return Due;
}

bool TGameSession::PlayComputerMove() { return ComputerToMove() && PlayComputer(Player(FControl.Turn()).Level); }

bool TGameSession::ComputerMovesNow() {
  if (FControl.GameOver() || FControl.Lock()) return false;
  FOneOffGeneration = FGeneration;
  return true;
}

bool TGameSession::PlayThoughtMove(const TThinkRequest& Request, vcl::TPoint Cell) {
  if (Request.Generation != FGeneration || !ComputerToMove()) return false;
  if (!OnBoard(FExpected, Cell) || FControl.Cell(Cell.X, Cell.Y) != 0) return false;
  PlaceComputerMark(Cell);
  return true;
}

void TGameSession::SeedComputer(std::uint64_t Seed) { FThinker->Seed(Seed); }

// Read off the history, which keeps who made each move: the players chosen
// since do not change how the game ended.
std::optional<TGameResult> TGameSession::Result() const {
  if (!FControl.GameOver()) return std::nullopt;
  TGameResult Result;
  Result.Winner = FControl.Winner();
  if (Result.Winner == 0 || FMoves.empty()) return Result;
  const TMoveEntry& Five = FMoves.back();
  Result.By = Five.By;
  Result.Level = Five.Level;
  Result.AgainstComputer = Five.Opponent == TPlayerKind::Computer;
  return Result;
}

// The control's strengths play through its own ComputerMove, with its draws
// and its events.
bool TGameSession::PlayComputer(TLevel Level) {
  if (const std::optional<TStrength> Strength = ControlStrength(Level)) {
    FControl.SetPlayingStrength(*Strength);
    const TScopedFlag Placing(FPlacingComputerMove);
    FControl.ComputerMove();
    return true;
  }
  const std::optional<vcl::TPoint> Cell = FThinker->Think(RequestFor(FControl.Turn(), Level));
  if (Cell) PlaceComputerMark(*Cell);
  return Cell.has_value();
}

// Through Move, without the control answering it.
void TGameSession::PlaceComputerMark(vcl::TPoint Cell) {
  const bool Answering = FControl.AutoResponse();
  FControl.SetAutoResponse(false);
  {
    const TScopedFlag Placing(FPlacingComputerMove);
    FControl.Move(Cell.X + 1, Cell.Y + 1);
  }
  FControl.SetAutoResponse(Answering);
}

TThinkRequest TGameSession::RequestFor(int Side, TLevel Level) const {
  return {CopyBoard(FControl), Side, Level, FGeneration};
}

// ---- History --------------------------------------------------------------

std::optional<std::size_t> TGameSession::UndoTarget() const {
  const bool Persons = AnyPerson();
  for (std::size_t Count = FMoves.size(); Count-- > FFirstUndoable;)
    if (!Persons || Player(SideAfter(Count)).Kind == TPlayerKind::Person) return Count;
  return std::nullopt;
}

std::optional<std::size_t> TGameSession::RedoCount() const {
  const bool Persons = AnyPerson();
  for (std::size_t Count = 1; Count <= FRedo.size(); ++Count)
    if (!Persons || Count == FRedo.size() || Player(SideAfter(FMoves.size() + Count)).Kind == TPlayerKind::Person)
      return Count;
  return std::nullopt;
}

bool TGameSession::Undo() {
  const std::optional<std::size_t> Target = UndoTarget();
  return Target && GoToMove(*Target);
}

bool TGameSession::Redo() {
  const std::optional<std::size_t> Count = RedoCount();
  return Count && GoToMove(FMoves.size() + *Count);
}

std::vector<TMoveEntry> TGameSession::MoveLine() const {
  std::vector<TMoveEntry> Line = FMoves;
  Line.insert(Line.end(), FRedo.rbegin(), FRedo.rend());
  return Line;
}

bool TGameSession::GoToMove(std::size_t Count) {
  const std::size_t Line = FMoves.size() + FRedo.size();
  if (Count < FFirstUndoable || Count > Line) return false;
  // Against the computer, a position it is to move in would be answered at
  // once and the rest of the line lost: its answer comes along, as undo and
  // redo take a person's move and the answer together.
  if (AnyPerson() && Count < Line && Player(SideAfter(Count)).Kind == TPlayerKind::Computer) ++Count;
  if (Count == FMoves.size()) return true;
  ShiftLine(Count);
  Replay();
  return true;
}

void TGameSession::ShiftLine(std::size_t Count) {
  while (FMoves.size() > Count) {
    FRedo.push_back(FMoves.back());
    FMoves.pop_back();
  }
  while (FMoves.size() < Count) {
    FMoves.push_back(FRedo.back());
    FRedo.pop_back();
  }
}

void TGameSession::Replay() {
  const bool Answering = FControl.AutoResponse();
  const bool Locked = FControl.Lock();
  FControl.SetAutoResponse(false);
  FControl.SetLock(false);
  {
    const TSilencedEvents Silence(FControl);
    FControl.NewGame();
    for (const TMoveEntry& Move : FMoves) FControl.Move(Move.Cell.X + 1, Move.Cell.Y + 1);
  }
  FControl.SetAutoResponse(Answering);
  FControl.SetLock(Locked);
  FExpected = CopyBoard(FControl);
  FPositionSince = FClock();
  ++FGeneration;
  FControl.Repaint();
}

// ---- Hints ------------------------------------------------------------------

std::optional<TThinkRequest> TGameSession::HintRequest() const {
  if (FControl.GameOver()) return std::nullopt;
  return RequestFor(FControl.Turn(), Player(FControl.Turn()).Level);
}

std::optional<vcl::TPoint> TGameSession::HintStillApplies(const TThinkRequest& Request, vcl::TPoint Cell) const {
  if (Request.Generation != FGeneration || FControl.GameOver()) return std::nullopt;
  if (!OnBoard(FExpected, Cell) || FControl.Cell(Cell.X, Cell.Y) != 0) return std::nullopt;
  return Cell;
}

std::optional<vcl::TPoint> TGameSession::Hint() {
  const std::optional<TThinkRequest> Request = HintRequest();
  if (!Request) return std::nullopt;
  return FThinker->Think(*Request);
}

// ---- Records --------------------------------------------------------------

std::string TGameSession::SaveRecord() const { return RecordOf(FMoves, std::nullopt); }

std::string TGameSession::KeepRecord() const {
  return RecordOf(MoveLine(), FRedo.empty() ? std::nullopt : std::optional(FMoves.size()));
}

std::string TGameSession::RecordOf(const std::vector<TMoveEntry>& Moves, std::optional<std::size_t> OnBoard) const {
  TRecord Record;
  Record.ColCount = FControl.ColCount();
  Record.RowCount = FControl.RowCount();
  for (const TMoveEntry& Move : Moves) Record.Moves.push_back({Move.Cell.X, Move.Cell.Y, Move.Milliseconds});
  Record.Names = {RecordName(Player(1)), RecordName(Player(-1)), MoversLine(Moves, OnBoard)};
  return WriteRecord(Record);
}

std::string TGameSession::MoversLine(const std::vector<TMoveEntry>& Moves, std::optional<std::size_t> OnBoard) {
  std::string Line(MoversPrefix);
  for (std::size_t Index = 0; Index < Moves.size(); ++Index) {
    if (OnBoard == Index) {
      Line += ' ';
      Line += TakenBackMark;
    }
    Line += ' ';
    Line += RecordName({Moves[Index].By, Moves[Index].Level});
  }
  return Line;
}

std::optional<std::vector<TPlayer>> TGameSession::MoversNamed(std::string_view Line, std::size_t Count,
                                                              std::optional<std::size_t>& OnBoard) {
  if (!Line.starts_with(MoversPrefix)) return std::nullopt;
  std::vector<TPlayer> Movers;
  std::string_view Rest = Line.substr(MoversPrefix.size());
  while (!(Rest = Trimmed(Rest)).empty()) {
    const std::string_view Name = Rest.substr(0, Rest.find(' '));
    if (Name == TakenBackMark) {
      OnBoard = Movers.size();
    } else {
      const std::optional<TPlayer> Mover = PlayerNamed(Name, TLevel::High);
      if (!Mover) return std::nullopt;
      Movers.push_back(*Mover);
    }
    Rest.remove_prefix(Name.size());
  }
  if (Movers.size() != Count) return std::nullopt;
  return Movers;
}

// A computer player by its level ("expert"), as the match names them too.
std::string TGameSession::RecordName(const TPlayer& Player) {
  return Player.Kind == TPlayerKind::Person ? std::string(PersonName) : std::string(LevelName(Player.Level));
}

std::optional<TPlayer> TGameSession::PlayerNamed(std::string_view Name, TLevel PersonLevel) {
  if (SameWord(Name, PersonName)) return TPlayer{TPlayerKind::Person, PersonLevel};
  if (const std::optional<TLevel> Level = LevelNamed(Name)) return TPlayer{TPlayerKind::Computer, *Level};
  return std::nullopt;
}

std::string TGameSession::OpenRecord(std::string_view Text) {
  const std::variant<TRecord, TRecordError> Read = ReadRecord(Text);
  if (const TRecordError* Refused = std::get_if<TRecordError>(&Read)) return Refused->Message;
  const TRecord& Record = std::get<TRecord>(Read);
  // Players named in the record take the sides; a record from elsewhere, with
  // other names or none, keeps today's.
  if (Record.Names.size() >= 2) {
    const std::optional<TPlayer> Crosses = PlayerNamed(Record.Names[0], Player(1).Level);
    const std::optional<TPlayer> Noughts = PlayerNamed(Record.Names[1], Player(-1).Level);
    if (Crosses && Noughts) {
      FPlayers[SideIndex(1)] = *Crosses;
      FPlayers[SideIndex(-1)] = *Noughts;
      ApplyPlayers();
    }
  }
  FControl.SetColCount(Record.ColCount);
  FControl.SetRowCount(Record.RowCount);
  ForgetHistory();
  // Who made each move, when the record says; else whoever holds its side.
  std::optional<std::size_t> OnBoard;
  const std::optional<std::vector<TPlayer>> Movers =
      Record.Names.size() >= 3 ? MoversNamed(Record.Names[2], Record.Moves.size(), OnBoard) : std::nullopt;
  for (std::size_t Index = 0; Index < Record.Moves.size(); ++Index) {
    const TRecordMove& Move = Record.Moves[Index];
    const int Side = SideAfter(Index);
    const TPlayer By = Movers ? (*Movers)[Index] : Player(Side);
    const TPlayer Against = Movers && Index > 0                    ? (*Movers)[Index - 1]
                            : Movers && Index + 1 < Movers->size() ? (*Movers)[Index + 1]
                                                                   : Player(-Side);
    FMoves.push_back({{Move.Col, Move.Row}, Side, By.Kind, Move.Milliseconds, By.Level, Against.Kind});
  }
  // A kept game's moves taken back are taken back again, ready to redo.
  if (Movers && OnBoard) ShiftLine(*OnBoard);
  Replay();
  return {};
}

}  // namespace quintar::game
