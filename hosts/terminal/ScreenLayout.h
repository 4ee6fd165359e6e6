// What the full-screen game shows, composed as lines for a terminal of a
// given size: the board at the top left, below it as many of the latest
// messages as fit, then the status line and the prompt with what is being
// typed. A window too small for the board gets a message saying what it
// needs instead of a garbled board; the game goes on at the prompt. A long
// reply (help, an analysis, a review) that does not fit below the board
// takes the board's place until the person reads on or types.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Phrasebook.h"

namespace quintar::terminal {

struct TScreenSize {
  int Columns = 80;
  int Lines = 24;
};

struct TScreen {
  // No more lines than the terminal has. Board lines may hold colour codes;
  // every other line is plain and no wider than the terminal.
  std::vector<std::string> Lines;
  // Whether the board lies on screen at the top left, so that presses on it
  // can be taken as presses on its cells.
  bool BoardShown = false;
  // Where the typing goes, 0-based.
  int CursorLine = 0;
  int CursorColumn = 0;
  // Whether a long reply is shown in the board's place, and then its first
  // line on screen (0-based, within what the reply has), how many of its
  // lines a page shows, and whether more follow.
  bool Reading = false;
  int ReadingFrom = 0;
  int ReadingPage = 0;
  bool ReadingMore = false;
};

struct TScreenContent {
  const std::vector<std::string>& Board;
  int BoardWidth;
  // Oldest first; each message is wrapped to the width of the screen.
  const std::deque<std::string>& Messages;
  std::string_view Status;
  std::string_view Typed;
  const game::TPhrasebook& Words;
  // The latest reply to read, its messages, and the line to show it from. A
  // reply that does not fit below the board is shown in the board's place,
  // a page at a time.
  std::span<const std::string> Reading = {};
  int ReadingFrom = 0;
};

TScreen ComposeScreen(TScreenSize Size, const TScreenContent& Content);

// Widths count the screen's columns, not bytes: "×" takes one, "字" two (as
// the locale's character type says, which main sets), a combining accent
// none.
int TextColumns(std::string_view Text);
// Text's last characters that fit in Columns.
std::string_view LastColumns(std::string_view Text, int Columns);
// Takes Text's last character away, all its bytes.
void EraseLastCharacter(std::string& Text);

// Text broken at spaces into lines of at most Width characters; a word longer
// than that is cut.
std::vector<std::string> Wrap(std::string_view Text, int Width);
// Text on one line of at most Width characters: as it is when it fits,
// otherwise cut after the last word that fits, with "…" to say so (a first
// word longer than the line is cut inside).
std::string ShortenAtWord(std::string_view Text, int Width);

}  // namespace quintar::terminal
