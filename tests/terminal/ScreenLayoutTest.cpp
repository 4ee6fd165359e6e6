// The full-screen picture composed for terminals of every size.
#include <gtest/gtest.h>

#include <clocale>

#include "ScreenLayout.h"

#include "Phrasebook.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;

const TLines Board = {"  1  2", "1 .  .", "2 .  X"};
const game::TPhrasebook Words;

TScreen Compose(TScreenSize Size, const std::deque<std::string>& Messages, std::string_view Typed = "8 9",
                std::string_view Status = "Crosses to move") {
  return ComposeScreen(Size, {Board, 6, Messages, Status, Typed, Words});
}

// Reply is to read, shown from its line From.
TScreen ComposeReading(TScreenSize Size, const TLines& Reply, int From) {
  const std::deque<std::string> Messages(Reply.begin(), Reply.end());
  return ComposeScreen(Size, {Board, 6, Messages, "Crosses to move", "8 9", Words, Reply, From});
}

TEST(ScreenLayout, BoardThenLatestMessagesThenStatusAndPrompt) {
  const TScreen Screen = Compose({20, 8}, {"old news", "one", "two three four five six"});
  EXPECT_TRUE(Screen.BoardShown);
  EXPECT_EQ(Screen.Lines,
            (TLines{"  1  2", "1 .  .", "2 .  X", "one", "two three four five", "six", "Crosses to move", "> 8 9"}));
  EXPECT_EQ(Screen.CursorLine, 7);
  EXPECT_EQ(Screen.CursorColumn, 5);
}

// Messages are shown whole, never from the middle of a sentence: the latest
// too long for its room shows its beginning, and an older one that does not
// fit leaves its lines blank. One line short, it takes the status's line.
TEST(ScreenLayout, MessagesAreShownWholeOrFromTheirBeginning) {
  const std::deque<std::string> Messages = {"the quick brown fox jumps over", "a lazy dog"};
  EXPECT_EQ(Compose({20, 6}, {Messages.front() + " a lazy dog"}).Lines[3], "the quick brown fox…");
  EXPECT_EQ(Compose({20, 6}, {Messages.front()}).Lines,
            (TLines{"  1  2", "1 .  .", "2 .  X", "the quick brown fox", "jumps over", "> 8 9"}));
  const TScreen Screen = Compose({20, 7}, Messages);
  EXPECT_EQ(TLines(Screen.Lines.begin() + 3, Screen.Lines.end()),
            (TLines{"", "a lazy dog", "Crosses to move", "> 8 9"}));
}

TEST(ScreenLayout, NeverMoreLinesThanTheTerminalHasNorWiderLines) {
  for (int Lines = 1; Lines < 12; ++Lines)
    for (int Columns = 1; Columns < 30; ++Columns) {
      const TScreen Screen =
          Columns % 2 == 0
              ? Compose({Columns, Lines}, {"a message long enough to need wrapping"}, std::string(100, 'z'))
              : ComposeReading({Columns, Lines}, {"a reply long enough to need wrapping"}, Lines);
      EXPECT_LE(std::ssize(Screen.Lines), Lines);
      for (std::size_t I = Screen.BoardShown ? Board.size() : 0; I < Screen.Lines.size(); ++I)
        EXPECT_LE(TextColumns(Screen.Lines[I]), Columns) << Columns << "x" << Lines;
      EXPECT_EQ(Screen.CursorLine, std::ssize(Screen.Lines) - 1);
      EXPECT_LT(Screen.CursorColumn, Columns);
    }
}

TEST(ScreenLayout, ATooSmallWindowSaysWhatTheBoardNeeds) {
  const TScreen Narrow = Compose({5, 20}, {});
  EXPECT_FALSE(Narrow.BoardShown);
  const TScreen Short = Compose({40, 5}, {"hello"});
  EXPECT_FALSE(Short.BoardShown);
  EXPECT_EQ(Short.Lines, (TLines{"The window is 40 × 5; this board needs 6", "× 6. Make the window larger, or type",
                                 "size with smaller numbers.", "Crosses to move", "> 8 9"}));
  EXPECT_TRUE(Compose({6, 6}, {}).BoardShown);
}

TEST(ScreenLayout, AReplyTooLongForBelowTheBoardTakesItsPlaceAPageAtATime) {
  const TLines Reply = {"a b", "c d", "e f", "g h"};
  EXPECT_TRUE(ComposeReading({80, 8}, {"a b", "c d", "e f"}, 0).BoardShown);  // three lines free below the board
  const TScreen First = ComposeReading({80, 6}, Reply, 0);
  EXPECT_FALSE(First.BoardShown);
  EXPECT_EQ(First.Lines, (TLines{"a b", "c d", "e f", "Lines 1–3 of 4. Space: more; Esc or typing: back to the board.",
                                 "Crosses to move", "> 8 9"}));
  EXPECT_TRUE(First.ReadingMore);
  const TScreen Last = ComposeReading({80, 6}, Reply, 3);
  EXPECT_EQ(Last.ReadingFrom, 1);  // the last page is full
  EXPECT_EQ(Last.Lines[3], "Lines 2–4 of 4. Page Up: back; Esc or typing: back to the board.");
  EXPECT_FALSE(Last.ReadingMore);
  EXPECT_EQ(ComposeReading({80, 8}, Reply, 0).Lines[4], "Esc or typing: back to the board.");
  // A narrow window wraps the guide; one of three lines still shows the
  // reply, a line at a time, the guide in the status's place.
  const TScreen Narrow = ComposeReading({40, 7}, Reply, 0);
  EXPECT_EQ(TLines(Narrow.Lines.begin() + 3, Narrow.Lines.end() - 2),
            (TLines{"Lines 1–3 of 4. Space: more; Esc or", "typing: back to the board."}));
  const TScreen Tiny = ComposeReading({80, 3}, Reply, 1);
  EXPECT_EQ(Tiny.Lines, (TLines{"c d", "Lines 2–2 of 4. Space: more; Esc or typing: back to the board.", "> 8 9"}));
}

TEST(ScreenLayout, ALongCommandShowsItsEnd) {
  const TScreen Screen = Compose({10, 6}, {}, "strength medium");
  EXPECT_EQ(Screen.Lines.back(), ">  medium");
  EXPECT_EQ(Screen.CursorColumn, 9);
  // Characters beyond ASCII count one column each and are never split.
  EXPECT_EQ(Compose({10, 6}, {}, "save d\xc3\xa9j\xc3\xa0-vu!").Lines.back(), "> \xc3\xa9j\xc3\xa0-vu!");
}

// Wide characters take two columns, as the game's locale says: a line of
// them shows no more than fits, so that it never wraps and moves the board.
TEST(ScreenLayout, AWideCharacterTakesTwoColumns) {
  const std::string Before = std::setlocale(LC_CTYPE, nullptr);
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  const std::string Wide = "\xe5\xad\x97";  // a Chinese character
  const TScreen Screen = Compose({10, 6}, {}, Wide + Wide + Wide + Wide);
  const TScreen Wrapped = Compose({6, 6}, {Wide + Wide + Wide + Wide + Wide + Wide + Wide}, "");
  std::string Typed = "q" + Wide;
  EraseLastCharacter(Typed);
  std::setlocale(LC_CTYPE, Before.c_str());
  EXPECT_EQ(Screen.Lines.back(), "> " + Wide + Wide + Wide);
  EXPECT_EQ(Screen.CursorColumn, 8);
  EXPECT_EQ(Wrapped.Lines[3], Wide + Wide + "\xe2\x80\xa6");  // with "…", in 6 columns
  EXPECT_EQ(Typed, "q");                                      // erased whole, though two columns wide
}

TEST(ScreenLayout, EraseTakesAWholeCharacter) {
  std::string Typed = "x\xc3\xa9";
  EraseLastCharacter(Typed);
  EXPECT_EQ(Typed, "x");
  EraseLastCharacter(Typed);
  EraseLastCharacter(Typed);
  EXPECT_EQ(Typed, "");
}

// A status line too long for a narrow terminal ends at a word, with "…".
TEST(ScreenLayout, TheStatusLineIsShortenedAtAWord) {
  const std::string Status = "Crosses to move: you. Crosses: a person; noughts: the computer (expert). Board 20 × 20.";
  const TScreen Screen = Compose({40, 6}, {}, "", Status);
  EXPECT_EQ(Screen.Lines[Screen.Lines.size() - 2], "Crosses to move: you. Crosses: a…");
  const TScreen Wide = Compose({100, 6}, {}, "", Status);
  EXPECT_EQ(Wide.Lines[Wide.Lines.size() - 2], Status);
}

TEST(Wrap, BreaksAtSpacesAndCutsLongWords) {
  EXPECT_EQ(Wrap("the quick brown fox", 9), (TLines{"the quick", "brown fox"}));
  EXPECT_EQ(Wrap("abcdefghij k", 4), (TLines{"abcd", "efgh", "ij k"}));
  EXPECT_EQ(Wrap("  ", 4), TLines{});
  EXPECT_EQ(Wrap("word", 0), TLines{});
  // A character of several bytes takes one column, and is never split.
  EXPECT_EQ(Wrap("8 × 8 board", 5), (TLines{"8 × 8", "board"}));
  EXPECT_EQ(Wrap("××××××", 4), (TLines{"××××", "××"}));
}

TEST(ShortenAtWord, EndsAfterTheLastWholeWordThatFits) {
  EXPECT_EQ(ShortenAtWord("the quick brown fox", 19), "the quick brown fox");
  EXPECT_EQ(ShortenAtWord("the quick brown fox", 18), "the quick brown…");
  EXPECT_EQ(ShortenAtWord("the quick brown fox", 16), "the quick brown…");
  EXPECT_EQ(ShortenAtWord("the quick brown fox", 15), "the quick…");
  EXPECT_EQ(ShortenAtWord("Board 20 × 20.", 10), "Board 20…");
  EXPECT_EQ(TextColumns(ShortenAtWord("Board 20 × 20.", 10)), 9);
  // A first word too long for the line is cut inside; no room, no text.
  EXPECT_EQ(ShortenAtWord("abcdefgh ij", 5), "abcd…");
  EXPECT_EQ(ShortenAtWord("abc", 1), "…");
  EXPECT_EQ(ShortenAtWord("abc", 0), "");
}

}  // namespace
}  // namespace quintar::terminal
