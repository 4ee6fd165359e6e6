// The bytes a turn crosses to the worker in: read back as written, and
// nothing but what could have been written is taken.
#include <gtest/gtest.h>

#include <algorithm>

#include "TurnMessage.h"

namespace quintar::web {
namespace {

game::TThinkRequest SampleTurn() {
  game::TThinkRequest Turn;
  Turn.Board.ColCount = 7;
  Turn.Board.RowCount = 50;
  Turn.Board.Cells[0][0] = 1;
  Turn.Board.Cells[6][49] = -1;
  Turn.Board.Cells[3][20] = 1;
  Turn.Side = -1;
  Turn.Level = TLevel::Expert;
  Turn.Generation = 99;
  return Turn;
}

TEST(TurnMessage, ATurnIsReadBackAsWrittenButForItsGeneration) {
  const game::TThinkRequest Turn = SampleTurn();
  const TTurnBytes Bytes = EncodeTurn(Turn);
  ASSERT_EQ(Bytes.size(), 4u + 7u * 50u);
  const std::optional<game::TThinkRequest> Read = DecodeTurn(Bytes);
  ASSERT_TRUE(Read);
  EXPECT_EQ(Read->Board.ColCount, 7);
  EXPECT_EQ(Read->Board.RowCount, 50);
  EXPECT_EQ(Read->Side, -1);
  EXPECT_EQ(Read->Level, TLevel::Expert);
  EXPECT_EQ(Read->Generation, 0u);  // stays with the page
  for (int Col = 0; Col < 7; ++Col)
    for (int Row = 0; Row < 50; ++Row) EXPECT_EQ(Read->Board.Cells[Col][Row], Turn.Board.Cells[Col][Row]);
}

TEST(TurnMessage, BytesNoTurnCouldHaveBeenWrittenAsAreRefused) {
  const TTurnBytes Good = EncodeTurn(SampleTurn());
  const auto Changed = [&Good](std::size_t At, std::int8_t Value) {
    TTurnBytes Bytes = Good;
    Bytes[At] = Value;
    return DecodeTurn(Bytes);
  };
  EXPECT_FALSE(DecodeTurn({}));
  EXPECT_FALSE(DecodeTurn(TTurnBytes(Good.begin(), Good.begin() + 3)));
  EXPECT_FALSE(DecodeTurn(TTurnBytes(Good.begin(), Good.end() - 1)));
  TTurnBytes Longer = Good;
  Longer.push_back(0);
  EXPECT_FALSE(DecodeTurn(Longer));
  EXPECT_FALSE(Changed(2, 0));   // side
  EXPECT_FALSE(Changed(3, 4));   // level
  EXPECT_FALSE(Changed(3, -1));
  EXPECT_FALSE(Changed(10, 2));  // a cell
  EXPECT_FALSE(Changed(10, -2));
  EXPECT_TRUE(Changed(10, -1));
}

// An empty board of any size, its length matching the size it claims.
TTurnBytes EmptyBoard(int Cols, int Rows) {
  TTurnBytes Bytes{static_cast<std::int8_t>(Cols), static_cast<std::int8_t>(Rows), 1, 0};
  Bytes.resize(4 + static_cast<std::size_t>(std::max(Cols * Rows, 0)));
  return Bytes;
}

TEST(TurnMessage, OnlyBoardsOfFiveToFiftyASideAreTaken) {
  EXPECT_TRUE(DecodeTurn(EmptyBoard(5, 5)));
  EXPECT_TRUE(DecodeTurn(EmptyBoard(50, 50)));
  EXPECT_FALSE(DecodeTurn(EmptyBoard(4, 5)));
  EXPECT_FALSE(DecodeTurn(EmptyBoard(5, 51)));
  EXPECT_FALSE(DecodeTurn(EmptyBoard(-5, 5)));
}

}  // namespace
}  // namespace quintar::web
