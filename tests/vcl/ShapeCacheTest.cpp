// Shapes drawn from kept runs must give the pixels they would give worked out
// where they are drawn: every size, pen and place, including places partly
// off the surface and shapes drawn again after others pushed them out.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "EllipseRaster.h"
#include "Graphics.h"
#include "Surface.h"

namespace vcl {
namespace {

constexpr TColor Pen = clRed;
constexpr TColor Brush = clBlue;

std::vector<TPixel> Pixels(const TSurface& Surface) {
  std::vector<TPixel> All;
  for (int Y = 0; Y < Surface.Height(); ++Y) All.insert(All.end(), Surface.Row(Y), Surface.Row(Y) + Surface.Width());
  return All;
}

// The ellipse straight from its raster at its own place.
std::vector<TPixel> RasterEllipse(int Side, int X1, int Y1, int X2, int Y2, int PenWidth) {
  TSurface Surface;
  Surface.Resize(Side, Side);
  const TEllipseRaster Raster(X1, Y1, X2, Y2, PenWidth);
  for (std::int64_t Y = Raster.Top(); Y <= Raster.Bottom(); ++Y) {
    const TEllipseRow Row = Raster.Row(Y);
    if (Row.Empty()) continue;
    if (!Row.HasInside()) {
      Surface.FillSpan(Y, Row.OuterLeft, Row.OuterRight, Pen);
      continue;
    }
    Surface.FillSpan(Y, Row.OuterLeft, Row.InsideLeft - 1, Pen);
    Surface.FillSpan(Y, Row.InsideLeft, Row.InsideRight, Brush);
    Surface.FillSpan(Y, Row.InsideRight + 1, Row.OuterRight, Pen);
  }
  return Pixels(Surface);
}

TEST(KeptShapes, EllipsesMatchTheirRasterAtEverySizePenAndPlace) {
  constexpr int Side = 48;
  const TPoint Places[] = {{5, 6}, {-9, 30}, {31, -4}};
  TSurface Surface;
  Surface.Resize(Side, Side);
  TCanvas Canvas(Surface);
  Canvas.Pen().SetColor(Pen);
  Canvas.Brush().SetColor(Brush);
  for (const int PenWidth : {0, 2, 3, 6})
    for (int Width = 1; Width <= 30; ++Width)
      for (int Height = 1; Height <= 30; Height += Width % 3 == 0 ? 1 : 4)
        for (const TPoint At : Places) {
          Surface.Resize(Side, Side);
          Canvas.Pen().SetWidth(PenWidth);
          Canvas.Ellipse(At.X, At.Y, At.X + Width, At.Y + Height);
          ASSERT_EQ(Pixels(Surface), RasterEllipse(Side, At.X, At.Y, At.X + Width, At.Y + Height, PenWidth))
              << Width << " x " << Height << " pen " << PenWidth << " at " << At.X << ", " << At.Y;
        }
}

// Whether the centre of pixel (X, Y) lies within half of Width of the segment
// From .. To, in whole numbers: coordinates are doubled so that an even
// width's path, half a pixel up and left, falls on them.
bool Covered(int X, int Y, TPoint From, TPoint To, int Width) {
  const std::int64_t Shift = Width % 2 == 0 ? -1 : 0;
  const std::int64_t Px = 2 * X - (2 * From.X + Shift), Py = 2 * Y - (2 * From.Y + Shift);
  const std::int64_t Dx = 2 * (To.X - From.X), Dy = 2 * (To.Y - From.Y);
  const std::int64_t Reach = std::int64_t{Width} * Width;
  const std::int64_t Along = Px * Dx + Py * Dy, Length = Dx * Dx + Dy * Dy;
  if (Along <= 0) return Px * Px + Py * Py <= Reach;
  if (Along >= Length) return (Px - Dx) * (Px - Dx) + (Py - Dy) * (Py - Dy) <= Reach;
  const std::int64_t Across = Px * Dy - Py * Dx;
  return Across * Across <= Reach * Length;
}

TEST(KeptShapes, WideLinesCoverTheCentresWithinHalfThePenOfTheSegment) {
  constexpr int Side = 40;
  TSurface Surface;
  TCanvas Canvas(Surface);
  Canvas.Pen().SetColor(Pen);
  for (const int Width : {2, 3, 4, 7})
    for (int Dx = -13; Dx <= 13; ++Dx)
      for (int Dy = -13; Dy <= 13; ++Dy)
        for (const TPoint From : {TPoint{20, 19}, TPoint{2, 37}}) {
          const TPoint To{From.X + Dx, From.Y + Dy};
          Surface.Resize(Side, Side);
          Canvas.Pen().SetWidth(Width);
          Canvas.MoveTo(From.X, From.Y);
          Canvas.LineTo(To.X, To.Y);
          for (int Y = 0; Y < Side; ++Y)
            for (int X = 0; X < Side; ++X)
              ASSERT_EQ(Surface.Pixel(X, Y) == Pen, Covered(X, Y, From, To, Width))
                  << "pixel " << X << ", " << Y << " of " << From.X << ", " << From.Y << " to " << To.X << ", " << To.Y
                  << " pen " << Width;
        }
}

TEST(SurfaceAreas, ClipAtEveryEdgeAndReportOnlyWhatTheyPainted) {
  constexpr std::int64_t Far = std::numeric_limits<std::int64_t>::max() / 4;
  TSurface Surface;
  Surface.Resize(10, 8);
  Surface.TakeChangedArea();
  Surface.FillArea(-Far, 1, -3, 2, Pen);  // off the top and the left
  Surface.FillArea(6, Far, 8, Far, Pen);  // off the bottom and the right
  EXPECT_EQ(Surface.TakeChangedArea(), (TRect{0, 0, 10, 8}));
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 10; ++X)
      EXPECT_EQ(Surface.Pixel(X, Y) == Pen, (Y <= 1 && X <= 2) || (Y >= 6 && X >= 8)) << X << ", " << Y;

  // Wholly off the surface, or empty: nothing painted, nothing reported.
  Surface.FillArea(8, 20, -5, -1, Brush);
  Surface.FillArea(3, 2, 0, 9, Brush);
  Surface.FillArea(0, 7, 10, Far, Brush);
  EXPECT_TRUE(Surface.TakeChangedArea().IsEmpty());

  // Whole rows at once, and runs moved into place, some of them off the edges.
  Surface.FillArea(2, 3, 0, 9, Brush);
  EXPECT_EQ(Surface.TakeChangedArea(), (TRect{0, 2, 10, 4}));
  const std::vector<TRun> Runs = {{0, -2, 1, false}, {1, 0, 0, true}, {2, 3, 2, false}, {9, 0, 3, false}};
  Surface.FillRuns(Runs, 4, 5, Pen, clGreen);
  EXPECT_EQ(Surface.TakeChangedArea(), (TRect{2, 5, 6, 7}));
  EXPECT_EQ(Surface.Pixel(2, 5), Pen);
  EXPECT_EQ(Surface.Pixel(5, 5), Pen);
  EXPECT_EQ(Surface.Pixel(4, 6), clGreen);
  EXPECT_EQ(Surface.Pixel(6, 7), clBlack);  // the empty run painted nothing
}

}  // namespace
}  // namespace vcl
