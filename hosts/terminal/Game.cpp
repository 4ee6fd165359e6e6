#include "Game.h"

#include <fstream>
#include <utility>

#include "Settings.h"
#include "TextUtil.h"

namespace quintar::terminal {
namespace {

template <typename... TVisitors>
struct TOverloaded : TVisitors... {
  using TVisitors::operator()...;
};
// Spelled out for compilers that do not yet deduce an aggregate's bases.
template <typename... TVisitors>
TOverloaded(TVisitors...) -> TOverloaded<TVisitors...>;

std::string SizeText(const TQuintar& Control) {
  return std::to_string(Control.ColCount()) + " x " + std::to_string(Control.RowCount());
}

}  // namespace

TGame::TGame(int CellWidth, int CellHeight) : FCellWidth(CellWidth), FCellHeight(CellHeight) {
  Listen();
  FSession = std::make_unique<game::TGameSession>(FControl);
  FLevel = LevelOf(FControl.PlayingStrength());
  FitControl();
}

// Every mark and every end is worded by the phrasebook, from the session's
// history, which knows who made each move.
void TGame::Listen() {
  FControl.OnLegalMove = [this](vcl::TObject*) {
    Say(FWords.Move(FSession->Moves().back()));
    FReply.PositionChanged = true;
  };
  FControl.OnIllegalMove = [this](vcl::TObject*) { Say(IllegalMoveText()); };
  FControl.OnDraw = [this](vcl::TObject*) { SayResult(); };
  FControl.OnCrossWon = [this](vcl::TObject*) { SayResult(); };
  FControl.OnNoughtWon = [this](vcl::TObject*) { SayResult(); };
}

void TGame::SayResult() {
  if (const std::optional<game::TGameResult> Result = FSession->Result()) Say(FWords.Result(*Result));
}

void TGame::FitControl() {
  FControl.SetBounds(0, 0, FControl.ColCount() * FCellWidth, FControl.RowCount() * FCellHeight);
}

std::string TGame::Set(std::string_view Assignment) {
  std::string Error = ApplySetting(FControl, Assignment);
  FitControl();
  // A setting may change who answers (AutoResponse) or how well.
  FLevel = LevelOf(FControl.PlayingStrength());
  SeatPlayers(game::TPlayerKind::Person,
              FControl.AutoResponse() ? game::TPlayerKind::Computer : game::TPlayerKind::Person);
  return Error;
}

TReply TGame::Execute(const TCommand& Command) {
  FReply = {};
  std::visit(
      TOverloaded{
          [](const TNothing&) {},
          [this](const TPlay& Move) { Play(Move); },
          [this](const TNewGame&) {
            FSession->NewGame();
            Say(FWords.NewGame());
            FReply.PositionChanged = true;
          },
          [this](const TResize& Size) { Resize(Size); },
          [this](const TSetStrength& Set) { SetStrength(Set.Level); },
          [this](const TSetPlayers& Set) { SetPlayers(Set.Crosses, Set.Noughts); },
          [this](const TSetAutoResponse& Set) {
            SeatPlayers(game::TPlayerKind::Person, Set.On ? game::TPlayerKind::Computer : game::TPlayerKind::Person);
            Say(Set.On ? "The computer answers every move." : "The computer waits: type computer to let it move.");
          },
          [this](const TComputerMove&) {
            // Against the computer, its answer follows as any other move's.
            Request(TSource::Computer, [this] {
              if (FSession->ComputerMovesNow()) FSession->PlayComputerMove();
            });
          },
          [this](const TUndo&) { TakeBack(false); },
          [this](const TRedo&) { TakeBack(true); },
          [this](const THint&) { ShowHint(); },
          [this](const TSave& File) { Save(File.Path); },
          [this](const TOpen& File) { Open(File.Path); },
          [this](const TSetLock& Set) {
            FControl.SetLock(Set.On);
            Say(Set.On ? "The board is locked." : "The board is unlocked.");
          },
          [this](const THelp&) {
            for (const std::string_view Line : HelpText) Say(std::string(Line));
          },
          [this](const TQuit&) { FReply.Quit = true; },
          [this](const TInvalid& Invalid) { Say(Invalid.Message); },
      },
      Command);
  PlayDueComputerMoves();
  if (FReply.PositionChanged && !std::holds_alternative<THint>(Command)) FHint.reset();
  return std::exchange(FReply, {});
}

void TGame::Play(const TPlay& Move) {
  Request(TSource::Typed, [&] {
    FAsked = {Move.Col, Move.Row};
    FControl.Move(Move.Col, Move.Row);
  });
}

TReply TGame::Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
  FReply = {};
  // While the computer is to move, a press is not the person's to make.
  if (FSession->ComputerToMove()) return std::exchange(FReply, {});
  Request(TSource::Click, [&] {
    FAsked = {X, Y};
    FControl.MouseDown(Button, Shift, X, Y);
  });
  PlayDueComputerMoves();
  if (FReply.PositionChanged) FHint.reset();
  return std::exchange(FReply, {});
}

// The terminal has no thread to think elsewhere: the expert thinks here too.
void TGame::PlayDueComputerMoves() {
  while (!Demonstrating() && FSession->ComputerToMove())
    Request(TSource::Computer, [this] { FSession->PlayComputerMove(); });
}

int TGame::DemonstrationPace() { return FSession->ComputerDue().PaceMilliseconds; }

TReply TGame::Demonstrate() {
  FReply = {};
  if (Demonstrating()) Request(TSource::Computer, [this] { FSession->PlayComputerMove(); });
  return std::exchange(FReply, {});
}

void TGame::SetStrength(TLevel Level) {
  FLevel = Level;
  if (const std::optional<TStrength> Strength = ControlStrength(Level)) FControl.SetPlayingStrength(*Strength);
  for (const int Side : {1, -1}) FSession->SetPlayer(Side, {FSession->Player(Side).Kind, Level});
  Say("Strength: " + std::string(LevelName(Level)) + ".");
}

void TGame::SeatPlayers(game::TPlayerKind Crosses, game::TPlayerKind Noughts) {
  FSession->SetPlayer(1, {Crosses, FLevel});
  FSession->SetPlayer(-1, {Noughts, FLevel});
}

void TGame::SetPlayers(game::TPlayerKind Crosses, game::TPlayerKind Noughts) {
  SeatPlayers(Crosses, Noughts);
  Say(FWords.Players(FSession->Player(1), FSession->Player(-1)));
}

void TGame::TakeBack(bool Forward) {
  const std::size_t Before = FSession->Moves().size();
  if (!(Forward ? FSession->Redo() : FSession->Undo()))
    return Say(FWords.Refusal(Forward ? game::TRefusal::NothingToRedo : game::TRefusal::NothingToUndo));
  const std::size_t After = FSession->Moves().size();
  Say(Forward ? FWords.PlayedAgain(After - Before) : FWords.TakenBack(Before - After));
  Say(FWords.Turn(*FSession));
  FReply.PositionChanged = true;
}

void TGame::ShowHint() {
  FHint = FSession->Hint();
  if (!FHint) return Say(FWords.NoHint() + " Type new to play again.");
  Say(FWords.Hint(*FHint) + " It is marked + on the board.");
  FReply.PositionChanged = true;
}

void TGame::Save(const std::string& Path) {
  const std::string Record = FSession->SaveRecord();
  std::ofstream File(Path, std::ios::binary | std::ios::trunc);
  File << Record;
  File.close();
  if (!File) return Say("Could not write \"" + Echo(Path) + "\".");
  Say("Saved " + std::to_string(FSession->Moves().size()) + " moves to \"" + Echo(Path) + "\".");
}

void TGame::Open(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  std::string Text(MaxRecordBytes + 1, '\0');
  File.read(Text.data(), static_cast<std::streamsize>(Text.size()));
  Text.resize(static_cast<std::size_t>(File.gcount()));
  if (!File.is_open() || File.bad()) return Say("Could not read \"" + Echo(Path) + "\".");
  if (Text.size() > MaxRecordBytes) return Say("\"" + Echo(Path) + "\" is too large to be a game record.");
  if (const std::string Refused = FSession->OpenRecord(Text); !Refused.empty())
    return Say("Could not open \"" + Echo(Path) + "\": " + Refused + ". The game goes on.");
  FitControl();
  Say("Opened \"" + Echo(Path) + "\": " + SizeText(FControl) + ", " + std::to_string(FSession->Moves().size()) +
      " moves.");
  Say(FWords.Turn(*FSession));
  FReply.PositionChanged = true;
}

template <typename TRequest>
void TGame::Request(TSource Source, TRequest&& Run) {
  FSource = Source;
  const bool WasOver = FControl.GameOver();
  Run();
  // The control answers a refused request with silence; the player is told why.
  if (FReply.Lines.empty()) Say(ExplainRefusal());
  if (!WasOver && FControl.GameOver()) Say("Type new to play again.");
}

std::string TGame::ExplainRefusal() const {
  if (FSource == TSource::Click && !FControl.ClickResponse()) return "Clicks do not play: type the column and row.";
  if (FControl.GameOver()) return FWords.Refusal(game::TRefusal::GameOver) + " Type new to play again.";
  if (FControl.Lock()) return FWords.Refusal(game::TRefusal::Locked) + " Type lock off to play on.";
  return "Nothing happened.";
}

std::string TGame::IllegalMoveText() const {
  const bool OffBoard = FSource == TSource::Click ? FControl.CellAt(FAsked.X, FAsked.Y) == TQuintar::NoCell
                                                  : FAsked.X < 1 || FAsked.X > FControl.ColCount() || FAsked.Y < 1 ||
                                                        FAsked.Y > FControl.RowCount();
  return FWords.Refusal(OffBoard ? game::TRefusal::OffBoard : game::TRefusal::CellTaken);
}

void TGame::Resize(const TResize& Size) {
  const auto Fits = [](int Count) { return Count >= MinBoardSide && Count <= MaxBoardSide; };
  if (!Fits(Size.Cols) || !Fits(Size.Rows)) {
    Say("A board is 5 to 50 cells a side; the game goes on.");
    return;
  }
  FControl.SetColCount(Size.Cols);
  FControl.SetRowCount(Size.Rows);
  FSession->NewGame();
  FitControl();
  Say("New game on a " + SizeText(FControl) + " board.");
  FReply.PositionChanged = true;
}

std::string TGame::Status() const {
  const auto Holder = [this](int Side) {
    return FSession->Player(Side).Kind == game::TPlayerKind::Computer ? "computer" : "person";
  };
  return FWords.Turn(*FSession) + " " + SizeText(FControl) + ", crosses " + Holder(1) + ", noughts " + Holder(-1) +
         ", strength " + std::string(LevelName(FLevel)) + ", lock " + (FControl.Lock() ? "on" : "off");
}

}  // namespace quintar::terminal
