// Clipping: whatever part of a shape falls on the surface is drawn exactly as
// it would be on a larger surface, and nothing outside is touched.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <new>

#include "Graphics.h"

namespace {
// Counts every global allocation, so a test can show that drawing allocates
// nothing.
long GAllocations = 0;
}  // namespace

void* operator new(std::size_t Size) {
  ++GAllocations;
  if (void* Block = std::malloc(Size ? Size : 1)) return Block;
  throw std::bad_alloc();
}
// The replacement pairs malloc with free; the compiler cannot see that when it
// inlines the calls, so it would warn about a mismatch that is not there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* Block) noexcept { std::free(Block); }
void operator delete(void* Block, std::size_t) noexcept { std::free(Block); }
#pragma GCC diagnostic pop

namespace vcl {
namespace {

using TDrawing = std::function<void(TCanvas&, int Shift)>;

constexpr int Small = 20;
constexpr int Margin = 30;

void Prepare(TCanvas& Canvas, int PenWidth) {
  Canvas.Pen().SetColor(clBlack);
  Canvas.Pen().SetWidth(PenWidth);
  Canvas.Brush().SetColor(clRed);
}

// Draws on a 20 x 20 surface and on one with a 30-pixel margin around it,
// shifted to match, and compares the 20 x 20 window pixel by pixel.
void ExpectClippedLikeUnclipped(const TDrawing& Draw, int PenWidth) {
  TSurface Clipped;
  Clipped.Resize(Small, Small);
  TCanvas OnClipped(Clipped);
  Prepare(OnClipped, PenWidth);
  Draw(OnClipped, 0);

  TSurface Whole;
  Whole.Resize(Small + 2 * Margin, Small + 2 * Margin);
  TCanvas OnWhole(Whole);
  Prepare(OnWhole, PenWidth);
  Draw(OnWhole, Margin);

  for (int Y = 0; Y < Small; ++Y)
    for (int X = 0; X < Small; ++X)
      ASSERT_EQ(Clipped.Pixel(X, Y), Whole.Pixel(X + Margin, Y + Margin)) << "pixel " << X << "," << Y;
}

struct TShape {
  int X1, Y1, X2, Y2;
};

// Shapes that cross one or more edges, lie wholly outside, or cover it all.
const TShape Shapes[] = {{-7, 3, 12, 16},   {5, -9, 26, 8},  {-20, -25, 40, 35}, {15, 15, 45, 29},
                         {-10, 10, -2, 14}, {22, 2, 40, 19}, {3, 21, 9, 33},     {-15, 19, 35, 1},
                         {19, -6, 0, 26},   {-3, -3, 0, 0},  {18, 18, 23, 25},   {10, -12, 11, 32}};

TEST(Clipping, ShapesCrossingTheEdgesMatchTheUnclippedDrawing) {
  for (const int PenWidth : {1, 2, 3, 6}) {
    for (const TShape& S : Shapes) {
      SCOPED_TRACE(::testing::Message() << "pen " << PenWidth << " shape " << S.X1 << "," << S.Y1 << " " << S.X2 << ","
                                        << S.Y2);
      ExpectClippedLikeUnclipped([&](TCanvas& C, int D) { C.Rectangle(S.X1 + D, S.Y1 + D, S.X2 + D, S.Y2 + D); },
                                 PenWidth);
      ExpectClippedLikeUnclipped([&](TCanvas& C, int D) { C.Ellipse(S.X1 + D, S.Y1 + D, S.X2 + D, S.Y2 + D); },
                                 PenWidth);
      ExpectClippedLikeUnclipped(
          [&](TCanvas& C, int D) {
            C.MoveTo(S.X1 + D, S.Y1 + D);
            C.LineTo(S.X2 + D, S.Y2 + D);
          },
          PenWidth);
      ExpectClippedLikeUnclipped(
          [&](TCanvas& C, int D) {
            C.FillRect({S.X1 + D, S.Y1 + D, S.X2 + D, S.Y2 + D});
          },
          PenWidth);
    }
  }
}

TEST(Clipping, ExtremeCoordinatesDrawOnlyWhatIsOnTheSurface) {
  TSurface Surface;
  Surface.Resize(16, 16);
  TCanvas Canvas(Surface);
  Canvas.Brush().SetColor(clWhite);
  Canvas.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  Canvas.Pen().SetColor(clBlack);
  // A line from far beyond one corner to far beyond the other is the diagonal.
  Canvas.MoveTo(-2000000000, -2000000000);
  Canvas.LineTo(2000000000, 2000000000);
  for (int I = 0; I < 16; ++I) EXPECT_EQ(Surface.Pixel(I, I), clBlack) << I;
  EXPECT_EQ(Surface.Pixel(1, 0), clWhite);
  // Shapes at the far ends of the coordinate range finish at once.
  Canvas.MoveTo(-2000000000, 2000000015);
  Canvas.LineTo(2000000015, -2000000000);
  EXPECT_EQ(Surface.Pixel(0, 15), clBlack);
  EXPECT_EQ(Surface.Pixel(15, 0), clBlack);
  Canvas.MoveTo(INT_MIN, INT_MAX);
  Canvas.LineTo(INT_MAX, INT_MIN);
  Canvas.Pen().SetWidth(9);
  Canvas.MoveTo(INT_MAX, INT_MAX);
  Canvas.LineTo(INT_MIN, INT_MAX);
  Canvas.Brush().SetColor(clRed);
  Canvas.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Surface.Pixel(8, 8), clRed);  // deep inside
  // As flat as can be: only the two middle rows are more than half the pen
  // from its sides.
  Canvas.Ellipse(INT_MIN, 2, INT_MAX, 14);
  EXPECT_EQ(Surface.Pixel(8, 6), clBlack);
  EXPECT_EQ(Surface.Pixel(8, 7), clRed);
  EXPECT_EQ(Surface.Pixel(8, 8), clRed);
  EXPECT_EQ(Surface.Pixel(8, 9), clBlack);
  Canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Surface.Pixel(0, 0), clRed);
}

TEST(Clipping, ShapesWhollyOutsideChangeNothing) {
  TSurface Surface;
  Surface.Resize(10, 10);
  Surface.TakeChangedArea();
  TCanvas Canvas(Surface);
  Canvas.Pen().SetWidth(4);
  Canvas.Rectangle(1000, 1000, 1011, 1011);
  Canvas.Ellipse(-50, 2, -20, 8);
  Canvas.MoveTo(12, -3);
  Canvas.LineTo(40, 30);
  Canvas.FillRect({0, 10, 10, 20});
  EXPECT_TRUE(Surface.TakeChangedArea().IsEmpty());
}

TEST(Clipping, ChangedAreaBoundsWhatWasDrawn) {
  TSurface Surface;
  Surface.Resize(50, 40);
  EXPECT_EQ(Surface.TakeChangedArea(), (TRect{0, 0, 50, 40}));  // a new surface is all new
  TCanvas Canvas(Surface);
  Canvas.Rectangle(10, 12, 20, 15);
  Canvas.MoveTo(30, 5);
  Canvas.LineTo(35, 5);
  EXPECT_EQ(Surface.TakeChangedArea(), (TRect{10, 5, 35, 15}));
  EXPECT_TRUE(Surface.TakeChangedArea().IsEmpty());
}

TEST(Clipping, LargeSurfaceDrawsWithoutAllocating) {
  TSurface Surface;
  Surface.Resize(4000, 4000);
  TCanvas Canvas(Surface);
  const long Before = GAllocations;
  Canvas.Brush().SetColor(clWhite);
  Canvas.FillRect({0, 0, 4000, 4000});
  Canvas.Pen().SetWidth(1);
  Canvas.Rectangle(0, 0, 4000, 4000);
  Canvas.MoveTo(0, 0);
  Canvas.LineTo(3999, 2500);
  Canvas.Pen().SetWidth(25);
  Canvas.LineTo(10, 3990);
  Canvas.Ellipse(100, 100, 3900, 3800);
  Canvas.Ellipse(200, 1500, 3800, 2400);
  EXPECT_EQ(GAllocations, Before);
  EXPECT_EQ(Surface.Pixel(2000, 1950), clWhite);  // inside the ellipse: brush
  EXPECT_EQ(Surface.Pixel(0, 3999), clBlack);     // the border
}

}  // namespace
}  // namespace vcl
