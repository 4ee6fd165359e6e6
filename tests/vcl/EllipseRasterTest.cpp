// Ellipses with wide pens follow their rule pixel for pixel: the pen covers
// exactly the pixel centres within half its width of the path, the brush the
// centres inside the path beyond that, on circles, flat and tall ellipses,
// ellipses thinner than the pen is wide, and boxes one pixel across.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "EllipseRaster.h"
#include "Graphics.h"

namespace vcl {
namespace {

// The distance from (X, Y) to the ellipse x^2/A^2 + y^2/B^2 = 1, found the
// slow and sure way: the nearest point's parameter is the root of a falling
// function, halved down to the last bit (after D. Eberly).
double DistanceToEllipse(double A, double B, double X, double Y) {
  X = std::abs(X);
  Y = std::abs(Y);
  if (A < B) {
    std::swap(A, B);
    std::swap(X, Y);
  }
  if (B == 0) return std::hypot(std::max(0.0, X - A), Y);
  if (Y == 0) {
    const double Numerator = A * X, Denominator = A * A - B * B;
    if (Numerator >= Denominator) return std::abs(X - A);
    const double Ratio = Numerator / Denominator;
    return std::hypot(A * Ratio - X, B * std::sqrt(1 - Ratio * Ratio));
  }
  if (X == 0) return std::abs(Y - B);
  const double Z0 = X / A, Z1 = Y / B, R0 = (A / B) * (A / B);
  const double G = Z0 * Z0 + Z1 * Z1 - 1;
  double Low = Z1 - 1, High = G < 0 ? 0 : std::hypot(R0 * Z0, Z1) - 1, S = 0;
  for (int Step = 0; Step < 2000; ++Step) {
    S = (Low + High) / 2;
    if (S == Low || S == High) break;
    const double Ratio0 = R0 * Z0 / (S + R0), Ratio1 = Z1 / (S + 1);
    const double F = Ratio0 * Ratio0 + Ratio1 * Ratio1 - 1;
    if (F > 0) {
      Low = S;
    } else if (F < 0) {
      High = S;
    } else {
      break;
    }
  }
  return std::hypot(R0 * X / (S + R0) - X, Y / (S + 1) - Y);
}

struct TCase {
  TRect Box;
  int Pen;
};

// Pixels closer than this to the edge of the swept area are not judged: the
// edge may pass exactly through them.
constexpr double Margin = 1e-6;

void ExpectTheRule(const TCase& Case) {
  const TRect& Box = Case.Box;
  SCOPED_TRACE(::testing::Message() << "box " << Box.Right - Box.Left << "x" << Box.Bottom - Box.Top << " pen "
                                    << Case.Pen);
  constexpr int Side = 80;
  TSurface Surface;
  Surface.Resize(Side, Side);
  TCanvas Canvas(Surface);
  Canvas.Brush().SetColor(clWhite);
  Canvas.FillRect({0, 0, Side, Side});
  Canvas.Pen().SetColor(clBlack);
  Canvas.Pen().SetWidth(Case.Pen);
  Canvas.Brush().SetColor(clRed);
  Canvas.Ellipse(Box.Left, Box.Top, Box.Right, Box.Bottom);

  const double Lean = Case.Pen % 2 == 0 ? 0.5 : 0.0;
  const double CenterX = (Box.Left + Box.Right - 1) / 2.0 - Lean, CenterY = (Box.Top + Box.Bottom - 1) / 2.0 - Lean;
  const double A = (Box.Right - Box.Left - 1) / 2.0, B = (Box.Bottom - Box.Top - 1) / 2.0;
  const double Radius = Case.Pen / 2.0;
  int Judged = 0;
  for (int Y = 0; Y < Side; ++Y)
    for (int X = 0; X < Side; ++X) {
      const double Dx = X - CenterX, Dy = Y - CenterY;
      const double Distance = DistanceToEllipse(A, B, Dx, Dy);
      if (std::abs(Distance - Radius) < Margin) continue;
      const bool Inside = A > 0 && B > 0 && (Dx / A) * (Dx / A) + (Dy / B) * (Dy / B) < 1;
      const TColor Expected = Distance < Radius ? clBlack : Inside ? clRed : clWhite;
      ASSERT_EQ(Surface.Pixel(X, Y), Expected) << "pixel " << X << "," << Y << " at " << Distance << " from the path";
      ++Judged;
    }
  EXPECT_GT(Judged, Side * Side * 9 / 10);
}

TEST(EllipseRaster, WidePenCoversTheCentresWithinHalfItsWidthOfThePath) {
  const TRect Boxes[] = {
      {20, 20, 41, 41}, {20, 20, 40, 40},  // circles, odd and even
      {10, 25, 61, 48}, {25, 10, 48, 61},  // lying and standing
      {10, 30, 71, 41}, {30, 10, 41, 71},  // so flat that the pen is wider than their ends are curved
      {35, 35, 38, 38}, {36, 30, 40, 44},  // smaller than the pen
      {20, 38, 60, 39}, {38, 20, 39, 60},  // one pixel across: a segment
  };
  for (const TRect& Box : Boxes)
    for (const int Pen : {2, 3, 4, 5, 8, 9, 16}) ExpectTheRule({Box, Pen});
}

// Every row is worked out directly, in a bounded number of steps, so an
// ellipse far larger than the surface costs no more than its rows on it;
// here one so flat that its inside ends thousands of pixels short of its
// ends, where it becomes thinner than the pen.
TEST(EllipseRaster, RowsOfAHugeFlatEllipseAreExact) {
  const TEllipseRaster Flat(-2000000000, -1000, 2000000000, 1001, 7);
  const TEllipseRow Middle = Flat.Row(0);
  // The path runs through the centres of the first and last column.
  EXPECT_EQ(Middle.OuterLeft, -2000000000 - 3);
  EXPECT_EQ(Middle.OuterRight, 2000000000 - 1 + 3);
  ASSERT_TRUE(Middle.HasInside());
  const double A = 1999999999.5, B = 1000;
  const double Inside = static_cast<double>(Middle.InsideRight) + 0.5;  // from the centre, at -0.5
  EXPECT_GT(DistanceToEllipse(A, B, Inside, 0), 3.5);
  EXPECT_LT(DistanceToEllipse(A, B, Inside + 1, 0), 3.5);
  EXPECT_LT(Middle.InsideRight, 2000000000 - 10000);
  EXPECT_EQ(Middle.InsideLeft + Middle.InsideRight, -1);
  const TEllipseRow Top = Flat.Row(-1003);
  EXPECT_FALSE(Top.Empty());
  EXPECT_FALSE(Top.HasInside());
  EXPECT_TRUE(Flat.Row(-1004).Empty());
}

// A one-pixel outline is a thin closed curve: no two-by-two block of it,
// and every pixel of it touches two others. (Where the path bends tighter
// than a pixel, at the ends of a narrow ellipse, it may show a stem or a
// block.)
TEST(EllipseRaster, OnePixelOutlineIsAThinClosedCurve) {
  for (int Width = 4; Width <= 40; Width += 3)
    for (int Height = 4; Height <= 40; Height += 5) {
      const double A = (Width - 1) / 2.0, B = (Height - 1) / 2.0;
      if (std::min(A * A / B, B * B / A) < 1) continue;
      SCOPED_TRACE(::testing::Message() << Width << "x" << Height);
      TSurface Surface;
      Surface.Resize(44, 44);
      TCanvas Canvas(Surface);
      Canvas.Pen().SetColor(clWhite);
      Canvas.Brush().SetColor(clRed);
      Canvas.Ellipse(2, 2, 2 + Width, 2 + Height);
      for (int Y = 0; Y + 1 < 44; ++Y)
        for (int X = 0; X + 1 < 44; ++X) {
          auto On = [&](int Dx, int Dy) { return Surface.Pixel(X + Dx, Y + Dy) == clWhite; };
          ASSERT_FALSE(On(0, 0) && On(1, 0) && On(0, 1) && On(1, 1)) << X << "," << Y;
          if (!On(0, 0)) continue;
          int Neighbours = 0;
          for (int Dy = -1; Dy <= 1; ++Dy)
            for (int Dx = -1; Dx <= 1; ++Dx) Neighbours += (Dx != 0 || Dy != 0) && On(Dx, Dy);
          ASSERT_GE(Neighbours, 2) << X << "," << Y;
        }
    }
}

}  // namespace
}  // namespace vcl
