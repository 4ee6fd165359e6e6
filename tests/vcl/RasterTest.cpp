// Pixel-exact behaviour of the canvas primitives on small surfaces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Graphics.h"
#include "Picture.h"

namespace vcl {
namespace {

using Rows = std::vector<std::string>;

class Raster : public ::testing::Test {
 protected:
  void Start(int Width, int Height) {
    Surface.Resize(Width, Height);
    Canvas.Brush().SetColor(clWhite);
    Canvas.FillRect({0, 0, Width, Height});
    Canvas.Pen().SetColor(clBlack);
    Canvas.Brush().SetColor(clRed);
  }
  Rows Picture() const { return testing::Picture(Surface, {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}}); }
  // Whether each pixel equals its mirror images about the column and the row
  // whose doubles are SumX and SumY, where those images are on the surface.
  bool MirrorsItself(int SumX, int SumY) const {
    for (int Y = 0; Y < Surface.Height(); ++Y)
      for (int X = 0; X < Surface.Width(); ++X) {
        const TColor Here = Surface.Pixel(X, Y);
        const TColor Across = Surface.Pixel(SumX - X, Y), Over = Surface.Pixel(X, SumY - Y);
        if ((Across != clInvalid && Across != Here) || (Over != clInvalid && Over != Here)) return false;
      }
    return true;
  }
  int Count(TColor Color) const {
    int Total = 0;
    for (int Y = 0; Y < Surface.Height(); ++Y)
      for (int X = 0; X < Surface.Width(); ++X) Total += Surface.Pixel(X, Y) == Color;
    return Total;
  }

  TSurface Surface;
  TCanvas Canvas{Surface};
};

TEST_F(Raster, FillRectLeavesRightAndBottomEdgesOut) {
  Start(6, 4);
  Canvas.FillRect({1, 1, 4, 3});
  EXPECT_EQ(Picture(), (Rows{"......", ".rrr..", ".rrr..", "......"}));
}

TEST_F(Raster, FillRectOfNoOrInvertedAreaDrawsNothing) {
  Start(6, 4);
  Canvas.FillRect({2, 2, 2, 4});
  Canvas.FillRect({4, 1, 1, 3});
  EXPECT_EQ(Count(clRed), 0);
}

TEST_F(Raster, OnePixelRectangleOutlinesFirstAndLastColumnAndRowAndFillsInside) {
  Start(8, 6);
  Canvas.Rectangle(1, 1, 7, 5);
  EXPECT_EQ(Picture(), (Rows{"........", ".######.", ".#rrrr#.", ".#rrrr#.", ".######.", "........"}));
}

TEST_F(Raster, RectangleCornersMayBeGivenInAnyOrder) {
  Start(8, 6);
  Canvas.Rectangle(7, 5, 1, 1);
  const Rows Reversed = Picture();
  Start(8, 6);
  Canvas.Rectangle(1, 1, 7, 5);
  EXPECT_EQ(Picture(), Reversed);
}

TEST_F(Raster, ThinAndEmptyRectangles) {
  Start(6, 4);
  Canvas.Rectangle(2, 0, 3, 4);  // one column wide: all outline
  Canvas.Rectangle(4, 1, 4, 3);  // no width: nothing
  EXPECT_EQ(Picture(), (Rows{"..#...", "..#...", "..#...", "..#..."}));
}

TEST_F(Raster, WidePenRectangleIsCentredOnTheOutline) {
  Start(9, 9);
  Canvas.Pen().SetWidth(3);
  Canvas.Rectangle(2, 2, 7, 7);
  // Outline path on columns 2 and 6, rows 2 and 6; width 3 covers 1..3 and 5..7.
  EXPECT_EQ(Picture(), (Rows{".........", ".#######.", ".#######.", ".#######.", ".###r###.", ".#######.", ".#######.",
                             ".#######.", "........."}));
}

TEST_F(Raster, PenWidthReadsBackAndZeroDrawsOnePixel) {
  Start(5, 3);
  Canvas.Pen().SetWidth(7);
  EXPECT_EQ(Canvas.Pen().Width(), 7);
  Canvas.Pen().SetWidth(-3);
  EXPECT_EQ(Canvas.Pen().Width(), 0);
  Canvas.MoveTo(0, 1);
  Canvas.LineTo(5, 1);
  EXPECT_EQ(Picture(), (Rows{".....", "#####", "....."}));
}

TEST_F(Raster, LineLeavesOutItsEndPointAndMovesThePen) {
  Start(7, 3);
  Canvas.MoveTo(1, 1);
  Canvas.LineTo(5, 1);
  EXPECT_EQ(Picture(), (Rows{".......", ".####..", "......."}));
  EXPECT_EQ(Canvas.PenPos(), (TPoint{5, 1}));
  Canvas.LineTo(5, 1);  // no length: nothing
  EXPECT_EQ(Count(clBlack), 4);
}

TEST_F(Raster, ShallowLineStepsAtHalfway) {
  Start(7, 3);
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(6, 2);
  EXPECT_EQ(Picture(), (Rows{"##.....", "..###..", ".....#."}));
}

TEST_F(Raster, SteepLineMirrorsTheShallowOne) {
  Start(3, 7);
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(2, 6);
  EXPECT_EQ(Picture(), (Rows{"#..", "#..", ".#.", ".#.", ".#.", "..#", "..."}));
}

// From the centre towards every octant (and the axes between them): the line
// has one pixel per step of its longer axis, starts on the start point, never
// touches the end point, and its pixels are 8-connected in order.
TEST_F(Raster, LinesInEveryOctantHaveOnePixelPerStep) {
  const std::vector<TPoint> Ends = {{14, 9}, {14, 12}, {11, 14}, {9, 14}, {7, 14}, {2, 12}, {0, 9},  {0, 5},
                                    {2, 2},  {5, 0},   {7, 0},   {9, 0},  {14, 3}, {14, 7}, {10, 7}, {3, 7}};
  for (const TPoint End : Ends) {
    SCOPED_TRACE(::testing::Message() << "to " << End.X << "," << End.Y);
    Start(15, 15);
    Canvas.MoveTo(7, 7);
    Canvas.LineTo(End.X, End.Y);
    const int Steps = std::max(std::abs(End.X - 7), std::abs(End.Y - 7));
    EXPECT_EQ(Count(clBlack), Steps);
    EXPECT_EQ(Surface.Pixel(7, 7), clBlack);
    EXPECT_EQ(Surface.Pixel(End.X, End.Y), clWhite);
    // Every row (or column) along the longer axis holds exactly one pixel.
    const bool XMajor = std::abs(End.X - 7) >= std::abs(End.Y - 7);
    for (int Step = 0; Step < Steps; ++Step) {
      const int Along = 7 + (XMajor ? (End.X > 7 ? Step : -Step) : (End.Y > 7 ? Step : -Step));
      int OnThisLine = 0;
      for (int Across = 0; Across < 15; ++Across)
        OnThisLine += (XMajor ? Surface.Pixel(Along, Across) : Surface.Pixel(Across, Along)) == clBlack;
      EXPECT_EQ(OnThisLine, 1) << "step " << Step;
    }
  }
}

TEST_F(Raster, WideHorizontalLinesCoverTheirWidthAcross) {
  for (int Width = 2; Width <= 5; ++Width) {
    SCOPED_TRACE(Width);
    Start(20, 11);
    Canvas.Pen().SetWidth(Width);
    Canvas.MoveTo(6, 5);
    Canvas.LineTo(14, 5);
    int Across = 0;
    for (int Y = 0; Y < 11; ++Y) Across += Surface.Pixel(10, Y) == clBlack;
    EXPECT_EQ(Across, Width);
    // Centred: from 5 - Width/2 to 5 + (Width-1)/2.
    EXPECT_EQ(Surface.Pixel(10, 5 - Width / 2), clBlack);
    EXPECT_EQ(Surface.Pixel(10, 5 + (Width - 1) / 2), clBlack);
    // Round ends reach past both end points along the line.
    EXPECT_EQ(Surface.Pixel(5, 5 - (Width % 2 == 0 ? 1 : 0)), clBlack);
    EXPECT_EQ(Surface.Pixel(14, 5), clBlack);
  }
}

TEST_F(Raster, WideDiagonalLineIsSymmetricAboutItsPath) {
  Start(16, 16);
  Canvas.Pen().SetWidth(3);
  Canvas.MoveTo(3, 3);
  Canvas.LineTo(12, 12);
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) EXPECT_EQ(Surface.Pixel(X, Y), Surface.Pixel(Y, X)) << X << "," << Y;
  EXPECT_EQ(Surface.Pixel(8, 8), clBlack);
  // Half the width, 1.5, reaches 1.41 across the diagonal but not 2.12.
  EXPECT_EQ(Surface.Pixel(10, 8), clBlack);
  EXPECT_EQ(Surface.Pixel(11, 8), clWhite);
}

TEST_F(Raster, EllipseFitsItsBoxAndFillsItsInside) {
  Start(9, 9);
  Canvas.Ellipse(1, 1, 8, 8);
  EXPECT_EQ(Picture(), (Rows{".........", "...###...", "..#rrr#..", ".#rrrrr#.", ".#rrrrr#.", ".#rrrrr#.", "..#rrr#..",
                             "...###...", "........."}));
}

// The device draws a box of even size the same way: a ring, not a square.
TEST_F(Raster, OnePixelEllipseOfAnEvenBoxHasOnePixelPerStep) {
  Start(8, 8);
  Canvas.Ellipse(1, 1, 7, 7);
  EXPECT_EQ(Picture(),
            (Rows{"........", "...##...", "..#rr#..", ".#rrrr#.", ".#rrrr#.", "..#rr#..", "...##...", "........"}));
}

// The nought of the default board: 200 x 200 pixels, 20 x 20 cells, a pen
// of 2. An even pen's disc sits half a pixel up and left of the path.
TEST_F(Raster, TwoPixelRingIsRoundWithoutSpikes) {
  Start(10, 10);
  Canvas.Pen().SetWidth(2);
  Canvas.Ellipse(2, 2, 9, 9);
  EXPECT_EQ(Picture(), (Rows{"..........", "...####...", "..######..", ".###rr###.", ".##rrrr##.", ".##rrrr##.",
                             ".###rr###.", "..######..", "...####...", ".........."}));
}

// About the middle of the box, or half a pixel up and left of it for an even
// pen, in every row and column, for boxes of odd and even sizes.
TEST_F(Raster, EllipseIsSymmetricInBothAxes) {
  for (const int Pen : {1, 2, 3, 4, 7}) {
    for (const TRect Box : {TRect{4, 3, 25, 16}, TRect{4, 3, 26, 17}, TRect{5, 2, 14, 30}, TRect{4, 4, 28, 28}}) {
      SCOPED_TRACE(::testing::Message() << "pen " << Pen << " box " << Box.Right - Box.Left << "x"
                                        << Box.Bottom - Box.Top);
      Start(34, 34);
      Canvas.Pen().SetWidth(Pen);
      Canvas.Ellipse(Box.Left, Box.Top, Box.Right, Box.Bottom);
      const int Lean = Pen % 2 == 0 ? 1 : 0;
      EXPECT_TRUE(MirrorsItself(Box.Left + Box.Right - 1 - Lean, Box.Top + Box.Bottom - 1 - Lean));
      EXPECT_EQ(Surface.Pixel((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2), clRed);
    }
  }
}

// Drawn as the control draws it, corner to corner through the first and last
// pixel of its box, a cross has four arms alike: mirror images about both
// axes of the box and, in a square box, about its diagonals.
TEST_F(Raster, CrossHasFourEqualArms) {
  for (const int Pen : {2, 3, 4, 6}) {
    for (const int Side : {7, 8, 13, 20}) {
      SCOPED_TRACE(::testing::Message() << "pen " << Pen << " side " << Side);
      Start(32, 32);
      Canvas.Pen().SetWidth(Pen);
      const int Low = 6, High = 6 + Side - 1;
      Canvas.MoveTo(Low, Low);
      Canvas.LineTo(High, High);
      Canvas.MoveTo(High, Low);
      Canvas.LineTo(Low, High);
      const int Sum = Low + High - (Pen % 2 == 0 ? 1 : 0);
      EXPECT_TRUE(MirrorsItself(Sum, Sum));
      for (int Y = 0; Y < 32; ++Y)
        for (int X = 0; X < Y; ++X) ASSERT_EQ(Surface.Pixel(X, Y), Surface.Pixel(Y, X)) << X << "," << Y;
    }
  }
}

TEST_F(Raster, EmptyEllipseDrawsNothing) {
  Start(6, 6);
  Canvas.Ellipse(2, 2, 2, 5);
  Canvas.Ellipse(1, 3, 5, 3);
  EXPECT_EQ(Count(clBlack) + Count(clRed), 0);
}

}  // namespace
}  // namespace vcl
