// The board a page shows, with a recording page in the browser's place: who
// plays, the expert's turns thought out elsewhere and answered late, twice
// or not at all, hints, and the pixels handed over.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "BoardHost.h"

namespace quintar::web {
namespace {

using game::TThinkRequest;

// Records what the board tells the page.
class TRecordingPage : public TBoardListener {
 public:
  std::vector<TBoardEvent> Events;
  int Repaints = 0;
  std::vector<std::pair<std::uint32_t, TThinkRequest>> Requests;
  std::vector<std::optional<vcl::TPoint>> Hints;

  void EventRaised(TBoardEvent Event) override { Events.push_back(Event); }
  void RepaintRequested() override { ++Repaints; }
  void ThinkingRequested(std::uint32_t Serial, const TThinkRequest& Turn) override { Requests.push_back({Serial, Turn}); }
  void HintFound(std::optional<vcl::TPoint> Cell) override { Hints.push_back(Cell); }

  std::uint32_t LastSerial() const { return Requests.back().first; }
  std::vector<TBoardEvent> TakeEvents() { return std::exchange(Events, {}); }
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
};

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

TEST_F(BoardHostTest, TheComputerAskedToMoveKeepsTheSideItTook) {
  Host.ComputerMove();  // crosses to move: the computer takes crosses
  EXPECT_EQ(Host.ComputerSide(), 1);
  Host.Move(1, 1);
  EXPECT_EQ(Marks(Control(), 1), 2);
  EXPECT_EQ(Marks(Control(), -1), 1);
}

TEST_F(BoardHostTest, BetweenTwoPeopleAComputerMoveIsAOneOff) {
  Host.SetAutoResponse(false);
  Host.Move(1, 1);
  Host.ComputerMove();
  EXPECT_EQ(Marks(Control(), -1), 1);
  EXPECT_TRUE(Host.LastMoveByComputer());
  Host.Move(3, 3);
  EXPECT_EQ(Marks(Control(), -1), 1);  // nobody answers the cross
  ASSERT_TRUE(Host.Undo());            // one move back, as between people
  EXPECT_EQ(Marks(Control(), 1), 1);
  EXPECT_EQ(Marks(Control(), -1), 1);
  EXPECT_FALSE(Host.AutoResponse());
}

// ---- The expert, thinking elsewhere ------------------------------------------

class ExpertTest : public BoardHostTest {
 protected:
  ExpertTest() { Host.SetLevel(TLevel::Expert); }
};

TEST_F(ExpertTest, ItsTurnGoesOutAndItsAnswerIsPlayed) {
  Host.Move(10, 10);
  ASSERT_EQ(Page.Requests.size(), 1u);
  const TThinkRequest& Turn = Page.Requests[0].second;
  EXPECT_EQ(Turn.Side, -1);
  EXPECT_EQ(Turn.Level, TLevel::Expert);
  EXPECT_EQ(Turn.Board.Cells[9][9], 1);
  EXPECT_TRUE(Host.ComputerToMove());

  Page.TakeEvents();
  Host.Move(1, 1);  // not while the computer is to move
  Host.Press(vcl::mbLeft, {}, 5, 5);
  EXPECT_EQ(Control().Cell(0, 0), 0);
  EXPECT_TRUE(Page.Events.empty());

  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 4});
  EXPECT_EQ(Control().Cell(4, 4), -1);
  EXPECT_EQ(Page.TakeEvents(), std::vector{TBoardEvent::LegalMove});
  EXPECT_TRUE(Host.LastMoveByComputer());
  EXPECT_FALSE(Host.ComputerToMove());
  EXPECT_EQ(Page.Requests.size(), 1u);
}

TEST_F(ExpertTest, AnAnswerToAPositionTakenBackIsDropped) {
  Host.Move(10, 10);
  ASSERT_TRUE(Host.Undo());
  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 4});
  EXPECT_EQ(Marks(Control(), 1) + Marks(Control(), -1), 0);
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
  Host.Answer(Page.LastSerial(), vcl::TPoint{8, 8});  // a second answer to the same turn
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

TEST_F(ExpertTest, ALockHoldsTheComputerBackUntilItIsLifted) {
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

// ---- Hints --------------------------------------------------------------------

// Crosses on 1..4 of row 1, noughts on 1..4 of row 3, crosses to move.
void FourEach(TBoardHost& Host) {
  Host.SetAutoResponse(false);
  for (int Col = 1; Col <= 4; ++Col) {
    Host.Move(Col, 1);
    Host.Move(Col, 3);
  }
}

TEST_F(ExpertTest, TheExpertsHintIsThoughtOutElsewhereAndDroppedWhenThePositionMovesOn) {
  FourEach(Host);
  Host.Hint();
  ASSERT_EQ(Page.Requests.size(), 1u);
  EXPECT_EQ(Page.Requests[0].second.Side, 1);
  Host.Move(9, 9);
  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 0});
  EXPECT_EQ(Page.Hints, (std::vector<std::optional<vcl::TPoint>>{std::nullopt}));

  Page.Hints.clear();
  Host.Hint();
  Host.Hint();  // the first is not wanted any more
  EXPECT_EQ(Page.Hints, (std::vector<std::optional<vcl::TPoint>>{std::nullopt}));
  Host.Answer(Page.LastSerial(), vcl::TPoint{4, 2});
  EXPECT_EQ(Page.Hints.back(), (vcl::TPoint{4, 2}));
  EXPECT_EQ(Control().Cell(4, 2), 0);
}

TEST_F(BoardHostTest, AFinishedGameHasNoHint) {
  FourEach(Host);
  Host.Move(5, 1);
  ASSERT_TRUE(Control().GameOver());
  Host.Hint();
  EXPECT_EQ(Page.Hints, (std::vector<std::optional<vcl::TPoint>>{std::nullopt}));
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
