#include "Game.h"

#include <utility>

#include "Settings.h"
#include "Strength.h"

namespace quintar::terminal {
namespace {

template <typename... TVisitors>
struct TOverloaded : TVisitors... {
  using TVisitors::operator()...;
};
// Spelled out for compilers that do not yet deduce an aggregate's bases.
template <typename... TVisitors>
TOverloaded(TVisitors...) -> TOverloaded<TVisitors...>;

std::string SideName(int Mark) { return Mark == 1 ? "crosses" : "noughts"; }
std::string Capitalised(std::string Text) {
  if (!Text.empty() && Text[0] >= 'a' && Text[0] <= 'z') Text[0] = static_cast<char>(Text[0] - 'a' + 'A');
  return Text;
}

std::string SizeText(const TQuintar& Control) {
  return std::to_string(Control.ColCount()) + " x " + std::to_string(Control.RowCount());
}

}  // namespace

TGame::TGame(int CellWidth, int CellHeight) : FCellWidth(CellWidth), FCellHeight(CellHeight) {
  Listen();
  FitControl();
}

void TGame::Listen() {
  FControl.OnLegalMove = [this](vcl::TObject*) {
    const vcl::TPoint Cell = FControl.LastMove();
    const std::string Where = std::to_string(Cell.X + 1) + " " + std::to_string(Cell.Y + 1);
    const std::string Side = SideName(FControl.Cell(Cell.X, Cell.Y));
    // With AutoResponse every mark after the player's own in one request is
    // the computer's answer.
    const bool ByComputer = FSource == TSource::Computer || FMarksThisRequest > 0;
    ++FMarksThisRequest;
    Say(ByComputer ? "The computer plays " + Side + " at " + Where + "." : Capitalised(Side) + " play " + Where + ".");
    FReply.PositionChanged = true;
  };
  FControl.OnIllegalMove = [this](vcl::TObject*) { Say(IllegalMoveText()); };
  FControl.OnDraw = [this](vcl::TObject*) { Say("Draw: the board is full."); };
  FControl.OnCrossWon = [this](vcl::TObject*) { Say("Crosses win."); };
  FControl.OnNoughtWon = [this](vcl::TObject*) { Say("Noughts win."); };
  FControl.OnComputerWon = [this](vcl::TObject*) { Say("The computer wins."); };
  // Without the computer's answers two people share the board, and the
  // side's own message already says which of them won.
  FControl.OnUserWon = [this](vcl::TObject*) {
    if (FControl.AutoResponse()) Say("You win.");
  };
}

void TGame::FitControl() {
  FControl.SetBounds(0, 0, FControl.ColCount() * FCellWidth, FControl.RowCount() * FCellHeight);
}

std::string TGame::Set(std::string_view Assignment) {
  std::string Error = ApplySetting(FControl, Assignment);
  FitControl();
  return Error;
}

TReply TGame::Execute(const TCommand& Command) {
  FReply = {};
  std::visit(TOverloaded{
                 [](const TNothing&) {},
                 [this](const TPlay& Move) { Play(Move); },
                 [this](const TNewGame&) {
                   FControl.NewGame();
                   Say("New game: crosses move first.");
                   FReply.PositionChanged = true;
                 },
                 [this](const TResize& Size) { Resize(Size); },
                 [this](const TSetStrength& Set) {
                   FControl.SetPlayingStrength(Set.Strength);
                   Say("Strength: " + std::string(StrengthName(Set.Strength)) + ".");
                 },
                 [this](const TSetAutoResponse& Set) {
                   FControl.SetAutoResponse(Set.On);
                   Say(Set.On ? "The computer answers every move." : "The computer waits: type computer to let it move.");
                 },
                 [this](const TComputerMove&) { ComputerMove(); },
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
  Request(TSource::Click, [&] {
    FAsked = {X, Y};
    FControl.MouseDown(Button, Shift, X, Y);
  });
  return std::exchange(FReply, {});
}

void TGame::ComputerMove() {
  Request(TSource::Computer, [&] { FControl.ComputerMove(); });
}

template <typename TRequest>
void TGame::Request(TSource Source, TRequest&& Run) {
  FSource = Source;
  FMarksThisRequest = 0;
  const bool WasOver = FControl.GameOver();
  Run();
  // The control answers a refused request with silence; the player is told why.
  if (FReply.Lines.empty()) Say(ExplainRefusal());
  if (!WasOver && FControl.GameOver()) Say("Type new to play again.");
}

std::string TGame::ExplainRefusal() const {
  if (FSource == TSource::Click && !FControl.ClickResponse()) return "Clicks do not play: type the column and row.";
  if (FControl.GameOver()) return "The game is over: type new to play again.";
  if (FControl.Lock()) return "The board is locked: type lock off to play on.";
  return "Nothing happened.";
}

std::string TGame::IllegalMoveText() const {
  const bool OffBoard =
      FSource == TSource::Click
          ? FAsked.X < 0 || FAsked.X >= FControl.Width() || FAsked.Y < 0 || FAsked.Y >= FControl.Height()
          : FAsked.X < 1 || FAsked.X > FControl.ColCount() || FAsked.Y < 1 || FAsked.Y > FControl.RowCount();
  if (!OffBoard) return "That cell is taken.";
  if (FSource == TSource::Click) return "That press is off the board.";
  return "There is no cell " + std::to_string(FAsked.X) + " " + std::to_string(FAsked.Y) + " on this " +
         SizeText(FControl) + " board.";
}

void TGame::Resize(const TResize& Size) {
  const auto Fits = [](int Count) { return Count >= TQuintar::MinCount && Count <= TQuintar::MaxCount; };
  if (!Fits(Size.Cols) || !Fits(Size.Rows)) {
    Say("A board is 5 to 50 cells a side; the game goes on.");
    return;
  }
  FControl.SetColCount(Size.Cols);
  FControl.SetRowCount(Size.Rows);
  FitControl();
  Say("New game on a " + SizeText(FControl) + " board.");
  FReply.PositionChanged = true;
}

std::string TGame::Status() const {
  const std::string State =
      FControl.GameOver() ? "Game over" : Capitalised(SideName(FControl.Turn())) + " to move";
  return State + ", " + SizeText(FControl) + ", strength " + std::string(StrengthName(FControl.PlayingStrength())) +
         ", auto " + (FControl.AutoResponse() ? "on" : "off") + ", lock " + (FControl.Lock() ? "on" : "off");
}

}  // namespace quintar::terminal
