// quintar render: the picture written is the control's own, pixel for pixel.
#include <gtest/gtest.h>

#include <filesystem>

#include "PngImage.h"
#include "Render.h"

namespace quintar::terminal {
namespace {

std::string ParseError(std::vector<std::string_view> Arguments) {
  TRenderJob Job;
  return ParseRenderArguments(Arguments, Job);
}

std::string PlayError(std::vector<std::string_view> Arguments) {
  TRenderJob Job;
  EXPECT_EQ(ParseRenderArguments(Arguments, Job), "");
  TQuintar Control(nullptr);
  return PlayJob(Job, Control);
}

std::string TempPath(const char* Name) { return (std::filesystem::temp_directory_path() / Name).string(); }

void ExpectSamePixels(const std::string& Path, const TQuintar& Control) {
  png::TImage Written;
  ASSERT_EQ(png::Read(Path, Written), "");
  const vcl::TSurface& Surface = Control.Surface();
  ASSERT_EQ(Written.Width, Surface.Width());
  ASSERT_EQ(Written.Height, Surface.Height());
  int Differences = 0;
  for (int Y = 0; Y < Surface.Height(); ++Y)
    for (int X = 0; X < Surface.Width(); ++X) Differences += Written.At(X, Y) != Surface.Pixel(X, Y);
  EXPECT_EQ(Differences, 0);
}

TEST(Render, WritesTheControlsPaintedPixels) {
  const std::string Path = TempPath("quintar-render-test.png");
  TRenderJob Job;
  ASSERT_EQ(ParseRenderArguments({"--board", "15x12", "--size", "301x240", "--moves", "8,6 9,7 7,7  8,8", "--set",
                                  "NoughtColor=clGreen", "--set", "Color=$00E0F0FF", "-o", Path},
                                 Job),
            "");
  ASSERT_EQ(Render(Job), "");
  // The same position set up by hand on a control and painted.
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetBounds(0, 0, 301, 240);
  Control.SetColCount(15);
  Control.SetRowCount(12);
  Control.SetNoughtColor(vcl::clGreen);
  Control.SetColor(0x00E0F0FF);
  for (const vcl::TPoint Move : {vcl::TPoint{8, 6}, {9, 7}, {7, 7}, {8, 8}}) Control.Move(Move.X, Move.Y);
  Control.Repaint();
  ExpectSamePixels(Path, Control);
  std::filesystem::remove(Path);
}

TEST(Render, ComputerMovesFollowTheSeedAndStopAtTheEnd) {
  const std::string Path = TempPath("quintar-render-computer.png");
  TRenderJob Job;
  ASSERT_EQ(ParseRenderArguments({"--board", "9x9", "--computer", "100000", "--seed", "42", "-o", Path}, Job), "");
  ASSERT_EQ(Render(Job), "");
  TQuintar Control(nullptr);
  ASSERT_EQ(PlayJob(Job, Control), "");
  EXPECT_TRUE(Control.GameOver());
  Control.Repaint();
  ExpectSamePixels(Path, Control);
  std::filesystem::remove(Path);
}

TEST(Render, RefusesBadArgumentsWithAReason) {
  EXPECT_EQ(ParseError({"--board", "20x20"}), "no output file: give -o FILE.png");
  EXPECT_EQ(ParseError({"--board", "4x20", "-o", "x.png"}), "--board expects CxR with 5 to 50 each, not \"4x20\"");
  EXPECT_EQ(ParseError({"--board", "20", "-o", "x.png"}), "--board expects CxR with 5 to 50 each, not \"20\"");
  EXPECT_EQ(ParseError({"--size", "0x10", "-o", "x.png"}),
            "--size expects WxH pixels with 1 to 8192 each, not \"0x10\"");
  EXPECT_EQ(ParseError({"--size", "8193x10", "-o", "x.png"}),
            "--size expects WxH pixels with 1 to 8192 each, not \"8193x10\"");
  EXPECT_EQ(ParseError({"--moves", "1,1 2;2", "-o", "x.png"}), "--moves: \"2;2\" is not column,row");
  EXPECT_EQ(ParseError({"--computer", "-1", "-o", "x.png"}), "--computer expects a number of moves, not \"-1\"");
  EXPECT_EQ(ParseError({"--colour", "red", "-o", "x.png"}), "unknown option \"--colour\" (see --help)");
  EXPECT_EQ(ParseError({"-o"}), "\"-o\" needs a value or is unknown (see --help)");
}

TEST(Render, RefusesMovesThatCannotBePlayed) {
  EXPECT_EQ(PlayError({"--board", "10x8", "--moves", "3,3 11,1", "-o", "x"}), "move 2 (11,1) is off the 10x8 board");
  EXPECT_EQ(PlayError({"--moves", "3,3 0,1", "-o", "x"}), "move 2 (0,1) is off the 20x20 board");
  EXPECT_EQ(PlayError({"--moves", "3,3 4,4 3,3", "-o", "x"}), "move 3 (3,3) is on a taken cell");
  EXPECT_EQ(PlayError({"--moves", "1,1 1,2 2,1 2,2 3,1 3,2 4,1 4,2 5,1 9,9", "-o", "x"}),
            "move 10 (9,9) comes after the game has ended");
  EXPECT_EQ(PlayError({"--set", "Lock=True", "--moves", "1,1", "-o", "x"}),
            "move 1 (1,1) cannot be played: the board is locked");
  EXPECT_EQ(PlayError({"--set", "Lock", "-o", "x"}), "--set Lock: expected Name=Value, not \"Lock\"");
}

TEST(Render, ReportsAFileThatCannotBeWritten) {
  TRenderJob Job;
  ASSERT_EQ(ParseRenderArguments({"-o", "/nonexistent-dir/board.png"}, Job), "");
  EXPECT_EQ(Render(Job), "cannot write /nonexistent-dir/board.png: no such file or directory");
}

}  // namespace
}  // namespace quintar::terminal
