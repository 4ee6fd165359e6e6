// Once the control and the session are built, playing allocates nothing:
// moves by mouse and by call, the computer's answers at each of the control's
// strengths, games to their end and new games, with a host's handler on every
// event holding more than a function object keeps inline. This program
// replaces the global allocation functions to count every allocation.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "GameSession.h"
#include "Quintar.h"

namespace {

std::size_t Allocations = 0;

void* CountedAllocation(std::size_t Size) {
  ++Allocations;
  if (void* Block = std::malloc(Size == 0 ? 1 : Size)) return Block;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t Size) { return CountedAllocation(Size); }
void* operator new[](std::size_t Size) { return CountedAllocation(Size); }
void operator delete(void* Block) noexcept { std::free(Block); }
void operator delete[](void* Block) noexcept { std::free(Block); }
void operator delete(void* Block, std::size_t) noexcept { std::free(Block); }
void operator delete[](void* Block, std::size_t) noexcept { std::free(Block); }

namespace quintar::game {
namespace {

// What a host's handlers see: four references and a table, as a form's
// handlers capture their widgets and some state of their own.
struct THostState {
  int Events = 0;
  int Presses = 0;
  int Wins = 0;
  int Draws = 0;
};

void AttachBulkyHandlers(TQuintar& Control, THostState& State, TGameSession& Session) {
  int& Events = State.Events;
  int& Presses = State.Presses;
  int& Wins = State.Wins;
  int& Draws = State.Draws;
  const std::array<int, 8> Table = {1, 2, 3, 4, 5, 6, 7, 8};
  const auto Notify = [&Events, &Presses, &Wins, &Draws, Table](vcl::TObject*) {
    Events += Table[0];
    (void)Presses, (void)Wins, (void)Draws;
  };
  const auto Won = [&Events, &Presses, &Wins, &Draws, Table](vcl::TObject*) {
    Wins += Table[1] - 1;
    (void)Events, (void)Presses, (void)Draws;
  };
  Control.OnLegalMove = Notify;
  Control.OnIllegalMove = Notify;
  Control.OnCrossWon = Won;
  Control.OnNoughtWon = Won;
  Control.OnComputerWon = Notify;
  Control.OnUserWon = Notify;
  Control.OnDraw = [&Events, &Presses, &Wins, &Draws, Table](vcl::TObject*) { Draws += Table[2] - 2; };
  Control.OnMouseDown = [&Events, &Presses, &Wins, &Draws, Table](vcl::TObject*, vcl::TMouseButton, vcl::TShiftState,
                                                                  int, int) { Presses += Table[3] - 3; };
  // The session picks the host's handlers up behind its own.
  Session.NewGame();
}

// The person's press: the first empty cell from a seeded position onwards.
vcl::TPoint FreeCell(const TQuintar& Control, unsigned& Seed) {
  Seed = Seed * 1103515245u + 12345u;
  const int Cells = Control.ColCount() * Control.RowCount();
  for (int Step = 0; Step < Cells; ++Step) {
    const int Index = static_cast<int>((Seed >> 8) % static_cast<unsigned>(Cells) + Step) % Cells;
    const int Col = Index / Control.RowCount();
    const int Row = Index % Control.RowCount();
    if (Control.Cell(Col, Row) == 0) return {Col, Row};
  }
  return TQuintar::NoCell;
}

// A person against the computer at Level, pressing with the mouse, and a
// taken cell pressed once in a while, until the game ends.
void PlayAgainstComputer(TGameSession& Session, TLevel Level, unsigned Seed) {
  TQuintar& Control = Session.Control();
  Session.SetPlayer(1, {TPlayerKind::Person, Level});
  Session.SetPlayer(-1, {TPlayerKind::Computer, Level});
  Session.NewGame();
  while (!Control.GameOver()) {
    const vcl::TPoint Cell = FreeCell(Control, Seed);
    const vcl::TRect Bounds = Control.CellBounds(Cell.X, Cell.Y);
    Control.MouseDown(vcl::mbLeft, vcl::TShiftState{}, Bounds.Left, Bounds.Top);
    if (Seed % 5 == 0 && !Control.GameOver()) Control.Move(Control.LastMove().X + 1, Control.LastMove().Y + 1);
    Session.ComputerDue();
    Session.CanUndo();
  }
  Session.Result();
}

// The computer on both sides, stepped by the host as the session asks.
void PlayComputerAgainstItself(TGameSession& Session, TLevel Crosses, TLevel Noughts) {
  Session.SetPlayer(1, {TPlayerKind::Computer, Crosses});
  Session.SetPlayer(-1, {TPlayerKind::Computer, Noughts});
  Session.NewGame();
  while (Session.ComputerDue().Action == TComputerAction::PlayNow) Session.PlayComputerMove();
  Session.Result();
}

TEST(PlayAllocation, WholeGamesWithBulkyHandlersAllocateNothingOnceBuilt) {
  TQuintar Control(nullptr);
  Control.SetBounds(0, 0, 400, 400);
  TGameSession Session(Control, [] { return std::int64_t{0}; });
  THostState State;
  AttachBulkyHandlers(Control, State, Session);
  std::srand(11);

  const std::size_t Before = Allocations;
  unsigned Seed = 1;
  for (TLevel Level : {TLevel::Low, TLevel::Medium, TLevel::High}) PlayAgainstComputer(Session, Level, Seed++);
  PlayComputerAgainstItself(Session, TLevel::Low, TLevel::High);
  PlayComputerAgainstItself(Session, TLevel::Medium, TLevel::Medium);
  Control.SetColCount(7);
  Control.SetRowCount(7);
  PlayComputerAgainstItself(Session, TLevel::High, TLevel::Low);
  PlayAgainstComputer(Session, TLevel::High, Seed++);
  const std::size_t During = Allocations - Before;

  EXPECT_EQ(During, 0u);
  // The games were played and every handler was reached.
  EXPECT_GT(State.Events, 40);
  EXPECT_GT(State.Presses, 10);
  EXPECT_GE(State.Wins + State.Draws, 7);
}

// The counter itself works, so a zero above means something.
TEST(PlayAllocation, CounterSeesAHandlerCopiedOnTheHeap) {
  const std::array<double, 8> Table{};
  int Sum = 0;
  const std::size_t Before = Allocations;
  const vcl::TNotifyEvent Event = [&Sum, Table](vcl::TObject*) { Sum += static_cast<int>(Table[0]); };
  const vcl::TNotifyEvent Copy = Event;
  EXPECT_GE(Allocations - Before, 2u);
}

}  // namespace
}  // namespace quintar::game
