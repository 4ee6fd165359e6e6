// Whole boards compared with reviewed pictures. On a mismatch the test
// writes the actual picture and a difference image beside the build, and
// names them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PngImage.h"
#include "Quintar.h"

namespace quintar {
namespace {

// Differences in red on a dimmed copy of the expected picture.
png::TImage Difference(const png::TImage& Expected, const png::TImage& Actual) {
  png::TImage Diff{Expected.Width, Expected.Height, {}};
  for (int Y = 0; Y < Diff.Height; ++Y)
    for (int X = 0; X < Diff.Width; ++X) {
      const vcl::TColor Was = Expected.At(X, Y);
      const bool Same = X < Actual.Width && Y < Actual.Height && Actual.At(X, Y) == Was;
      Diff.Pixels.push_back(Same ? (Was >> 2) & 0x3F3F3F : vcl::clRed);
    }
  return Diff;
}

void ExpectMatchesGolden(const TQuintar& Control, const std::string& Name) {
  const png::TImage Actual = png::FromSurface(Control.Surface());
  const std::string GoldenPath = std::string(QUINTAR_GOLDEN_DIR) + "/" + Name + ".png";
  png::TImage Golden;
  const std::string Error = png::Read(GoldenPath, Golden);
  if (Error.empty() && Golden.Width == Actual.Width && Golden.Height == Actual.Height &&
      Golden.Pixels == Actual.Pixels)
    return;
  const std::string ActualPath = std::filesystem::absolute(Name + ".actual.png").string();
  png::Write(ActualPath, Actual);
  std::string Message = "picture differs from " + GoldenPath + "; actual written to " + ActualPath;
  if (Error.empty()) {
    const std::string DiffPath = std::filesystem::absolute(Name + ".diff.png").string();
    png::Write(DiffPath, Difference(Golden, Actual));
    Message += ", differences to " + DiffPath;
  } else {
    Message += " (" + Error + ")";
  }
  ADD_FAILURE() << Message;
}

void Play(TQuintar& Control, std::initializer_list<vcl::TPoint> Cells) {
  for (const vcl::TPoint Cell : Cells) Control.Move(Cell.X, Cell.Y);
}

TEST(Golden, DefaultBoardInMidGame) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Play(Control, {{10, 10}, {11, 11}, {9, 11}, {11, 9}, {12, 12}, {10, 12}});
  Control.Repaint();
  ExpectMatchesGolden(Control, "midgame-200x200");
}

TEST(Golden, WonGameOnAWideControl) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetBounds(0, 0, 300, 200);
  Play(Control, {{3, 3}, {3, 4}, {4, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 6}, {6, 7}, {7, 7}});
  Control.Repaint();
  ExpectMatchesGolden(Control, "won-300x200");
}

TEST(Golden, SmallBoardOnAnOddSizedControlBoxedInTheCorner) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetBounds(0, 0, 97, 61);
  Control.SetColCount(7);
  Control.SetRowCount(5);
  Control.SetColor(0xE0F0FF);
  Play(Control, {{1, 1}, {4, 3}, {7, 5}});
  Control.Repaint();
  Control.Move(2, 5);  // drawn at once, over the painted board
  ExpectMatchesGolden(Control, "small-97x61");
}

TEST(Golden, LargestBoardAfterComputerPlay) {
  TQuintar Control(nullptr);
  Control.SetBounds(0, 0, 400, 400);
  Control.SetColCount(50);
  Control.SetRowCount(50);
  Control.SetPlayingStrength(stMedium);
  std::srand(1);  // the computer's draws, made repeatable
  Play(Control, {{20, 20}, {30, 31}});
  Control.Repaint();
  ExpectMatchesGolden(Control, "largest-400x400");
}

}  // namespace
}  // namespace quintar
