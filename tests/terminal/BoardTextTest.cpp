// The board in text, and the control's colours in a terminal.
#include <gtest/gtest.h>

#include "BoardText.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;

void Play(TQuintar& Control, std::initializer_list<vcl::TPoint> Cells) {
  for (const vcl::TPoint Cell : Cells) Control.Move(Cell.X, Cell.Y);
}

TEST(BoardText, NumbersColumnsAndRowsAndBoxesTheLastMove) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetColCount(11);
  Control.SetRowCount(5);
  Play(Control, {{1, 1}, {11, 5}, {10, 2}});
  EXPECT_EQ(BoardText(Control, TColorDepth::None), (TLines{
                                                       "    1  2  3  4  5  6  7  8  9 10 11",
                                                       " 1  X  .  .  .  .  .  .  .  .  .  .",
                                                       " 2  .  .  .  .  .  .  .  .  . [X] .",
                                                       " 3  .  .  .  .  .  .  .  .  .  .  .",
                                                       " 4  .  .  .  .  .  .  .  .  .  .  .",
                                                       " 5  .  .  .  .  .  .  .  .  .  .  O",
                                                   }));
  Control.SetShowHighlight(false);
  EXPECT_EQ(BoardText(Control, TColorDepth::None)[2], " 2  .  .  .  .  .  .  .  .  .  X  .");
}

TEST(BoardText, MarksTheWinningFiveWhileShowQuintarIsOn) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetColCount(7);
  Control.SetRowCount(5);
  Play(Control, {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}, {4, 1}, {4, 2}, {6, 1}, {7, 2}, {5, 1}});
  ASSERT_TRUE(Control.WinFound());
  EXPECT_EQ(BoardText(Control, TColorDepth::None)[1], " 1 (X)(X)(X)(X)[X] X  .");
  EXPECT_EQ(BoardText(Control, TColorDepth::None)[2], " 2  O  O  O  O  .  .  O");
  Control.SetShowQuintar(false);
  EXPECT_EQ(BoardText(Control, TColorDepth::None)[1], " 1  X  X  X  X [X] X  .");
}

TEST(BoardText, DrawsInTheControlsColours) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetColCount(5);
  Control.SetRowCount(5);
  Control.SetCrossColor(0x00336699);  // blue 0x33, green 0x66, red 0x99
  Play(Control, {{2, 1}, {3, 1}});
  const std::string Row = BoardText(Control, TColorDepth::TrueColor)[1];
  EXPECT_EQ(Row, " 1 \x1b[48;2;255;255;255m\x1b[38;2;128;128;128m . \x1b[38;2;153;102;51m X "
                 "\x1b[38;2;0;0;0m[\x1b[38;2;0;0;255mO\x1b[38;2;0;0;0m]\x1b[38;2;128;128;128m .  . \x1b[0m");
  EXPECT_EQ(BoardText(Control, TColorDepth::Basic)[0], BoardText(Control, TColorDepth::None)[0]);
}

TEST(AnsiColor, DepthFollowsHowTheTerminalDescribesItself) {
  EXPECT_EQ(ColorDepthFor("xterm-256color", "truecolor", nullptr), TColorDepth::TrueColor);
  EXPECT_EQ(ColorDepthFor("xterm", "24bit", nullptr), TColorDepth::TrueColor);
  EXPECT_EQ(ColorDepthFor("tmux-256color", nullptr, nullptr), TColorDepth::Palette256);
  EXPECT_EQ(ColorDepthFor("xterm", nullptr, nullptr), TColorDepth::Basic);
  EXPECT_EQ(ColorDepthFor("xterm", "", ""), TColorDepth::Basic);
  EXPECT_EQ(ColorDepthFor("dumb", "truecolor", nullptr), TColorDepth::None);
  EXPECT_EQ(ColorDepthFor(nullptr, nullptr, nullptr), TColorDepth::None);
  EXPECT_EQ(ColorDepthFor("xterm-256color", "truecolor", "1"), TColorDepth::None);
}

TEST(AnsiColor, FallsBackToTheNearestPaletteColour) {
  EXPECT_EQ(NearestBasic(vcl::clRed), 9);
  EXPECT_EQ(NearestBasic(vcl::clBlue), 4);
  EXPECT_EQ(NearestBasic(vcl::clGray), 8);
  EXPECT_EQ(NearestBasic(vcl::clWhite), 15);
  EXPECT_EQ(NearestBasic(vcl::clYellow), 11);
  EXPECT_EQ(NearestBasic(vcl::clMaroon), 1);
  EXPECT_EQ(Nearest256(vcl::clRed), 196);
  EXPECT_EQ(Nearest256(vcl::clWhite), 231);
  EXPECT_EQ(Nearest256(vcl::clBlack), 16);
  EXPECT_EQ(Nearest256(vcl::clGray), 244);  // the grey ramp beats the cube's (135, 135, 135)
  EXPECT_EQ(Nearest256(0x00AF875F), 16 + 36 * 1 + 6 * 2 + 3);  // exactly a cube entry
  EXPECT_EQ(Foreground(vcl::clRed, TColorDepth::Basic), "\x1b[91m");
  EXPECT_EQ(Background(vcl::clBlue, TColorDepth::Basic), "\x1b[44m");
  EXPECT_EQ(Foreground(vcl::clRed, TColorDepth::Palette256), "\x1b[38;5;196m");
  EXPECT_EQ(Foreground(vcl::clRed, TColorDepth::None), "");
}

}  // namespace
}  // namespace quintar::terminal
