// The board a page shows, with a recording page in the browser's place: how
// the element's settings become the table's players and come back from a
// record, a held board, and the pixels handed over. How the game is played
// is the table's, tested with it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "BoardHost.h"

namespace quintar::web {
namespace {

using game::TThinkRequest;

// Records what the board tells the page.
class TRecordingPage : public TBoardListener {
 public:
  std::vector<std::string> Said;
  int Repaints = 0;
  std::vector<TThinkRequest> Requests;

  void Announced(const std::string& Words) override { Said.push_back(Words); }
  void Changed() override {}
  void PaceRequested(int) override {}
  void RepaintRequested() override { ++Repaints; }
  void ThinkingRequested(std::uint32_t, const TThinkRequest& Turn) override { Requests.push_back(Turn); }
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
  game::TGameTable& Table() { return Host.Table(); }
};

TEST_F(BoardHostTest, AComputerHoldingCrossesOpensEveryGame) {
  Host.SetComputerSide(1);
  EXPECT_EQ(Marks(Control(), 1), 1);
  Table().NewGame();
  EXPECT_EQ(Marks(Control(), 1), 1);
  Table().SetColCount(9);
  EXPECT_EQ(Marks(Control(), 1), 1);
  EXPECT_EQ(Control().Turn(), -1);
}

TEST_F(BoardHostTest, AHeldBoardWaitsForItsSettingsBeforeTheComputerPlays) {
  Table().SetHeld(true);
  Host.SetComputerSide(1);
  Host.SetLevel(TLevel::Expert);
  Table().SetColCount(12);
  EXPECT_EQ(Marks(Control(), 1), 0);
  EXPECT_TRUE(Page.Requests.empty());
  EXPECT_TRUE(Page.Said.empty());  // a page setting itself up says nothing yet
  Table().SetHeld(false);
  ASSERT_EQ(Page.Requests.size(), 1u);
  EXPECT_EQ(Page.Requests[0].Level, TLevel::Expert);
}

TEST_F(BoardHostTest, ARecordBringsBackTheGameAndItsPlayersAsTheSettings) {
  Host.SetComputerSide(1);
  Host.SetLevel(TLevel::Medium);
  Table().SetColCount(12);
  Table().Move(1, 1);  // and the computer's answer
  const std::string Record = Table().SaveRecord();

  TRecordingPage OtherPage;
  TBoardHost Restored{OtherPage};
  EXPECT_EQ(Restored.TakeGame(Record, TBoardHost::TGameKind::Record), "");
  EXPECT_EQ(Restored.Control().ColCount(), 12);
  EXPECT_EQ(Restored.Table().MoveLineWords(), Table().MoveLineWords());
  EXPECT_TRUE(Restored.AutoResponse());
  EXPECT_EQ(Restored.ComputerSide(), 1);
  EXPECT_EQ(Restored.Level(), TLevel::Medium);
  // Noughts, the person's side, are to move: the computer waits.
  EXPECT_EQ(Restored.Control().Turn(), -1);
  EXPECT_EQ(Marks(Restored.Control(), 1), 2);

  TRecordingPage ThirdPage;
  TBoardHost TwoPeople{ThirdPage};
  TwoPeople.SetAutoResponse(false);
  TwoPeople.Table().Move(3, 3);
  EXPECT_EQ(Restored.TakeGame(TwoPeople.Table().SaveRecord(), TBoardHost::TGameKind::Record), "");
  EXPECT_FALSE(Restored.AutoResponse());
  EXPECT_NE(Restored.TakeGame("not a record", TBoardHost::TGameKind::Record), "");
  EXPECT_FALSE(Restored.AutoResponse());
  // A kept game brings its players back the same way.
  EXPECT_EQ(Restored.TakeGame(Table().GameToKeep(), TBoardHost::TGameKind::Kept), "");
  EXPECT_TRUE(Restored.AutoResponse());
  EXPECT_EQ(Restored.ComputerSide(), 1);
  EXPECT_EQ(Restored.Level(), TLevel::Medium);
  // The computer on both sides: it keeps the side to move, at that side's
  // level, and waits to be asked, as it says.
  const std::string Demonstration =
      "Piskvorky 20x20, 11:11, 0\n3,3,0\n6,6,0\n4,4,0\n9,9,0\nlow\nhigh\nplayed by low high low high\n-1\n";
  OtherPage.Said.clear();
  OtherPage.Requests.clear();
  EXPECT_EQ(Restored.TakeGame(Demonstration, TBoardHost::TGameKind::Record), "");
  EXPECT_EQ(Restored.ComputerSide(), 1);
  EXPECT_EQ(Restored.Level(), TLevel::Low);
  EXPECT_TRUE(OtherPage.Requests.empty());
  ASSERT_FALSE(OtherPage.Said.empty());
  EXPECT_EQ(OtherPage.Said.front(), "Opened a game: a 20 × 20 board, 4 moves. The computer moves when asked.");
  EXPECT_EQ(Restored.Table().Status(), "Crosses to move: the computer (low).");
}

constexpr std::uint32_t OpaqueWhite = 0xFFFFFFFFu;
constexpr std::uint32_t OpaqueGray = 0xFF808080u;
constexpr std::uint32_t OpaqueRed = 0xFF0000FFu;  // R, G, B, A bytes: FF 00 00 FF

// As the page reads it from the surface.
std::uint32_t PixelAt(const TBoardHost& Host, int X, int Y) { return Host.Control().Surface().Row(Y)[X]; }

TEST_F(BoardHostTest, PresentNamesWhatWasDrawnOnceAndItIsOpaque) {
  Host.SetAutoResponse(false);
  Table().NewGame();
  EXPECT_EQ(Page.Repaints, 1);
  const vcl::TRect Whole = Host.Present();  // a new 200 x 200 control, painted whole
  EXPECT_EQ(Whole, (vcl::TRect{0, 0, 200, 200}));
  EXPECT_EQ(PixelAt(Host, 5, 5), OpaqueWhite);
  EXPECT_EQ(PixelAt(Host, 10, 5), OpaqueGray);
  EXPECT_TRUE(Host.Present().IsEmpty());

  Table().Move(4, 5);  // the cross spans (32, 42) to (38, 48)
  const vcl::TRect Drawn = Host.Present();
  ASSERT_FALSE(Drawn.IsEmpty());
  EXPECT_EQ(PixelAt(Host, 35, 45), OpaqueRed);

  Host.SetSize(300, 100);
  EXPECT_EQ(Page.Repaints, 2);
  EXPECT_EQ(Host.Present(), (vcl::TRect{0, 0, 300, 100}));
}

}  // namespace
}  // namespace quintar::web
