// The full-screen picture composed for terminals of every size.
#include <gtest/gtest.h>

#include "ScreenLayout.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;

const TLines Board = {"  1  2", "1 .  .", "2 .  X"};

TScreen Compose(TScreenSize Size, const std::deque<std::string>& Messages, std::string_view Typed = "8 9") {
  return ComposeScreen(Size, {Board, 6, Messages, "Crosses to move", Typed});
}

TEST(ScreenLayout, BoardThenLatestMessagesThenStatusAndPrompt) {
  const TScreen Screen = Compose({20, 8}, {"old news", "one", "two three four five six"});
  EXPECT_TRUE(Screen.BoardShown);
  EXPECT_EQ(Screen.Lines, (TLines{"  1  2", "1 .  .", "2 .  X", "one", "two three four five", "six",
                                  "Crosses to move", "> 8 9"}));
  EXPECT_EQ(Screen.CursorLine, 7);
  EXPECT_EQ(Screen.CursorColumn, 5);
}

TEST(ScreenLayout, NeverMoreLinesThanTheTerminalHasNorWiderLines) {
  for (int Lines = 1; Lines < 12; ++Lines)
    for (int Columns = 1; Columns < 30; ++Columns) {
      const TScreen Screen = Compose({Columns, Lines}, {"a message long enough to need wrapping"},
                                     std::string(100, 'z'));
      EXPECT_LE(std::ssize(Screen.Lines), Lines);
      for (std::size_t I = Screen.BoardShown ? Board.size() : 0; I < Screen.Lines.size(); ++I)
        EXPECT_LE(std::ssize(Screen.Lines[I]), Columns) << Columns << "x" << Lines;
      EXPECT_EQ(Screen.CursorLine, std::ssize(Screen.Lines) - 1);
      EXPECT_LT(Screen.CursorColumn, Columns);
    }
}

TEST(ScreenLayout, ATooSmallWindowSaysWhatTheBoardNeeds) {
  const TScreen Narrow = Compose({5, 20}, {});
  EXPECT_FALSE(Narrow.BoardShown);
  const TScreen Short = Compose({40, 5}, {"hello"});
  EXPECT_FALSE(Short.BoardShown);
  EXPECT_EQ(Short.Lines, (TLines{"The window is 40 x 5; this board needs 6", "x 6. Make the window larger, or type",
                                 "size with smaller numbers.", "Crosses to move", "> 8 9"}));
  EXPECT_TRUE(Compose({6, 6}, {}).BoardShown);
}

TEST(ScreenLayout, ALongCommandShowsItsEnd) {
  const TScreen Screen = Compose({10, 6}, {}, "strength medium");
  EXPECT_EQ(Screen.Lines.back(), ">  medium");
  EXPECT_EQ(Screen.CursorColumn, 9);
}

TEST(Wrap, BreaksAtSpacesAndCutsLongWords) {
  EXPECT_EQ(Wrap("the quick brown fox", 9), (TLines{"the quick", "brown fox"}));
  EXPECT_EQ(Wrap("abcdefghij k", 4), (TLines{"abcd", "efgh", "ij k"}));
  EXPECT_EQ(Wrap("  ", 4), TLines{});
  EXPECT_EQ(Wrap("word", 0), TLines{});
}

}  // namespace
}  // namespace quintar::terminal
