// Undo and redo: the control ends in exactly the state it had, pixels
// included, across random games; and sequences of moves, undos and redos
// follow a plain model of two stacks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "GameSession.h"

namespace quintar::game {
namespace {

// Everything a host can see of a control, the picture after a repaint too.
struct TControlState {
  int ColCount, RowCount, Turn;
  std::vector<int> Cells;
  vcl::TPoint LastMove;
  bool GameOver, WinFound;
  std::array<vcl::TPoint, 5> WinCells;
  std::vector<vcl::TPixel> Pixels;
  friend bool operator==(const TControlState&, const TControlState&) = default;
};

TControlState StateOf(TQuintar& Control) {
  TControlState State{Control.ColCount(), Control.RowCount(), Control.Turn(),     {}, Control.LastMove(),
                      Control.GameOver(), Control.WinFound(), Control.WinCells(), {}};
  if (!State.WinFound) State.WinCells = {};  // kept from an old game, and meaningless
  for (int Col = 0; Col < State.ColCount; ++Col)
    for (int Row = 0; Row < State.RowCount; ++Row) State.Cells.push_back(Control.Cell(Col, Row));
  Control.Repaint();
  for (int Y = 0; Y < Control.Height(); ++Y)
    State.Pixels.insert(State.Pixels.end(), Control.Surface().Row(Y), Control.Surface().Row(Y) + Control.Width());
  return State;
}

vcl::TPoint RandomEmptyCell(const TQuintar& Control, std::mt19937& Random) {
  std::vector<vcl::TPoint> Empty;
  for (int Col = 0; Col < Control.ColCount(); ++Col)
    for (int Row = 0; Row < Control.RowCount(); ++Row)
      if (Control.Cell(Col, Row) == 0) Empty.push_back({Col, Row});
  return Empty[Random() % Empty.size()];
}

// A person against the computer at a random strength, or two people, on
// random boards: every position where the person was to move is recorded,
// then the game is taken back to its start and played forward again.
TEST(UndoRedo, EveryPositionComesBackExactlyAsItWas) {
  std::mt19937 Random(41);
  for (int Trial = 0; Trial < 40; ++Trial) {
    TQuintar Control(nullptr);
    Control.SetBounds(0, 0, 40 + static_cast<int>(Random() % 260), 40 + static_cast<int>(Random() % 260));
    Control.SetColCount(5 + static_cast<int>(Random() % 11));
    Control.SetRowCount(5 + static_cast<int>(Random() % 11));
    std::srand(static_cast<unsigned>(Random()));
    TGameSession Session(Control);
    const bool AgainstComputer = Trial % 4 != 0;
    Session.SetPlayer(
        -1, {AgainstComputer ? TPlayerKind::Computer : TPlayerKind::Person, static_cast<TLevel>(Random() % 3)});

    std::map<std::size_t, TControlState> Seen{{0, StateOf(Control)}};
    while (!Control.GameOver()) {
      const vcl::TPoint Cell = RandomEmptyCell(Control, Random);
      Control.Move(Cell.X + 1, Cell.Y + 1);
      Seen[Session.Moves().size()] = StateOf(Control);
    }
    const std::vector<TMoveEntry> Played = Session.Moves();

    while (Session.Undo()) ASSERT_EQ(StateOf(Control), Seen.at(Session.Moves().size())) << "trial " << Trial;
    EXPECT_TRUE(Session.Moves().empty());
    while (Session.Redo()) ASSERT_EQ(StateOf(Control), Seen.at(Session.Moves().size())) << "trial " << Trial;
    EXPECT_EQ(Session.Moves(), Played);
    EXPECT_EQ(StateOf(Control), Seen.at(Played.size()));
  }
}

// Two people: every undo takes back one move, every redo plays one again,
// going to a move of the line takes back or plays again up to it, and a new
// move forgets what could be redone.
TEST(UndoRedo, FollowsAModelOfTwoStacks) {
  std::mt19937 Random(7);
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetColCount(7);
  Control.SetRowCount(6);
  TGameSession Session(Control);
  std::vector<vcl::TPoint> Played, Undone;
  for (int Step = 0; Step < 3000; ++Step) {
    const unsigned Choice = static_cast<unsigned>(Random() % 10);
    if (Choice < 5 && !Control.GameOver()) {
      const vcl::TPoint Cell = RandomEmptyCell(Control, Random);
      Control.Move(Cell.X + 1, Cell.Y + 1);
      Played.push_back(Cell);
      Undone.clear();
    } else if (Choice < 8) {
      EXPECT_EQ(Session.Undo(), !Played.empty());
      if (!Played.empty()) Undone.push_back(Played.back()), Played.pop_back();
    } else if (Choice < 9) {
      EXPECT_EQ(Session.Redo(), !Undone.empty());
      if (!Undone.empty()) Played.push_back(Undone.back()), Undone.pop_back();
    } else if (Random() % 2 == 0) {
      const std::size_t Line = Played.size() + Undone.size();
      const std::size_t Target = Random() % (Line + 2);
      ASSERT_EQ(Session.GoToMove(Target), Target <= Line);
      while (Target <= Line && Played.size() > Target) Undone.push_back(Played.back()), Played.pop_back();
      while (Target <= Line && Played.size() < Target) Played.push_back(Undone.back()), Undone.pop_back();
    } else {
      Session.NewGame();
      Played.clear();
      Undone.clear();
    }
    std::vector<vcl::TPoint> Cells;
    for (const TMoveEntry& Move : Session.Moves()) Cells.push_back(Move.Cell);
    ASSERT_EQ(Cells, Played) << "step " << Step;
    ASSERT_EQ(Session.CanRedo(), !Undone.empty());
    ASSERT_EQ(Session.MoveLine().size(), Played.size() + Undone.size());
    for (std::size_t I = 0; I < Played.size(); ++I)
      ASSERT_EQ(Control.Cell(Played[I].X, Played[I].Y), I % 2 == 0 ? 1 : -1);
  }
}

// Against a computer holding crosses, undo stops where the person was to
// move: never before the computer's opening move.
TEST(UndoRedo, TakesBackThePersonsMoveAndTheAnswerTogether) {
  TQuintar Control(nullptr);
  std::srand(3);
  TGameSession Session(Control);
  Session.SetPlayer(1, {TPlayerKind::Computer, TLevel::High});
  Session.SetPlayer(-1, {TPlayerKind::Person, TLevel::High});
  EXPECT_TRUE(Control.AutoResponse());
  Session.NewGame();
  ASSERT_TRUE(Session.PlayComputerMove());
  EXPECT_EQ(Control.Cell(10, 10), 1);
  Control.Move(1, 1);
  Control.Move(20, 20);
  ASSERT_EQ(Session.Moves().size(), 5u);
  EXPECT_EQ(Session.Moves()[1].By, TPlayerKind::Person);
  EXPECT_EQ(Session.Moves()[2].By, TPlayerKind::Computer);

  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Session.Moves().size(), 3u);
  EXPECT_EQ(Control.Turn(), -1);
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Session.Moves().size(), 1u);
  EXPECT_FALSE(Session.CanUndo());
  EXPECT_FALSE(Session.ComputerToMove());
  ASSERT_TRUE(Session.Redo());
  EXPECT_EQ(Session.Moves().size(), 3u);
  Control.Move(1, 20);  // a new move: the rest cannot be redone
  EXPECT_FALSE(Session.CanRedo());
}

TEST(UndoRedo, ReopensAFinishedGameAndWorksWhileLocked) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TGameSession Session(Control);
  for (int I = 1; I <= 5; ++I) {
    Control.Move(I, 1);
    if (I < 5) Control.Move(I, 3);
  }
  ASSERT_TRUE(Control.GameOver());
  Control.SetLock(true);
  ASSERT_TRUE(Session.Undo());
  EXPECT_FALSE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
  EXPECT_TRUE(Control.Lock());
  EXPECT_FALSE(Control.AutoResponse());
  ASSERT_TRUE(Session.Redo());
  EXPECT_TRUE(Control.WinFound());
  EXPECT_EQ(Control.WinCells()[0], (vcl::TPoint{4, 0}));
}

}  // namespace
}  // namespace quintar::game
