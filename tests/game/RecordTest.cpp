// Game records: what a manager writes is read, what the game writes opens
// again the same, and every kind of bad file is refused with its line while
// the game in progress stays as it was.
#include <gtest/gtest.h>

#include "GameRecord.h"
#include "GameSession.h"

namespace quintar::game {
namespace {

// As other managers and editors write it too: a byte-order mark, a name
// beyond ASCII, and after the -1 line anything, a last CR unended.
TEST(Record, ReadsAManagersFileWithCrLfAndWhatFollowsTheMoves) {
  const auto Read = ReadRecord(
      "\xEF\xBB\xBFPiskvorky 15x10, 11:11, 0\r\n8,8,0\r\n9,7,3051\r\n7,9,1\r\nengine-one.zip\r\n"
      "Rapfi \xE2\x80\x93 2023\r\n-1\r\n1,Freestyle\t\x1a\r");
  ASSERT_TRUE(std::holds_alternative<TRecord>(Read)) << std::get<TRecordError>(Read).Message;
  const TRecord& Record = std::get<TRecord>(Read);
  EXPECT_EQ(Record.ColCount, 15);
  EXPECT_EQ(Record.RowCount, 10);
  EXPECT_EQ(Record.Moves, (std::vector<TRecordMove>{{7, 7, 0}, {8, 6, 3051}, {6, 8, 1}}));
  EXPECT_EQ(Record.Names, (std::vector<std::string>{"engine-one.zip", "Rapfi \xE2\x80\x93 2023"}));
  TRecord Named = Record;
  Named.Names = {"expert", "low"};
  EXPECT_EQ(WriteRecord(Named), "Piskvorky 15x10, 11:11, 0\n8,8,0\n9,7,3051\n7,9,1\nexpert\nlow\n-1\n");
  const auto Again = ReadRecord(WriteRecord(Named));
  ASSERT_TRUE(std::holds_alternative<TRecord>(Again));
  EXPECT_EQ(std::get<TRecord>(Again), Named);
  Named.Names.clear();
  EXPECT_EQ(WriteRecord(Named), "Piskvorky 15x10, 11:11, 0\n8,8,0\n9,7,3051\n7,9,1\n-1\n");
}

TEST(Record, EveryKindOfFaultIsRefusedWithItsLine) {
  const std::string Five = "Piskvorky 9x9, 11:11, 0\n1,1,0\n1,2,0\n2,1,0\n2,2,0\n3,1,0\n3,2,0\n4,1,0\n4,2,0\n5,1,0\n";
  const std::string FullFiveByFive = [] {
    std::string Text = "Piskvorky 5x5, 11:11, 0\n";
    // Columns filled in the order 0, 2, 4, 1, 3 never line up five of a side.
    for (const int Col : {0, 2, 4, 1, 3})
      for (int Row = 0; Row < 5; ++Row) Text += std::to_string(Col + 1) + "," + std::to_string(Row + 1) + ",0\n";
    return Text;
  }();
  const std::pair<std::string, std::string> Cases[] = {
      {"", "line 1: not a game record: it must begin with \"Piskvorky WxH\""},
      {"Gomoku 15x15\n8,8,0\n", "line 1: not a game record: it must begin with \"Piskvorky WxH\""},
      {"Piskvorky 15x, 11:11, 0\n", "line 1: not a game record: it must begin with \"Piskvorky WxH\""},
      {"Piskvorky 4x15, 11:11, 0\n", "line 1: a board of 4x15 cells: boards are 5 to 50 cells a side"},
      {"Piskvorky 15x51, 11:11, 0\n", "line 1: a board of 15x51 cells: boards are 5 to 50 cells a side"},
      {"Piskvorky 15x15, 11:11, 0\n8,8,0\n16,1,0\n", "line 3: move 16,1 is off the 15x15 board"},
      {"Piskvorky 15x15, 11:11, 0\n0,8,0\n", "line 2: move 0,8 is off the 15x15 board"},
      {"Piskvorky 15x15, 11:11, 0\n8,8,0\n8,9,5\n8,8,0\n", "line 4: cell 8,8 is taken already"},
      {"Piskvorky 15x15, 11:11, 0\n8,8,-4\n", "line 2: a move cannot take a negative time"},
      {Five + "9,9,0\n", "line 11: a move after the five made on line 10"},
      {FullFiveByFive + "1,1,0\n", "line 27: more moves than the board has cells"},
      {"Piskvorky 15x15, 11:11, 0\n8,8,0\nname\x1b[2J\n", "line 3: byte 0x1b is not printable text"},
      {"Piskvorky 15x15, 11:11, 0\r8,8,0\n", "line 1: byte 0x0d is not printable text"},
      {std::string("Piskvorky 15x15, 11:11, 0\n8,8,0\0\n", 32), "line 2: byte 0x00 is not printable text"},
      // A line that breaks the moves off early would otherwise drop the rest.
      {"Piskvorky 15x15, 11:11, 0\n8,8,0\n8,9\n9,9,0\n-1\n",
       "line 3: not a move: a move is column,row,milliseconds, each a number that fits"},
      {"Piskvorky 15x15, 11:11, 0\n8,8,0\n\n9,9,0\n", "line 3: the moves break off here, yet line 4 is a move"},
      {"Piskvorky 15x15, 11:11, 0\n8,8,0\n8x,9,0\nexpert\n9,9,0\n-1\n",
       "line 3: the moves break off here, yet line 5 is a move"},
      {"Piskvorky 15x15, 11:11, 0\n5,5,99999999999999999999999\n",
       "line 2: not a move: a move is column,row,milliseconds, each a number that fits"},
  };
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  TGameSession Session(Control);
  Control.Move(3, 4);
  Control.Move(5, 6);
  const std::string Before = Session.SaveRecord();
  for (const auto& [Text, Reason] : Cases) {
    EXPECT_EQ(Session.OpenRecord(Text), Reason) << Text;
    EXPECT_EQ(Session.SaveRecord(), Before);
    EXPECT_EQ(Control.Cell(4, 5), -1);
    EXPECT_TRUE(Session.CanUndo());
  }
  EXPECT_EQ(Session.OpenRecord(FullFiveByFive), "");
  EXPECT_TRUE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
}

TEST(Record, AGameSavedOpensAgainTheSameInAnotherSession) {
  TQuintar First(nullptr);
  First.SetColCount(17);
  First.SetRowCount(12);
  std::srand(5);
  std::int64_t Now = 0;
  TGameSession Playing(First, [&Now] { return Now += 700; });
  for (int Col = 1; Col <= 12 && !First.GameOver(); ++Col)
    for (int Row = 1; Row <= 4 && !First.GameOver(); ++Row)
      if (First.Cell(Col - 1, Row - 1) == 0) First.Move(Col, Row);
  const std::string Saved = Playing.SaveRecord();

  TQuintar Second(nullptr);
  TGameSession Opening(Second);
  ASSERT_EQ(Opening.OpenRecord(Saved), "");
  EXPECT_EQ(Opening.Moves(), Playing.Moves());
  EXPECT_EQ(Second.ColCount(), 17);
  EXPECT_EQ(Second.RowCount(), 12);
  EXPECT_EQ(Second.GameOver(), First.GameOver());
  EXPECT_EQ(Second.LastMove(), First.LastMove());
  EXPECT_EQ(Opening.SaveRecord(), Saved);
  EXPECT_TRUE(Opening.CanUndo());
}

}  // namespace
}  // namespace quintar::game
