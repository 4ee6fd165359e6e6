// The board a page shows, with a recording page in the browser's place: how
// its settings become players, the expert's moves thought out elsewhere and
// answered late, twice or not at all, the words handed with every event and
// answer, hints, and the pixels handed over.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "BoardHost.h"

namespace quintar::web {
namespace {

using game::TThinkRequest;

struct TRaised {
  TBoardEvent Event;
  std::string Words;
  friend bool operator==(const TRaised&, const TRaised&) = default;
};

struct THintFound {
  std::optional<vcl::TPoint> Cell;
  std::string Words;
  friend bool operator==(const THintFound&, const THintFound&) = default;
};

// Records what the board tells the page.
class TRecordingPage : public TBoardListener {
 public:
  std::vector<TRaised> Raised;
  int Repaints = 0;
  std::vector<std::pair<std::uint32_t, TThinkRequest>> Requests;
  std::vector<THintFound> Hints;
  // Every sentence in the order it came: the events' and the operations'.
  std::vector<std::string> Spoken;

  void EventRaised(TBoardEvent Event, const std::string& Words) override {
    Raised.push_back({Event, Words});
    Spoken.push_back(Words);
  }
  void Said(const std::string& Words) override { Spoken.push_back(Words); }
  void RepaintRequested() override { ++Repaints; }
  void ThinkingRequested(std::uint32_t Serial, const TThinkRequest& Turn) override {
    Requests.push_back({Serial, Turn});
  }
  void HintFound(std::optional<vcl::TPoint> Cell, const std::string& Words) override { Hints.push_back({Cell, Words}); }

  std::uint32_t LastSerial() const { return Requests.back().first; }
  std::vector<TBoardEvent> TakeEvents() {
    std::vector<TBoardEvent> Events;
    for (const TRaised& Each : std::exchange(Raised, {})) Events.push_back(Each.Event);
    return Events;
  }
};

int Marks(const TQuintar& Control, int Side) {
  int Count = 0;
  for (int Col = 0; Col < Control.ColCount(); ++Col)
    for (int Row = 0; Row < Control.RowCount(); ++Row) Count += Control.Cell(Col, Row) == Side ? 1 : 0;
  return Count;
}

class BoardHostTest : public ::testing::Test {
 protected:
  BoardHostTest() { std::srand(7); }
  TRecordingPage Page;
  TBoardHost Host{Page};
  const TQuintar& Control() const { return Host.Control(); }
  const game::TPhrasebook& Words() const { return Host.Phrasebook(); }
};

// Crosses on 1..4 of row 1, noughts on 1..4 of row 3, crosses to move.
void FourEach(TBoardHost& Host) {
  Host.SetAutoResponse(false);
  for (int Col = 1; Col <= 4; ++Col) {
    Host.Move(Col, 1);
    Host.Move(Col, 3);
  }
}

// ---- Players ----------------------------------------------------------------

TEST_F(BoardHostTest, AComputerHoldingCrossesOpensEveryGame) {
  Host.SetComputerSide(1);
  EXPECT_EQ(Marks(Control(), 1), 1);
  Host.NewGame();
  EXPECT_EQ(Marks(Control(), 1), 1);
  Host.SetColCount(9);
  EXPECT_EQ(Marks(Control(), 1), 1);
  EXPECT_EQ(Control().Turn(), -1);
}

TEST_F(BoardHostTest, AHeldBoardWaitsForItsSettingsBeforeTheComputerPlays) {
  Host.SetHeld(true);
  Host.SetComputerSide(1);
  Host.SetLevel(TLevel::Expert);
  EXPECT_EQ(Marks(Control(), 1), 0);
  EXPECT_TRUE(Page.Requests.empty());
  Host.SetHeld(false);
  ASSERT_EQ(Page.Requests.size(), 1u);
  EXPECT_EQ(Page.Requests[0].second.Level, TLevel::Expert);
}

TEST_F(BoardHostTest, AComputerMoveLeavesTheSettingsAsTheyWere) {
  ASSERT_TRUE(Host.ComputerMove());  // crosses to move, the computer holds noughts
  EXPECT_EQ(Host.ComputerSide(), -1);
  EXPECT_TRUE(Host.AutoResponse());
  EXPECT_EQ(Marks(Control(), 1), 1);
  EXPECT_EQ(Marks(Control(), -1), 1);  // and it answered its own cross as usual

  Host.SetAutoResponse(false);
  ASSERT_TRUE(Host.ComputerMove());
  EXPECT_TRUE(Host.LastMoveByComputer());
  EXPECT_FALSE(Host.AutoResponse());
  Host.Move(1, 1);
  EXPECT_EQ(Marks(Control(), 1) + Marks(Control(), -1), 4);  // nobody answers the nought
}

TEST_F(BoardHostTest, AComputerMoveOnAFinishedOrLockedGameSaysWhyNot) {
  Host.SetLock(true);
  EXPECT_FALSE(Host.ComputerMove());
  EXPECT_EQ(Page.Spoken.back(), Words().Refusal(game::TRefusal::Locked));
  Host.SetLock(false);
  FourEach(Host);
  Host.Move(5, 1);
  EXPECT_FALSE(Host.ComputerMove());
  EXPECT_EQ(Page.Spoken.back(), Words().Refusal(game::TRefusal::GameOver));
}

// ---- Words ----------------------------------------------------------------------

TEST_F(BoardHostTest, EveryEventCarriesThePhrasebooksWordsForIt) {
  FourEach(Host);
  Page.Raised.clear();
  Host.Move(1, 1);
  Host.Press(vcl::mbLeft, {}, 5, 250);  // below a 200-pixel board
  Host.SetComputerSide(1);
  Host.SetAutoResponse(true);
  EXPECT_EQ(Page.Raised,
            (std::vector<TRaised>{
                {TBoardEvent::IllegalMove, Words().Refusal(game::TRefusal::CellTaken)},
                {TBoardEvent::IllegalMove, Words().Refusal(game::TRefusal::OffBoard)},
                {TBoardEvent::LegalMove, Words().Move({{4, 0}, 1, game::TPlayerKind::Computer, 0, TLevel::High})},
                {TBoardEvent::CrossWon, Words().Result({1, game::TPlayerKind::Computer, TLevel::High, false})},
                {TBoardEvent::ComputerWon, Words().Result({1, game::TPlayerKind::Computer, TLevel::High, false})},
            }));
}

TEST_F(BoardHostTest, TakingBackAndPlayingAgainSayHowManyMoves) {
  Host.Move(10, 10);  // and the computer's answer
  Page.Spoken.clear();
  EXPECT_FALSE(Host.Redo());
  EXPECT_TRUE(Host.Undo());
  EXPECT_FALSE(Host.Undo());
  EXPECT_TRUE(Host.Redo());
  EXPECT_EQ(Page.Spoken,
            (std::vector<std::string>{Words().Refusal(game::TRefusal::NothingToRedo), Words().TakenBack(2),
                                      Words().Refusal(game::TRefusal::NothingToUndo), Words().PlayedAgain(2)}));
}

TEST_F(BoardHostTest, ANewGameIsSaidBeforeTheComputersOpeningMove) {
  Host.SetComputerSide(1);
  Page.Raised.clear();
  Page.Spoken.clear();
  Host.NewGame();
  ASSERT_EQ(Page.Raised.size(), 1u);
  EXPECT_EQ(Page.Spoken, (std::vector<std::string>{Words().NewGame(), Page.Raised[0].Words}));
}

TEST_F(BoardHostTest, CellWordsNameWhatTheCellHolds) {
  Host.SetAutoResponse(false);
  Host.Move(3, 4);
  EXPECT_EQ(Host.CellWords(3, 4), Words().CellContents({2, 3}, 1));
  EXPECT_EQ(Host.CellWords(4, 3), Words().CellContents({3, 2}, 0));
}

TEST_F(BoardHostTest, MoveWordsListTheMovesOnTheBoardInOrder) {
  Host.Move(3, 4);  // and the computer's answer
  const std::vector<game::TMoveEntry>& Moves = Host.Session().Moves();
  ASSERT_EQ(Moves.size(), 2u);
  EXPECT_EQ(Host.MoveWords(), (std::vector<std::string>{Words().Move(Moves[0]), Words().Move(Moves[1])}));
  EXPECT_NE(Host.MoveWords()[0], Host.MoveWords()[1]);
  Host.Undo();
  EXPECT_TRUE(Host.MoveWords().empty());
}

// ---- Records ------------------------------------------------------------------

TEST_F(BoardHostTest, ARecordBringsBackTheGameAndItsPlayersAsTheSettings) {
  Host.SetComputerSide(1);
  Host.SetLevel(TLevel::Medium);
  Host.SetColCount(12);
  Host.Move(1, 1);  // and the computer's answer
  const std::string Record = Host.SaveRecord();
  const std::vector<std::string> Moves = Host.MoveWords();

  TRecordingPage OtherPage;
  TBoardHost Restored{OtherPage};
  EXPECT_EQ(Restored.OpenRecord(Record), "");
  EXPECT_EQ(Restored.Control().ColCount(), 12);
  EXPECT_EQ(Restored.MoveWords(), Moves);
  EXPECT_TRUE(Restored.AutoResponse());
  EXPECT_EQ(Restored.ComputerSide(), 1);
  EXPECT_EQ(Restored.Level(), TLevel::Medium);
  EXPECT_EQ(Restored.Players(), Host.Players());
  // Noughts, the person's side, are to move: the computer waits.
  EXPECT_EQ(Restored.Control().Turn(), -1);
  EXPECT_EQ(Marks(Restored.Control(), 1), 2);
  EXPECT_EQ(Marks(Restored.Control(), -1), 1);
}

TEST_F(BoardHostTest, ARecordOfTwoPeopleSwitchesTheComputerOff) {
  FourEach(Host);
  const std::string Record = Host.SaveRecord();
  TRecordingPage OtherPage;
  TBoardHost Restored{OtherPage};
  EXPECT_EQ(Restored.OpenRecord(Record), "");
  EXPECT_FALSE(Restored.AutoResponse());
  Restored.Move(5, 1);
  EXPECT_TRUE(Restored.Control().GameOver());
  EXPECT_EQ(OtherPage.Raised.back().Words, Words().Result({1, game::TPlayerKind::Person, TLevel::High, false}));
}

TEST_F(BoardHostTest, ATextThatIsNoRecordChangesNothing) {
  Host.Move(3, 4);
  const std::string Before = Host.SaveRecord();
  EXPECT_NE(Host.OpenRecord("not a record"), "");
  EXPECT_NE(Host.OpenRecord(""), "");
  EXPECT_EQ(Host.SaveRecord(), Before);
  EXPECT_TRUE(Host.AutoResponse());
  EXPECT_EQ(Host.ComputerSide(), -1);
}

// ---- The expert, thinking elsewhere ------------------------------------------

class ExpertTest : public BoardHostTest {
 protected:
  ExpertTest() { Host.SetLevel(TLevel::Expert); }
};

TEST_F(ExpertTest, ItsMoveGoesOutAndItsAnswerIsPlayed) {
  Host.Move(10, 10);
  ASSERT_EQ(Page.Requests.size(), 1u);
  const TThinkRequest& Turn = Page.Requests[0].second;
  EXPECT_EQ(Turn.Side, -1);
  EXPECT_EQ(Turn.Level, TLevel::Expert);
  EXPECT_EQ(Turn.Board.Cells[9][9], 1);
  EXPECT_TRUE(Host.ComputerToMove());
  EXPECT_EQ(Host.Status(), Words().Thinking(TLevel::Expert));

  Page.TakeEvents();
  Host.Move(1, 1);  // not while the computer is to move
  Host.Press(vcl::mbLeft, {}, 5, 5);
  EXPECT_EQ(Control().Cell(0, 0), 0);
  EXPECT_TRUE(Page.Raised.empty());

  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 4});
  EXPECT_EQ(Control().Cell(4, 4), -1);
  EXPECT_EQ(Page.Raised,
            (std::vector<TRaised>{
                {TBoardEvent::LegalMove, Words().Move({{4, 4}, -1, game::TPlayerKind::Computer, 0, TLevel::Expert})}}));
  EXPECT_TRUE(Host.LastMoveByComputer());
  EXPECT_FALSE(Host.ComputerToMove());
  EXPECT_EQ(Host.Status(), Words().Turn(Host.Session()));
  EXPECT_EQ(Page.Requests.size(), 1u);
}

TEST_F(ExpertTest, OnlyTheLatestRequestIsAnswered) {
  Host.SetComputerSide(1);
  ASSERT_EQ(Page.Requests.size(), 1u);
  const std::uint32_t Earlier = Page.LastSerial();
  Host.NewGame();
  ASSERT_EQ(Page.Requests.size(), 2u);
  Host.Answer(Earlier, vcl::TPoint{0, 0});
  EXPECT_EQ(Control().Cell(0, 0), 0);
  Host.Answer(Page.LastSerial(), vcl::TPoint{7, 7});
  EXPECT_EQ(Control().Cell(7, 7), 1);
  Host.Answer(Page.LastSerial(), vcl::TPoint{8, 8});  // a second answer to the same request
  EXPECT_EQ(Marks(Control(), 1), 1);
}

TEST_F(ExpertTest, WhenTheThinkingFailsTheComputerThinksHere) {
  Host.Move(10, 10);
  Host.Answer(Page.LastSerial(), std::nullopt);
  EXPECT_EQ(Marks(Control(), -1), 1);
  Host.Move(1, 1);
  Host.Answer(Page.LastSerial(), vcl::TPoint{0, 0});  // a taken cell
  EXPECT_EQ(Marks(Control(), -1), 2);
  EXPECT_FALSE(Host.ComputerToMove());
}

TEST_F(ExpertTest, ALiftedLockAsksForTheMoveAgain) {
  Host.Move(10, 10);
  const std::uint32_t BeforeLock = Page.LastSerial();
  Host.SetLock(true);
  Host.Answer(BeforeLock, vcl::TPoint{4, 4});
  EXPECT_EQ(Marks(Control(), -1), 0);
  Host.SetLock(false);
  ASSERT_EQ(Page.Requests.size(), 2u);
  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 4});
  EXPECT_EQ(Control().Cell(4, 4), -1);
}

TEST_F(ExpertTest, OpeningARecordDropsTheMoveBeingThoughtOut) {
  Host.SetComputerSide(1);
  ASSERT_EQ(Page.Requests.size(), 1u);
  const std::uint32_t Stale = Page.LastSerial();
  TRecordingPage OtherPage;
  TBoardHost TwoPeople{OtherPage};
  TwoPeople.SetAutoResponse(false);
  TwoPeople.Move(2, 2);
  EXPECT_EQ(Host.OpenRecord(TwoPeople.SaveRecord()), "");
  EXPECT_FALSE(Host.ComputerToMove());
  Host.Answer(Stale, vcl::TPoint{5, 5});
  EXPECT_EQ(Marks(Control(), 1), 1);
  EXPECT_EQ(Marks(Control(), -1), 0);
  EXPECT_EQ(Host.Status(), Words().Turn(Host.Session()));
}

TEST_F(ExpertTest, AComputerMoveAsksTheWorkerAndLeavesTheSidesAlone) {
  Host.SetAutoResponse(false);
  ASSERT_TRUE(Host.ComputerMove());
  ASSERT_EQ(Page.Requests.size(), 1u);
  EXPECT_EQ(Page.Requests[0].second.Side, 1);
  Host.Answer(Page.LastSerial(), vcl::TPoint{2, 2});
  EXPECT_EQ(Control().Cell(2, 2), 1);
  EXPECT_FALSE(Host.ComputerToMove());
  EXPECT_EQ(Page.Requests.size(), 1u);
}

// ---- Hints --------------------------------------------------------------------

TEST_F(BoardHostTest, AHintAtTheControlsStrengthIsFoundAtOnceAndWorded) {
  FourEach(Host);
  Host.Hint();
  ASSERT_EQ(Page.Hints.size(), 1u);
  ASSERT_TRUE(Page.Hints[0].Cell.has_value());
  EXPECT_EQ(Page.Hints[0].Words, Words().Hint(*Page.Hints[0].Cell));
  EXPECT_TRUE(Page.Requests.empty());
}

TEST_F(ExpertTest, TheExpertsHintIsThoughtOutElsewhereAndDroppedWhenThePositionMovesOn) {
  FourEach(Host);
  Host.Hint();
  ASSERT_EQ(Page.Requests.size(), 1u);
  EXPECT_EQ(Page.Requests[0].second.Side, 1);
  Host.Move(9, 9);
  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 0});
  EXPECT_EQ(Page.Hints, (std::vector<THintFound>{{std::nullopt, ""}}));

  Page.Hints.clear();
  Host.Hint();
  Host.Hint();  // the first is not wanted any more
  EXPECT_EQ(Page.Hints, (std::vector<THintFound>{{std::nullopt, ""}}));
  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 2});
  EXPECT_EQ(Page.Hints.back(), (THintFound{vcl::TPoint{4, 2}, Words().Hint({4, 2})}));
  EXPECT_EQ(Control().Cell(4, 2), 0);
}

TEST_F(ExpertTest, AHintWhoseThinkingFailedIsThoughtOutHere) {
  FourEach(Host);
  Host.Hint();
  Host.Answer(Page.LastSerial(), vcl::TPoint{0, 0});  // a taken cell
  ASSERT_EQ(Page.Hints.size(), 1u);
  ASSERT_TRUE(Page.Hints[0].Cell.has_value());
  EXPECT_EQ(Control().Cell(Page.Hints[0].Cell->X, Page.Hints[0].Cell->Y), 0);
}

TEST_F(BoardHostTest, AFinishedGameHasNoHint) {
  FourEach(Host);
  Host.Move(5, 1);
  ASSERT_TRUE(Control().GameOver());
  Host.Hint();
  EXPECT_EQ(Page.Hints, (std::vector<THintFound>{{std::nullopt, Words().NoHint()}}));
}

// ---- Pixels -------------------------------------------------------------------

constexpr std::uint32_t OpaqueWhite = 0xFFFFFFFFu;
constexpr std::uint32_t OpaqueGray = 0xFF808080u;
constexpr std::uint32_t OpaqueRed = 0xFF0000FFu;  // R, G, B, A bytes: FF 00 00 FF

std::uint32_t PixelAt(const TBoardHost& Host, vcl::TRect Area, int X, int Y) {
  return Host.AreaPixels()[static_cast<std::size_t>((Y - Area.Top) * (Area.Right - Area.Left) + (X - Area.Left))];
}

TEST_F(BoardHostTest, PresentHandsOverWhatWasDrawnOnceAndOpaque) {
  Host.SetAutoResponse(false);
  Host.NewGame();
  EXPECT_EQ(Page.Repaints, 1);
  const vcl::TRect Whole = Host.Present();  // a new 200 x 200 control, painted whole
  EXPECT_EQ(Whole, (vcl::TRect{0, 0, 200, 200}));
  EXPECT_EQ(PixelAt(Host, Whole, 5, 5), OpaqueWhite);
  EXPECT_EQ(PixelAt(Host, Whole, 10, 5), OpaqueGray);
  EXPECT_TRUE(Host.Present().IsEmpty());

  Host.Move(4, 5);  // the cross spans (32, 42) to (38, 48)
  const vcl::TRect Drawn = Host.Present();
  ASSERT_FALSE(Drawn.IsEmpty());
  EXPECT_EQ(PixelAt(Host, Drawn, 35, 45), OpaqueRed);

  Host.SetSize(300, 100);
  EXPECT_EQ(Page.Repaints, 2);
  EXPECT_EQ(Host.Present(), (vcl::TRect{0, 0, 300, 100}));
  EXPECT_EQ(Host.AreaPixels().size(), 300u * 100u);
}

}  // namespace
}  // namespace quintar::web
